// SPDX-License-Identifier: GPL-3.0-or-later
// The palette pick and the painted preview of the single-colour fan panel.
#include "ui/VaylaRGBFanView.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void press(QWidget *view, const QPoint &pos)
{
    QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, pos);
    QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, pos);
}

} // namespace

class TestVaylaPalette : public QObject {
    Q_OBJECT

private slots:
    void init();
    void pickHonoursCircleAndImage();
    void pickEndsCyclingButKeepsBlink();
    void ringShowsTheDimmedColour();
    void pickReadsTheShippedPalette();

private:
    QTemporaryDir m_dir;
    QString m_path;
};

// A palette of known pixels, smaller than the pick circle, so that the circle
// reaches past its right and bottom edges.
void TestVaylaPalette::init()
{
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(qRgb(11, 22, 33));
    image.setPixel(0, 75, qRgb(200, 100, 50));
    m_path = m_dir.filePath(QStringLiteral("palette.png"));
    QVERIFY(image.save(m_path));
}

void TestVaylaPalette::pickHonoursCircleAndImage()
{
    VaylaRGBFanView view;
    view.setFanNumber(1);
    view.setPaletteImagePath(m_path);
    view.show();
    view.setRGB(1, 2, 3, 0.25f);
    QStringList order;
    connect(&view, &VaylaRGBFanView::sendRGBData, this, [&order](int r, int g, int b, float bright, int fan) {
        order << QStringLiteral("rgb %1 %2 %3 %4 %5").arg(r).arg(g).arg(b).arg(bright).arg(fan);
    });
    connect(&view, &VaylaRGBFanView::sendData, this,
            [&order](const QStringList &list) { order << list.join(QLatin1Char(',')); });

    press(&view, {88 + 54, 325 + 54}); // 76.37 truncates to 76: outside the circle
    press(&view, {88 + 76, 325});
    press(&view, {88 + 30, 325});      // inside the circle, right of the image
    press(&view, {88, 325 + 30});      // inside the circle, below the image
    QCOMPARE(order, QStringList());
    QCOMPARE(view.selectR(), 1);

    press(&view, {88 - 75, 325});      // distance exactly 75: pixel (0, 75), unscaled
    press(&view, {88 + 45, 325 + 60}); // 75 again, but that pixel is past the image
    press(&view, {88 - 60, 325 - 46}); // 75.6 truncates to 75: picked
    QCOMPARE(order, (QStringList{"rgb 200 100 50 0.25 1", "btn_done,1,0", "rgb 11 22 33 0.25 1", "btn_done,1,0"}));

    // A missing image refuses the pick.
    view.setPaletteImagePath(m_dir.filePath(QStringLiteral("none.png")));
    press(&view, {88, 325});
    QCOMPARE(order.size(), 4);

    // A closed fan's cover hides the palette too; a stopped fan's mark lies
    // over its read-out only, and leaves the palette and speed controls free.
    view.setPaletteImagePath(m_path);
    view.setMonitor(false);
    press(&view, {88, 325});
    QCOMPARE(order.size(), 4);
    view.setMonitor(true);
    view.setFanOk(false);
    auto *mark = view.findChild<QLabel *>(QStringLiteral("fanErrorCover"));
    QVERIFY(!mark->geometry().intersects(QRect(168, 52, 125, 170))); // presets, PWM, speed slider
    press(&view, {88 - 75, 325});
    QCOMPARE(order.size(), 6);
}

void TestVaylaPalette::pickEndsCyclingButKeepsBlink()
{
    VaylaRGBFanView view;
    view.setFanNumber(2);
    view.setPaletteImagePath(m_path);
    view.show();
    auto *rgb = view.findChild<QPushButton *>(QStringLiteral("RGB"));
    auto *blink = view.findChild<QPushButton *>(QStringLiteral("Blink"));
    auto *off = view.findChild<QPushButton *>(QStringLiteral("Off"));
    auto *bright = view.findChild<QSlider *>(QStringLiteral("slider_Light_Fan"));
    QSignalSpy data(&view, &VaylaRGBFanView::sendData);

    view.setLightMode(2);
    view.setTurnOff(true);
    press(&view, {88, 325});
    QCOMPARE(data.takeFirst().at(0).toStringList(), (QStringList{"btn_done", "2", "2"}));
    QVERIFY(blink->isChecked());
    QVERIFY(!off->isChecked());

    view.setLightMode(1);
    QVERIFY(!bright->isEnabled());
    press(&view, {88, 325});
    QCOMPARE(data.takeFirst().at(0).toStringList(), (QStringList{"btn_done", "2", "0"}));
    QVERIFY(!rgb->isChecked());
    QVERIFY(bright->isEnabled());
    QCOMPARE(view.lightMode(), 0);
}

void TestVaylaPalette::ringShowsTheDimmedColour()
{
    VaylaRGBFanView view;
    view.show();
    auto *bright = view.findChild<QSlider *>(QStringLiteral("slider_Light_Fan"));
    // Left edge of the ring, outside the palette image; inside the preview disc.
    const QPoint ring(9, 320);
    const QPoint disc(85, 80);
    const QColor colour(255, 128, 64);

    view.setRGB(255, 128, 64, 1.0f);
    QImage shot = view.grab().toImage();
    QCOMPARE(shot.pixelColor(ring), colour);
    QCOMPARE(shot.pixelColor(disc), colour);

    bright->setValue(50);
    QCOMPARE(view.grab().toImage().pixelColor(ring), QColor(127, 64, 32));

    bright->setValue(100);
    QCOMPARE(view.brightValue(), 0.0f);
    shot = view.grab().toImage();
    QCOMPARE(shot.pixelColor(ring), QColor(0, 0, 0));
    QCOMPARE(shot.pixelColor(disc), colour);
}

void TestVaylaPalette::pickReadsTheShippedPalette()
{
    const QImage shipped(QCoreApplication::applicationDirPath() + QStringLiteral("/Images/Vayla/palette.png"));
    if (shipped.isNull())
        QSKIP("Images/Vayla/palette.png is missing beside the test (target aurivent_resources)");
    VaylaRGBFanView view;
    view.show();
    QSignalSpy rgb(&view, &VaylaRGBFanView::sendRGBData);
    for (const QPoint &p : {QPoint(88, 325), QPoint(88 - 75, 325), QPoint(100, 260)}) {
        press(&view, p);
        const QColor expected = shipped.pixelColor(p - QPoint(13, 250));
        QCOMPARE(QColor(view.selectR(), view.selectG(), view.selectB()), QColor(expected.rgb()));
    }
    QCOMPARE(rgb.count(), 3);
}

QTEST_MAIN(TestVaylaPalette)
#include "test_vayla_palette.moc"
