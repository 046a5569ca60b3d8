// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/Logging.h"
#include "viewmsg/MessageNames.h"
#include "viewmsg/ViewMessages.h"

// Construction and layout of the RGB fan editor, its texts and languages,
// and the mouse and key events of the panel.
#include "ui/RainbowFan.h"

#include "device/BoxTable.h"
#include "ui/CoverLabel.h"
#include "ui/FanModeRules.h"
#include "ui/LedButton.h"
#include "ui/LedStyle.h"
#include "ui/StyleSwap.h"
#include "ui/TextFit.h"
#include "ui/UiFont.h"

#include <QBitmap>
#include <QButtonGroup>
#include <QCoreApplication>
#include <QDebug>
#include <QFontMetrics>
#include <QRegularExpressionValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QPixmap>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QRegularExpression>
#include <QSlider>

QStringList RainbowFan::s_colorModeString;
QStringList RainbowFan::s_lightModeString;
QStringList RainbowFan::s_lightSpeedString;

namespace {

constexpr int kPanelWidth = 322;
constexpr int kPanelHeight = 412;

// Selector column left of the LED ring: caption, then arrow, name, arrow.
constexpr int kSelectorX = 14;
constexpr int kSelectorNameWidth = 68;
constexpr int kLightModeY = 200;
constexpr int kColorModeY = 246;
constexpr int kLightSpeedY = 292;

// Largest name-label font per language (en, tc, cn, de, fr, jp, th); longer
// translated names shrink from there down to 9 px until they fit.
constexpr int kNameFontPx[kLanguageCount] = {12, 13, 13, 11, 11, 12, 12};
constexpr int kMinNameFontPx = TextFit::kMinPx;

void fitStyleFont(QWidget *w, int maxPx, int minPx, int extraPadding)
{
    TextFit::shrinkStyleFont(w, maxPx, minPx, extraPadding);
}

QLabel *makeLabel(QWidget *parent, const QRect &geometry, const QString &style, Qt::Alignment align = Qt::AlignCenter)
{
    auto *label = new QLabel(parent);
    label->setGeometry(geometry);
    swapStyle(label, style);
    label->setAlignment(align);
    return label;
}

} // namespace

RainbowFan::RainbowFan(QWidget *parent)
    : QWidget(parent)
{
    for (int i = 0; i < kColorEntries; ++i) {
        m_state.ledR[i] = 255;
        m_state.ledG[i] = 0;
        m_state.ledB[i] = 0;
        m_state.ledBright[i] = 1.0f;
    }
    m_state.fanNumStr = FanModeRules::selectionMask(0);
    if (s_lightModeString.isEmpty())
        buildNameLists();

    // The widget tree is built here rather than on setFanNumber, so that no
    // setter can ever reach a control that does not exist yet.
    buildBackground();
    buildMonitorArea();
    buildSpeedControls();
    buildSelectors();
    buildLedRing();
    buildCovers();
    buildColorPopup();

    m_closedCoverLabel->raise();
    m_btnFanNum->raise();
    m_warningLabel->raise();
    m_colorCover->raise();
    m_locationHighlight->raise();

    resetLanguage(m_language);
    extendHitAreas();
    m_btnFanNum->installEventFilter(this);
    styleSpeedSliders();
    styleSpeedPresets();
    showSpeedSummary();
    restyleAllLeds();
    styleBrightnessSlider(shownColor(0));
    moveTitle(m_state.isMonitor, false);
}

RainbowFan::~RainbowFan()
{
    // The title animation is deleted with the QWidget part, after this
    // object's own part: stopping then, it must not call our slot.
    if (m_titleAnimation)
        m_titleAnimation->disconnect(this);
}

QString RainbowFan::imagePath(const QString &name) const
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/") + QStringLiteral("Images/") + name;
}

void RainbowFan::buildNameLists()
{
    s_colorModeString.clear();
    s_colorModeString << tr("RGB") << tr("Single") << tr("OFF");
    s_lightModeString.clear();
    s_lightModeString << tr("Snake") << tr("Cycle") << tr("Radar") << tr("Blink") << tr("Breath") << tr("Whirl")
                    << tr("Light") << tr("Copy") << tr("Music_1") << tr("Music_2") << tr("Music_3")
                    << tr("Mobile_1") << tr("Mobile_2") << tr("Mobile_3") << tr("Temperature");
    s_lightSpeedString.clear();
    s_lightSpeedString << tr("So Fast") << tr("Fast") << tr("Normal") << tr("Slow");
}

