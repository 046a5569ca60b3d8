// Renders the program's windows to PNG files, offscreen, on simulated boxes:
//   aurivent-screenshot --simulate=1,0 --language=3 --out=DIR
// writes DIR/main-box<N>.png for every simulated box, DIR/alert.png and
// DIR/info.png. Single-colour slots ("0") are shown as such. The settings
// live in a folder of the tool's own, never in the user's.
#include "app/Aurivent.h"
#include "app/CommandLine.h"
#include "app/DeviceSetup.h"
#include "device/BoxTable.h"
#include "device/sim/SimulatedBoxes.h"
#include "ui/AlertView.h"
#include "ui/MainView.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

bool save(QWidget *widget, const QString &path)
{
    widget->show();
    QTest::qWait(100);
    QCoreApplication::processEvents();
    const bool ok = widget->grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
    return ok;
}

QString valueOf(const QStringList &args, const QString &name, const QString &fallback)
{
    for (const QString &arg : args)
        if (arg.startsWith(name + QLatin1Char('=')))
            return arg.mid(name.size() + 1);
    return fallback;
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const QString spec = valueOf(args, QStringLiteral("--simulate"), QStringLiteral("1,0"));
    const int language = valueOf(args, QStringLiteral("--language"), QStringLiteral("0")).toInt();
    const QString out = valueOf(args, QStringLiteral("--out"), QStringLiteral("."));

    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    std::array<int, 16> types{};
    QString error;
    if (!SimulatedBoxes::parseSpec(spec, &types, &error)) {
        std::fprintf(stderr, "aurivent-screenshot: --simulate=%s: %s\n", qPrintable(spec), qPrintable(error));
        return 2;
    }
    // The device file tells the program which slots hold single-colour boxes.
    QDir().mkpath(home.path() + QStringLiteral("/Kq/RGBVaylaZeve"));
    QFile device(home.path() + QStringLiteral("/Kq/RGBVaylaZeve/Device.ini"));
    if (!device.open(QIODevice::WriteOnly | QIODevice::Text))
        return 1;
    device.write("[Main]\nAutoUpdate=0\nisAutoRun=0\nPassword=9462\nOpenPassword=0\nLanguage="
                 + QByteArray::number(language) + "\n");
    for (int i = 0; i < 16; ++i)
        if (types[i] == 0)
            device.write("[Device" + QByteArray::number(i) + "]\nBoxType=0\n");
    device.close();

    DeviceSetup devices;
    const CommandLine line = CommandLine::parse({QStringLiteral("aurivent-screenshot"), QStringLiteral("--simulate=") + spec});
    if (!devices.apply(line, nullptr, &app, &error)) {
        std::fprintf(stderr, "aurivent-screenshot: %s\n", qPrintable(error));
        return 2;
    }
    StartOptions options;
    options.simulated = true;
    Aurivent window(options);
    QDir().mkpath(out);
    bool ok = true;
    for (int box = 0; box < 16; ++box) {
        if (types[box] < 0)
            continue;
        window.handleWindowMessage(0x8106, box, 0);
        window.updateSpeed(); // show the fans turning
        ok &= save(window.view(), QStringLiteral("%1/main-box%2.png").arg(out).arg(box + 1));
    }
    auto *alert = window.findChild<AlertView *>();
    if (alert) {
        alert->setControllerNumber(0);
        ok &= save(alert, out + QStringLiteral("/alert.png"));
        alert->hide();
    }
    window.receiveMainData({QStringLiteral("showInfo"), QStringLiteral("showInfo")});
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->windowTitle() == QLatin1String("HWiNFO"))
            ok &= save(w, out + QStringLiteral("/info.png"));
    }
    return ok ? 0 : 1;
}
