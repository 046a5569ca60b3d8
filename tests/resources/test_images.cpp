// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures beside the built programs: every path the windows load is
// there, loads, and has the size the layouts and pixel look-ups rely on.
#include <QBitmap>
#include <QCoreApplication>
#include <QDirIterator>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QSet>
#include <QtMath>
#include <QtTest>

namespace {

struct Expected
{
    const char *path;
    int width;
    int height;
};

// Sizes from the window layouts; pictures stretched by style sheets are
// listed with the size they are drawn at.
const Expected Pictures[] = {
    {"Images/background.png", 999, 606},
    {"Images/product_name.png", 325, 14},
    {"Images/LOGO.png", 168, 28},
    {"Images/btn_close.png", 22, 22},
    {"Images/btn_min.png", 22, 22},
    {"Images/btn_setting.png", 22, 22},
    {"Images/btn_profile.png", 57, 34},
    {"Images/btn_profile_h.png", 57, 34},
    {"Images/btn_arrowLeft.png", 15, 19},
    {"Images/btn_arrowLeft_h.png", 15, 19},
    {"Images/btn_arrowRight.png", 15, 19},
    {"Images/btn_arrowRight_h.png", 15, 19},
    {"Images/btn_save.png", 120, 30},
    {"Images/btn_save_h.png", 120, 30},
    {"Images/device.png", 38, 28},
    {"Images/device_h.png", 38, 28},
    {"Images/device_r.png", 38, 28},
    {"Images/device_a.png", 38, 28},
    {"Images/menu_Language.png", 131, 356},
    {"Images/keyboard/passwordMask.png", 999, 606},
    {"Images/blankImage.png", 299, 388},
    {"Images/keyboard/keyboard.png", 57, 57},
    {"Images/keyboard/password_ok.png", 57, 57},
    {"Images/keyboard/password_return.png", 57, 57},
    {"Images/keyboard/LINE.png", 39, 1},
    {"Images/profile_area.png", 322, 412},
    {"Images/profile_area_h.png", 322, 412},
    {"Images/profile_area_close.png", 322, 412},
    {"Images/top_bar.png", 200, 20},
    {"Images/btn_openFan.png", 14, 14},
    {"Images/btn_closeFan.png", 14, 14},
    {"Images/curve.png", 301, 44},
    {"Images/palette.png", 133, 133},
    {"Images/colorWidget.png", 322, 228},
    {"Images/Value.png", 64, 21},
    {"Images/warning.png", 81, 70},
    {"Images/View.png", 126, 126},
    {"Images/Viewbar.png", 86, 3},
    {"Images/bar_bright.png", 17, 17},
    {"Images/switching_area.png", 68, 20},
    {"Images/adjust.png", 12, 12},
    {"Images/adjust_h.png", 12, 12},
    {"Images/light.png", 25, 28},
    {"Images/light_off.png", 25, 28},
    {"Images/btn_performance.png", 42, 42},
    {"Images/btn_performance_h.png", 42, 42},
    {"Images/btn_silent.png", 42, 42},
    {"Images/btn_silent_h.png", 42, 42},
    {"Images/Vayla/btn_closeFan.png", 20, 20},
    {"Images/Vayla/btn_openFan.png", 20, 20},
    {"Images/Vayla/btn_performance.png", 55, 55},
    {"Images/Vayla/btn_performance_h.png", 55, 55},
    {"Images/Vayla/btn_silent.png", 55, 55},
    {"Images/Vayla/btn_silent_h.png", 55, 55},
    {"Images/Vayla/btn_pwm.png", 55, 55},
    {"Images/Vayla/btn_pwm_h.png", 55, 55},
    {"Images/Vayla/btn_blink.png", 55, 55},
    {"Images/Vayla/btn_blink_h.png", 55, 55},
    {"Images/Vayla/btn_blank.png", 55, 55},
    {"Images/Vayla/btn_RGB_Mode.png", 55, 55},
    {"Images/Vayla/btn_RGB_Mode_h.png", 55, 55},
    {"Images/Vayla/btn_turnOn.png", 55, 55},
    {"Images/Vayla/btn_turnOff.png", 55, 55},
    {"Images/Vayla/btn_copyRGB.png", 55, 55},
    {"Images/Vayla/bar-button.png", 18, 18},
    {"Images/Vayla/bar_bright.png", 20, 22},
    {"Images/Vayla/palette.png", 151, 151},
    {"Images/Vayla/rpm_bar.png", 75, 3},
    {"Images/Vayla/blankImage_h.png", 302, 390},
    {"Images/Vayla/Fan_Error3.png", 302, 390},
    {"Images/warn_background.png", 428, 248},
};

QString picturePath(const QString &relative)
{
    return QCoreApplication::applicationDirPath() + "/" + relative;
}

QImage load(const char *relative)
{
    return QImage(picturePath(QString::fromLatin1(relative))).convertToFormat(QImage::Format_ARGB32);
}

// Share of pixels (0-1) that a person would see change: some channel,
// alpha included, moves by more than 40.
double changedShare(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return 1;
    int changed = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            const int d = qMax(qMax(qAbs(qRed(p) - qRed(q)), qAbs(qGreen(p) - qGreen(q))),
                               qMax(qAbs(qBlue(p) - qBlue(q)), qAbs(qAlpha(p) - qAlpha(q))));
            changed += d > 40 ? 1 : 0;
        }
    return double(changed) / (a.width() * a.height());
}