QPushButton *RainbowFan::makeButton(const QString &objectName, const QRect &geometry, void (RainbowFan::*slot)())
{
    auto *button = new QPushButton(this);
    button->setObjectName(objectName);
    button->setGeometry(geometry);
    button->setFocusPolicy(Qt::StrongFocus);
    if (slot)
        connect(button, &QPushButton::released, this, slot);
    return button;
}

void RainbowFan::buildBackground()
{
    QPixmap area(imagePath(QStringLiteral("profile_area.png")));
    if (area.isNull()) {
        qWarning() << "RainbowFan image missing:" << imagePath(QStringLiteral("profile_area.png"));
        resize(kPanelWidth, kPanelHeight);
    } else {
        resize(area.size());
        const QBitmap mask = area.createHeuristicMask();
        if (!mask.isNull())
            setMask(mask);
        QPalette pal = palette();
        const QBrush brush(area.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            pal.setBrush(group, QPalette::Window, brush);
        setPalette(pal);
        // Painted in paintEvent, not filled by Qt: a panel Qt takes for
        // opaque is moved by copying its pixels, and the parts outside its
        // mask then drag the old picture along (stripes after a carousel turn).
        setAutoFillBackground(false);
    }
    move(300, 0);
    setAttribute(Qt::WA_MouseTracking);
    setMouseTracking(true);

    m_btnFanNum = makeButton(QStringLiteral("btn_fanNum"), QRect(60, 14, 200, 20), &RainbowFan::pushMonitor);
    swapStyle(m_btnFanNum, QStringLiteral("QPushButton{color:white; font-size:13px; "
                                            "font-weight:bold; border-image: url(")
                             + imagePath(QStringLiteral("top_bar.png")) + QStringLiteral(");}"));
    // The switch rides on the title bar, so it moves with it when the panel
    // opens or closes and stays reachable over the closed cover.
    m_btnMonitor = new QPushButton(m_btnFanNum);
    m_btnMonitor->setObjectName(QStringLiteral("close_Monitor"));
    m_btnMonitor->setGeometry(180, 3, 14, 14);
    m_btnMonitor->setFocusPolicy(Qt::StrongFocus);
    connect(m_btnMonitor, &QPushButton::released, this, &RainbowFan::pushMonitor);

    m_titleAnimation = new QPropertyAnimation(m_btnFanNum, "geometry", this);
    m_titleAnimation->setDuration(200);
    connect(m_titleAnimation, &QPropertyAnimation::stateChanged, this, &RainbowFan::on_animation_stateChanged);

    m_curveLabel = makeLabel(this, QRect(11, 156, 301, 44), QString());
    m_curveLabel->setPixmap(QPixmap(imagePath(QStringLiteral("curve.png"))));
    m_curveLabel->setScaledContents(true);
    m_paletteLabel = makeLabel(this, QRect(144, 206, 133, 133),
                             QStringLiteral("border-image: url(") + imagePath(QStringLiteral("palette.png"))
                                 + QStringLiteral(");"));
    // Qt drops a tracking-only move at the first widget without tracking, so
    // the palette tracks too and passes its moves on to the panel.
    m_paletteLabel->setMouseTracking(true);
    // The wheel is round; its square image's corners are not part of it.
    m_paletteLabel->setMask(QRegion(0, 0, m_paletteLabel->width(), m_paletteLabel->height(), QRegion::Ellipse));

    m_lblBrightness = makeLabel(this, QRect(22, 382, 115, 14),
                              QStringLiteral("color:#9fb4c9; font-size:10px; font-weight:bold;"),
                              Qt::AlignRight | Qt::AlignVCenter);
    m_sliderLight = new QSlider(Qt::Horizontal, this);
    m_sliderLight->setObjectName(QStringLiteral("slider_Light"));
    m_sliderLight->setGeometry(141, 382, 147, 17);
    m_sliderLight->setRange(0, 10);
    m_sliderLight->setSingleStep(1);
    m_sliderLight->setPageStep(1);
    m_sliderLight->setValue(10);
    m_sliderLight->setFocusPolicy(Qt::StrongFocus);
    connect(m_sliderLight, &QSlider::valueChanged, this, &RainbowFan::changeSliderLight);
}

void RainbowFan::buildMonitorArea()
{
    m_monitorDisc = makeLabel(this, QRect(27, 40, 126, 126), QString());
    m_monitorDisc->setPixmap(QPixmap(imagePath(QStringLiteral("View.png"))));
    m_monitorDisc->setScaledContents(true);
    m_lblRpmValue = makeLabel(this, QRect(27, 70, 126, 35),
                            QStringLiteral("color:white; font-size:26px; font-weight:bold;"));
    m_lblRpmValue->setObjectName(QStringLiteral("label_rpm"));
    m_lblRpmValue->setText(QStringLiteral("0"));
    m_lblRpm = makeLabel(this, QRect(47, 110, 86, 12), QStringLiteral("color:white; font-size:10px;"));
    m_lblRpm->setText(QStringLiteral("RPM"));
    m_rpmBar = makeLabel(this, QRect(47, 126, 86, 3), QString());
    m_rpmBar->setPixmap(QPixmap(imagePath(QStringLiteral("Viewbar.png"))));
    m_rpmBar->setScaledContents(true);
    m_lblSpeedSummary = makeLabel(this, QRect(47, 132, 86, 27),
                                QStringLiteral("color:white; font-size:10px;"));
    m_lblSpeedSummary->setObjectName(QStringLiteral("label_speedSummary"));
    // The read-out opens the fan's graphs; the disc stays as drawn.
    m_btnGraphs = new QPushButton(this);
    m_btnGraphs->setObjectName(QStringLiteral("btn_graphs"));
    m_btnGraphs->setGeometry(m_monitorDisc->geometry());
    m_btnGraphs->setFlat(true);
    m_btnGraphs->setFocusPolicy(Qt::NoFocus);
    m_btnGraphs->setCursor(Qt::PointingHandCursor);
    m_btnGraphs->setStyleSheet(QStringLiteral("QPushButton{background:transparent;border:none;}"));
    connect(m_btnGraphs, &QPushButton::clicked, this, &RainbowFan::graphsRequested);

    // Left of the LED ring, above the selectors: seen next to the light mode it is about.
    m_musicNotice = makeLabel(this, QRect(10, 166, 108, 32),
                              QStringLiteral("color:#ffd27a; font-size:10px; font-weight:bold;"),
                              Qt::AlignLeft | Qt::AlignVCenter);
    m_musicNotice->setObjectName(QStringLiteral("label_musicNotice"));
    m_musicNotice->setWordWrap(true);
    m_musicNotice->hide();
}

void RainbowFan::buildSpeedControls()
{
    m_btnPerformance = makeButton(QStringLiteral("btn_performance"), QRect(166, 44, 42, 42), &RainbowFan::pushPerformance);
    m_btnSilent = makeButton(QStringLiteral("btn_silent"), QRect(216, 44, 42, 42), &RainbowFan::pushSilent);
    m_btnPwm = makeButton(QStringLiteral("btn_pwm"), QRect(266, 44, 42, 42), &RainbowFan::pushPWM);
    m_btnPwm->setCheckable(true);
    // A right click (or the menu key) on PWM picks the curve it follows.
    m_btnPwm->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_btnPwm, &QWidget::customContextMenuRequested, this, &RainbowFan::curveRequested);
    m_btnPwm->setChecked(true);
    swapStyle(m_btnPwm, QStringLiteral("QPushButton{color:#02A0EA; font-size:11px; "
                                         "font-weight:bold; border-image: url(")
                          + imagePath(QStringLiteral("Vayla/btn_pwm.png"))
                          + QStringLiteral(");}QPushButton:checked{color:white; border-image: url(")
                          + imagePath(QStringLiteral("Vayla/btn_pwm_h.png")) + QStringLiteral(");}"));

    m_sliderPer = new QSlider(Qt::Horizontal, this);
    m_sliderPer->setObjectName(QStringLiteral("slider_FanSpeed_Per"));
    m_sliderPer->setGeometry(168, 98, 103, 12);
    m_sliderPer->setRange(0, 5);
    m_sliderPer->setSingleStep(1);
    m_sliderPer->setPageStep(1);
    m_sliderPer->setValue(5);
    m_sliderPer->setFocusPolicy(Qt::StrongFocus);
    connect(m_sliderPer, &QSlider::valueChanged, this, &RainbowFan::changeSliderFanSpeedPer);

    m_sliderNum = new QSlider(Qt::Horizontal, this);
    m_sliderNum->setObjectName(QStringLiteral("slider_FanSpeed_Num"));
    m_sliderNum->setGeometry(168, 134, 103, 12);
    m_sliderNum->setRange(0, 10);
    m_sliderNum->setSingleStep(1);
    m_sliderNum->setPageStep(1);
    m_sliderNum->setValue(10);
    m_sliderNum->setFocusPolicy(Qt::StrongFocus);
    m_sliderNum->setEnabled(false);
    connect(m_sliderNum, &QSlider::valueChanged, this, &RainbowFan::changeSliderFanSpeedNum);

    // Light enough to read at 9 px on the dark panel (4.5:1 at least).
    const QString scale = QStringLiteral("color:#bcc8d4; font-size:9px;");
    m_lblScaleSilent = makeLabel(this, QRect(160, 113, 60, 12), scale, Qt::AlignLeft | Qt::AlignVCenter);
    m_lblScalePerformance = makeLabel(this, QRect(220, 113, 60, 12), scale, Qt::AlignRight | Qt::AlignVCenter);
    m_lblScaleZero = makeLabel(this, QRect(160, 150, 60, 12), scale, Qt::AlignLeft | Qt::AlignVCenter);
    m_lblScaleZero->setText(QStringLiteral("0 %"));
    m_lblScaleHundred = makeLabel(this, QRect(220, 150, 60, 12), scale, Qt::AlignRight | Qt::AlignVCenter);
    m_lblScaleHundred->setText(QStringLiteral("100 %"));
}

