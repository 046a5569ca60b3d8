#include "CommandLine.h"

CommandLine CommandLine::parse(const QStringList &arguments)
{
    CommandLine line;
    // Hand-parsed: Qt's own options (-platform, -style …) must pass through untouched.
    for (int i = 1; i < arguments.size(); ++i) {
        const QString arg = arguments.at(i);
        auto valueOf = [&](const QString &name, QString *value) {
            const QString prefix = name + QLatin1Char('=');
            if (arg.startsWith(prefix)) {
                *value = arg.mid(prefix.size());
                return true;
            }
            if (arg == name) {
                if (i + 1 >= arguments.size()) {
                    line.error = name + QStringLiteral(" needs a value");
                    return true;
                }
                *value = arguments.at(++i);
                return true;
            }
            return false;
        };
        if (valueOf(QStringLiteral("--simulate"), &line.simulate)) {
            line.simulateSet = true;
        } else if (valueOf(QStringLiteral("--simulate-control"), &line.simulateControl)) {
        } else if (valueOf(QStringLiteral("--simulate-latency"), &line.simulateLatency)) {
        } else if (valueOf(QStringLiteral("--hid-trace"), &line.hidTrace)) {
        } else if (arg == QLatin1String("--send")) {
            line.send = true;
            line.sendArgs = arguments.mid(i + 1);
            if (line.sendArgs.isEmpty() || line.sendArgs.size() > 3)
                line.error = QStringLiteral("--send needs ID [WPARAM [LPARAM]]");
            break;
        }
        if (!line.error.isEmpty())
            break;
    }
    if (line.error.isEmpty() && !line.simulateControl.isEmpty() && !line.simulateSet)
        line.error = QStringLiteral("--simulate-control needs --simulate");
    if (line.error.isEmpty() && !line.simulateLatency.isEmpty() && !line.simulateSet)
        line.error = QStringLiteral("--simulate-latency needs --simulate");
    return line;
}
