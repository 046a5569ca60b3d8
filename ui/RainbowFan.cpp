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
#include <QPixmap>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QRegularExpression>
#include <QSlider>

QStringList RainbowFan::colorModeString;
QStringList RainbowFan::lightModeString;
QStringList RainbowFan::lightSpeedString;

namespace {

constexpr int kPanelWidth = 322;
constexpr int kPanelHeight = 412;
constexpr int kLanguageCount = 7;

// Selector column left of the LED ring: caption, then arrow, name, arrow.
constexpr int kSelectorX = 14;
constexpr int kSelectorNameWidth = 68;
constexpr int kLightModeY = 200;
constexpr int kColorModeY = 246;
constexpr int kLightSpeedY = 292;

// Largest name-label font per language (en, tc, cn, de, fr, jp, th); longer
// translated names shrink from there down to 7 px until they fit.
constexpr int kNameFontPx[kLanguageCount] = {12, 13, 13, 11, 11, 12, 12};
constexpr int kMinNameFontPx = 7;

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
        s.ledR[i] = 255;
        s.ledG[i] = 0;
        s.ledB[i] = 0;
        s.ledBright[i] = 1.0f;
    }
    s.fanNumStr = FanModeRules::selectionMask(0);
    if (lightModeString.isEmpty())
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

    closedCoverLabel->raise();
    btnFanNum->raise();
    warningLabel->raise();
    colorCover->raise();
    locationHighlight->raise();

    resetLanguage(language);
    styleSpeedSliders();
    styleSpeedPresets();
    showSpeedSummary();
    restyleAllLeds();
    styleBrightnessSlider(shownColor(0));
    moveTitle(s.isMonitor, false);
}

RainbowFan::~RainbowFan()
{
    // The title animation is deleted with the QWidget part, after this
    // object's own part: stopping then, it must not call our slot.
    if (titleAnimation)
        titleAnimation->disconnect(this);
}

QString RainbowFan::imagePath(const QString &name) const
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/") + QStringLiteral("Images/") + name;
}

void RainbowFan::buildNameLists()
{
    colorModeString.clear();
    colorModeString << tr("RGB") << tr("Single") << tr("OFF");
    lightModeString.clear();
    lightModeString << tr("Snake") << tr("Cycle") << tr("Radar") << tr("Blink") << tr("Breath") << tr("Whirl")
                    << tr("Light") << tr("Copy") << tr("Music_1") << tr("Music_2") << tr("Music_3")
                    << tr("Mobile_1") << tr("Mobile_2") << tr("Mobile_3") << tr("Temperature");
    lightSpeedString.clear();
    lightSpeedString << tr("So Fast") << tr("Fast") << tr("Normal") << tr("Slow");
}