void RainbowFan::buildSelectors()
{
    const QString caption = QStringLiteral("color:#9fb4c9; font-size:10px; font-weight:bold;");
    const QString left = QStringLiteral("QPushButton{border-image: url(") + imagePath(QStringLiteral("btn_arrowLeft.png"))
        + QStringLiteral(");}QPushButton:pressed{border-image: url(")
        + imagePath(QStringLiteral("btn_arrowLeft_h.png")) + QStringLiteral(");}QPushButton:disabled{border-image: none; border: none; background: transparent;}");
    const QString right = QStringLiteral("QPushButton{border-image: url(")
        + imagePath(QStringLiteral("btn_arrowRight.png")) + QStringLiteral(");}QPushButton:pressed{border-image: url(")
        + imagePath(QStringLiteral("btn_arrowRight_h.png")) + QStringLiteral(");}QPushButton:disabled{border-image: none; border: none; background: transparent;}");

    struct Row {
        int y;
        const char *leftName;
        const char *rightName;
        void (RainbowFan::*leftSlot)();
        void (RainbowFan::*rightSlot)();
        QPushButton **leftButton;
        QPushButton **rightButton;
        QLabel **name;
        QLabel **caption;
        const char *nameObject;
    };
    const Row rows[] = {
        {kLightModeY, "btn_LightModeLeft", "btn_LightModeRight", &RainbowFan::lightModeLeft, &RainbowFan::lightModeRight,
         &m_btnLightModeLeft, &m_btnLightModeRight, &m_lblLightModeName, &m_lblLightModeCaption, "label_lightMode"},
        {kColorModeY, "btn_ColorModeLeft", "btn_ColorModeRight", &RainbowFan::colorModeLeft, &RainbowFan::colorModeRight,
         &m_btnColorModeLeft, &m_btnColorModeRight, &m_lblColorModeName, &m_lblColorModeCaption, "label_colorMode"},
        {kLightSpeedY, "btn_LightSpeedLeft", "btn_LightSpeedRight", &RainbowFan::lightSpeedLeft, &RainbowFan::lightSpeedRight,
         &m_btnLightSpeedLeft, &m_btnLightSpeedRight, &m_lblLightSpeedName, &m_lblLightSpeedCaption, "label_lightSpeed"},
    };
    for (const Row &row : rows) {
        *row.caption = makeLabel(this, QRect(kSelectorX, row.y, kSelectorNameWidth + 28, 14), caption);
        *row.leftButton = makeButton(QLatin1String(row.leftName), QRect(kSelectorX, row.y + 17, 12, 20), row.leftSlot);
        swapStyle((*row.leftButton), left);
        *row.name = makeLabel(this, QRect(kSelectorX + 14, row.y + 17, kSelectorNameWidth, 20), QString());
        (*row.name)->setObjectName(QLatin1String(row.nameObject));
        *row.rightButton = makeButton(QLatin1String(row.rightName),
                                      QRect(kSelectorX + 16 + kSelectorNameWidth, row.y + 17, 12, 20), row.rightSlot);
        swapStyle((*row.rightButton), right);
    }

    const QString edit = QStringLiteral("QPushButton{color:white; font-size:9px; border-image: url(")
        + imagePath(QStringLiteral("btn_save.png")) + QStringLiteral(");}QPushButton:pressed{border-image: url(")
        + imagePath(QStringLiteral("btn_save_h.png")) + QStringLiteral(");}QPushButton:disabled{color:#9a9a9a;}");
    m_btnDone = makeButton(QStringLiteral("btn_done"), QRect(16, 340, 30, 30), &RainbowFan::pushDone);
    m_btnDefault = makeButton(QStringLiteral("btn_default"), QRect(50, 340, 30, 30), &RainbowFan::pushDefault);
    m_btnShowColor = makeButton(QStringLiteral("btn_showColor"), QRect(84, 340, 30, 30), &RainbowFan::pushShowColorWidget);
    m_btnApplyAll = makeButton(QStringLiteral("btn_applyAll"), QRect(118, 340, 30, 30), &RainbowFan::pushApplyToAll);
    for (QPushButton *b : {m_btnDone, m_btnDefault, m_btnShowColor, m_btnApplyAll})
        swapStyle(b, edit);

    m_btnTurnOff = makeButton(QStringLiteral("btn_turnoff"), QRect(284, 176, 25, 28), &RainbowFan::pushTurnOff);
    m_btnTurnOff->setCheckable(true);
    swapStyle(m_btnTurnOff, QStringLiteral("QPushButton{border-image: url(") + imagePath(QStringLiteral("light.png"))
                              + QStringLiteral(");}QPushButton:checked{border-image: url(")
                              + imagePath(QStringLiteral("light_off.png")) + QStringLiteral(");}"));
}

