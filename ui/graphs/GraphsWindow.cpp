// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/graphs/GraphsWindow.h"

#include "common/FileAccess.h"
#include "common/Logging.h"
#include "history/HistoryReader.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDateTime>
#include <QEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QAreaSeries>
#include <QtCharts/QChartView>
#include <QtCharts/QDateTimeAxis>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>
#include <cmath>

using namespace QtCharts;

namespace {

const QColor kPalette[] = {
    QColor(0x4f, 0xa3, 0xff), QColor(0xff, 0xb3, 0x47), QColor(0x6c, 0xd6, 0x7a), QColor(0xe0, 0x6c, 0xd8),
    QColor(0x4d, 0xd9, 0xd9), QColor(0xf2, 0xe0, 0x5c), QColor(0xa0, 0x8c, 0xff), QColor(0xff, 0x80, 0x80),
    QColor(0xb5, 0xe6, 0x5c), QColor(0xc8, 0xc8, 0xc8),
};
constexpr int kPaletteSize = int(sizeof(kPalette) / sizeof(kPalette[0]));
const QColor kRaised(0xff, 0x45, 0x45);
const QColor kCleared(0x70, 0xd0, 0x70);
// A box not answering: a shade the lines stay readable over.
const QColor kOutage(0xff, 0x9f, 0x1a, 56);
const QColor kOutageEdge(0xff, 0x9f, 0x1a, 150);
// A legend of more lines than this hides the charts; the scope list names them.
constexpr int kLegendLines = 10;

// The value axis: duty is always 0-100 %; RPM from 0; temperatures around
// what was read.
void valueRange(GraphQuantity q, const QVector<PlottedLine> &lines, qreal *lo, qreal *hi)
{
    qreal mn = qInf(), mx = -qInf();
    for (const PlottedLine &l : lines)
        for (const GraphSegment &s : l.segments)
            for (const QPointF &p : s) {
                mn = std::min(mn, p.y());
                mx = std::max(mx, p.y());
            }
    switch (q) {
    case GraphQuantity::Duty:
        *lo = 0;
        *hi = 100;
        return;
    case GraphQuantity::Rpm:
        *lo = 0;
        *hi = mx > 0 ? std::ceil(mx * 1.1 / 100.0) * 100.0 : 1000;
        return;
    case GraphQuantity::Temperature:
        if (mn > mx) {
            *lo = 20;
            *hi = 80;
        } else {
            *lo = std::floor(mn / 5.0) * 5.0 - 5;
            *hi = std::ceil(mx / 5.0) * 5.0 + 5;
        }
        return;
    }
}

} // namespace

GraphsWindow::GraphsWindow(HistoryReader *reader, QWidget *parent)
    : QWidget(parent, Qt::Window), m_reader(reader)
{
    setObjectName(QStringLiteral("GraphsWindow"));
    setStyleSheet(QStringLiteral(
        "#GraphsWindow{background:#161616;} QLabel{color:#e0e0e0;}"
        "QPushButton{color:white;background:#2a2a2a;border:1px solid #444;padding:4px 10px;}"
        "QPushButton:checked{background:#0080FF;border-color:#0080FF;}"
        "QComboBox{color:white;background:#2a2a2a;border:1px solid #444;padding:3px 8px;min-width:160px;}"
        "QComboBox QAbstractItemView{color:white;background:#2a2a2a;selection-background-color:#0080FF;}"));

    auto *top = new QHBoxLayout;
    m_scopes = new QComboBox(this);
    m_scopes->setObjectName(QStringLiteral("GraphScope"));
    top->addWidget(m_scopes);
    top->addSpacing(12);
    m_ranges = new QButtonGroup(this);
    m_ranges->setExclusive(true);
    for (int r = 0; r < kGraphRangeCount; ++r) {
        m_rangeButtons[r] = new QPushButton(this);
        m_rangeButtons[r]->setObjectName(QStringLiteral("GraphRange%1").arg(r));
        m_rangeButtons[r]->setCheckable(true);
        m_ranges->addButton(m_rangeButtons[r], r);
        top->addWidget(m_rangeButtons[r]);
    }
    m_rangeButtons[int(m_range)]->setChecked(true);
    top->addStretch(1);
    m_export = new QPushButton(this);
    m_export->setObjectName(QStringLiteral("GraphExport"));
    top->addWidget(m_export);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    buildCharts();
    for (Chart &c : m_charts)
        layout->addWidget(c.view, 1);
    m_events = new QLabel(this);
    m_events->setObjectName(QStringLiteral("GraphEvents"));
    m_events->setWordWrap(true);
    layout->addWidget(m_events);

    connect(m_ranges, QOverload<int>::of(&QButtonGroup::buttonClicked), this,
            [this](int id) { setRange(GraphRange(id)); });
    connect(m_scopes, QOverload<int>::of(&QComboBox::activated), this, [this](int index) {
        const QPoint s = m_scopes->itemData(index).toPoint();
        setScope(GraphScope{s.x(), s.y()});
    });
    connect(m_export, &QPushButton::clicked, this, &GraphsWindow::exportWithDialog);

    retranslate();
    resize(860, 780);
}

