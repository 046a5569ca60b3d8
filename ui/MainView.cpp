// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MainView.h"
#include "viewmsg/MessageNames.h"
#include "viewmsg/ViewMessages.h"
#include "ui/StyleSwap.h"

#include "common/Logging.h"
#include "device/BoxTable.h"
#include "ui/FocusRing.h"
#include "ui/InfoView.h"
#include "ui/RainbowFan.h"
#include "ui/StyleSwap.h"
#include "ui/UiFont.h"
#include "ui/VaylaRGBFanView.h"
#include "ui/WindowPlacement.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDebug>
#include <QFont>
#include <QHostAddress>
#include <QHostInfo>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QNetworkInterface>
#include <QPalette>
#include <QPixmap>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>

using namespace MainViewRules;

namespace {
const char *kFooterNotice = "\u00A9 2026 Aurivent";
const int kVaylaFrameX[kVaylaFanCount] = {20, 349, 678};
}

MainView::MainView(QWidget *parent)
    : QWidget(parent)
    , m_prefix(QCoreApplication::applicationDirPath() + QLatin1Char('/'))
{
    UiFont::apply(m_language);
    buildStyles();
    buildWindow();
    buildVaylaViews();
    buildFanPanels();
    buildFooter();
    buildTopControls();
    buildBoxStrip();
    buildLanguageMenu();
    buildBoxTypeChoice();
    buildNoBoxNotice();
    buildKeypad();
    buildInfo();
    composeLocalAddress();
    setBoxType(m_boxType);
    enableKeyboard();
}

MainView::~MainView()
{
    // A fade still running must not reach panels that are going away.
    for (QPropertyAnimation *fade : m_opacityAnimations) {
        if (fade) {
            fade->disconnect(this);
            fade->stop();
        }
    }
    // The information window is a top-level window of its own.
    delete m_infoView;
}

QString MainView::image(const QString &relative) const
{
    return m_prefix + relative;
}

QPixmap MainView::pixmap(const QString &relative) const
{
    QPixmap picture(image(relative));
    if (picture.isNull())
        qWarning() << "missing image:" << relative;
    return picture;
}

void MainView::setImageLabel(QLabel *label, const QString &relative, bool scaled)
{
    const QPixmap picture = pixmap(relative);
    if (picture.isNull())
        return;
    label->setScaledContents(scaled);
    label->setPixmap(picture);
}

void MainView::buildStyles()
{
    m_profileStyle = profileButtonStyle(m_prefix, profileFontPx(0));
    m_arrowLeftStyle = arrowStyle(m_prefix, true);
    m_arrowRightStyle = arrowStyle(m_prefix, false);
    m_saveStyle = saveButtonStyle(m_prefix);
    m_menuStyle = menuButtonStyle(m_prefix);
    m_boxStyle = boxButtonStyle(m_prefix, BoxLook::Start);
}

