#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

class QNetworkReply;

// Holds one reply of the update service to its limits: a body of at most
// `maxBytes` sent without a content encoding (Qt would inflate a compressed
// one before a byte of it reached the guard), a deadline for the whole
// exchange, redirects only within the scheme of the request. A reply that breaks a limit is aborted and the guard
// keeps the reason. It lives as a child of the reply.
class ReplyGuard : public QObject
{
    Q_OBJECT

public:
    ReplyGuard(QNetworkReply *reply, qint64 maxBytes, int timeoutMs);

    // The guard of a reply, or null when it has none.
    static ReplyGuard *of(QNetworkReply *reply);

    // Empty while the reply keeps to its limits.
    QString refusal() const { return m_refusal; }
    // Everything received, including what the reply still holds.
    QByteArray takeBody();

private:
    void take();
    void checkLength();
    void checkRedirect(const QUrl &target);
    void refuse(const QString &why);

    QNetworkReply *m_reply;
    qint64 m_maxBytes;
    QString m_scheme;
    QByteArray m_body;
    QString m_refusal;
    QTimer m_deadline;
};