GraphsWindow::~GraphsWindow() = default;

void GraphsWindow::buildCharts()
{
    for (Chart &c : m_charts) {
        c.chart = new QChart;
        c.chart->setTheme(QChart::ChartThemeDark);
        c.chart->setBackgroundRoundness(0);
        c.chart->setMargins(QMargins(4, 4, 4, 4));
        c.chart->legend()->setAlignment(Qt::AlignRight);
        // Five fans fit beside a chart in every language's script.
        QFont small = c.chart->legend()->font();
        small.setPointSizeF(small.pointSizeF() * 0.85);
        c.chart->legend()->setFont(small);
        c.time = new QDateTimeAxis;
        c.value = new QValueAxis;
        c.value->setLabelFormat(QStringLiteral("%.0f"));
        c.chart->addAxis(c.time, Qt::AlignBottom);
        c.chart->addAxis(c.value, Qt::AlignLeft);
        c.time->setTickCount(6);
        c.view = new QChartView(c.chart, this);
        c.view->setRenderHint(QPainter::Antialiasing);
        c.view->setFrameShape(QFrame::NoFrame);
        c.view->setBackgroundBrush(QColor(0x16, 0x16, 0x16));
        c.view->setMinimumHeight(180);
    }
}

QChart *GraphsWindow::chart(GraphQuantity quantity) const
{
    return m_charts[int(quantity)].chart;
}

void GraphsWindow::setScope(const GraphScope &scope)
{
    m_scope = scope;
    m_scopeKeys.clear(); // the list is filled anew, with this scope chosen
    if (isVisible())
        refresh();
}

void GraphsWindow::setRange(GraphRange range)
{
    m_range = range;
    m_rangeButtons[int(range)]->setChecked(true);
    if (isVisible())
        refresh();
}

void GraphsWindow::retranslate()
{
    setWindowTitle(tr("Aurivent — graphs"));
    m_rangeButtons[int(GraphRange::FiveMinutes)]->setText(tr("5 min"));
    m_rangeButtons[int(GraphRange::OneHour)]->setText(tr("1 h"));
    m_rangeButtons[int(GraphRange::Day)]->setText(tr("24 h"));
    m_export->setText(tr("Export CSV…"));
    m_charts[int(GraphQuantity::Temperature)].chart->setTitle(tr("Temperature (°C)"));
    m_charts[int(GraphQuantity::Duty)].chart->setTitle(tr("Duty (%)"));
    m_charts[int(GraphQuantity::Rpm)].chart->setTitle(tr("Speed (RPM)"));
    setRange(m_range);
    m_scopeKeys.clear();
    for (Chart &c : m_charts)
        c.names.clear(); // the legend's names are made anew
}

