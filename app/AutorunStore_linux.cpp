#include "AutorunStore.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextStream>

namespace {

class XdgAutostart final : public AutorunStore {
public:
    QString read() const override
    {
        QFile file(entryPath());
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            return QString();
        QTextStream in(&file);
        while (!in.atEnd()) {
            const QString line = in.readLine().trimmed();
            if (line.startsWith(QLatin1String("Exec="))) {
                QString exec = line.mid(5).trimmed();
                if (exec.startsWith(QLatin1Char('"'))) {
                    const int end = exec.indexOf(QLatin1Char('"'), 1);
                    return end > 0 ? exec.mid(1, end - 1) : exec.mid(1);
                }
                return exec.section(QLatin1Char(' '), 0, 0);
            }
        }
        return QString();
    }

    bool write(const QString &executablePath) override
    {
        QDir().mkpath(QFileInfo(entryPath()).absolutePath());
        QSaveFile file(entryPath());
        if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
            return false;
        QString exec = executablePath;
        if (exec.contains(QLatin1Char(' ')))
            exec = QLatin1Char('"') + exec + QLatin1Char('"');
        QTextStream out(&file);
        out << "[Desktop Entry]\n"
            << "Type=Application\n"
            << "Name=Aurivent\n"
            << "Comment=Fan and RGB lighting control\n"
            << "Exec=" << exec << "\n"
            << "Icon=aurivent\n"
            << "Terminal=false\n"
            << "X-GNOME-Autostart-enabled=true\n";
        out.flush();
        return file.commit();
    }

    bool remove() override { return QFile::remove(entryPath()); }

    QString programFileName() const override { return QStringLiteral("Aurivent"); }

private:
    static QString entryPath()
    {
        return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
            + QStringLiteral("/autostart/Aurivent.desktop");
    }
};

} // namespace

std::unique_ptr<AutorunStore> createAutorunStore()
{
    return std::make_unique<XdgAutostart>();
}
