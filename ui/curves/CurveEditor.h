// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "curves/Curve.h"

#include <QDialog>

class CurveGraph;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTableWidget;
class ViewState;

// The curve editor: the curve as a graph with draggable points and a marker
// where its fans are now, a table of the points for the keyboard, its
// sources (one, or a mix), hysteresis, step rates and minimum duty. Presets
// are shown read-only and can be copied to a new curve. Save checks the
// curve and writes the curves file; a curve with a problem is refused with a
// message and nothing is written.
class CurveEditor : public QDialog {
    Q_OBJECT
public:
    explicit CurveEditor(const ViewState &state, QWidget *parent = nullptr);

    // Shows curve `name` (a preset or the user's); unknown: the first.
    void showCurve(const QString &name);
    // The curve as it stands in the editor.
    Curve edited() const;

    CurveGraph *graph() const { return m_graph; }
    QTableWidget *table() const { return m_table; }
    QLabel *message() const { return m_message; }
    QComboBox *curveBox() const { return m_curveBox; }

public slots:
    // True when the curves file took the curve.
    bool save();
    void copyToNew();
    void addPoint();
    void removePoint();

signals:
    // The curves file changed: the program reads it again.
    void curvesSaved();

protected:
    void changeEvent(QEvent *event) override;

private:
    void build();
    void retranslate();
    void fillCurveBox();
    void fillSources(const CurveSource &source);
    void addNewSources();
    void fillTable(const QVector<CurvePoint> &points);
    QVector<CurvePoint> tablePoints() const;
    void setEditable(bool editable);
    void tableEdited();
    void graphEdited(int index, const CurvePoint &point);
    void updateMarker();

    const ViewState &m_state;
    QString m_original; // the user's curve being edited; empty: a new one or a preset
    bool m_preset = false;
    bool m_filling = false;

    QComboBox *m_curveBox = nullptr;
    QLineEdit *m_name = nullptr;
    CurveGraph *m_graph = nullptr;
    QLabel *m_now = nullptr;
    QTableWidget *m_table = nullptr;
    QPushButton *m_add = nullptr;
    QPushButton *m_remove = nullptr;
    QListWidget *m_sources = nullptr;
    QComboBox *m_mix = nullptr;
    QSpinBox *m_hysteresis = nullptr;
    QSpinBox *m_stepUp = nullptr;
    QSpinBox *m_stepDown = nullptr;
    QSpinBox *m_minDuty = nullptr;
    QLabel *m_message = nullptr;
    QPushButton *m_copy = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_close = nullptr;
    QList<QLabel *> m_labels;
};
