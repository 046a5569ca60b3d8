// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/AlertView.h"

#include "common/Logging.h"
#include "device/BoxTable.h"
#include "ui/TextFit.h"

#include <QBitmap>
#include <QCoreApplication>
#include <QDebug>
#include <QGuiApplication>
#include <QLabel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

namespace {

// The expected size of the background, used when the image is missing.
constexpr int kDefaultWidth = 428;
constexpr int kDefaultHeight = 248;
// Room kept at the right edge and above the task bar for a hidden program's alert.
constexpr int kCornerMarginX = 20;
constexpr int kCornerMarginY = 50;

QString image(const QString &file)
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Images/") + file;
}

} // namespace

AlertView::AlertView(QWidget *parent)
    : QWidget(parent)
{
    // A window of its own even with a parent, which only owns it. A dialog
    // to the window manager: only a dialog's tie to the main window reaches
    // X (WM_TRANSIENT_FOR), which keeps it above that window.
    setWindowFlags(windowFlags() | Qt::Dialog | Qt::FramelessWindowHint);

    const QPixmap background(image(QStringLiteral("warn_background.png")));
    QSize size(kDefaultWidth, kDefaultHeight);
    if (background.isNull()) {
        qWarning() << "AlertView: background missing:" << image(QStringLiteral("warn_background.png"));
    } else {
        QPalette pal = palette();
        pal.setBrush(backgroundRole(), QBrush(background));
        setPalette(pal);
        setAutoFillBackground(true);
        const QBitmap mask = background.mask();
        if (!mask.isNull())
            setMask(mask);
        size = background.size();
    }
    resize(size);

    // Bottom-right corner, above the task bar.
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect desk = screen->geometry();
        move(desk.width() - size.width() - 20, desk.height() - size.height() - 50);
    }

    auto *ok = new QPushButton(this);
    ok->setObjectName(QStringLiteral("btn_fanAlertOK"));
    ok->setFlat(true);
    ok->setFocusPolicy(Qt::StrongFocus);
    ok->setGeometry(175, 200, 80, 33);
    ok->setStyleSheet(QStringLiteral("QPushButton {color: #02A0EA; font-weight: bold;border-image: url(%1);}"
                                     " QPushButton:pressed{border-image: url(%2);}")
                          .arg(image(QStringLiteral("btn_save.png")), image(QStringLiteral("btn_save_h.png"))));
    m_okText = new QLabel(ok);
    m_okText->setGeometry(0, 0, 80, 33);
    m_okText->setAlignment(Qt::AlignCenter);
    m_okText->setStyleSheet(QStringLiteral("color:white; font-size:16px; font-weight:bold;"));
    m_okText->setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(ok, &QPushButton::released, this, &AlertView::on_pushButton_clicked);

    // Title, box and fans one under the other above the button row.
    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("alertTitle"));
    m_title->setGeometry(10, 96, size.width() - 20, 38);
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setStyleSheet(QStringLiteral("color:red; font-size:34px; font-weight:bold;"));

    m_boxLabel = new QLabel(this);
    m_boxLabel->setObjectName(QStringLiteral("alertBox"));
    m_boxLabel->setGeometry(10, 134, size.width() - 20, 32);
    m_boxLabel->setAlignment(Qt::AlignCenter);
    m_boxLabel->setStyleSheet(QStringLiteral("color:yellow; font-size:26px; font-weight:bold;"));

    m_fanLabel = new QLabel(this);
    m_fanLabel->setObjectName(QStringLiteral("alertFans"));
    m_fanLabel->setGeometry(10, 166, size.width() - 20, 26);
    m_fanLabel->setAlignment(Qt::AlignCenter);
    m_fanLabel->setStyleSheet(QStringLiteral("color:white; font-size:18px; font-weight:bold;"));

    retranslate();
    show();
}

void AlertView::setControllerNumber(int box)
{
    if (box < 0 || box >= kBoxCount) {
        qWarning() << "setControllerNumber: box" << box << "out of 0..15, ignored";
        return;
    }
    m_box = box;
    m_fans.clear();
    retranslate();
}

void AlertView::setStalledFans(const QList<int> &fans)
{
    m_fans.clear();
    for (int fan : fans) {
        if (fan < 0 || fan >= kRainbowFanCount) {
            qWarning() << "setStalledFans: fan" << fan << "out of 0..4, ignored";
            continue;
        }
        m_fans << fan;
    }
    retranslate();
}

