// SPDX-License-Identifier: GPL-3.0-or-later
// Widget construction, style sheets and per-language fonts of the single-colour
// fan panel. Behaviour lives in VaylaRGBFanView.cpp.
#include "ui/VaylaRGBFanView.h"
#include "ui/StyleSwap.h"

#include "ui/VaylaRGBFanViewStyle.h"

#include <QLabel>
#include <QPushButton>
#include <QSlider>

namespace {

QPushButton *makeButton(QWidget *parent, const QString &name, const QRect &geometry, bool checkable)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setCheckable(checkable);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

QLabel *makeLabel(QWidget *parent, const QString &name, const QRect &geometry, const QString &style,
                  Qt::Alignment alignment = Qt::AlignCenter)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    swapStyle(label, style);
    label->setAlignment(alignment);
    return label;
}

} // namespace

void VaylaRGBFanView::buildWidgets()
{
    using namespace VaylaStyle;
    const int w = kWidth;

    m_monitorSwitch = makeButton(this, QStringLiteral("monitorSwitch"), QRect(w / 3, 10, 20, 20), true);
    swapStyle(m_monitorSwitch, imageButtonStyle(QStringLiteral("btn_closeFan.png"),
                                                    QStringLiteral("btn_openFan.png")));
    connect(m_monitorSwitch, &QPushButton::released, this, &VaylaRGBFanView::pushMonitor);

    m_title = makeLabel(this, QStringLiteral("fanTitle"), QRect(w / 3 + 25, 10, 2 * w / 3 - 25, 20),
                        QStringLiteral("color: white; font-size: 14px;"),
                        Qt::AlignLeft | Qt::AlignVCenter);

    m_performance = makeButton(this, QStringLiteral("Performance"), QRect(173, 52, 55, 55), true);
    m_silent = makeButton(this, QStringLiteral("Silent"), QRect(233, 52, 55, 55), true);
    m_pwm = makeButton(this, QStringLiteral("PWM"), QRect(173, 112, 55, 55), true);
    m_pwm->setText(QStringLiteral("PWM"));
    connect(m_performance, &QPushButton::released, this, &VaylaRGBFanView::pushFanSpeed);
    connect(m_silent, &QPushButton::released, this, &VaylaRGBFanView::pushFanSpeed);
    connect(m_pwm, &QPushButton::released, this, &VaylaRGBFanView::pushPWM);
    m_pwm->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_pwm, &QWidget::customContextMenuRequested, this, &VaylaRGBFanView::curveRequested);

    m_blank = makeLabel(this, QStringLiteral("blank"), QRect(233, 112, 55, 55),
                        QStringLiteral("border-image: url(%1);").arg(vaylaImage(QStringLiteral("btn_blank.png"))));

    m_fanModeLabel = makeLabel(this, QStringLiteral("fanModeLabel"), QRect(173, 176, 115, 20), QString());

    m_speedSlider = new QSlider(Qt::Horizontal, this);
    m_speedSlider->setObjectName(QStringLiteral("slider_RPM_Fan"));
    m_speedSlider->setGeometry(168, 196, 125, 20);
    m_speedSlider->setRange(0, 5);
    m_speedSlider->setSingleStep(1);
    m_speedSlider->setPageStep(1);
    m_speedSlider->setFocusPolicy(Qt::StrongFocus);
    swapStyle(m_speedSlider, speedSliderStyle());
    m_speedSlider->setValue(m_fanSpeed);
    connect(m_speedSlider, &QSlider::valueChanged, this, &VaylaRGBFanView::changeSliderFanSpeed);

    m_silentLabel = makeLabel(this, QStringLiteral("silentLabel"), QRect(168, 216, 60, 20), QString(),
                              Qt::AlignLeft | Qt::AlignVCenter);
    m_performanceLabel = makeLabel(this, QStringLiteral("performanceLabel"), QRect(216, 216, 80, 20),
                                   QString(), Qt::AlignRight | Qt::AlignVCenter);

    m_rgb = makeButton(this, QStringLiteral("RGB"), QRect(173, 246, 55, 55), true);
    m_rgb->setFlat(true);
    swapStyle(m_rgb, imageButtonStyle(QStringLiteral("btn_RGB_Mode.png"),
                                          QStringLiteral("btn_RGB_Mode_h.png")));
    m_off = makeButton(this, QStringLiteral("Off"), QRect(233, 246, 55, 55), true);
    swapStyle(m_off, imageButtonStyle(QStringLiteral("btn_turnOn.png"), QStringLiteral("btn_turnOff.png")));
    m_blink = makeButton(this, QStringLiteral("Blink"), QRect(173, 306, 55, 55), true);
    m_copy = makeButton(this, QStringLiteral("btn_Copy"), QRect(233, 306, 55, 55), false);
    swapStyle(m_copy, imageButtonStyle(QStringLiteral("btn_copyRGB.png"), QString()));
    connect(m_rgb, &QPushButton::released, this, &VaylaRGBFanView::pushLightMode);
    connect(m_blink, &QPushButton::released, this, &VaylaRGBFanView::pushLightMode);
    connect(m_copy, &QPushButton::released, this, &VaylaRGBFanView::pushLightMode);
    connect(m_off, &QPushButton::released, this, &VaylaRGBFanView::pushTurnOff);

    // Under the palette, beside the brightness slider.
    m_applyAll = makeButton(this, QStringLiteral("btn_applyAll"), QRect(33, 398, 100, 26), false);
    swapStyle(m_applyAll, QStringLiteral("QPushButton{background:#1c2430;color:white;border:1px solid #5a6b80;"
                                         "border-radius:4px;font-size:12px;}"
                                         "QPushButton:pressed{background:#0274BE;}"));
    connect(m_applyAll, &QPushButton::clicked, this, &VaylaRGBFanView::applyToAllRequested);

    m_brightnessLabel = makeLabel(this, QStringLiteral("brightnessLabel"), QRect(173, 366, 115, 20), QString());

    m_brightSlider = new QSlider(Qt::Horizontal, this);
    m_brightSlider->setObjectName(QStringLiteral("slider_Light_Fan"));
    m_brightSlider->setGeometry(168, 386, 125, 30);
    m_brightSlider->setRange(0, 100);
    m_brightSlider->setFocusPolicy(Qt::StrongFocus);
    // The first groove colour is the dimmed colour; every colour change rebuilds it.
    m_sliderStyle = brightnessSliderStyle(m_dimR, m_dimG, m_dimB);
    swapStyle(m_brightSlider, m_sliderStyle);
    connect(m_brightSlider, &QSlider::valueChanged, this, &VaylaRGBFanView::changeSliderLight);

    m_palette = makeLabel(this, QStringLiteral("palette"), QRect(kPaletteImageX, kPaletteImageY, 140, 140),
                          QStringLiteral("border-image: url(%1);").arg(vaylaImage(QStringLiteral("palette.png"))));

    m_rpmNumber = makeLabel(this, QStringLiteral("rpmNumber"), QRect(13, 96, 144, 50), QString());
    m_rpmNumber->setText(QStringLiteral("0"));
    m_rpmLabel = makeLabel(this, QStringLiteral("rpmLabel"), QRect(13, 136, 144, 50), QString());
    m_rpmLabel->setText(QStringLiteral("RPM"));
    m_rpmBar = makeLabel(this, QStringLiteral("rpmBar"), QRect(13 + (144 - 75) / 2, 171, 75, 3),
                         QStringLiteral("border-image: url(%1);").arg(vaylaImage(QStringLiteral("rpm_bar.png"))));
    // The read-out opens the fan's graphs; it stays as drawn.
    m_graphs = new QPushButton(this);
    m_graphs->setObjectName(QStringLiteral("btn_graphs"));
    m_graphs->setGeometry(13, 96, 144, 78);
    m_graphs->setFlat(true);
    m_graphs->setFocusPolicy(Qt::NoFocus);
    m_graphs->setCursor(Qt::PointingHandCursor);
    m_graphs->setStyleSheet(QStringLiteral("QPushButton{background:transparent;border:none;}"));
    connect(m_graphs, &QPushButton::clicked, this, &VaylaRGBFanView::graphsRequested);
    // Top-aligned below the bar, so that the two-line summary of the presets clears it.
    m_speedLabel = makeLabel(this, QStringLiteral("speedSummary"), QRect(13, 166, 144, 50), QString(),
                             Qt::AlignHCenter | Qt::AlignTop);
    m_speedLabel->setContentsMargins(0, 11, 0, 0);
    updateReadoutColor();

    // The closed cover lies over every control of the panel body (not over the switch).
    m_closedCover = makeLabel(this, QStringLiteral("closedCover"), QRect(0, 40, 302, 390),
                              QStringLiteral("border-image: url(%1);")
                                  .arg(vaylaImage(QStringLiteral("blankImage_h.png"))));
    m_closedCover->hide();
    // A stopped fan is marked over its read-out only: the speed presets and
    // slider beside it, which may be what makes it turn again, stay in reach.
    m_fanErrorCover = makeLabel(this, QStringLiteral("fanErrorCover"), QRect(6, 46, 158, 204),
                                QStringLiteral("border-image: url(%1);")
                                    .arg(vaylaImage(QStringLiteral("Fan_Error3.png"))));
    m_fanErrorCover->hide();
}