int distinctColours(const QImage &image)
{
    QSet<QRgb> seen;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            seen.insert(image.pixel(x, y));
    return seen.size();
}

} // namespace

class TestImages : public QObject
{
    Q_OBJECT

private slots:
    void loadsWithLayoutSize_data();
    void loadsWithLayoutSize();
    void noStrayFiles();
    void ledPaletteHasColourEverywhere();
    void panelMaskCutsOnlyCorners();
    void alertMaskComesFromAlpha();
    void singleColourPaletteCoversPickDisc();
    void iconHoldsSeveralSizes();
    void desktopIconsAtEveryThemeSize();
    void statesLookDifferent();
};

void TestImages::loadsWithLayoutSize_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    for (const Expected &e : Pictures)
        QTest::newRow(e.path) << QString::fromLatin1(e.path) << QSize(e.width, e.height);
}

void TestImages::loadsWithLayoutSize()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    QVERIFY2(QFileInfo::exists(picturePath(path)), qPrintable(picturePath(path)));
    const QImage image(picturePath(path));
    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), size);
    // Not a blank fill: some structure is drawn.
    QVERIFY2(distinctColours(image) >= 3, qPrintable(path));
    // Qt's pixmap path, used by labels and style sheets, agrees.
    QCOMPARE(QPixmap(picturePath(path)).size(), size);
}

void TestImages::noStrayFiles()
{
    // A misspelt name would ship a picture that nothing loads.
    QSet<QString> known;
    for (const Expected &e : Pictures)
        known.insert(QString::fromLatin1(e.path));
    known.insert(QStringLiteral("Images/logo.ico"));
    const QString root = QCoreApplication::applicationDirPath();
    QDirIterator it(root + "/Images", QDir::Files, QDirIterator::Subdirectories);
    int files = 0;
    while (it.hasNext()) {
        const QString relative = it.next().mid(root.size() + 1);
        QVERIFY2(known.contains(relative), qPrintable(relative));
        ++files;
    }
    QCOMPARE(files, known.size());
}

void TestImages::ledPaletteHasColourEverywhere()
{
    // The editor reads the pixel under the pointer anywhere in its square.
    const QImage palette = load("Images/palette.png");
    QCOMPARE(palette.size(), QSize(133, 133));
    for (int y = 0; y < palette.height(); ++y)
        for (int x = 0; x < palette.width(); ++x)
            QVERIFY2(qAlpha(palette.pixel(x, y)) == 255, qPrintable(QString("%1,%2").arg(x).arg(y)));
    QVERIFY(distinctColours(palette) > 5000);

    // Centre is near white, rim points to the right, top and left are
    // saturated and of clearly different hues; corners are real, darker shades.
    const QColor centre(palette.pixel(66, 66));
    QVERIFY(centre.saturation() < 40);
    QVERIFY(centre.value() > 230);
    const QColor right(palette.pixel(128, 66));
    const QColor top(palette.pixel(66, 4));
    const QColor left(palette.pixel(4, 66));
    for (const QColor &rim : {right, top, left})
        QVERIFY(rim.saturation() > 200);
    QVERIFY(qAbs(right.hue() - top.hue()) > 60);
    QVERIFY(qAbs(top.hue() - left.hue()) > 60);
    const QColor corner(palette.pixel(1, 1));
    QVERIFY(corner.value() > 40);
    QVERIFY(corner.value() < right.value());
}

