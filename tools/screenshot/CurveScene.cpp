// SPDX-License-Identifier: GPL-3.0-or-later
#include "CurveScene.h"

#include "app/Aurivent.h"
#include "core/Core.h"
#include "core/ViewState.h"
#include "storage/CurvesFile.h"
#include "ui/MainView.h"
#include "ui/curves/CurveEditor.h"
#include "ui/curves/CurveSelector.h"

#include <QCoreApplication>

namespace {
const char kGpu[] = "amdgpu-pci-0300/edge";
const char kCpuChip[] = "k10temp-pci-00c3/Tctl";
}

void writeSceneCurves()
{
    Curve gaming;
    gaming.name = QStringLiteral("Gaming");
    gaming.points = {{35, 30}, {55, 45}, {70, 75}, {82, 100}};
    gaming.hysteresis = 2;
    gaming.stepUp = 10;
    gaming.stepDown = 5;
    gaming.minDuty = 30;
    gaming.source.ids = QStringList{QLatin1String(kCpuChip), QLatin1String(kGpu)};
    CurveSettings settings;
    settings.curves << gaming;
    CurvesFile::write(settings);
}

CurvePictures curveScene(Aurivent &program, const std::function<QImage(QWidget *)> &grab)
{
    CurvePictures pictures;
    // Written as the editor writes it, and read again the same way.
    writeSceneCurves();
    program.receiveMainData({QStringLiteral("curves_saved")});
    program.receiveMainData({QStringLiteral("fan_curve"), QStringLiteral("1"), QStringLiteral("Gaming")});
    program.core().viewState().tellSourceReadings(
        {{QStringLiteral("cpu"), 52}, {QLatin1String(kCpuChip), 52}, {QLatin1String(kGpu), 63},
         {QStringLiteral("nvme-pci-0100/Composite"), 41}});
    MainView *view = program.view();
    view->openCurveSelector(1);
    if (auto *selector = view->findChild<CurveSelector *>()) {
        selector->adjustSize();
        pictures.selector = grab(selector);
        selector->reject();
    }
    view->openCurveEditor(QStringLiteral("Gaming"));
    if (auto *editor = view->findChild<CurveEditor *>()) {
        editor->resize(editor->sizeHint().expandedTo(QSize(760, 640)));
        QCoreApplication::processEvents();
        pictures.editor = grab(editor);
        editor->hide();
    }
    return pictures;
}