void MainView::buildWindow()
{
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setWindowTitle(QStringLiteral("Aurivent"));
    // Placed on its screen when first shown.
    resize(kWindowWidth, kWindowHeight);
    setWindowIcon(QIcon(image(QStringLiteral("Images/logo.ico"))));

    const QPixmap background = pixmap(QStringLiteral("Images/background.png"));
    if (!background.isNull()) {
        QPalette pal = palette();
        const QBrush brush(background.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            pal.setBrush(group, QPalette::Window, brush);
        setPalette(pal);
    }
    setAutoFillBackground(true);
}

void MainView::buildVaylaViews()
{
    for (int i = 0; i < kVaylaFanCount; ++i) {
        QLabel *frame = new QLabel(this);
        frame->setObjectName(QStringLiteral("vaylaFrame%1").arg(i));
        frame->setGeometry(kVaylaFrameX[i], 105, 302, 430);
        QLabel *inner = new QLabel(frame);
        inner->setObjectName(QStringLiteral("vaylaBK"));
        inner->setGeometry(0, 40, 302, 390);
        swapStyle(inner, QStringLiteral("#vaylaBK{background-color: white; border-radius:45px;}"));

        VaylaRGBFanView *view = new VaylaRGBFanView(frame);
        view->setGeometry(0, 0, 302, 430);
        view->setFanNumber(i);
        connect(view, &VaylaRGBFanView::sendData, this, &MainView::receiveVaylaData);
        connect(view, &VaylaRGBFanView::sendRGBData, this, &MainView::receiveVaylaRGBData);
        connect(view, &VaylaRGBFanView::curveRequested, this, [this, i] { openCurveSelector(i); });
        connect(view, &VaylaRGBFanView::graphsRequested, this, [this, i] { emit graphsRequested(m_currentBox, i); });
        connect(view, &VaylaRGBFanView::applyToAllRequested, this, [this, view] { askApplyToAllVayla(view); });
        m_vaylaFrames[i] = frame;
        m_vaylaViews[i] = view;
    }
}

void MainView::buildFooter()
{
    auto footerLabel = [&](const char *name, const QRect &rect, Qt::Alignment align) {
        QLabel *label = new QLabel(this);
        label->setObjectName(QLatin1String(name));
        label->setGeometry(rect);
        label->setStyleSheet(QStringLiteral("color:white; font-size:11px;"));
        label->setAlignment(align | Qt::AlignVCenter);
        return label;
    };
    m_footer = footerLabel("label_footer", QRect(640, 586, 349, 20), Qt::AlignHCenter);
    m_ipLabel = footerLabel("label_ip", QRect(640, 550, 349, 18), Qt::AlignRight);
    // Wider than the old 100 and 80 pixels, which clipped "TEMP:47°C / 116°F"
    // and "V 1.0.5 , F 1.2.3"; the right edge of the footer stays at 989.
    m_temperatureLabel = footerLabel("label_temperature", QRect(690, 568, 140, 18), Qt::AlignLeft);
    m_versionLabel = footerLabel("label_version", QRect(839, 568, 150, 18), Qt::AlignRight);

    updateFooter();
    showTemperature();
    updateVersionLabel();
}

void MainView::showTemperature()
{
    // Without a reading the label says so; it never shows a made-up 0 degrees.
    m_temperatureLabel->setText(m_temperatureKnown ? temperatureText(tr("TEMP"), m_celsius)
                                                   : tr("TEMP") + QStringLiteral(":\u2014"));
    // PWM fans follow this reading: their summaries say what it gives them.
    for (RainbowFan *panel : m_fanPanels)
        panel->setCpuTemperature(m_temperatureKnown, m_celsius);
}

void MainView::buildInfo()
{
    m_infoButton = new QPushButton(tr("Info"), this);
    m_infoButton->setObjectName(QStringLiteral("Info"));
    m_infoButton->setGeometry(200, 570, 40, 20);
    m_infoButton->setFlat(true);
    m_infoButton->setStyleSheet(
        QStringLiteral("QPushButton {color: white; font-size:12px;} QPushButton:pressed{ color: #0080FF;}"));
    connect(m_infoButton, &QPushButton::released, this, &MainView::showInfo);
    buildScriptEntry();

    // A window of its own, not a child: it outlives hiding the main window.
    m_infoView = new InfoView(nullptr);
    m_infoView->hide();
}

void MainView::showInfo()
{
    if (m_infoView->isHidden()) {
        m_infoView->show();
        // Beside the main window, where the eye already is; placed once shown,
        // when its frame is known.
        const QRect available = WindowPlacement::availableArea();
        if (!available.isEmpty())
            m_infoView->move(WindowPlacement::beside(available, frameGeometry(), m_infoView->frameGeometry().size()));
    }
    m_infoView->raise();
    m_infoView->activateWindow();
    emit sendData(ViewMessages::showInfo());
}

void MainView::composeLocalAddress()
{
    m_ipText.clear();
    // Never a bare "IP Address:": the phone's user needs to hear there is none.
    m_ipLabel->setText(tr("IP Address") + QStringLiteral(": ") + tr("none"));
    const QString host = QHostInfo::localHostName();
    const auto addresses = QNetworkInterface::allAddresses();
    for (const QHostAddress &address : addresses) {
        if (address.protocol() != QAbstractSocket::IPv4Protocol || address == QHostAddress(QHostAddress::LocalHost))
            continue;
        m_ipText = host + QLatin1Char(' ') + tr("IP Address") + QLatin1Char(':') + address.toString();
        m_ipLabel->setText(m_ipText);
    }
}

void MainView::updateVersionLabel()
{
    // A firmware version is a box's: none is shown while no box is there.
    QString text = QLatin1String("V ") + m_appVersion;
    if (anyBoxPresent())
        text += QLatin1String(" , F ") + m_firmwareVersion;
    m_versionLabel->setText(text);
}

void MainView::updateFooter()
{
    QString notice = QString::fromUtf8(kFooterNotice);
    if (m_simulated)
        notice += QStringLiteral(" \u2014 ") + tr("simulated boxes");
    m_footer->setText(notice);
}

// --- window events -----------------------------------------------------------

void MainView::mousePressEvent(QMouseEvent *event)
{
    m_pressX = event->pos().x();
    m_pressY = event->pos().y();
    hideLanguageMenu();
}

void MainView::mouseMoveEvent(QMouseEvent *event)
{
    // Only the title strip drags the frameless window.
    if (event->pos().y() < 35 && event->pos().x() < 825)
        move(pos() + event->pos() - QPoint(m_pressX, m_pressY));
}

void MainView::keyPressEvent(QKeyEvent *event)
{
    qCDebug(lcUi) << "keyPressEvent:" << event->key();
    if (isKeypadShown() && typeOnKeypad(event))
        return;
    if (event->key() == Qt::Key_Escape) {
        if (isKeypadShown()) {
            cancelKeypad();
        } else if (!m_languageMenu->isHidden()) {
            hideLanguageMenu();
            m_settingButton->setFocus(Qt::OtherFocusReason);
        } else {
            for (RainbowFan *panel : m_fanPanels) {
                if (panel->isColorPopupShown())
                    panel->pushHideColorWidget();
            }
        }
    }
}

void MainView::keyReleaseEvent(QKeyEvent *event)
{
    qCDebug(lcUi) << "keyReleaseEvent:" << event->key();
}

void MainView::closeEvent(QCloseEvent *event)
{
    // Closing leaves the program in the tray.
    hide();
    event->ignore();
}

void MainView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_placed || event->spontaneous())
        return;
    m_placed = true;
    const QRect available = WindowPlacement::availableArea();
    if (!available.isEmpty())
        move(WindowPlacement::place(available, frameGeometry().size()));
}

bool MainView::handleWindowMessage(unsigned int message, quintptr wParam, qintptr lParam)
{
    Q_UNUSED(wParam);
    if (message != 0x8101)
        return false;
    if (lParam != 0)
        showView();
    return true;
}

// --- the window itself ---------------------------------------------------------

void MainView::showView()
{
    // Shown means shown: a minimised window is brought back too, not only a hidden one.
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void MainView::hideView()
{
    hide();
}

bool MainView::isViewHidden() const
{
    return isHidden();
}
