// SPDX-License-Identifier: GPL-3.0-or-later
// Draws every picture the program loads into <output folder>/Images/...
// Runs at build time without a display: painting needs no window system.
#include "Artwork.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

namespace {

bool writeArtwork(const QDir &root, const Artwork &art)
{
    const QString target = root.filePath(art.path);
    if (!QDir().mkpath(QFileInfo(target).absolutePath())) {
        qWarning("imagegen: cannot create folder for %s", qPrintable(target));
        return false;
    }
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly)) {
        qWarning("imagegen: cannot write %s: %s", qPrintable(target), qPrintable(file.errorString()));
        return false;
    }
    bool ok = true;
    if (!art.bytes.isEmpty())
        ok = file.write(art.bytes) == art.bytes.size();
    else if (!art.image.isNull())
        ok = art.image.save(&file, "PNG");
    else
        ok = false;
    if (!ok || !file.commit()) {
        qWarning("imagegen: failed to store %s", qPrintable(target));
        return false;
    }
    return true;
}

// The build declares the files it expects; a picture missing from either
// side would leave the build rerunning this step or shipping a stale file.
bool matchesExpected(const QVector<Artwork> &all, const QString &listFile)
{
    QFile file(listFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qWarning("imagegen: cannot read %s", qPrintable(listFile));
        return false;
    }
    QStringList expected = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    QStringList drawn;
    for (const Artwork &art : all)
        drawn.append(art.path);
    expected.sort();
    drawn.sort();
    if (expected == drawn)
        return true;
    for (const QString &path : expected)
        if (!drawn.contains(path))
            qWarning("imagegen: expected but not drawn: %s", qPrintable(path));
    for (const QString &path : drawn)
        if (!expected.contains(path))
            qWarning("imagegen: drawn but not expected: %s", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2 && args.size() != 3) {
        QTextStream(stderr) << "usage: " << QFileInfo(args.value(0)).fileName() << " OUTPUT_FOLDER [EXPECTED_LIST]\n";
        return 2;
    }
    QElapsedTimer clock;
    clock.start();

    QVector<Artwork> all;
    all += mainWindowArt();
    all += fanPanelArt();
    all += singleColourFanArt();
    all += keypadArt();
    all += alertArt();
    all += desktopIconArt();

    if (args.size() == 3 && !matchesExpected(all, args.at(2)))
        return 1;

    const QDir root(args.at(1));
    int failures = 0;
    for (const Artwork &art : all)
        if (!writeArtwork(root, art))
            ++failures;
    if (failures) {
        qWarning("imagegen: %d of %d pictures not written", failures, int(all.size()));
        return 1;
    }
    QTextStream(stdout) << "imagegen: " << all.size() << " pictures in " << clock.elapsed() << " ms\n";
    return 0;
}
