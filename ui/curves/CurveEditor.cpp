// SPDX-License-Identifier: GPL-3.0-or-later
#include "CurveEditor.h"

#include "CurveEdit.h"
#include "CurveGraph.h"
#include "CurveText.h"
#include "common/Limits.h"
#include "common/Logging.h"
#include "control/CurveChoice.h"
#include "core/ViewState.h"
#include "storage/CurvesFile.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
QSpinBox *spin(QWidget *parent, int high)
{
    auto *box = new QSpinBox(parent);
    box->setRange(0, high);
    return box;
}
}

CurveEditor::CurveEditor(const ViewState &state, QWidget *parent)
    : QDialog(parent)
    , m_state(state)
{
    setObjectName(QStringLiteral("curveEditor"));
    build();
    retranslate();
    connect(&m_state, &ViewState::sourcesRead, this, [this] {
        addNewSources();
        updateMarker();
    });
    // A saved curve joins the list under its name.
    connect(&m_state, &ViewState::curvesChanged, this, [this] {
        const QString shown = m_preset ? m_name->text() : m_original;
        fillCurveBox();
        m_curveBox->setCurrentIndex(m_curveBox->findData(shown));
    });
    showCurve(QString());
}

void CurveEditor::build()
{
    m_curveBox = new QComboBox(this);
    m_name = new QLineEdit(this);
    m_name->setMaxLength(CurveLimit::kMaxNameLength);
    m_graph = new CurveGraph(this);
    m_now = new QLabel(this);
    m_table = new QTableWidget(0, 2, this);
    m_table->verticalHeader()->setVisible(false);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_table->setMinimumWidth(150);
    m_add = new QPushButton(this);
    m_remove = new QPushButton(this);
    m_sources = new QListWidget(this);
    m_sources->setMaximumHeight(110);
    m_mix = new QComboBox(this);
    m_hysteresis = spin(this, CurveLimit::kMaxHysteresis);
    m_stepUp = spin(this, CurveLimit::kMaxStepRate);
    m_stepDown = spin(this, CurveLimit::kMaxStepRate);
    m_minDuty = spin(this, CurveLimit::kMaxDuty);
    m_message = new QLabel(this);
    m_message->setWordWrap(true);
    m_message->setStyleSheet(QStringLiteral("color:#C0392B;"));
    m_copy = new QPushButton(this);
    m_save = new QPushButton(this);
    m_close = new QPushButton(this);
    m_save->setDefault(true);

    for (int i = 0; i < 9; ++i)
        m_labels << new QLabel(this);
    auto *top = new QHBoxLayout;
    top->addWidget(m_labels[0]);
    top->addWidget(m_curveBox, 1);
    top->addWidget(m_labels[1]);
    top->addWidget(m_name, 1);
    m_labels[0]->setBuddy(m_curveBox);
    m_labels[1]->setBuddy(m_name);

    auto *pointButtons = new QHBoxLayout;
    pointButtons->addWidget(m_add);
    pointButtons->addWidget(m_remove);
    auto *pointsColumn = new QVBoxLayout;
    pointsColumn->addWidget(m_table, 1);
    pointsColumn->addLayout(pointButtons);

    auto *graphRow = new QHBoxLayout;
    auto *graphColumn = new QVBoxLayout;
    graphColumn->addWidget(m_graph, 1);
    graphColumn->addWidget(m_now);
    graphRow->addLayout(graphColumn, 3);
    graphRow->addLayout(pointsColumn, 1);

    auto *options = new QFormLayout;
    options->addRow(m_labels[2], m_sources);
    options->addRow(m_labels[3], m_mix);
    options->addRow(m_labels[4], m_hysteresis);
    options->addRow(m_labels[5], m_stepUp);
    options->addRow(m_labels[6], m_stepDown);
    options->addRow(m_labels[7], m_minDuty);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_copy);
    buttons->addStretch(1);
    buttons->addWidget(m_save);
    buttons->addWidget(m_close);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(graphRow, 1);
    layout->addLayout(options);
    layout->addWidget(m_message);
    layout->addLayout(buttons);

    connect(m_curveBox, QOverload<int>::of(&QComboBox::activated), this,
            [this](int index) { showCurve(m_curveBox->itemData(index).toString()); });
    connect(m_table, &QTableWidget::cellChanged, this, &CurveEditor::tableEdited);
    connect(m_graph, &CurveGraph::pointMoved, this, &CurveEditor::graphEdited);
    connect(m_add, &QPushButton::clicked, this, &CurveEditor::addPoint);
    connect(m_remove, &QPushButton::clicked, this, &CurveEditor::removePoint);
    connect(m_copy, &QPushButton::clicked, this, &CurveEditor::copyToNew);
    connect(m_save, &QPushButton::clicked, this, &CurveEditor::save);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_sources, &QListWidget::itemChanged, this, &CurveEditor::updateMarker);
    connect(m_mix, QOverload<int>::of(&QComboBox::activated), this, &CurveEditor::updateMarker);
    connect(m_minDuty, QOverload<int>::of(&QSpinBox::valueChanged), this, &CurveEditor::updateMarker);

    const QList<QWidget *> order = {m_curveBox, m_name, m_table, m_add, m_remove, m_sources, m_mix,
                                    m_hysteresis, m_stepUp, m_stepDown, m_minDuty, m_copy, m_save, m_close};
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void CurveEditor::fillCurveBox()
{
    m_curveBox->clear();
    const CurveSettings &settings = m_state.curves();
    for (const QString &name : curveChoices(settings))
        m_curveBox->addItem(CurveText::listed(settings.curveFor(name)), name);
    if (!m_preset && m_original.isEmpty())
        m_curveBox->addItem(m_name->text(), QString()); // a new curve, not saved yet
}