void TestImages::panelMaskCutsOnlyCorners()
{
    const QPixmap panel(picturePath("Images/profile_area.png"));
    QCOMPARE(panel.size(), QSize(322, 412));
    // It is the panel's own background brush: opaque, corners included.
    const QImage body = load("Images/profile_area.png");
    for (int y = 0; y < body.height(); ++y)
        for (int x = 0; x < body.width(); ++x)
            QVERIFY2(qAlpha(body.pixel(x, y)) == 255, qPrintable(QString("%1,%2").arg(x).arg(y)));
    const QImage mask = panel.createHeuristicMask().toImage().convertToFormat(QImage::Format_Mono);
    QCOMPARE(mask.size(), panel.size());
    // In the mask, colour 1 (black) keeps a pixel and colour 0 cuts it.
    const auto kept = [&](int x, int y) { return mask.pixelIndex(x, y) == 1; };
    for (const QPoint &corner : {QPoint(0, 0), QPoint(321, 0), QPoint(0, 411), QPoint(321, 411), QPoint(3, 3),
                                 QPoint(318, 408)})
        QVERIFY2(!kept(corner.x(), corner.y()), qPrintable(QString("%1,%2").arg(corner.x()).arg(corner.y())));
    for (const QPoint &inside : {QPoint(161, 206), QPoint(161, 0), QPoint(0, 206), QPoint(321, 206), QPoint(161, 411),
                                 QPoint(210, 272), QPoint(30, 30), QPoint(291, 381)})
        QVERIFY2(kept(inside.x(), inside.y()), qPrintable(QString("%1,%2").arg(inside.x()).arg(inside.y())));
    int cut = 0;
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x)
            cut += kept(x, y) ? 0 : 1;
    // Four rounded corners and nothing else.
    QVERIFY(cut > 200);
    QVERIFY(cut < 800);

    // The covers laid over the panel fill it and leave its corners clear.
    for (const char *cover : {"Images/profile_area_h.png", "Images/profile_area_close.png"}) {
        const QImage image = load(cover);
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QVERIFY(qAlpha(image.pixel(161, 206)) > 100);
    }
    QCOMPARE(qAlpha(load("Images/profile_area_close.png").pixel(161, 300)), 255);
}

void TestImages::alertMaskComesFromAlpha()
{
    const QPixmap alert(picturePath("Images/warn_background.png"));
    QCOMPARE(alert.size(), QSize(428, 248));
    QVERIFY(alert.hasAlpha());
    const QBitmap bitmap = alert.mask();
    QVERIFY(!bitmap.isNull());
    const QImage mask = bitmap.toImage().convertToFormat(QImage::Format_Mono);
    const auto kept = [&](int x, int y) { return mask.pixelIndex(x, y) == 1; };
    for (const QPoint &corner : {QPoint(0, 0), QPoint(427, 0), QPoint(0, 247), QPoint(427, 247)})
        QVERIFY(!kept(corner.x(), corner.y()));
    // Title, box name and the OK button lie inside.
    for (const QPoint &inside : {QPoint(214, 124), QPoint(214, 0), QPoint(5, 132), QPoint(175, 200), QPoint(254, 232),
                                 QPoint(214, 247)})
        QVERIFY2(kept(inside.x(), inside.y()), qPrintable(QString("%1,%2").arg(inside.x()).arg(inside.y())));
}

void TestImages::singleColourPaletteCoversPickDisc()
{
    // The view reads pixel (x - 13, y - 250) for every press whose distance,
    // truncated, from (88, 325) is at most 75: every such pixel must exist
    // and carry an opaque colour.
    const QImage palette = load("Images/Vayla/palette.png");
    int picks = 0;
    for (int y = 325 - 80; y <= 325 + 80; ++y) {
        for (int x = 88 - 80; x <= 88 + 80; ++x) {
            const int d = int(qSqrt(double((x - 88) * (x - 88) + (y - 325) * (y - 325))));
            if (d > 75)
                continue;
            ++picks;
            const QPoint pixel(x - 13, y - 250);
            QVERIFY2(palette.valid(pixel), qPrintable(QString("%1,%2").arg(x).arg(y)));
            QVERIFY2(qAlpha(palette.pixel(pixel)) == 255, qPrintable(QString("%1,%2").arg(x).arg(y)));
        }
    }
    QVERIFY(picks > 17000);
    // Outside the disc the picture is clear, so the frame shows a disc.
    QCOMPARE(qAlpha(palette.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(palette.pixel(150, 150)), 0);
    const QColor rim(palette.pixel(148, 75));
    const QColor opposite(palette.pixel(2, 75));
    QVERIFY(rim.saturation() > 200);
    QVERIFY(opposite.saturation() > 200);
    QVERIFY(qAbs(rim.hue() - opposite.hue()) > 120);
    QVERIFY(QColor(palette.pixel(75, 75)).saturation() < 30);
}

void TestImages::iconHoldsSeveralSizes()
{
    const QString path = picturePath("Images/logo.ico");
    QImageReader reader(path);
    QVERIFY2(reader.canRead(), qPrintable(reader.errorString()));
    QVERIFY(reader.imageCount() >= 4);
    QSet<int> widths;
    for (int i = 0; i < reader.imageCount(); ++i) {
        QVERIFY(reader.jumpToImage(i));
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
        QCOMPARE(image.width(), image.height());
        // Rounded tile: clear corner, opaque middle.
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(image.pixel(image.width() / 2, image.height() / 3)), 255);
        widths.insert(image.width());
    }
    QVERIFY(widths.contains(16));
    QVERIFY(widths.contains(32));
    QVERIFY(widths.contains(48));
    const QIcon icon(path);
    QVERIFY(!icon.isNull());
    QVERIFY(!icon.availableSizes().isEmpty());
}

