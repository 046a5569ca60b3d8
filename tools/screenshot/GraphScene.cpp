// SPDX-License-Identifier: GPL-3.0-or-later
#include "GraphScene.h"

#include "alerts/Alert.h"
#include "history/History.h"
#include "monitoring/AlertLog.h"
#include "monitoring/HistoryLogReader.h"
#include "ui/graphs/GraphsWindow.h"

#include <QCoreApplication>
#include <QDateTime>

#include <cmath>

QImage graphScene(const std::function<QImage(QWidget *)> &grab)
{
    const qint64 head = QDateTime(QDate(2026, 12, 8), QTime(14, 30), Qt::UTC).toSecsSinceEpoch();
    const qint64 stop = head - 170, again = head - 50;
    // Half a minute before the stall the box stops answering: no readings then.
    const qint64 mute = head - 275, answers = head - 240;
    History history;
    AlertLog log;
    for (qint64 s = head - 900; s <= head; ++s) {
        const double t = double(s - (head - 900));
        const double celsius = 47 + 16 * (1 - std::exp(-t / 300)) + 0.8 * std::sin(t / 23);
        history.setTemperature(QStringLiteral("cpu"), celsius);
        const int duty = int(std::lround(std::min(100.0, 40 + (celsius - 45) * 2.2)));
        const bool silent = s >= mute && s < answers;
        history.setBoxHealth(0, silent ? HealthCode::NotAnswering : HealthCode::Answering);
        for (int fan = 0; fan < 5; ++fan) {
            history.setFanDuty(0, fan, duty);
            if (silent)
                continue;
            const bool stalled = fan == 2 && s >= stop && s < again;
            const double rpm = 14 * duty + 25 * fan + 18 * std::sin(t / (11 + fan));
            history.setFanRpm(0, fan, stalled ? 0 : int(std::lround(rpm)));
        }
        history.advanceTo(s);
        if (s == stop + 2 || s == again + 1) {
            Alert a;
            a.kind = AlertKind::Stall;
            a.raised = s < again;
            a.box = 0;
            a.fan = 2;
            a.time = QDateTime::fromSecsSinceEpoch(s, Qt::UTC);
            log.record(a, s);
        }
    }
    HistoryLogReader reader(&history, &log);
    GraphsWindow window(&reader);
    window.setScope(GraphScope::ofBox(0));
    window.setRange(GraphRange::FiveMinutes);
    window.show();
    // The charts lay out their axes on the next turns of the event loop.
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    return grab(&window);
}
