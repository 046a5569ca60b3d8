#include "ui/AlertView.h"

#include "common/Logging.h"
#include "device/BoxTable.h"

#include <QBitmap>
#include <QCoreApplication>
#include <QDebug>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

namespace {

// The expected size of the background, used when the image is missing.
constexpr int kDefaultWidth = 428;
constexpr int kDefaultHeight = 248;

QString image(const QString &file)
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Images/") + file;
}

QFont boldArial()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(30);
    font.setWeight(75);
    return font;
}

} // namespace

AlertView::AlertView(QWidget *parent)
    : QWidget(parent)
{
    // A window of its own even with a parent, which only owns it.
    setWindowFlags(windowFlags() | Qt::Window | Qt::FramelessWindowHint);

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
    ok->setFocusPolicy(Qt::NoFocus);
    ok->setGeometry(175, 200, 80, 33);
    ok->setStyleSheet(QStringLiteral("QPushButton {color: #02A0EA; font-weight: bold;border-image: url(%1);}"
                                     " QPushButton:pressed{border-image: url(%2);}")
                          .arg(image(QStringLiteral("btn_save.png")), image(QStringLiteral("btn_save_h.png"))));
    auto *okText = new QLabel(QStringLiteral("OK"), ok);
    okText->setGeometry(0, 0, 80, 33);
    okText->setAlignment(Qt::AlignCenter);
    QFont okFont(QStringLiteral("Arial"));
    okFont.setPointSize(12);
    okFont.setWeight(75);
    okText->setFont(okFont);
    okText->setStyleSheet(QStringLiteral("color:white;"));
    okText->setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(ok, &QPushButton::released, this, &AlertView::on_pushButton_clicked);

    auto *title = new QLabel(QStringLiteral("Warning"), this);
    title->setObjectName(QStringLiteral("alertTitle"));
    title->setGeometry(0, 110, size.width(), 45);
    title->setAlignment(Qt::AlignCenter);
    title->setFont(boldArial());
    QPalette red = title->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    title->setPalette(red);

    m_boxLabel = new QLabel(this);
    m_boxLabel->setObjectName(QStringLiteral("alertBox"));
    m_boxLabel->setGeometry(0, 155, size.width(), 45);
    m_boxLabel->setAlignment(Qt::AlignCenter);
    m_boxLabel->setFont(boldArial());
    QPalette yellow = m_boxLabel->palette();
    yellow.setColor(QPalette::WindowText, Qt::yellow);
    m_boxLabel->setPalette(yellow);

    show();
}

void AlertView::setControllerNumber(int box)
{
    if (box < 0 || box >= kBoxCount) {
        qWarning() << "setControllerNumber: box" << box << "out of 0..15, ignored";
        return;
    }
    m_boxLabel->setText(QStringLiteral("Controller No. ") + QString::number(box + 1));
}

QString AlertView::controllerText() const
{
    return m_boxLabel->text();
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
