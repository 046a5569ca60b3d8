// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/graphs/GraphPlan.h"

#include <QMetaObject>
#include <QStringList>
#include <QWidget>

#include <array>

class HistoryReader;
class QButtonGroup;
class QComboBox;
class QLabel;
class QPushButton;
namespace QtCharts {
class QAreaSeries;
class QChart;
class QChartView;
class QDateTimeAxis;
class QLineSeries;
class QValueAxis;
}

// Temperature, duty and RPM over time for a fan, a box or every fan, with
// the alerts marked on the time line and the stretches a box did not answer
// shaded. Live while shown: it redraws after
// each second the history samples, and reads nothing while hidden.
class GraphsWindow : public QWidget {
    Q_OBJECT
public:
    explicit GraphsWindow(HistoryReader *reader, QWidget *parent = nullptr);
    ~GraphsWindow() override;

    void setScope(const GraphScope &scope);
    GraphScope scope() const { return m_scope; }
    void setRange(GraphRange range);
    GraphRange range() const { return m_range; }

    // Writes the scope's lines over the range as CSV; false (with why) when
    // the file could not be written.
    bool exportTo(const QString &path, QString *error);

    // What the charts show now (for tests and the screenshots).
    const GraphPlan &plan() const { return m_plan; }
    QtCharts::QChart *chart(GraphQuantity quantity) const;
    int refreshCount() const { return m_refreshes; }

    // Points per line at most, about one pair per two pixels of a chart.
    static constexpr int kBuckets = 400;

public slots:
    void refresh();
    // Asks for a file and exports to it.
    void exportWithDialog();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    struct Chart {
        QtCharts::QChart *chart = nullptr;
        QtCharts::QChartView *view = nullptr;
        QtCharts::QDateTimeAxis *time = nullptr;
        QtCharts::QValueAxis *value = nullptr;
        // One band per outage, behind everything else.
        QVector<QtCharts::QAreaSeries *> bands;
        // One series per segment of each line, then one per mark.
        QVector<QtCharts::QLineSeries *> series;
        QVector<int> shape; // segments per line, then the marks' and the bands' counts
        QStringList names;  // the lines' names, as in the legend
    };

    // A second was sampled: redraws when the time line moved enough.
    void sampled();
    void buildCharts();
    void retranslate();
    void fillScopes();
    void apply(GraphQuantity quantity);
    void rebuild(Chart &c, const QVector<PlottedLine> &lines, int lineCount);

    HistoryReader *m_reader;
    GraphScope m_scope;
    GraphRange m_range = GraphRange::FiveMinutes;
    GraphPlan m_plan;
    std::array<Chart, kGraphQuantityCount> m_charts;
    QComboBox *m_scopes = nullptr;
    QButtonGroup *m_ranges = nullptr;
    QPushButton *m_rangeButtons[kGraphRangeCount] = {};
    QPushButton *m_export = nullptr;
    QLabel *m_events = nullptr;
    QMetaObject::Connection m_live;
    QVector<SeriesKey> m_scopeKeys;
    int m_refreshes = 0;
};
