// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

// Numbered commands from other local programs (and from a second start of
// this one): (id, wParam, lParam), answered "handled" or "not handled".
// Linux: a local socket in the user's runtime directory (without one, in a
// private folder of the user's own below the temporary folder), one text line
// "ID WPARAM LPARAM" per message and one answer line per message. Windows:
// messages to the window titled "Vayla Zeve RGB", a hidden window of the
// channel's own that feeds them to deliver().
//
// The receiving side never closes its listening socket: at most
// kMaxConnections clients are served at once (a client quiet for
// kGiveWayAfterMs gives way to a new one, otherwise the new one is refused
// with "error: busy"); when no file descriptor is left it stops accepting for
// a moment and tries again. A line longer than kMaxLine is refused whole
// ("error: line too long"). A client may write a batch of any length before
// reading: while its answers wait to be taken, its further lines wait unread,
// so every line is answered and nothing grows without bound.
class CommandChannel : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<bool(int id, int wParam, int lParam)>;
    enum class SendResult {
        Handled,
        NotHandled,
        NoInstance,  // nothing listens: no instance runs
        NoAnswer,    // an instance listens but gave no answer in time (busy, stopped, refused)
    };

    static constexpr int kMaxLine = 128;
    static constexpr int kMaxConnections = 32;
    static constexpr int kGiveWayAfterMs = 1000;
    // How long a sender waits for its answer.
    static constexpr int kAnswerTimeoutMs = 5000;

    explicit CommandChannel(QObject *parent = nullptr);
    ~CommandChannel() override;

    void setHandler(Handler handler) { m_handler = std::move(handler); }
    // Starts receiving; false with *error when the channel cannot be opened.
    bool listen(QString *error);
    // One message, as if it had arrived; true when handled.
    bool deliver(int id, int wParam, int lParam);
    // Clients served right now (0 where messages are not connections).
    int connectionCount() const;

    // Client side: sends one message to the running instance and waits at
    // most timeoutMs for its answer.
    static SendResult send(int id, int wParam, int lParam, QString *error, int timeoutMs = kAnswerTimeoutMs);
    // Where the Linux channel lives.
    static QString address();

    // "0x8101 1 1" → id, wParam, lParam: one to three numbers separated by
    // blanks, each hexadecimal with "0x" or decimal, no sign, at most
    // 0xFFFFFFFF (a 32-bit word, so 0xFFFFFFFF gives -1); missing parameters
    // are 0. False for anything else.
    static bool parseLine(const QString &line, int *id, int *wParam, int *lParam);
    static bool parseNumber(const QString &text, int *value);
    // The line a sender writes for a message (without "\n").
    static QByteArray formatLine(int id, int wParam, int lParam);
    // The answer line for one received line (without "\n").
    QByteArray answerLine(const QByteArray &line);

private:
    struct Listener;  // the platform's receiving side
    std::unique_ptr<Listener> m_listener;
    Handler m_handler;
};
