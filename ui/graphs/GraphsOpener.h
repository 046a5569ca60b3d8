// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/graphs/GraphScope.h"

#include <QObject>
#include <QPointer>

class GraphsWindow;
class HistoryReader;

// Opens the one graphs window on a scope, or brings the open one forward on
// it. The window exists only while it is open: closing deletes it, so a
// closed window holds no chart and reads nothing.
class GraphsOpener : public QObject {
    Q_OBJECT
public:
    explicit GraphsOpener(HistoryReader *reader, QObject *parent = nullptr);
    ~GraphsOpener() override;

    GraphsWindow *window() const;

public slots:
    void open(const GraphScope &scope);
    void openEverything() { open(GraphScope::everything()); }

private:
    HistoryReader *m_reader;
    QPointer<GraphsWindow> m_window;
};