void CurveEditor::showCurve(const QString &name)
{
    const CurveSettings &settings = m_state.curves();
    const Curve *found = settings.find(name);
    const Curve &curve = found ? *found : curvePresets().first();
    m_preset = isPresetName(curve.name);
    m_original = m_preset ? QString() : curve.name;
    m_filling = true;
    m_name->setText(curve.name);
    fillCurveBox();
    m_curveBox->setCurrentIndex(m_curveBox->findData(curve.name));
    fillTable(curve.points);
    fillSources(curve.source);
    m_mix->setCurrentIndex(curve.source.mix == SourceMix::Average ? 1 : 0);
    m_hysteresis->setValue(curve.hysteresis);
    m_stepUp->setValue(curve.stepUp);
    m_stepDown->setValue(curve.stepDown);
    m_minDuty->setValue(curve.minDuty);
    m_filling = false;
    m_message->clear();
    setEditable(!m_preset);
    updateMarker();
}

void CurveEditor::fillSources(const CurveSource &source)
{
    QStringList ids{QString::fromLatin1(kCpuSourceId)};
    for (const QString &id : m_state.knownSources() + source.ids) {
        if (!ids.contains(id))
            ids << id;
    }
    m_sources->clear();
    for (const QString &id : ids) {
        auto *item = new QListWidgetItem(CurveText::source(id), m_sources);
        item->setData(Qt::UserRole, id);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState(source.ids.contains(id) ? Qt::Checked : Qt::Unchecked);
    }
}

void CurveEditor::fillTable(const QVector<CurvePoint> &points)
{
    const bool filling = m_filling;
    m_filling = true;
    m_table->setRowCount(points.size());
    for (int row = 0; row < points.size(); ++row) {
        m_table->setItem(row, 0, new QTableWidgetItem(QString::number(points[row].celsius)));
        m_table->setItem(row, 1, new QTableWidgetItem(QString::number(points[row].duty)));
    }
    m_filling = filling;
    m_graph->setPoints(points);
}

void CurveEditor::addNewSources()
{
    // A source first read while the editor is open joins the list, unticked.
    QStringList listed;
    for (int i = 0; i < m_sources->count(); ++i)
        listed << m_sources->item(i)->data(Qt::UserRole).toString();
    const bool filling = m_filling;
    m_filling = true;
    for (const QString &id : m_state.knownSources()) {
        if (listed.contains(id))
            continue;
        auto *item = new QListWidgetItem(CurveText::source(id), m_sources);
        item->setData(Qt::UserRole, id);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Unchecked);
    }
    m_filling = filling;
}

QVector<CurvePoint> CurveEditor::tablePoints() const
{
    QVector<CurvePoint> points;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const QTableWidgetItem *c = m_table->item(row, 0);
        const QTableWidgetItem *d = m_table->item(row, 1);
        // What is not a number in range is held to the range; save checks the order.
        points.append({qBound(CurveLimit::kMinCelsius, c ? c->text().toInt() : 0, CurveLimit::kMaxCelsius),
                       qBound(0, d ? d->text().toInt() : 0, CurveLimit::kMaxDuty)});
    }
    return points;
}

Curve CurveEditor::edited() const
{
    Curve curve;
    curve.name = m_name->text().trimmed();
    curve.points = tablePoints();
    curve.source.ids.clear();
    for (int i = 0; i < m_sources->count(); ++i) {
        if (m_sources->item(i)->checkState() == Qt::Checked)
            curve.source.ids << m_sources->item(i)->data(Qt::UserRole).toString();
    }
    curve.source.mix = m_mix->currentIndex() == 1 ? SourceMix::Average : SourceMix::Max;
    curve.hysteresis = m_hysteresis->value();
    curve.stepUp = m_stepUp->value();
    curve.stepDown = m_stepDown->value();
    curve.minDuty = m_minDuty->value();
    return curve;
}

void CurveEditor::setEditable(bool editable)
{
    for (QWidget *w : QList<QWidget *>{m_name, m_add, m_remove, m_sources, m_mix, m_hysteresis, m_stepUp,
                                       m_stepDown, m_minDuty, m_save})
        w->setEnabled(editable);
    m_table->setEditTriggers(editable ? QAbstractItemView::AllEditTriggers : QAbstractItemView::NoEditTriggers);
    m_graph->setEditable(editable);
}

void CurveEditor::tableEdited()
{
    if (m_filling)
        return;
    m_graph->setPoints(tablePoints());
    updateMarker();
}