// The menu entry's icon in the hicolor theme: one picture per folder size,
// the same mark as the window icon.
void TestImages::desktopIconsAtEveryThemeSize()
{
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString path = picturePath(QStringLiteral("icons/hicolor/%1x%1/apps/aurivent.png").arg(size));
        QImageReader reader(path);
        QCOMPARE(reader.format(), QByteArray("png"));
        const QImage image = reader.read().convertToFormat(QImage::Format_ARGB32);
        QVERIFY2(!image.isNull(), qPrintable(path));
        QCOMPARE(image.size(), QSize(size, size));
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(image.pixel(size / 2, size / 3)), 255);
        QVERIFY(distinctColours(image) >= 3);
    }
    QImageReader ico(picturePath("Images/logo.ico"));
    for (int i = 0; i < ico.imageCount(); ++i) {
        QVERIFY(ico.jumpToImage(i));
        const QImage fromIco = ico.read().convertToFormat(QImage::Format_ARGB32);
        const QImage png = load(qPrintable(QStringLiteral("icons/hicolor/%1x%1/apps/aurivent.png").arg(fromIco.width())));
        if (!png.isNull())
            QVERIFY2(changedShare(fromIco, png) < 0.02, qPrintable(QString::number(fromIco.width())));
    }
}

void TestImages::statesLookDifferent()
{
    const char *pairs[][2] = {
        {"Images/btn_profile.png", "Images/btn_profile_h.png"},
        {"Images/btn_arrowLeft.png", "Images/btn_arrowLeft_h.png"},
        {"Images/btn_arrowRight.png", "Images/btn_arrowRight_h.png"},
        {"Images/btn_save.png", "Images/btn_save_h.png"},
        {"Images/device.png", "Images/device_h.png"},
        {"Images/device.png", "Images/device_r.png"},
        {"Images/device_h.png", "Images/device_r.png"},
        {"Images/device_r.png", "Images/device_a.png"},
        {"Images/btn_openFan.png", "Images/btn_closeFan.png"},
        {"Images/light.png", "Images/light_off.png"},
        {"Images/adjust.png", "Images/adjust_h.png"},
        {"Images/btn_performance.png", "Images/btn_performance_h.png"},
        {"Images/btn_silent.png", "Images/btn_silent_h.png"},
        {"Images/profile_area_h.png", "Images/profile_area_close.png"},
        {"Images/Vayla/btn_openFan.png", "Images/Vayla/btn_closeFan.png"},
        {"Images/Vayla/btn_performance.png", "Images/Vayla/btn_performance_h.png"},
        {"Images/Vayla/btn_silent.png", "Images/Vayla/btn_silent_h.png"},
        {"Images/Vayla/btn_pwm.png", "Images/Vayla/btn_pwm_h.png"},
        {"Images/Vayla/btn_blink.png", "Images/Vayla/btn_blink_h.png"},
        {"Images/Vayla/btn_RGB_Mode.png", "Images/Vayla/btn_RGB_Mode_h.png"},
        {"Images/Vayla/btn_turnOn.png", "Images/Vayla/btn_turnOff.png"},
        {"Images/Vayla/blankImage_h.png", "Images/Vayla/Fan_Error3.png"},
        {"Images/keyboard/keyboard.png", "Images/keyboard/password_ok.png"},
        {"Images/keyboard/keyboard.png", "Images/keyboard/password_return.png"},
    };
    for (const auto &pair : pairs) {
        const double share = changedShare(load(pair[0]), load(pair[1]));
        QVERIFY2(share > 0.05, qPrintable(QString("%1 / %2: %3").arg(pair[0], pair[1]).arg(share)));
    }

    // The alarm state reads red, the checked one blue.
    const auto meanColour = [](const QImage &image) {
        double r = 0, g = 0, b = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                r += qRed(p);
                g += qGreen(p);
                b += qBlue(p);
            }
        return QVector<double>{r, g, b};
    };
    const QVector<double> alarm = meanColour(load("Images/device_r.png"));
    QVERIFY(alarm[0] > 2 * alarm[2]);
    const QVector<double> checked = meanColour(load("Images/device_h.png"));
    QVERIFY(checked[2] > 2 * checked[0]);
    // Amber: red and green well above blue, and more green than the alarm has.
    const QVector<double> silent = meanColour(load("Images/device_a.png"));
    QVERIFY(silent[0] > 2 * silent[2] && silent[1] > 1.5 * silent[2]);
    QVERIFY(silent[1] > 1.5 * alarm[1]);
}

QTEST_MAIN(TestImages)
#include "test_images.moc"
