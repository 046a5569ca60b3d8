// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/Limits.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QTimer>

#include <functional>

class BoxModel;
class MainViewInterface;

// Shows what the box model holds in the main view's fan panels. The order of
// the setters matters: a panel derives its colour mode from its light mode,
// so the light mode goes first and the stored colour mode after it.
void showRainbowFan(const BoxModel &boxes, MainViewInterface *view, int box, int fan);
void showVaylaFan(const BoxModel &boxes, MainViewInterface *view, int box, int fan);
// Every fan of the box, in the layout of its type.
void showBoxFans(const BoxModel &boxes, MainViewInterface *view, int box);

// The fans of `box` (0-based) whose stop the speed monitor has latched and
// that are still watched: the ones the stall alert names.
QList<int> latchedStalls(const BoxModel &boxes, int box);

// Refreshes asked for by the phone, which can send far more commands than a
// screen can show: all asks of one turn of the event loop (and at most one a
// frame) become one refresh of the fans of the shown box.
class FanViewRefresher : public QObject {
    Q_OBJECT
public:
    static constexpr int kFrameMs = 16;

    FanViewRefresher(const BoxModel &boxes, std::function<MainViewInterface *()> view, QObject *parent = nullptr);

    // Every fan of `box`, if it is still the shown box when the refresh runs.
    void requestBox(int box);
    bool isPending() const { return m_pending; }
    // Runs a pending refresh now.
    void flush();

private:
    const BoxModel &m_model;
    std::function<MainViewInterface *()> m_view;
    QTimer m_timer;
    QElapsedTimer m_sinceLast;
    bool m_pending = false;
    bool m_boxes[kBoxCount] = {};
};