void CurveEditor::graphEdited(int index, const CurvePoint &point)
{
    if (index < 0 || index >= m_table->rowCount())
        return;
    m_filling = true;
    m_table->item(index, 0)->setText(QString::number(point.celsius));
    m_table->item(index, 1)->setText(QString::number(point.duty));
    m_filling = false;
    updateMarker();
}

void CurveEditor::addPoint()
{
    // Past the last point; save refuses more than the curve may have.
    QVector<CurvePoint> points = tablePoints();
    const CurvePoint last = points.isEmpty() ? CurvePoint{40, 30} : points.last();
    points.append({std::min(last.celsius + 5, int(CurveLimit::kMaxCelsius)), last.duty});
    fillTable(points);
    m_table->setCurrentCell(points.size() - 1, 0);
    updateMarker();
}

void CurveEditor::removePoint()
{
    QVector<CurvePoint> points = tablePoints();
    const int row = m_table->currentRow() >= 0 ? m_table->currentRow() : points.size() - 1;
    if (row < 0 || row >= points.size())
        return;
    points.remove(row);
    fillTable(points);
    updateMarker();
}

void CurveEditor::copyToNew()
{
    const Curve base = edited();
    m_preset = false;
    m_original.clear();
    m_name->setText(CurveEdit::copyName(m_state.curves(), base.name));
    fillCurveBox();
    m_curveBox->setCurrentIndex(m_curveBox->count() - 1);
    setEditable(true);
    m_message->clear();
}

bool CurveEditor::save()
{
    if (m_preset)
        return false;
    const Curve curve = edited();
    const CurveSettings &settings = m_state.curves();
    QString problem = CurveEdit::problem(curve, settings, m_original);
    const CurveSettings next = CurveEdit::withCurve(settings, curve, m_original);
    if (problem.isEmpty() && !next.problem().isEmpty())
        problem = tr("Not saved: %1").arg(next.problem());
    if (problem.isEmpty() && !CurvesFile::write(next))
        problem = tr("The curves file could not be written.");
    if (!problem.isEmpty()) {
        qCInfo(lcUi).noquote() << "curve not saved:" << problem;
        m_message->setText(problem);
        return false;
    }
    m_original = curve.name;
    m_message->setText(tr("Saved."));
    emit curvesSaved();
    return true;
}

void CurveEditor::updateMarker()
{
    if (m_filling)
        return;
    CurveEdit::Marker now;
    const bool read = CurveEdit::marker(edited(), m_state.sourceReadings(), &now);
    m_graph->setMarker(read, now.celsius, now.duty);
    m_now->setText(read ? tr("Now: %1 °C, %2 %").arg(now.celsius, 0, 'f', 0).arg(now.duty)
                        : tr("Now: no reading of this curve's sources"));
}

void CurveEditor::retranslate()
{
    setWindowTitle(tr("Fan curves"));
    const QStringList labels = {tr("&Curve"), tr("&Name"), tr("&Sources"), tr("Mi&x"), tr("&Hysteresis (°C)"),
                                tr("Step &up (%/s)"), tr("Step &down (%/s)"), tr("Mi&nimum duty (%)")};
    for (int i = 0; i < labels.size(); ++i)
        m_labels[i]->setText(labels[i]);
    const QList<QWidget *> buddies = {m_curveBox, m_name, m_sources, m_mix, m_hysteresis, m_stepUp, m_stepDown, m_minDuty};
    for (int i = 0; i < buddies.size(); ++i) {
        m_labels[i]->setBuddy(buddies[i]);
        buddies[i]->setAccessibleName(QString(labels[i]).remove(QLatin1Char('&')));
    }
    m_table->setHorizontalHeaderLabels({tr("°C"), tr("Duty %")});
    m_table->setAccessibleName(tr("Points"));
    m_table->setToolTip(tr("The curve's points: temperature and duty, 2 to 8 of them, warmer downwards"));
    m_graph->setAccessibleName(tr("Curve graph"));
    m_graph->setToolTip(tr("Drag a point to move it; the orange ring is where the fan is now"));
    m_hysteresis->setToolTip(tr("A falling temperature must drop this far before the fan slows down"));
    m_stepUp->setToolTip(tr("How fast the duty may rise; 0 = at once"));
    m_stepDown->setToolTip(tr("How fast the duty may fall; 0 = at once"));
    m_minDuty->setToolTip(tr("The fan never runs slower than this"));
    m_sources->setToolTip(tr("The temperatures the curve follows; several make a mix"));
    const int mix = m_mix->currentIndex();
    m_mix->clear();
    m_mix->addItems({tr("Highest"), tr("Average")});
    m_mix->setCurrentIndex(mix < 0 ? 0 : mix);
    m_add->setText(tr("Add point"));
    m_remove->setText(tr("Remove point"));
    m_copy->setText(tr("Copy to a new curve"));
    m_copy->setToolTip(tr("Presets cannot be changed: edit a copy"));
    m_save->setText(tr("Save"));
    m_close->setText(tr("Close"));
    updateMarker();
}

void CurveEditor::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}