void GraphsWindow::fillScopes()
{
    const QVector<SeriesKey> keys = m_reader->seriesKeys();
    if (!m_scopeKeys.isEmpty() && keys == m_scopeKeys)
        return;
    m_scopeKeys = keys;
    QVector<GraphScope> scopes{GraphScope::everything()};
    QVector<QPair<int, int>> fans;
    for (const SeriesKey &k : keys)
        if (k.kind == SeriesKind::FanRpm || k.kind == SeriesKind::FanDuty)
            fans.push_back({k.box, k.fan});
    if (m_scope.isFan())
        fans.push_back({m_scope.box, m_scope.fan});
    if (!m_scope.isEverything())
        fans.push_back({m_scope.box, -1});
    std::sort(fans.begin(), fans.end());
    fans.erase(std::unique(fans.begin(), fans.end()), fans.end());
    int lastBox = -1;
    for (const auto &f : fans) {
        if (f.first != lastBox) {
            scopes.push_back(GraphScope::ofBox(f.first));
            lastBox = f.first;
        }
        if (f.second >= 0)
            scopes.push_back(GraphScope::ofFan(f.first, f.second));
    }
    m_scopes->clear();
    for (const GraphScope &s : scopes) {
        m_scopes->addItem(GraphText::scopeLabel(s), QPoint(s.box, s.fan));
        if (s == m_scope)
            m_scopes->setCurrentIndex(m_scopes->count() - 1);
    }
}

void GraphsWindow::sampled()
{
    // A redraw when the time line moved by about a pixel: every second over
    // 5 min, every 5 s over an hour, every 2 min over a day.
    const qint64 head = m_reader->headSecond();
    const qint64 every = std::max<qint64>(1, rangeSeconds(m_range) / 720);
    if (head / every == m_plan.span.toSecond / every)
        return;
    refresh();
}

void GraphsWindow::refresh()
{
    ++m_refreshes;
    fillScopes();
    m_plan = makePlan(*m_reader, m_scope, m_range, kBuckets);
    for (int q = 0; q < kGraphQuantityCount; ++q)
        apply(GraphQuantity(q));

    QStringList lines;
    for (int i = m_plan.marks.size() - 1; i >= 0 && lines.size() < 3; --i) {
        const GraphMark &m = m_plan.marks[i];
        const QString time = QDateTime::fromMSecsSinceEpoch(qint64(m.ms)).toLocalTime().toString(QStringLiteral("HH:mm:ss"));
        lines << QStringLiteral("<span style='color:%1'>■</span> %2  %3")
                     .arg((m.raised ? kRaised : kCleared).name(), time, m.text.toHtmlEscaped());
    }
    if (lines.isEmpty())
        lines << tr("No alerts in this time.").toHtmlEscaped();
    QStringList silent;
    for (const GraphOutage &o : m_plan.outages) {
        const QString box = GraphText::scopeLabel(GraphScope::ofBox(o.box));
        if (!silent.contains(box))
            silent << box;
    }
    if (!silent.isEmpty())
        lines << QStringLiteral("<span style='color:%1'>■</span> %2")
                     .arg(kOutageEdge.name(), tr("Shaded: %1 did not answer").arg(silent.join(QStringLiteral(", ")))
                                                  .toHtmlEscaped());
    m_events->setText(lines.join(QStringLiteral("<br>")));
}

void GraphsWindow::rebuild(Chart &c, const QVector<PlottedLine> &lines, int lineCount)
{
    c.chart->removeAllSeries();
    c.series.clear();
    c.bands.clear();
    // Added first, the bands lie under the lines and the marks.
    for (int i = 0; i < m_plan.outages.size(); ++i) {
        auto *band = new QAreaSeries;
        band->setUpperSeries(new QLineSeries(band));
        band->setLowerSeries(new QLineSeries(band));
        band->setBrush(kOutage);
        band->setPen(QPen(kOutageEdge, 1.0));
        c.chart->addSeries(band);
        band->attachAxis(c.time);
        band->attachAxis(c.value);
        for (QLegendMarker *m : c.chart->legend()->markers(band))
            m->setVisible(false);
        c.bands.push_back(band);
    }
    auto add = [&](const QString &name, const QPen &pen, bool inLegend) {
        auto *s = new QLineSeries;
        s->setName(name);
        s->setPen(pen);
        c.chart->addSeries(s);
        s->attachAxis(c.time);
        s->attachAxis(c.value);
        const auto markers = c.chart->legend()->markers(s);
        for (QLegendMarker *m : markers)
            m->setVisible(inLegend);
        c.series.push_back(s);
    };
    for (int i = 0; i < lines.size(); ++i) {
        QPen pen(kPalette[i % kPaletteSize], 1.6);
        const int segments = std::max(1, int(lines[i].segments.size()));
        for (int k = 0; k < segments; ++k)
            add(lines[i].line.label, pen, k == 0);
    }
    // The marks are named in the list under the charts, in their colours.
    for (const GraphMark &m : m_plan.marks) {
        QPen pen(m.raised ? kRaised : kCleared, 1.4, m.raised ? Qt::SolidLine : Qt::DashLine);
        add(m.raised ? tr("Alert") : tr("Alert ended"), pen, false);
    }
    c.chart->legend()->setVisible(lineCount <= kLegendLines);
}

