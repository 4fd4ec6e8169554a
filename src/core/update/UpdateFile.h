#pragma once
// The update file on the program's web site and how its last line is read. Only the decision
// lives here; fetching it is the window's business.
//
// The file's last line is "version|announcement", the announcement being Base64 over CP1251
// text. Versions are compared as text, as they always were: a published 1.0.10 is not newer
// than 1.0.2.

#include <QByteArray>
#include <QString>

// Text up to the first `separator` (the whole text without one).
QString TextBefore(const QString &separator, const QString &text);
// Text behind the first `separator` (empty without one).
QString TextAfter(const QString &separator, const QString &text);

// 0 when `published` equals `own`; otherwise the place (1 or 2) of `published` when the two
// are sorted case-insensitively in the user's collation: 2 means newer.
int CompareVersions(const QString &own, const QString &published);

struct TUpdateAnnouncement {
    QString version;  // everything before the first "|" of the last line
    QString text;  // the decoded announcement
    bool newer = false;
};

// Reads the downloaded bytes: only the last line counts, and a file that ends in an empty line
// announces nothing.
TUpdateAnnouncement ReadUpdateFile(const QByteArray &bytes, const QString &appVersion);

// Anything longer is not an update file; the download stops there.
constexpr qint64 kUpdateFileLimit = 8 * 1024;