void AlertView::setNotAnswering(bool notAnswering)
{
    m_notAnswering = notAnswering;
    retranslate();
}

void AlertView::retranslate()
{
    m_title->setText(tr("Warning"));
    m_okText->setText(tr("OK"));
    // The button's text is drawn by a label on it: a screen reader reads the name.
    if (auto *ok = findChild<QPushButton *>(QStringLiteral("btn_fanAlertOK")))
        ok->setAccessibleName(m_okText->text());
    m_boxLabel->setText(m_box < 0 ? QString() : tr("Controller No. %1").arg(m_box + 1));
    QStringList numbers;
    for (int fan : m_fans)
        numbers << QString::number(fan + 1);
    if (m_notAnswering)
        m_fanLabel->setText(tr("Not answering: its fans are not watched"));
    else if (looksLikeSingleColourBox())
        // Exactly the two fans a three-fan box lacks: most likely the box
        // type, not two stopped fans; say where it is set.
        m_fanLabel->setText(tr("FAN 4, 5 give no speed. A box of three single-colour fans?") + QLatin1Char('\n')
                            + tr("Set it under Settings (gear) > %1")
                                  .arg(QCoreApplication::translate("MainView", "Fans of this box:")
                                           .remove(QLatin1Char(':'))
                                           .remove(QChar(0xFF1A)) // the full-width colon
                                           .trimmed()));
    else
        m_fanLabel->setText(numbers.isEmpty()
                                ? QString()
                                : tr("Stopped: %1").arg(tr("FAN %1").arg(numbers.join(QStringLiteral(", ")))));
    fitTexts();
}

bool AlertView::looksLikeSingleColourBox() const
{
    return !m_notAnswering && m_fans == QList<int>{3, 4};
}

void AlertView::fitTexts()
{
    TextFit::shrinkStyleFont(m_title, 34, 16, 0);
    TextFit::shrinkStyleFont(m_boxLabel, 26, 12, 0);
    // Two lines for the box-type hint, one otherwise.
    const bool hint = looksLikeSingleColourBox();
    m_fanLabel->setGeometry(10, hint ? 164 : 166, width() - 20, hint ? 34 : 26);
    TextFit::shrinkStyleFont(m_fanLabel, hint ? 13 : 18, 9, 0);
    TextFit::shrinkStyleFont(m_okText, 16, 9, 4);
}

QString AlertView::controllerText() const
{
    return m_boxLabel->text();
}

QString AlertView::fanText() const
{
    return m_fanLabel->text();
}

void AlertView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Over the main window, also where no window manager stacks new windows on top.
    raise();
    activateWindow();
    if (auto *ok = findChild<QPushButton *>(QStringLiteral("btn_fanAlertOK")))
        ok->setFocus();
}

void AlertView::showOver(QWidget *owner)
{
    const bool ownerShown = owner && owner->isVisible() && !owner->isMinimized();
    // The native windows must exist before one can be tied to the other.
    winId();
    if (ownerShown)
        owner->winId();
    if (QWindow *window = windowHandle())
        window->setTransientParent(ownerShown ? owner->windowHandle() : nullptr);
    show();
    raise();
    activateWindow();
}

void AlertView::keyPressEvent(QKeyEvent *event)
{
    // Return, Enter and Esc dismiss the alert as OK does.
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
        on_pushButton_clicked();
        return;
    }
    QWidget::keyPressEvent(event);
}

void AlertView::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void AlertView::on_pushButton_clicked()
{
    qCDebug(lcUi) << "close()";
    emit alertViewSendData(QStringLiteral("test"));
    hide();
}

void AlertView::mousePressEvent(QMouseEvent *event)
{
    m_pressPos = event->pos();
    m_dragging = event->pos().y() < kDragLimitY;
}

void AlertView::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging || event->pos().y() >= kDragLimitY)
        return;
    move(pos() + event->pos() - m_pressPos);
}

void AlertView::mouseReleaseEvent(QMouseEvent *)
{
    m_dragging = false;
}

void AlertView::mouseDoubleClickEvent(QMouseEvent *)
{
}

QPoint stallAlertPosition(const QSize &screen, const QSize &alert, bool programHidden)
{
    if (programHidden)
        return QPoint(screen.width() - alert.width() - kCornerMarginX,
                      screen.height() - alert.height() - kCornerMarginY);
    return QPoint((screen.width() - alert.width()) / 2, (screen.height() - alert.height()) / 2);
}
