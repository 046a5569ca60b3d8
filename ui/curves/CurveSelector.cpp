// SPDX-License-Identifier: GPL-3.0-or-later
#include "CurveSelector.h"

#include "CurveText.h"
#include "common/Logging.h"
#include "control/CurveChoice.h"
#include "core/ViewState.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CurveSelector::CurveSelector(const ViewState &state, int fan, QWidget *parent)
    : QDialog(parent)
    , m_state(state)
    , m_fan(fan)
{
    setObjectName(QStringLiteral("curveSelector"));
    auto *layout = new QVBoxLayout(this);
    m_now = new QLabel(this);
    m_now->setWordWrap(true);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("curveList"));
    // The presets and a few curves of the user's without scrolling, at any scale.
    m_list->setMinimumHeight(m_list->fontMetrics().lineSpacing() * 8);
    m_now->setBuddy(m_list);
    auto *buttons = new QDialogButtonBox(this);
    m_use = buttons->addButton(QString(), QDialogButtonBox::AcceptRole);
    m_use->setObjectName(QStringLiteral("useCurve"));
    m_edit = buttons->addButton(QString(), QDialogButtonBox::ActionRole);
    m_edit->setObjectName(QStringLiteral("editCurves"));
    m_close = buttons->addButton(QString(), QDialogButtonBox::RejectRole);
    m_use->setDefault(true);
    layout->addWidget(m_now);
    layout->addWidget(m_list);
    layout->addWidget(buttons);

    connect(m_list, &QListWidget::itemActivated, this, &CurveSelector::choose);
    connect(m_use, &QPushButton::clicked, this, &CurveSelector::choose);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_edit, &QPushButton::clicked, this, [this] {
        const QListWidgetItem *item = m_list->currentItem();
        emit editRequested(item ? item->data(Qt::UserRole).toString() : currentName());
    });
    connect(&m_state, &ViewState::curvesChanged, this, &CurveSelector::fill);
    connect(&m_state, &ViewState::fanChanged, this, [this](int changed) {
        if (changed == m_fan)
            fill();
    });
    setTabOrder(m_list, m_use);
    setTabOrder(m_use, m_edit);
    setTabOrder(m_edit, m_close);
    retranslate();
}

QString CurveSelector::currentName() const
{
    const FanView &view = m_state.fan(m_fan);
    return view.single ? view.vayla.curveName : view.rainbow.curveName;
}

void CurveSelector::fill()
{
    const CurveSettings &settings = m_state.curves();
    const QString own = currentName();
    const Curve &followed = settings.curveFor(own);
    m_now->setText(tr("Fan %1 follows \"%2\" on %3.").arg(m_fan + 1).arg(followed.name, CurveText::source(followed.source)));

    m_list->clear();
    for (const QString &name : curveChoices(settings)) {
        const Curve &curve = settings.curveFor(name);
        auto *item = new QListWidgetItem(CurveText::listed(curve), m_list);
        item->setData(Qt::UserRole, curve.name);
        item->setToolTip(tr("Follows %1").arg(CurveText::source(curve.source)));
        if (sameCurveName(curve.name, followed.name)) {
            QFont bold = item->font();
            bold.setBold(true);
            item->setFont(bold);
            m_list->setCurrentItem(item);
        }
    }
}

void CurveSelector::choose()
{
    // Return on the list also reaches the default button: one choice only.
    const QListWidgetItem *item = m_list->currentItem();
    if (!item || m_chosen)
        return;
    m_chosen = true;
    const QString name = item->data(Qt::UserRole).toString();
    qCDebug(lcUi).noquote() << "curve chosen for fan" << m_fan << name;
    emit chosen(m_fan, name);
    accept();
}

void CurveSelector::retranslate()
{
    setWindowTitle(tr("Fan curve"));
    m_list->setAccessibleName(tr("Curves"));
    m_list->setToolTip(tr("The curve this fan's speed follows while PWM is on"));
    m_use->setText(tr("Use"));
    m_use->setToolTip(tr("This fan follows the chosen curve"));
    m_edit->setText(tr("Edit curves…"));
    m_edit->setToolTip(tr("Opens the curve editor"));
    m_close->setText(tr("Close"));
    fill();
}

void CurveSelector::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}