void RainbowFan::buildLedRing()
{
    m_ledGroup = new QButtonGroup(this);
    m_ledGroup->setExclusive(false);
    for (int i = 0; i < kLedCount; ++i) {
        auto *b = new LedButton(this);
        b->setObjectName(QString::number(i));
        b->setText(QString::number(i + 1));
        b->setCheckable(true);
        b->setFocusPolicy(Qt::StrongFocus);
        m_btnLed[i] = b;
        m_ledGroup->addButton(b, i);
        applyLedGeometry(i);
        connect(b, &QPushButton::clicked, this, &RainbowFan::selectLedBtn);
    }
    connect(m_ledGroup, QOverload<QAbstractButton *>::of(&QButtonGroup::buttonClicked), this,
            &RainbowFan::onButtonClicked);
}

void RainbowFan::buildCovers()
{
    m_closedCoverLabel = new CoverLabel(this);
    m_closedCoverLabel->setObjectName(QStringLiteral("closedCover"));
    m_closedCoverLabel->setGeometry(0, 0, width(), height());
    m_closedCoverLabel->setImage(QPixmap(imagePath(QStringLiteral("profile_area_close.png"))));
    m_closedCoverLabel->hide();
    connect(m_closedCoverLabel, &CoverLabel::pressed, this, &RainbowFan::pressCover);

    // A stopped fan is marked on its speed read-out only: the speed controls
    // beside it, which may be what makes it turn again, stay in reach.
    m_warningLabel = makeLabel(this, QRect(27, 40, 126, 126),
                             QStringLiteral("#label_stalled{background-color: rgba(140, 10, 20, 150); border-radius: 63px;}"));
    m_warningLabel->setObjectName(QStringLiteral("label_stalled"));
    auto *mark = makeLabel(m_warningLabel, QRect(33, 22, 60, 52), QString());
    mark->setPixmap(QPixmap(imagePath(QStringLiteral("warning.png"))));
    mark->setScaledContents(true);
    m_warningLabel->hide();

    m_locationHighlight = makeLabel(this, QRect(0, 0, width(), height()), QString());
    m_locationHighlight->setPixmap(QPixmap(imagePath(QStringLiteral("profile_area_h.png"))));
    m_locationHighlight->setScaledContents(true);
    m_locationHighlight->hide();
}

