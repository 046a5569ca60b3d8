// SPDX-License-Identifier: GPL-3.0-or-later
#include "CurveGraph.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {
constexpr double kGrab = 10; // pixels around a point that pick it up
}

CurveGraph::CurveGraph(QWidget *parent)
    : QWidget(parent)
{
    setMinimumSize(320, 200);
    setMouseTracking(false);
}

void CurveGraph::setPoints(const QVector<CurvePoint> &points)
{
    m_points = points;
    update();
}

void CurveGraph::setMarker(bool shown, double celsius, int duty)
{
    m_markerShown = shown;
    m_markerCelsius = celsius;
    m_markerDuty = duty;
    update();
}

QRectF CurveGraph::plotArea() const
{
    // Room for the widest label ("100%") on the left and a line of text below.
    const QFontMetricsF metrics(font());
    const double left = metrics.horizontalAdvance(QStringLiteral("100%")) + 8;
    const double below = metrics.height() + 8;
    return QRectF(left, 10, width() - left - 14, height() - 10 - below);
}

QPointF CurveGraph::placeOf(double celsius, double duty) const
{
    const QRectF area = plotArea();
    return {area.left() + area.width() * celsius / CurveLimit::kMaxCelsius,
            area.bottom() - area.height() * duty / CurveLimit::kMaxDuty};
}

CurvePoint CurveGraph::pointAt(const QPointF &place) const
{
    const QRectF area = plotArea();
    const double celsius = (place.x() - area.left()) / area.width() * CurveLimit::kMaxCelsius;
    const double duty = (area.bottom() - place.y()) / area.height() * CurveLimit::kMaxDuty;
    return {qBound(CurveLimit::kMinCelsius, int(std::lround(celsius)), CurveLimit::kMaxCelsius),
            qBound(0, int(std::lround(duty)), CurveLimit::kMaxDuty)};
}

void CurveGraph::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::white);
    const QRectF area = plotArea();

    p.setPen(QColor(0xE3, 0xE6, 0xEA));
    for (int c = 0; c <= CurveLimit::kMaxCelsius; c += 10)
        p.drawLine(placeOf(c, 0), placeOf(c, 100));
    for (int d = 0; d <= 100; d += 10)
        p.drawLine(placeOf(0, d), placeOf(CurveLimit::kMaxCelsius, d));
    p.setPen(QColor(0x55, 0x5B, 0x66));
    p.drawRect(area);
    const QFontMetricsF metrics(font());
    for (int c = 0; c <= CurveLimit::kMaxCelsius; c += 20) {
        const QString label = QStringLiteral("%1°").arg(c);
        const QPointF at = placeOf(c, 0);
        p.drawText(QPointF(at.x() - metrics.horizontalAdvance(label) / 2, area.bottom() + metrics.height() + 2), label);
    }
    for (int d = 0; d <= 100; d += 20) {
        const QString label = QStringLiteral("%1%").arg(d);
        const QPointF at = placeOf(0, d);
        p.drawText(QPointF(area.left() - metrics.horizontalAdvance(label) - 4, at.y() + metrics.ascent() / 2 - 1), label);
    }
    if (m_points.isEmpty())
        return;

    // Flat before the first point and after the last, as the fan follows it.
    QPainterPath line(placeOf(0, m_points.first().duty));
    for (const CurvePoint &point : m_points)
        line.lineTo(placeOf(point.celsius, point.duty));
    line.lineTo(placeOf(CurveLimit::kMaxCelsius, m_points.last().duty));
    p.setPen(QPen(QColor(0x02, 0xA0, 0xEA), 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(line);
    p.setBrush(m_editable ? QColor(0x02, 0xA0, 0xEA) : QColor(0x9A, 0xA3, 0xAD));
    p.setPen(QPen(Qt::white, 1.5));
    for (int i = 0; i < m_points.size(); ++i)
        p.drawEllipse(placeOf(m_points[i].celsius, m_points[i].duty), i == m_dragged ? 7 : 5.5, i == m_dragged ? 7 : 5.5);

    if (m_markerShown) {
        const QPointF at = placeOf(qBound(0.0, m_markerCelsius, double(CurveLimit::kMaxCelsius)), m_markerDuty);
        p.setPen(QPen(QColor(0xE8, 0x6A, 0x10), 1, Qt::DashLine));
        p.drawLine(QPointF(at.x(), area.bottom()), at);
        p.drawLine(QPointF(area.left(), at.y()), at);
        p.setPen(QPen(QColor(0xE8, 0x6A, 0x10), 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(at, 8, 8);
    }
}

void CurveGraph::mousePressEvent(QMouseEvent *event)
{
    m_dragged = -1;
    if (!m_editable || event->button() != Qt::LeftButton)
        return;
    double best = kGrab;
    for (int i = 0; i < m_points.size(); ++i) {
        const QPointF d = placeOf(m_points[i].celsius, m_points[i].duty) - event->localPos();
        const double distance = std::hypot(d.x(), d.y());
        if (distance <= best) {
            best = distance;
            m_dragged = i;
        }
    }
    update();
}

void CurveGraph::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragged < 0 || m_dragged >= m_points.size())
        return;
    const CurvePoint point = pointAt(event->localPos());
    if (point == m_points[m_dragged])
        return;
    m_points[m_dragged] = point;
    update();
    emit pointMoved(m_dragged, point);
}

void CurveGraph::mouseReleaseEvent(QMouseEvent *)
{
    m_dragged = -1;
    update();
}
