// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

#include <functional>

class QWidget;

// The graphs window over a quarter of an hour of one box, fed faster than
// real time and ending at a fixed time (14:30 UTC): the CPU warming up, the
// duties following it, and fan 3 stopping for two minutes, marked where it
// stopped and where it turned again. Drawn in the language loaded now.
QImage graphScene(const std::function<QImage(QWidget *)> &grab);