void RainbowFan::buildColorPopup()
{
    m_colorCover = makeLabel(this, QRect(0, 0, width(), height()), QString());
    m_colorCover->setPixmap(QPixmap(imagePath(QStringLiteral("profile_area_h.png"))));
    m_colorCover->setScaledContents(true);
    m_colorCover->hide();

    m_colorWidget = makeLabel(m_colorCover, QRect(0, (height() - 228) / 2, 322, 228), QString());
    m_colorWidget->setPixmap(QPixmap(imagePath(QStringLiteral("colorWidget.png"))));
    m_colorWidget->setScaledContents(true);
    m_lblColorTitle = makeLabel(m_colorWidget, QRect(10, 10, 302, 24),
                              QStringLiteral("color:#d8e4f0; font-size:14px; font-weight:bold;"));

    // A colour byte and nothing else: QIntValidator would let "999" stand as
    // unfinished input.
    auto *validator = new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("25[0-5]|2[0-4][0-9]|1[0-9]{2}|[1-9]?[0-9]")), this);
    const QString editStyle = QStringLiteral("QLineEdit{border-image: url(") + imagePath(QStringLiteral("Value.png"))
        + QStringLiteral("); color:white; font-size:12px; padding-left:4px;}");
    const struct {
        int y;
        const char *name;
        const char *color;
        QLineEdit **edit;
        QLabel **label;
    } rows[] = {
        {70, "R", "#ff4040", &m_editR, &m_lblR},
        {108, "G", "#40e040", &m_editG, &m_lblG},
        {145, "B", "#4c8dff", &m_editB, &m_lblB},
    };
    for (const auto &row : rows) {
        *row.label = makeLabel(m_colorWidget, QRect(30, row.y, 22, 21),
                               QStringLiteral("font-size:14px; font-weight:bold; color:")
                                   + QLatin1String(row.color) + QStringLiteral(";"));
        (*row.label)->setText(QLatin1String(row.name));
        auto *e = new QLineEdit(m_colorWidget);
        e->setGeometry(58, row.y, 64, 21);
        e->setValidator(validator);
        swapStyle(e, editStyle);
        connect(e, &QLineEdit::textChanged, this, &RainbowFan::updatePreviewDisc);
        *row.edit = e;
    }

    const QString popupButton = QStringLiteral("QPushButton{color:white; font-size:9px; "
                                               "border-image: url(")
        + imagePath(QStringLiteral("btn_save.png")) + QStringLiteral(");}QPushButton:pressed{border-image: url(")
        + imagePath(QStringLiteral("btn_save_h.png")) + QStringLiteral(");}");
    m_btnColorOK = new QPushButton(m_colorWidget);
    m_btnColorOK->setObjectName(QStringLiteral("btn_colorLabel_OK"));
    m_btnColorOK->setGeometry(40, 184, 30, 30);
    swapStyle(m_btnColorOK, popupButton);
    connect(m_btnColorOK, &QPushButton::released, this, &RainbowFan::pushChangeColor);
    m_btnColorCancel = new QPushButton(m_colorWidget);
    m_btnColorCancel->setObjectName(QStringLiteral("btn_colorLabel_Cancel"));
    m_btnColorCancel->setGeometry(84, 184, 30, 30);
    swapStyle(m_btnColorCancel, popupButton);
    connect(m_btnColorCancel, &QPushButton::released, this, &RainbowFan::pushHideColorWidget);

    m_previewRing = makeLabel(m_colorWidget, QRect(135, 40, 166, 166),
                            QStringLiteral("background-color:white; border-radius:83px;"));
    m_previewDisc = makeLabel(m_colorWidget, QRect(146, 51, 144, 144),
                            QStringLiteral("background-color:white; border-radius:72px;"));
}

