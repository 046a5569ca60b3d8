// The limits on one reply of the update service, on a reply we drive by hand.

#include "update/ReplyGuard.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSignalSpy>
#include <QtTest>

namespace {

class HandReply : public QNetworkReply
{
public:
    explicit HandReply(const QString &url)
    {
        setRequest(QNetworkRequest(QUrl(url)));
        setUrl(QUrl(url));
        open(QIODevice::ReadOnly);
    }
    void abort() override
    {
        ++aborts;
        setFinished(true);
    }
    void arrive(const QByteArray &bytes)
    {
        m_data += bytes;
        emit readyRead();
    }
    void announce(qint64 length)
    {
        setHeader(QNetworkRequest::ContentLengthHeader, length);
        emit metaDataChanged();
    }
    void redirectTo(const QString &url) { emit redirected(QUrl(url)); }
    void encoding(const QByteArray &name)
    {
        setRawHeader("Content-Encoding", name);
        emit metaDataChanged();
    }
    qint64 bytesAvailable() const override { return m_data.size() + QIODevice::bytesAvailable(); }
    int aborts = 0;

protected:
    qint64 readData(char *to, qint64 max) override
    {
        const qint64 n = qMin<qint64>(max, m_data.size());
        memcpy(to, m_data.constData(), size_t(n));
        m_data.remove(0, int(n));
        return n;
    }

private:
    QByteArray m_data;
};

} // namespace

class TestReplyGuard : public QObject
{
    Q_OBJECT

private slots:
    void redirectsStayWithinTheScheme()
    {
        HandReply same(QStringLiteral("https://update.example/download/getVersionV1"));
        auto *guard = new ReplyGuard(&same, 100, 60000);
        QCOMPARE(ReplyGuard::of(&same), guard);
        QSignalSpy allowed(&same, &QNetworkReply::redirectAllowed);
        same.redirectTo(QStringLiteral("HTTPS://mirror.example/x"));
        same.redirectTo(QStringLiteral("/relative/path"));
        QCOMPARE(allowed.count(), 2);
        QVERIFY(guard->refusal().isEmpty());

        HandReply down(QStringLiteral("https://update.example/download/getVersionV1"));
        ReplyGuard downGuard(&down, 100, 60000);
        QSignalSpy refused(&down, &QNetworkReply::redirectAllowed);
        down.redirectTo(QStringLiteral("http://update.example/x"));
        QCOMPARE(refused.count(), 0);
        QCOMPARE(down.aborts, 1);
        QVERIFY(!downGuard.refusal().isEmpty());

        HandReply up(QStringLiteral("http://update.example/download/getVersionV1"));
        ReplyGuard upGuard(&up, 100, 60000);
        up.redirectTo(QStringLiteral("https://update.example/x"));
        QCOMPARE(up.aborts, 1);
    }

    void theBodyIsHeldToItsLimit()
    {
        HandReply fits(QStringLiteral("https://u.example/"));
        ReplyGuard fitsGuard(&fits, 10, 60000);
        fits.announce(10);
        fits.arrive("01234");
        fits.arrive("56789");
        QCOMPARE(fits.aborts, 0);
        QCOMPARE(fitsGuard.takeBody(), QByteArray("0123456789"));

        HandReply grows(QStringLiteral("https://u.example/"));
        ReplyGuard growsGuard(&grows, 10, 60000);
        grows.arrive("01234");
        grows.arrive("567890");
        QCOMPARE(grows.aborts, 1);
        QVERIFY(growsGuard.refusal().contains(QLatin1String("10 bytes")));
        QCOMPARE(growsGuard.takeBody(), QByteArray());

        // Said in advance: let go before a byte of the body arrives.
        HandReply announced(QStringLiteral("https://u.example/"));
        ReplyGuard announcedGuard(&announced, 10, 60000);
        announced.announce(1 << 20);
        QCOMPARE(announced.aborts, 1);
        QVERIFY(!announcedGuard.refusal().isEmpty());
    }

    void aCompressedBodyIsRefusedBeforeItIsInflated()
    {
        for (const QByteArray &name : {QByteArray("gzip"), QByteArray(" Deflate "), QByteArray("br")}) {
            HandReply compressed(QStringLiteral("https://u.example/"));
            ReplyGuard guard(&compressed, 10, 60000);
            compressed.encoding(name);
            QCOMPARE(compressed.aborts, 1);
            QVERIFY(guard.refusal().contains(QLatin1String("encoding")));
        }
        HandReply plain(QStringLiteral("https://u.example/"));
        ReplyGuard plainGuard(&plain, 10, 60000);
        plain.encoding("identity");
        plain.arrive("{}");
        QCOMPARE(plain.aborts, 0);
        QCOMPARE(plainGuard.takeBody(), QByteArray("{}"));
    }

    void theWholeExchangeHasADeadline()
    {
        HandReply slow(QStringLiteral("https://u.example/"));
        ReplyGuard guard(&slow, 10, 50);
        slow.arrive("0");  // bytes arriving do not push the deadline
        QTRY_COMPARE(slow.aborts, 1);
        QVERIFY(guard.refusal().contains(QLatin1String("50 ms")));
        QCOMPARE(guard.takeBody(), QByteArray());
    }
};

QTEST_GUILESS_MAIN(TestReplyGuard)
#include "test_replyguard.moc"
