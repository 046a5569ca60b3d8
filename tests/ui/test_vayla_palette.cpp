// The palette pick and the painted preview of the single-colour fan panel.
#include "ui/VaylaRGBFanView.h"

#include <QCoreApplication>
#include <QImage>
#include <QSignalSpy>
#include <QSlider>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString palettePath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Images/Vayla/palette.png");
}

QColor pixelOf(const QImage &image, const QPoint &press)
{
    return image.pixelColor(press - QPoint(VaylaRGBFanView::kPaletteImageX, VaylaRGBFanView::kPaletteImageY));
}

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
    void pickHonoursTheCircle();
    void pickRefusesPixelsOutsideTheImage();
    void pickEndsCyclingButKeepsBlink();
    void pickSendsColourBeforeCommand();
    void coversBlockThePalette();
    void ringShowsTheDimmedColour();

private:
    QImage m_palette;
};

// Picks read real pixels of the shipped palette image.
#define REQUIRE_PALETTE()                                                                              \
    if (m_palette.isNull())                                                                            \
    QSKIP("Images/Vayla/palette.png is missing beside the test (target aurivent_resources)")

void TestVaylaPalette::init()
{
    m_palette = QImage(palettePath());
}

void TestVaylaPalette::pickHonoursTheCircle()
{
    REQUIRE_PALETTE();
    VaylaRGBFanView view;
    view.setFanNumber(1);
    view.show();
    QSignalSpy rgb(&view, &VaylaRGBFanView::sendRGBData);
    QSignalSpy data(&view, &VaylaRGBFanView::sendData);

    // Distance exactly 75 from (88, 325): on the circle, picked.
    const QList<QPoint> inside{{88 + 45, 325 + 60}, {88 - 75, 325}, {88, 325 - 75}, {88, 325}};
    for (const QPoint &p : inside) {
        rgb.clear();
        press(&view, p);
        QCOMPARE(rgb.count(), 1);
        const QColor expected = pixelOf(m_palette, p);
        QCOMPARE(rgb.at(0).at(0).toInt(), expected.red());
        QCOMPARE(rgb.at(0).at(1).toInt(), expected.green());
        QCOMPARE(rgb.at(0).at(2).toInt(), expected.blue());
        QCOMPARE(rgb.at(0).at(4).toInt(), 1);
        QCOMPARE(view.selectR(), expected.red());
        QCOMPARE(view.selectG(), expected.green());
        QCOMPARE(view.selectB(), expected.blue());
    }

    // Distance 76.37 truncates to 76 (pixel still inside the image) and 76 exactly: refused.
    view.setRGB(1, 2, 3, 1.0f);
    rgb.clear();
    data.clear();
    press(&view, {88 + 54, 325 + 54});
    press(&view, {88 + 76, 325});
    press(&view, {300, 20});
    QCOMPARE(rgb.count(), 0);
    QCOMPARE(data.count(), 0);
    QCOMPARE(view.selectR(), 1);
    QCOMPARE(view.selectG(), 2);
    QCOMPARE(view.selectB(), 3);
}

void TestVaylaPalette::pickRefusesPixelsOutsideTheImage()
{
    // A palette smaller than the pick circle: the circle reaches past its right and bottom edges.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QImage small(100, 100, QImage::Format_RGB32);
    small.fill(qRgb(11, 22, 33));
    small.setPixel(50, 60, qRgb(200, 100, 50));
    const QString path = dir.filePath(QStringLiteral("palette.png"));
    QVERIFY(small.save(path));

    VaylaRGBFanView view;
    view.show();
    view.setPaletteImagePath(path);
    view.setRGB(10, 20, 30, 0.5f);
    QSignalSpy rgb(&view, &VaylaRGBFanView::sendRGBData);
    QSignalSpy data(&view, &VaylaRGBFanView::sendData);
    press(&view, {13 + 100, 325});
    press(&view, {88, 250 + 100});
    press(&view, {88 + 50, 325 + 50});
    QCOMPARE(rgb.count(), 0);
    QCOMPARE(data.count(), 0);
    QCOMPARE(view.selectR(), 10);
    QCOMPARE(view.brightValue(), 0.5f);

    // The pixel under the press, unscaled.
    press(&view, {13 + 50, 250 + 60});
    QCOMPARE(rgb.count(), 1);
    QCOMPARE(rgb.at(0).mid(0, 4), (QList<QVariant>{200, 100, 50, 0.5f}));
    press(&view, {13 + 99, 250 + 99});
    QCOMPARE(view.selectB(), 33);

    // A missing image refuses the pick.
    view.setPaletteImagePath(dir.filePath(QStringLiteral("none.png")));
    press(&view, {88, 325});
    QCOMPARE(rgb.count(), 2);
    QCOMPARE(view.selectR(), 11);
}

