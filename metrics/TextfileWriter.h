// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

// Writes the metrics every few seconds to a file that node_exporter's
// textfile collector reads (its folder, a name ending in ".prom"). Each
// write replaces the file in one rename, so the collector never reads half a
// file; stop() removes it, so values of a program that ended are not
// exported as current.
class TextfileWriter : public QObject {
    Q_OBJECT
public:
    TextfileWriter(std::function<QByteArray()> render, const QString &path, int intervalMs, QObject *parent = nullptr);
    ~TextfileWriter() override;

    // False (logged) when the path is not absolute or does not end in ".prom".
    bool start();
    void stop();
    bool writeNow();

signals:
    void written();

private:
    std::function<QByteArray()> m_render;
    QString m_path;
    QTimer m_timer;
    bool m_failing = false;
};
