// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

#include <functional>

class Aurivent;
class QWidget;

// The curves file the curve pictures show: a curve of the user's,
// "Gaming", on the hotter of the CPU and the GPU.
void writeSceneCurves();

// Fan 2 of the shown box on "Gaming", a reading pass of 52 °C CPU and
// 63 °C GPU, and then the fan's curve selector and the editor at "Gaming".
struct CurvePictures {
    QImage selector;
    QImage editor;
};
CurvePictures curveScene(Aurivent &program, const std::function<QImage(QWidget *)> &grab);