QPushButton *RainbowFan::makeButton(const QString &objectName, const QRect &geometry, const char *slot)
{
    auto *button = new QPushButton(this);
    button->setObjectName(objectName);
    button->setGeometry(geometry);
    button->setFocusPolicy(Qt::StrongFocus);
    if (slot)
        connect(button, SIGNAL(released()), this, slot);
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
        setAutoFillBackground(true);
    }
    move(300, 0);
    setAttribute(Qt::WA_MouseTracking);
    setMouseTracking(true);

    btnFanNum = makeButton(QStringLiteral("btn_fanNum"), QRect(60, 14, 200, 20), SLOT(pushMonitor()));
    swapStyle(btnFanNum, QStringLiteral("QPushButton{color:white; font-size:13px; "
                                            "font-weight:bold; border-image: url(")
                             + imagePath(QStringLiteral("top_bar.png")) + QStringLiteral(");}"));
    // The switch rides on the title bar, so it moves with it when the panel
    // opens or closes and stays reachable over the closed cover.
    btnMonitor = new QPushButton(btnFanNum);
    btnMonitor->setObjectName(QStringLiteral("close_Monitor"));
    btnMonitor->setGeometry(180, 3, 14, 14);
    btnMonitor->setFocusPolicy(Qt::StrongFocus);
    connect(btnMonitor, &QPushButton::released, this, &RainbowFan::pushMonitor);

    titleAnimation = new QPropertyAnimation(btnFanNum, "geometry", this);
    titleAnimation->setDuration(200);
    connect(titleAnimation, &QPropertyAnimation::stateChanged, this, &RainbowFan::on_animation_stateChanged);

    curveLabel = makeLabel(this, QRect(11, 156, 301, 44), QString());
    curveLabel->setPixmap(QPixmap(imagePath(QStringLiteral("curve.png"))));
    curveLabel->setScaledContents(true);
    paletteLabel = makeLabel(this, QRect(144, 206, 133, 133),
                             QStringLiteral("border-image: url(") + imagePath(QStringLiteral("palette.png"))
                                 + QStringLiteral(");"));
    // Qt drops a tracking-only move at the first widget without tracking, so
    // the palette tracks too and passes its moves on to the panel.
    paletteLabel->setMouseTracking(true);
    // The wheel is round; its square image's corners are not part of it.
    paletteLabel->setMask(QRegion(0, 0, paletteLabel->width(), paletteLabel->height(), QRegion::Ellipse));

    lblBrightness = makeLabel(this, QRect(22, 382, 115, 14),
                              QStringLiteral("color:#9fb4c9; font-size:10px; font-weight:bold;"),
                              Qt::AlignRight | Qt::AlignVCenter);
    sliderLight = new QSlider(Qt::Horizontal, this);
    sliderLight->setObjectName(QStringLiteral("slider_Light"));
    sliderLight->setGeometry(141, 382, 147, 17);
    sliderLight->setRange(0, 10);
    sliderLight->setSingleStep(1);
    sliderLight->setPageStep(1);
    sliderLight->setValue(10);
    sliderLight->setFocusPolicy(Qt::StrongFocus);
    connect(sliderLight, &QSlider::valueChanged, this, &RainbowFan::changeSliderLight);
}

void RainbowFan::buildMonitorArea()
{
    monitorDisc = makeLabel(this, QRect(27, 40, 126, 126), QString());
    monitorDisc->setPixmap(QPixmap(imagePath(QStringLiteral("View.png"))));
    monitorDisc->setScaledContents(true);
    lblRpmValue = makeLabel(this, QRect(27, 70, 126, 35),
                            QStringLiteral("color:white; font-size:26px; font-weight:bold;"));
    lblRpmValue->setObjectName(QStringLiteral("label_rpm"));
    lblRpmValue->setText(QStringLiteral("0"));
    lblRpm = makeLabel(this, QRect(47, 110, 86, 12), QStringLiteral("color:white; font-size:10px;"));
    lblRpm->setText(QStringLiteral("RPM"));
    rpmBar = makeLabel(this, QRect(47, 126, 86, 3), QString());
    rpmBar->setPixmap(QPixmap(imagePath(QStringLiteral("Viewbar.png"))));
    rpmBar->setScaledContents(true);
    lblSpeedSummary = makeLabel(this, QRect(47, 132, 86, 27),
                                QStringLiteral("color:white; font-size:10px;"));
    lblSpeedSummary->setObjectName(QStringLiteral("label_speedSummary"));
}

