#pragma once

#include <QPoint>
#include <QString>
#include <QWidget>

class QLabel;
class QPushButton;

// Frameless warning window raised when a watched fan stops; it names the box
// and is dismissed only by its OK button.
class AlertView : public QWidget {
    Q_OBJECT

public:
    // Presses and moves from this row down belong to the button row, not to dragging.
    static constexpr int kDragLimitY = 180;

    explicit AlertView(QWidget *parent = nullptr);

    void setControllerNumber(int box);
    QString controllerText() const;

signals:
    void alertViewSendData(QString text);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private slots:
    void on_pushButton_clicked();

private:
    QPoint m_pressPos;
    bool m_dragging = false;
    QLabel *m_boxLabel = nullptr;
};