void RainbowFan::setFanNumber(int fan)
{
    if (fan < 0 || fan >= kRainbowFanCount) {
        qWarning() << "set FanNumber: refused" << fan;
        return;
    }
    m_state.fanNumber = fan;
    m_btnFanNum->setText(tr("FAN") + QStringLiteral(" ") + QString::number(fan + 1));
    describeControls();
    qCDebug(lcUi) << "set FanNumber:" << fan;
}

void RainbowFan::setFanLocation(int location)
{
    if (location < 0 || location >= kRainbowFanCount) {
        qWarning() << "set fanLocation: refused" << location;
        return;
    }
    m_state.fanLocation = location;
    setControlsFocusable(location < 3);
    if (location == 3 || location == 4) {
        qCDebug(lcUi) << "Location Background Fan:" << m_state.fanNumber;
        m_locationHighlight->show();
        m_locationHighlight->raise();
        // The title stays readable over the shade: it names the fan to bring forward.
        m_btnFanNum->raise();
    } else {
        m_locationHighlight->hide();
    }
    update();
    qCDebug(lcUi) << "set fanLocation:" << location;
}

void RainbowFan::setControlsFocusable(bool focusable)
{
    // Tab must not land on the controls of a panel at the back, which lie
    // under the panels in front; its title stays a stop, which turns it forward.
    for (QWidget *w : findChildren<QWidget *>()) {
        if (!qobject_cast<QAbstractButton *>(w) && !qobject_cast<QSlider *>(w) && !qobject_cast<QLineEdit *>(w))
            continue;
        if (w == m_btnFanNum)
            continue;
        w->setFocusPolicy(focusable ? Qt::StrongFocus : Qt::NoFocus);
    }
}