void GraphsWindow::apply(GraphQuantity quantity)
{
    Chart &c = m_charts[int(quantity)];
    const QVector<PlottedLine> &lines = m_plan.lines[int(quantity)];
    QVector<int> shape;
    for (const PlottedLine &l : lines)
        shape.push_back(std::max(1, int(l.segments.size())));
    shape.push_back(m_plan.marks.size());
    shape.push_back(m_plan.outages.size());
    QStringList names;
    for (const PlottedLine &l : lines)
        names.push_back(l.line.label);
    // Same lines cut the same way: only the points move (most seconds).
    if (shape != c.shape || names != c.names) {
        rebuild(c, lines, lines.size());
        c.shape = shape;
        c.names = names;
    }

    // Set only once a series is attached: a time axis given its format
    // before that draws nothing at all.
    c.time->setFormat(m_range == GraphRange::FiveMinutes ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm"));
    qreal lo = 0, hi = 0;
    valueRange(quantity, lines, &lo, &hi);
    c.value->setRange(lo, hi);
    if (!m_plan.span.isEmpty()) {
        const qint64 step = m_plan.span.resolution == HistoryResolution::Minutes ? 60 : 1;
        c.time->setRange(QDateTime::fromSecsSinceEpoch(m_plan.span.fromSecond),
                         QDateTime::fromSecsSinceEpoch(m_plan.span.toSecond + step - 1));
    }

    int at = 0;
    for (const PlottedLine &l : lines) {
        if (l.segments.isEmpty())
            c.series[at++]->clear();
        for (const GraphSegment &s : l.segments)
            c.series[at++]->replace(s);
    }
    for (const GraphMark &m : m_plan.marks)
        c.series[at++]->replace(QVector<QPointF>{QPointF(m.ms, lo), QPointF(m.ms, hi)});
    for (int i = 0; i < m_plan.outages.size(); ++i) {
        const GraphOutage &o = m_plan.outages[i];
        c.bands[i]->upperSeries()->replace(QVector<QPointF>{QPointF(o.fromMs, hi), QPointF(o.toMs, hi)});
        c.bands[i]->lowerSeries()->replace(QVector<QPointF>{QPointF(o.fromMs, lo), QPointF(o.toMs, lo)});
    }
}

bool GraphsWindow::exportTo(const QString &path, QString *error)
{
    const QString text = historyCsv(csvColumns(*m_reader, m_scope, m_range),
                                    scopeEvents(*m_reader, m_scope, cutRange(m_range, m_reader->headSecond())));
    if (!FileAccess::replaceDurably(path, text.toUtf8(), error)) {
        qCWarning(lcUi) << "The graphs could not be exported to" << path << ":" << (error ? *error : QString());
        return false;
    }
    return true;
}

void GraphsWindow::exportWithDialog()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString name = QStringLiteral("aurivent-%1.csv")
                             .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    const QString path = QFileDialog::getSaveFileName(this, tr("Export as CSV"), folder + QLatin1Char('/') + name,
                                                      tr("CSV files (*.csv)"));
    if (path.isEmpty())
        return;
    QString why;
    if (!exportTo(path, &why))
        QMessageBox::warning(this, tr("Export as CSV"), tr("The file could not be written: %1").arg(why));
}

void GraphsWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_live)
        m_live = m_reader->onSampled(this, [this] { sampled(); });
    refresh();
}

void GraphsWindow::hideEvent(QHideEvent *event)
{
    // Hidden, the window costs nothing: no redraw, no read of the history.
    QObject::disconnect(m_live);
    m_live = QMetaObject::Connection();
    QWidget::hideEvent(event);
}

void GraphsWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
        if (isVisible())
            refresh();
    }
    QWidget::changeEvent(event);
}
