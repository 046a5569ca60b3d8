#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QLocalServer;

// Numbered commands from other local programs (and from a second start of
// this one): (id, wParam, lParam), answered "handled" or "not handled"
// synchronously. Linux: a local socket in the user's runtime directory, one
// text line "ID WPARAM LPARAM" per message. Windows: messages to the window
// titled "Vayla Zeve RGB", fed to deliver() by its nativeEvent hook.
class CommandChannel : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<bool(int id, int wParam, int lParam)>;
    enum class SendResult { Handled, NotHandled, NoInstance };

    explicit CommandChannel(QObject *parent = nullptr);
    ~CommandChannel() override;

    void setHandler(Handler handler) { m_handler = std::move(handler); }
    // Starts receiving; false with *error when the channel cannot be opened.
    bool listen(QString *error);
    // One message, as if it had arrived; true when handled.
    bool deliver(int id, int wParam, int lParam);

    // Client side: sends one message to the running instance.
    static SendResult send(int id, int wParam, int lParam, QString *error);
    // Where the Linux channel lives.
    static QString address();

    // "0x8101 1 1" → id, wParam, lParam (numbers in hex with 0x, or decimal;
    // missing parameters are 0). False for anything else.
    static bool parseLine(const QString &line, int *id, int *wParam, int *lParam);
    static bool parseNumber(const QString &text, int *value);

private:
    void readMessages(class QLocalSocket *socket);

    Handler m_handler;
    QLocalServer *m_server = nullptr;
};
