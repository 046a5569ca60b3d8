#include "ReplyGuard.h"

#include <QNetworkReply>
#include <QNetworkRequest>

ReplyGuard::ReplyGuard(QNetworkReply *reply, qint64 maxBytes, int timeoutMs)
    : QObject(reply), m_reply(reply), m_maxBytes(maxBytes), m_scheme(reply->request().url().scheme().toLower())
{
    connect(reply, &QNetworkReply::readyRead, this, &ReplyGuard::take);
    connect(reply, &QNetworkReply::metaDataChanged, this, &ReplyGuard::checkLength);
    connect(reply, &QNetworkReply::redirected, this, &ReplyGuard::checkRedirect);
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this,
            [this, timeoutMs] { refuse(QStringLiteral("no complete reply within %1 ms").arg(timeoutMs)); });
    m_deadline.start(timeoutMs);
}

ReplyGuard *ReplyGuard::of(QNetworkReply *reply)
{
    return reply->findChild<ReplyGuard *>(QString(), Qt::FindDirectChildrenOnly);
}

QByteArray ReplyGuard::takeBody()
{
    take();
    return m_refusal.isEmpty() ? m_body : QByteArray();
}

void ReplyGuard::take()
{
    if (!m_refusal.isEmpty())
        return;
    // Never more than one byte past the limit is held.
    m_body += m_reply->read(m_maxBytes + 1 - m_body.size());
    if (m_body.size() > m_maxBytes)
        refuse(QStringLiteral("body longer than %1 bytes").arg(m_maxBytes));
}

void ReplyGuard::checkLength()
{
    // The request asks for the body as it is: a compressed one could be
    // inflated far beyond the bound before a byte of it reached us.
    const QByteArray encoding = m_reply->rawHeader("Content-Encoding").trimmed().toLower();
    if (!encoding.isEmpty() && encoding != "identity") {
        refuse(QStringLiteral("body in %1 encoding").arg(QString::fromLatin1(encoding.left(32))));
        return;
    }
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() > m_maxBytes)
        refuse(QStringLiteral("announced body of %1 bytes").arg(length.toLongLong()));
}

void ReplyGuard::checkRedirect(const QUrl &target)
{
    const QString scheme = target.scheme().toLower();
    if (!scheme.isEmpty() && scheme != m_scheme) {
        refuse(QStringLiteral("redirect from %1 to %2").arg(m_scheme, scheme));
        return;
    }
    emit m_reply->redirectAllowed();
}

void ReplyGuard::refuse(const QString &why)
{
    if (!m_refusal.isEmpty())
        return;
    m_refusal = why;
    m_body.clear();
    m_deadline.stop();
    if (m_reply->isRunning())
        m_reply->abort();
}