void RainbowFan::resetLanguage(int lang)
{
    if (lang < 0 || lang >= kLanguageCount) {
        qWarning() << "resetLanguage: refused" << lang;
        return;
    }
    m_language = lang;
    buildNameLists();
    m_lblLightModeCaption->setText(tr("Light Mode"));
    m_lblColorModeCaption->setText(tr("Color Mode"));
    m_lblLightSpeedCaption->setText(tr("Light Speed"));
    m_btnPerformance->setText(tr("Perfor-mance").replace(QLatin1Char('-'), QStringLiteral("-\n")));
    m_btnSilent->setText(tr("Silent"));
    m_btnPwm->setText(tr("PWM"));
    m_btnDone->setText(tr("Done"));
    m_btnDefault->setText(tr("Default"));
    m_btnShowColor->setText(tr("Color"));
    m_btnApplyAll->setText(tr("To all"));
    m_btnColorOK->setText(tr("OK"));
    m_btnColorCancel->setText(tr("Cancel"));
    m_lblBrightness->setText(tr("LED BRIGHTNESS"));
    m_lblColorTitle->setText(tr("RGB Color Code"));
    // Which slider an end label belongs to: the PWM cap above, the fixed speed below.
    m_lblScaleSilent->setText(tr("Cap 50 %"));
    m_lblScalePerformance->setText(tr("Cap 100 %"));
    m_btnFanNum->setText(tr("FAN") + QStringLiteral(" ") + QString::number(m_state.fanNumber + 1));
    showNames();
    showSpeedSummary();
    applyTextFonts();
    describeControls();
    updateMusicNotice();
}

int RainbowFan::nameFontPx(const QLabel *label, const QString &text) const
{
    // The name sits on a framed image: keep clear of its rim.
    return TextFit::largestFittingPx(text, TextFit::textWidth(label) - 2, label->height(), kNameFontPx[m_language],
                                     kMinNameFontPx, false);
}

void RainbowFan::fitSpeedSummary()
{
    fitStyleFont(m_lblSpeedSummary, 10, 7, 0);
}

