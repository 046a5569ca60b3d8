// SPDX-License-Identifier: GPL-3.0-or-later
#include "CurveChoice.h"

#include "common/Logging.h"
#include "curves/Curve.h"
#include "device/BoxModel.h"

QStringList curveChoices(const CurveSettings &settings)
{
    QStringList names;
    for (const Curve &curve : curvePresets())
        names << curve.name;
    for (const Curve &curve : settings.curves)
        names << curve.name;
    return names;
}

bool chooseFanCurve(BoxModel &boxes, const CurveSettings &settings, int choice, int fan)
{
    return chooseFanCurveOf(boxes, settings, boxes.currentBox(), choice, fan);
}

bool chooseFanCurveOf(BoxModel &boxes, const CurveSettings &settings, int box, int choice, int fan)
{
    const QStringList names = curveChoices(settings);
    if (!isValidBox(box) || !boxes[box].gIsConnected) {
        qCWarning(lcApp) << "0x8127 refused: no box" << box;
        return false;
    }
    ControllerBox &record = boxes[box];
    if (fan < 0 || fan >= fanCountOf(record)) {
        qCWarning(lcApp) << "0x8127 refused: no fan" << fan;
        return false;
    }
    if (choice < 0 || choice >= names.size()) {
        qCWarning(lcApp) << "0x8127 refused: no curve number" << choice << "- there are" << names.size();
        return false;
    }
    QString &name = record.isVaylaBox() ? record.vaylaFan[fan].curveName : record.rainbowFan[fan].curveName;
    if (name == names.at(choice))
        return false;
    name = names.at(choice);
    qCInfo(lcApp).noquote() << QStringLiteral("box %1 fan %2 follows the curve \"%3\"").arg(box).arg(fan + 1).arg(name);
    return true;
}

bool chooseFanCurveNamed(BoxModel &boxes, const CurveSettings &settings, const QString &name, int fan)
{
    const QStringList names = curveChoices(settings);
    for (int k = 0; k < names.size(); ++k) {
        if (sameCurveName(names.at(k), name))
            return chooseFanCurve(boxes, settings, k, fan);
    }
    qCWarning(lcApp).noquote() << "fan_curve refused: no curve named" << name.left(CurveLimit::kMaxNameLength);
    return false;
}