void RainbowFan::buildSpeedControls()
{
    btnPerformance = makeButton(QStringLiteral("btn_performance"), QRect(166, 44, 42, 42), SLOT(pushPerformance()));
    btnSilent = makeButton(QStringLiteral("btn_silent"), QRect(216, 44, 42, 42), SLOT(pushSilent()));
    btnPwm = makeButton(QStringLiteral("btn_pwm"), QRect(266, 44, 42, 42), SLOT(pushPWM()));
    btnPwm->setCheckable(true);
    btnPwm->setChecked(true);
    swapStyle(btnPwm, QStringLiteral("QPushButton{color:#02A0EA; font-size:11px; "
                                         "font-weight:bold; border-image: url(")
                          + imagePath(QStringLiteral("Vayla/btn_pwm.png"))
                          + QStringLiteral(");}QPushButton:checked{color:white; border-image: url(")
                          + imagePath(QStringLiteral("Vayla/btn_pwm_h.png")) + QStringLiteral(");}"));

    sliderPer = new QSlider(Qt::Horizontal, this);
    sliderPer->setObjectName(QStringLiteral("slider_FanSpeed_Per"));
    sliderPer->setGeometry(168, 98, 103, 12);
    sliderPer->setRange(0, 5);
    sliderPer->setSingleStep(1);
    sliderPer->setPageStep(1);
    sliderPer->setValue(5);
    sliderPer->setFocusPolicy(Qt::StrongFocus);
    connect(sliderPer, &QSlider::valueChanged, this, &RainbowFan::changeSliderFanSpeedPer);

    sliderNum = new QSlider(Qt::Horizontal, this);
    sliderNum->setObjectName(QStringLiteral("slider_FanSpeed_Num"));
    sliderNum->setGeometry(168, 134, 103, 12);
    sliderNum->setRange(0, 10);
    sliderNum->setSingleStep(1);
    sliderNum->setPageStep(1);
    sliderNum->setValue(10);
    sliderNum->setFocusPolicy(Qt::StrongFocus);
    sliderNum->setEnabled(false);
    connect(sliderNum, &QSlider::valueChanged, this, &RainbowFan::changeSliderFanSpeedNum);

    const QString scale = QStringLiteral("color:#8a9aab; font-size:9px;");
    lblScaleSilent = makeLabel(this, QRect(160, 113, 60, 12), scale, Qt::AlignLeft | Qt::AlignVCenter);
    lblScalePerformance = makeLabel(this, QRect(220, 113, 60, 12), scale, Qt::AlignRight | Qt::AlignVCenter);
    lblScaleZero = makeLabel(this, QRect(160, 150, 60, 12), scale, Qt::AlignLeft | Qt::AlignVCenter);
    lblScaleZero->setText(QStringLiteral("0 %"));
    lblScaleHundred = makeLabel(this, QRect(220, 150, 60, 12), scale, Qt::AlignRight | Qt::AlignVCenter);
    lblScaleHundred->setText(QStringLiteral("100 %"));
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
        const char *leftSlot;
        const char *rightSlot;
        QPushButton **leftButton;
        QPushButton **rightButton;
        QLabel **name;
        QLabel **caption;
        const char *nameObject;
    };
    const Row rows[] = {
        {kLightModeY, "btn_LightModeLeft", "btn_LightModeRight", SLOT(lightModeLeft()), SLOT(lightModeRight()),
         &btnLightModeLeft, &btnLightModeRight, &lblLightModeName, &lblLightModeCaption, "label_lightMode"},
        {kColorModeY, "btn_ColorModeLeft", "btn_ColorModeRight", SLOT(colorModeLeft()), SLOT(colorModeRight()),
         &btnColorModeLeft, &btnColorModeRight, &lblColorModeName, &lblColorModeCaption, "label_colorMode"},
        {kLightSpeedY, "btn_LightSpeedLeft", "btn_LightSpeedRight", SLOT(lightSpeedLeft()), SLOT(lightSpeedRight()),
         &btnLightSpeedLeft, &btnLightSpeedRight, &lblLightSpeedName, &lblLightSpeedCaption, "label_lightSpeed"},
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
    btnDone = makeButton(QStringLiteral("btn_done"), QRect(16, 340, 30, 30), SLOT(pushDone()));
    btnDefault = makeButton(QStringLiteral("btn_default"), QRect(50, 340, 30, 30), SLOT(pushDefault()));
    btnShowColor = makeButton(QStringLiteral("btn_showColor"), QRect(84, 340, 30, 30), SLOT(pushShowColorWidget()));
    for (QPushButton *b : {btnDone, btnDefault, btnShowColor})
        swapStyle(b, edit);

    btnTurnOff = makeButton(QStringLiteral("btn_turnoff"), QRect(284, 176, 25, 28), SLOT(pushTurnOff()));
    btnTurnOff->setCheckable(true);
    swapStyle(btnTurnOff, QStringLiteral("QPushButton{border-image: url(") + imagePath(QStringLiteral("light.png"))
                              + QStringLiteral(");}QPushButton:checked{border-image: url(")
                              + imagePath(QStringLiteral("light_off.png")) + QStringLiteral(");}"));
}

