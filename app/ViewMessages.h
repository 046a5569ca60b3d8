#pragma once

#include <QStringList>

// Reading view messages: a QStringList whose item 0 names the command and
// whose further items are decimal text. Items are read by position; a message
// too short for what its command reads is refused.
class ViewMessage {
public:
    explicit ViewMessage(const QStringList &items) : m_items(items) {}

    QString name() const { return m_items.value(0); }
    int size() const { return m_items.size(); }
    // Item 1 as the fan (or box, profile, language) number; 0 when absent.
    int target() const { return m_items.size() > 1 ? m_items.at(1).toInt() : 0; }
    bool has(int items) const { return m_items.size() >= items; }
    int intAt(int i) const { return m_items.value(i).toInt(); }
    bool flagAt(int i) const { return intAt(i) != 0; }
    float floatAt(int i) const { return m_items.value(i).toFloat(); }
    QString textAt(int i) const { return m_items.value(i); }
    const QStringList &items() const { return m_items; }

private:
    QStringList m_items;
};

// Building view messages, as the views send them.
namespace ViewMessages {
QStringList fanCommand(const QString &name, int fan);
QStringList fanValue(const QString &name, int fan, int value);
// "btn_done", "btn_music", "btn_copy", "btn_turnoff", "btn_turnon": light mode, light speed, colour mode.
QStringList fanLook(const QString &name, int fan, int lightMode, int lightSpeed, int colorMode);
// "btn_default" carries colour mode before light speed.
QStringList fanDefault(int fan, int lightMode, int colorMode, int lightSpeed);
QStringList sliderLight(int fan, int lightMode, int lightSpeed, int colorMode, const float *bright13);
QStringList command(const QString &name, const QString &value);
// The thirteen brightness factors joined by ",", each 'g' 6.
QString brightnessText(const float *bright13);
}
