// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "curves/Curve.h"

#include <QWidget>

// A curve drawn as temperature (across) against duty (up), flat beyond its
// first and last points, with a marker where the fan is now. Points are
// dragged with the mouse; the table beside it serves the keyboard.
class CurveGraph : public QWidget {
    Q_OBJECT
public:
    explicit CurveGraph(QWidget *parent = nullptr);

    void setPoints(const QVector<CurvePoint> &points);
    const QVector<CurvePoint> &points() const { return m_points; }
    void setEditable(bool editable) { m_editable = editable; }
    // No marker when `shown` is false (no reading of the curve's sources).
    void setMarker(bool shown, double celsius, int duty);
    bool markerShown() const { return m_markerShown; }
    QPointF marker() const { return {m_markerCelsius, double(m_markerDuty)}; }

    // Where a point is drawn, and the point a place stands for.
    QPointF placeOf(double celsius, double duty) const;
    CurvePoint pointAt(const QPointF &place) const;

    QSize sizeHint() const override { return {420, 260}; }

signals:
    // A dragged point moved (while the button is held).
    void pointMoved(int index, const CurvePoint &point);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QRectF plotArea() const;

    QVector<CurvePoint> m_points;
    bool m_editable = true;
    int m_dragged = -1;
    bool m_markerShown = false;
    double m_markerCelsius = 0;
    int m_markerDuty = 0;
};