void RainbowFan::buildLedRing()
{
    ledGroup = new QButtonGroup(this);
    ledGroup->setExclusive(false);
    for (int i = 0; i < kLedCount; ++i) {
        auto *b = new LedButton(this);
        b->setObjectName(QString::number(i));
        b->setText(QString::number(i + 1));
        b->setCheckable(true);
        b->setFocusPolicy(Qt::StrongFocus);
        btnLed[i] = b;
        ledGroup->addButton(b, i);
        applyLedGeometry(i);
        connect(b, &QPushButton::clicked, this, &RainbowFan::selectLedBtn);
    }
    connect(ledGroup, QOverload<QAbstractButton *>::of(&QButtonGroup::buttonClicked), this,
            &RainbowFan::onButtonClicked);
}

void RainbowFan::buildCovers()
{
    closedCoverLabel = new CoverLabel(this);
    closedCoverLabel->setObjectName(QStringLiteral("closedCover"));
    closedCoverLabel->setGeometry(0, 0, width(), height());
    closedCoverLabel->setImage(QPixmap(imagePath(QStringLiteral("profile_area_close.png"))));
    closedCoverLabel->hide();
    connect(closedCoverLabel, &CoverLabel::pressed, this, &RainbowFan::pressCover);

    // A stopped fan is marked on its speed read-out only: the speed controls
    // beside it, which may be what makes it turn again, stay in reach.
    warningLabel = makeLabel(this, QRect(27, 40, 126, 126),
                             QStringLiteral("#label_stalled{background-color: rgba(140, 10, 20, 150); border-radius: 63px;}"));
    warningLabel->setObjectName(QStringLiteral("label_stalled"));
    auto *mark = makeLabel(warningLabel, QRect(33, 22, 60, 52), QString());
    mark->setPixmap(QPixmap(imagePath(QStringLiteral("warning.png"))));
    mark->setScaledContents(true);
    warningLabel->hide();

    locationHighlight = makeLabel(this, QRect(0, 0, width(), height()), QString());
    locationHighlight->setPixmap(QPixmap(imagePath(QStringLiteral("profile_area_h.png"))));
    locationHighlight->setScaledContents(true);
    locationHighlight->hide();
}