void RainbowFan::applyTextFonts()
{
    for (QLabel *caption : {m_lblLightModeCaption, m_lblColorModeCaption, m_lblLightSpeedCaption})
        fitStyleFont(caption, 10, 7, 0);
    for (QPushButton *b : {m_btnDone, m_btnDefault, m_btnShowColor, m_btnApplyAll, m_btnColorOK, m_btnColorCancel})
        fitStyleFont(b, 9, 6, 0);
    fitStyleFont(m_btnPwm, 11, 6, 2);
    fitStyleFont(m_lblBrightness, 10, 7, 0);
    fitStyleFont(m_lblColorTitle, 14, 8, 2);
    fitStyleFont(m_lblScaleSilent, 9, 6, 0);
    fitStyleFont(m_lblScalePerformance, 9, 6, 0);
    fitSpeedSummary();
    // The preset buttons' round images leave less room at the rim.
    const TextFit::Fit performance = TextFit::fitLines(m_btnPerformance->text(), TextFit::textWidth(m_btnPerformance) - 4,
                                                       m_btnPerformance->height(), 9, 9, true);
    const TextFit::Fit silent = TextFit::fitLines(m_btnSilent->text(), TextFit::textWidth(m_btnSilent) - 4,
                                                  m_btnSilent->height(), 9, 9, true);
    m_btnPerformance->setText(performance.text);
    m_btnSilent->setText(silent.text);
    m_presetFontPx = qMin(performance.px, silent.px);
    styleSpeedPresets();
}

void RainbowFan::applyNameFonts()
{
    const int lm = m_state.lightMode;
    const bool colorApplies = FanModeRules::colorModeApplies(lm);
    const bool speedApplies = FanModeRules::lightSpeedApplies(lm);
    swapStyle(m_lblLightModeName, 
        LedStyle::nameLabelStyle(nameFontPx(m_lblLightModeName, m_lblLightModeName->text()), true, imagePath(QString())));
    swapStyle(m_lblColorModeName, LedStyle::nameLabelStyle(nameFontPx(m_lblColorModeName, m_lblColorModeName->text()),
                                                             colorApplies, imagePath(QString())));
    swapStyle(m_lblLightSpeedName, LedStyle::nameLabelStyle(
        nameFontPx(m_lblLightSpeedName, m_lblLightSpeedName->text()), speedApplies, imagePath(QString())));
}

QWidget *RainbowFan::closedCover() const { return m_closedCoverLabel; }
bool RainbowFan::isWarningShown() const { return !m_warningLabel->isHidden(); }
QSlider *RainbowFan::fanSpeedPerSlider() const { return m_sliderPer; }
QSlider *RainbowFan::fanSpeedNumSlider() const { return m_sliderNum; }
QSlider *RainbowFan::brightnessSlider() const { return m_sliderLight; }
QAbstractButton *RainbowFan::pwmButton() const { return m_btnPwm; }

void RainbowFan::setRPM(int rpm)
{
    m_lblRpmValue->setText(QString::number(rpm));
}

void RainbowFan::setMusicCapture(bool capturing)
{
    m_musicCapture = capturing;
    updateMusicNotice();
}

bool RainbowFan::isMusicNoticeShown() const
{
    return !m_musicNotice->isHidden();
}

void RainbowFan::updateMusicNotice()
{
    m_musicNotice->setText(tr("No sound heard: music needs a sound server"));
    m_musicNotice->setVisible(!m_musicCapture && LightMode::isComputerMusic(m_state.lightMode));
}

void RainbowFan::mousePressEvent(QMouseEvent *event)
{
    if (m_state.fanLocation == 3 || m_state.fanLocation == 4) {
        // A background panel only asks the main view to turn the carousel.
        emit sendData(ViewMessages::fanCommand(m_state.fanLocation == 3 ? MessageName::clockwise : MessageName::counterClockwise,
                                               m_state.fanNumber));
        return;
    }
    if (event->button() == Qt::LeftButton && canPickAt(event->pos()))
        pickColorAt(event->pos());
}

void RainbowFan::mouseMoveEvent(QMouseEvent *event)
{
    if (m_state.colorMode == ColorMode::Single && canPickAt(event->pos()))
        pickColorAt(event->pos());
}

void RainbowFan::keyPressEvent(QKeyEvent *event)
{
    qCDebug(lcUi) << "keyPressEvent:" << event->key();
    if (event->key() == Qt::Key_Escape && isColorPopupShown()) {
        pushHideColorWidget();
        return;
    }
    // Everything else is the main window's (Esc closing its menu, say).
    event->ignore();
}

void RainbowFan::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().brush(QPalette::Window));
}

void RainbowFan::keyReleaseEvent(QKeyEvent *event)
{
    qCDebug(lcUi) << "keyReleaseEvent:" << event->key();
    updatePreviewDisc();
}