void VaylaRGBFanView::applyButtonFonts(int language)
{
    using namespace VaylaStyle;
    const LanguageFonts fonts = languageFonts(language);
    swapStyle(m_performance, textButtonStyle(QStringLiteral("#E3017F"), QStringLiteral("btn_performance.png"),
                                                 QStringLiteral("btn_performance_h.png"), fonts.button));
    swapStyle(m_silent, textButtonStyle(QStringLiteral("#ACCD04"), QStringLiteral("btn_silent.png"),
                                            QStringLiteral("btn_silent_h.png"), fonts.button));
    swapStyle(m_pwm, textButtonStyle(QStringLiteral("#F8931F"), QStringLiteral("btn_pwm.png"),
                                         QStringLiteral("btn_pwm_h.png"), fonts.button));
    swapStyle(m_blink, textButtonStyle(QStringLiteral("#02A0EA"), QStringLiteral("btn_blink.png"),
                                           QStringLiteral("btn_blink_h.png"), fonts.button));
    const QString caption = captionStyle(fonts.caption);
    swapStyle(m_fanModeLabel, caption);
    swapStyle(m_brightnessLabel, caption);
    const QString end = captionStyle(fonts.sliderEnd);
    swapStyle(m_silentLabel, end);
    swapStyle(m_performanceLabel, end);
}

void VaylaRGBFanView::updateReadoutColor()
{
    // The RPM read-out sits on the colour preview disc: white text, unless the
    // disc is so light that white would vanish on it.
    const QString color = VaylaStyle::readoutTextColor(m_selectR, m_selectG, m_selectB);
    swapStyle(m_rpmNumber, QStringLiteral("color: %1; font-size: 48px;").arg(color));
    swapStyle(m_rpmLabel, QStringLiteral("color: %1; font-size: 14px;").arg(color));
    swapStyle(m_speedLabel, QStringLiteral("color: %1; font-size: 13px;").arg(color));
}

void VaylaRGBFanView::rebuildBrightnessStyle()
{
    m_sliderStyle = VaylaStyle::brightnessSliderStyle(m_selectR, m_selectG, m_selectB);
    swapStyle(m_brightSlider, m_sliderStyle);
}
