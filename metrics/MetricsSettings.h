// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/IniHelper.h"

#include <QString>

namespace IniFile {
struct Contents;
}

// Where the metrics go, kept in Metrics.ini in the data folder (a file of its
// own; a missing file or key means the default, which exports nothing):
//
//   [Metrics]  Serve=0  Address=127.0.0.1  Port=9745  Textfile=  TextfileSeconds=15
//
// An address that cannot be read falls back to this computer only: a
// setting that decides who can reach the program fails closed.
struct MetricsSettings {
    bool serve = false;
    QString address = QStringLiteral("127.0.0.1");
    int port = 9745;
    QString textfile;        // absolute path ending in ".prom"; empty: none
    int textfileSeconds = 15;
};

namespace MetricsSettingsFile {

QString path(); // <data folder>/Metrics.ini

MetricsSettings parse(const IniFile::Contents &contents);
GroupMap groups(const MetricsSettings &settings);

MetricsSettings read(const QString &file = path());
bool write(const MetricsSettings &settings, const QString &file = path());

}