void TestVaylaPalette::pickEndsCyclingButKeepsBlink()
{
    REQUIRE_PALETTE();
    VaylaRGBFanView view;
    view.setFanNumber(2);
    view.show();
    auto *rgbButton = view.findChild<QPushButton *>(QStringLiteral("RGB"));
    auto *blink = view.findChild<QPushButton *>(QStringLiteral("Blink"));
    auto *off = view.findChild<QPushButton *>(QStringLiteral("Off"));
    auto *bright = view.findChild<QSlider *>(QStringLiteral("slider_Light_Fan"));
    QSignalSpy data(&view, &VaylaRGBFanView::sendData);

    view.setLightMode(2);
    view.setTurnOff(true);
    press(&view, {88, 325});
    QCOMPARE(data.count(), 1);
    QCOMPARE(data.at(0).at(0).toStringList(), (QStringList{"btn_done", "2", "2"}));
    QVERIFY(blink->isChecked());
    QVERIFY(!off->isChecked());
    QCOMPARE(view.lightMode(), 2);

    view.setLightMode(1);
    QVERIFY(!bright->isEnabled());
    data.clear();
    press(&view, {88, 325});
    QCOMPARE(data.count(), 1);
    QCOMPARE(data.at(0).at(0).toStringList(), (QStringList{"btn_done", "2", "0"}));
    QVERIFY(!rgbButton->isChecked());
    QVERIFY(!blink->isChecked());
    QVERIFY(bright->isEnabled());
    QCOMPARE(view.lightMode(), 0);
}

void TestVaylaPalette::pickSendsColourBeforeCommand()
{
    REQUIRE_PALETTE();
    VaylaRGBFanView view;
    view.show();
    view.setBright(0.25f);
    QStringList order;
    connect(&view, &VaylaRGBFanView::sendRGBData, this,
            [&order](int, int, int, float bright, int fan) {
                order << QStringLiteral("rgb %1 %2").arg(bright).arg(fan);
            });
    connect(&view, &VaylaRGBFanView::sendData, this,
            [&order](const QStringList &list) { order << list.join(QLatin1Char(',')); });
    press(&view, {60, 300});
    QCOMPARE(order, (QStringList{"rgb 0.25 0", "btn_done,0,0"}));
}

void TestVaylaPalette::coversBlockThePalette()
{
    REQUIRE_PALETTE();
    VaylaRGBFanView view;
    view.show();
    QSignalSpy rgb(&view, &VaylaRGBFanView::sendRGBData);
    view.setMonitor(false);
    press(&view, {88, 325});
    view.setMonitor(true);
    view.setFanOk(false);
    press(&view, {88, 325});
    QCOMPARE(rgb.count(), 0);
    view.setFanOk(true);
    press(&view, {88, 325});
    QCOMPARE(rgb.count(), 1);
}

void TestVaylaPalette::ringShowsTheDimmedColour()
{
    VaylaRGBFanView view;
    view.show();
    auto *bright = view.findChild<QSlider *>(QStringLiteral("slider_Light_Fan"));
    QSignalSpy data(&view, &VaylaRGBFanView::sendData);
    // Left edge of the ring, outside the palette image; inside the preview disc.
    const QPoint ringPixel(9, 320);
    const QPoint discPixel(85, 80);

    view.setRGB(255, 128, 64, 1.0f);
    QImage shot = view.grab().toImage();
    QCOMPARE(shot.pixelColor(ringPixel), QColor(255, 128, 64));
    QCOMPARE(shot.pixelColor(discPixel), QColor(255, 128, 64));

    bright->setValue(50);
    QCOMPARE(view.brightValue(), 0.5f);
    shot = view.grab().toImage();
    QCOMPARE(shot.pixelColor(ringPixel), QColor(127, 64, 32));
    QCOMPARE(shot.pixelColor(discPixel), QColor(255, 128, 64));

    bright->setValue(100);
    QCOMPARE(view.brightValue(), 0.0f);
    shot = view.grab().toImage();
    QCOMPARE(shot.pixelColor(ringPixel), QColor(0, 0, 0));
    QCOMPARE(shot.pixelColor(discPixel), QColor(255, 128, 64));
    QCOMPARE(data.last().at(0).toStringList(), (QStringList{"changeSliderLight", "0", "0"}));
}

QTEST_MAIN(TestVaylaPalette)
#include "test_vayla_palette.moc"
