#include "ui/InfoView.h"

#include "common/Logging.h"

#include <QCloseEvent>
#include <QDebug>
#include <QTextEdit>

InfoView::InfoView(QWidget *parent)
    : QWidget(parent)
{
    // A window of its own even when a view owns it.
    if (parent)
        setWindowFlags(windowFlags() | Qt::Window);
    setWindowTitle(QStringLiteral("HWiNFO"));
    setGeometry(100, 100, 500, 500);
    setFixedSize(500, 500);
    m_textEdit = new QTextEdit(this);
    m_textEdit->setGeometry(10, 10, 480, 480);
    hide();
}

void InfoView::appendLine(const QString &line)
{
    m_textEdit->append(line);
}

bool InfoView::handleWindowMessage(unsigned int msgType)
{
    qCDebug(lcUi) << "InfoView----Recv Event msgType:" << msgType;
    if (msgType == kWmDeviceChange) {
        qCDebug(lcUi) << "InfoView--WM_DEVICECHANGE";
        return true;
    }
    if (msgType == kWmClose) {
        qCDebug(lcUi) << "InfoView--WM_CLOSE";
        hide();
        return true;
    }
    return false;
}

void InfoView::closeEvent(QCloseEvent *event)
{
    qCDebug(lcUi) << "InfoView--close:" << "hidden";
    event->ignore();
    hide();
}