void RainbowFan::buildColorPopup()
{
    colorCover = makeLabel(this, QRect(0, 0, width(), height()), QString());
    colorCover->setPixmap(QPixmap(imagePath(QStringLiteral("profile_area_h.png"))));
    colorCover->setScaledContents(true);
    colorCover->hide();

    colorWidget = makeLabel(colorCover, QRect(0, (height() - 228) / 2, 322, 228), QString());
    colorWidget->setPixmap(QPixmap(imagePath(QStringLiteral("colorWidget.png"))));
    colorWidget->setScaledContents(true);
    lblColorTitle = makeLabel(colorWidget, QRect(10, 10, 302, 24),
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
        {70, "R", "#ff4040", &editR, &lblR},
        {108, "G", "#40e040", &editG, &lblG},
        {145, "B", "#4c8dff", &editB, &lblB},
    };
    for (const auto &row : rows) {
        *row.label = makeLabel(colorWidget, QRect(30, row.y, 22, 21),
                               QStringLiteral("font-size:14px; font-weight:bold; color:")
                                   + QLatin1String(row.color) + QStringLiteral(";"));
        (*row.label)->setText(QLatin1String(row.name));
        auto *e = new QLineEdit(colorWidget);
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
    btnColorOK = new QPushButton(colorWidget);
    btnColorOK->setObjectName(QStringLiteral("btn_colorLabel_OK"));
    btnColorOK->setGeometry(40, 184, 30, 30);
    swapStyle(btnColorOK, popupButton);
    connect(btnColorOK, &QPushButton::released, this, &RainbowFan::pushChangeColor);
    btnColorCancel = new QPushButton(colorWidget);
    btnColorCancel->setObjectName(QStringLiteral("btn_colorLabel_Cancel"));
    btnColorCancel->setGeometry(84, 184, 30, 30);
    swapStyle(btnColorCancel, popupButton);
    connect(btnColorCancel, &QPushButton::released, this, &RainbowFan::pushHideColorWidget);

    previewRing = makeLabel(colorWidget, QRect(135, 40, 166, 166),
                            QStringLiteral("background-color:white; border-radius:83px;"));
    previewDisc = makeLabel(colorWidget, QRect(146, 51, 144, 144),
                            QStringLiteral("background-color:white; border-radius:72px;"));
}

void RainbowFan::setFanNumber(int fan)
{
    if (fan < 0 || fan >= kRainbowFanCount) {
        qWarning() << "set FanNumber: refused" << fan;
        return;
    }
    s.fanNumber = fan;
    btnFanNum->setText(tr("FAN") + QStringLiteral(" ") + QString::number(fan + 1));
    qCDebug(lcUi) << "set FanNumber:" << fan;
}

void RainbowFan::setFanLocation(int location)
{
    if (location < 0 || location >= kRainbowFanCount) {
        qWarning() << "set fanLocation: refused" << location;
        return;
    }
    s.fanLocation = location;
    setControlsFocusable(location < 3);
    if (location == 3 || location == 4) {
        qCDebug(lcUi) << "Location Background Fan:" << s.fanNumber;
        locationHighlight->show();
        locationHighlight->raise();
    } else {
        locationHighlight->hide();
    }
    update();
    qCDebug(lcUi) << "set fanLocation:" << location;
}

void RainbowFan::setControlsFocusable(bool focusable)
{
    // Tab must not land on the controls of a panel at the back, which lie
    // under the panels in front.
    for (QWidget *w : findChildren<QWidget *>()) {
        if (!qobject_cast<QAbstractButton *>(w) && !qobject_cast<QSlider *>(w) && !qobject_cast<QLineEdit *>(w))
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
    language = lang;
    buildNameLists();
    lblLightModeCaption->setText(tr("Light Mode"));
    lblColorModeCaption->setText(tr("Color Mode"));
    lblLightSpeedCaption->setText(tr("Light Speed"));
    btnPerformance->setText(tr("Perfor-mance").replace(QLatin1Char('-'), QStringLiteral("-\n")));
    btnSilent->setText(tr("Silent"));
    btnPwm->setText(tr("PWM"));
    btnDone->setText(tr("Done"));
    btnDefault->setText(tr("Default"));
    btnShowColor->setText(tr("Color"));
    btnColorOK->setText(tr("OK"));
    btnColorCancel->setText(tr("Cancel"));
    lblBrightness->setText(tr("LED BRIGHTNESS"));
    lblColorTitle->setText(tr("RGB Color Code"));
    lblScaleSilent->setText(tr("Silent"));
    lblScalePerformance->setText(tr("Performance"));
    btnFanNum->setText(tr("FAN") + QStringLiteral(" ") + QString::number(s.fanNumber + 1));
    showNames();
    showSpeedSummary();
    applyTextFonts();
}

int RainbowFan::nameFontPx(const QLabel *label, const QString &text) const
{
    // The name sits on a framed image: keep clear of its rim.
    return TextFit::largestFittingPx(text, TextFit::textWidth(label) - 2, label->height(), kNameFontPx[language],
                                     kMinNameFontPx, false);
}

void RainbowFan::fitSpeedSummary()
{
    fitStyleFont(lblSpeedSummary, 10, 7, 0);
}

void RainbowFan::applyTextFonts()
{
    for (QLabel *caption : {lblLightModeCaption, lblColorModeCaption, lblLightSpeedCaption})
        fitStyleFont(caption, 10, 7, 0);
    for (QPushButton *b : {btnDone, btnDefault, btnShowColor, btnColorOK, btnColorCancel})
        fitStyleFont(b, 9, 6, 0);
    fitStyleFont(btnPwm, 11, 6, 2);
    fitStyleFont(lblBrightness, 10, 7, 0);
    fitStyleFont(lblColorTitle, 14, 8, 2);
    fitStyleFont(lblScaleSilent, 9, 6, 0);
    fitStyleFont(lblScalePerformance, 9, 6, 0);
    fitSpeedSummary();
    // The preset buttons' round images leave less room at the rim.
    presetFontPx = qMin(TextFit::largestFittingPx(btnPerformance->text(), TextFit::textWidth(btnPerformance) - 4,
                                                  btnPerformance->height(), 9, 6, true),
                        TextFit::largestFittingPx(btnSilent->text(), TextFit::textWidth(btnSilent) - 4,
                                                  btnSilent->height(), 9, 6, true));
    styleSpeedPresets();
}

void RainbowFan::applyNameFonts()
{
    const int lm = s.lightMode;
    const bool colorApplies = FanModeRules::colorModeApplies(lm);
    const bool speedApplies = FanModeRules::lightSpeedApplies(lm);
    swapStyle(lblLightModeName, 
        LedStyle::nameLabelStyle(nameFontPx(lblLightModeName, lblLightModeName->text()), true, imagePath(QString())));
    swapStyle(lblColorModeName, LedStyle::nameLabelStyle(nameFontPx(lblColorModeName, lblColorModeName->text()),
                                                             colorApplies, imagePath(QString())));
    swapStyle(lblLightSpeedName, LedStyle::nameLabelStyle(
        nameFontPx(lblLightSpeedName, lblLightSpeedName->text()), speedApplies, imagePath(QString())));
}

QWidget *RainbowFan::closedCover() const { return closedCoverLabel; }
bool RainbowFan::isWarningShown() const { return !warningLabel->isHidden(); }
QSlider *RainbowFan::fanSpeedPerSlider() const { return sliderPer; }
QSlider *RainbowFan::fanSpeedNumSlider() const { return sliderNum; }
QSlider *RainbowFan::brightnessSlider() const { return sliderLight; }
QAbstractButton *RainbowFan::pwmButton() const { return btnPwm; }

void RainbowFan::setRPM(int rpm)
{
    lblRpmValue->setText(QString::number(rpm));
}

void RainbowFan::currentIndex(int index)
{
    Q_UNUSED(index)
}

void RainbowFan::mousePressEvent(QMouseEvent *event)
{
    if (s.fanLocation == 3 || s.fanLocation == 4) {
        // A background panel only asks the main view to turn the carousel.
        emit sendData(ViewMessages::fanCommand(s.fanLocation == 3 ? MessageName::clockwise : MessageName::counterClockwise,
                                               s.fanNumber));
        return;
    }
    if (event->button() == Qt::LeftButton && canPickAt(event->pos()))
        pickColorAt(event->pos());
}

void RainbowFan::mouseMoveEvent(QMouseEvent *event)
{
    if (s.colorMode == ColorMode::Single && canPickAt(event->pos()))
        pickColorAt(event->pos());
}

void RainbowFan::keyPressEvent(QKeyEvent *event)
{
    qCDebug(lcUi) << "keyPressEvent:" << event->key();
}

void RainbowFan::keyReleaseEvent(QKeyEvent *event)
{
    qCDebug(lcUi) << "keyReleaseEvent:" << event->key();
    updatePreviewDisc();
}
