// SPDX-License-Identifier: GPL-3.0-or-later
#include "CurveController.h"

#include "common/Limits.h"
#include "common/Logging.h"
#include "device/BoxModel.h"
#include "device/Encoders.h"
#include "device/FanCurve.h"
#include "device/FanSpeed.h"

#include <QDebug>

namespace {

int levelOf(const ControllerBox &box, int fan)
{
    return box.isVaylaBox() ? box.vaylaFan[fan].speed : box.rainbowFan[fan].speedPer;
}

const QString &curveNameOf(const ControllerBox &box, int fan)
{
    return box.isVaylaBox() ? box.vaylaFan[fan].curveName : box.rainbowFan[fan].curveName;
}

} // namespace

CurveController::CurveController(Encoders &encoders, QObject *parent)
    : QObject(parent)
    , m_encoders(encoders)
{
}

void CurveController::setSettings(const CurveSettings &settings)
{
    m_settings = settings;
}

const Curve &CurveController::curveOf(int box, int fan) const
{
    const BoxModel &boxes = m_encoders.boxes();
    if (!isValidBox(box) || fan < 0 || fan >= fanCountOf(boxes[box]))
        return classicCurve();
    return m_settings.curveFor(curveNameOf(boxes[box], fan));
}

void CurveController::onPass(const QHash<QString, double> &readings)
{
    const BoxModel &boxes = m_encoders.boxes();
    // The CPU reading is always watched, as it always was: a fan switched to
    // Classic finds its history.
    QVector<Curve> inUse{classicCurve()};
    QStringList names{classicCurve().name};
    for (int b = 0; b < kBoxCount; ++b) {
        if (!boxes[b].gIsConnected)
            continue;
        for (int f = 0; f < fanCountOf(boxes[b]); ++f) {
            if (!followsTemperature(boxes, b, f))
                continue;
            const Curve &curve = curveOf(b, f);
            if (!names.contains(curve.name)) {
                names << curve.name;
                inUse << curve;
            }
        }
    }

    const SourcePass pass = afterSourcePass(m_watch, inUse, readings);
    tellOutages(pass);

    // The step rates count the time since the last pass; the first goes
    // straight to the curve.
    const int elapsedMs = m_sincePass.isValid() ? int(qMin<qint64>(m_sincePass.restart(), kMaxStepElapsedMs)) : 0;
    if (!m_sincePass.isValid())
        m_sincePass.start();
    m_lastInputs = pass.inputs;
    for (int b = 0; b < kBoxCount; ++b)
        drive(b, pass.inputs, elapsedMs);
}

void CurveController::resendBox(int box)
{
    if (!isValidBox(box))
        return;
    drive(box, m_lastInputs, 0);
}

void CurveController::startAfresh()
{
    m_lastInputs.clear(); // no input: the cap
    m_sincePass.invalidate();
    for (auto &box : m_fans)
        for (FanState &fan : box)
            fan.state = CurveState();
}

void CurveController::drive(int b, const QHash<QString, CurveInput> &inputs, int elapsedMs)
{
    const BoxModel &boxes = m_encoders.boxes();
    const ControllerBox &box = boxes[b];
    if (!box.gIsConnected)
        return;
    for (int f = 0; f < fanCountOf(box); ++f) {
        if (!followsTemperature(boxes, b, f))
            continue;
        const Curve &curve = curveOf(b, f);
        FanState &fan = m_fans[b][f];
        if (fan.curve != curve.name) {
            // Another curve: it starts from its own target, not the old ramp.
            fan.curve = curve.name;
            fan.state = CurveState();
        }
        const int cap = temperatureCapDuty(levelOf(box, f));
        // A curve the last pass did not see (a fan switched over since) has no
        // input yet: the cap until the next pass.
        const CurveInput input = inputs.value(curve.name);
        int duty = 0;
        switch (input.action) {
        case CurveInput::Action::Keep:
            continue;
        case CurveInput::Action::Cap:
            duty = cap;
            fan.state = stateAtDuty(fan.state, cap);
            break;
        case CurveInput::Action::Curve: {
            const CurveStep step = evaluateCurve(curve, fan.state, input.celsius, cap, elapsedMs);
            fan.state = step.state;
            duty = step.duty;
            break;
        }
        }
        if (box.isVaylaBox())
            m_encoders.sendVaylaPercent(b, f, duty);
        else
            m_encoders.sendFanDuty(b, f, duty); // the box gets at least 30 %
    }
}

void CurveController::tellOutages(const SourcePass &pass)
{
    for (const SourceOutage &outage : pass.outages) {
        if (outage.source == QLatin1String(kCpuSourceId))
            continue;
        QStringList parts;
        if (!outage.capped.isEmpty())
            parts << tr("fans on %1 run at their highest allowed speed").arg(outage.capped.join(QStringLiteral(", ")));
        if (!outage.partial.isEmpty())
            parts << tr("%1 go on with their other sources").arg(outage.partial.join(QStringLiteral(", ")));
        const QString text = parts.join(QStringLiteral("; "));
        qCWarning(lcDevice).noquote() << "temperature source" << outage.source << "gives no reading:" << text;
        emit sourceLost(outage.source, text);
    }
    for (const QString &source : pass.back) {
        if (source == QLatin1String(kCpuSourceId))
            continue;
        qCInfo(lcDevice).noquote() << "temperature source" << source << "read again";
        emit sourceBack(source);
    }
}
