#include "Version.h"

#include <QCoreApplication>
#include <QFile>

namespace {
// The record that GetFileVersionString finds in every executable that links it. Its tag is
// kept in the file only here: the reader builds it at run time from kShiftedTag, so the search
// never stops at its own copy.
[[gnu::used]] const char kVersionRecord[] = "\x01OrvaneFileVersion=" ORVANE_VERSION "\x02";
const char kShiftedTag[] = "\x02PswbofGjmfWfstjpo>";  // each byte one above the tag's
constexpr qsizetype kMaxVersionLength = 64;

QString g_appVersion;

QByteArray Tag()
{
    QByteArray tag(kShiftedTag);
    for (char &c : tag)
        --c;
    return tag;
}
}  // namespace

const QString &AppVersion = g_appVersion;

QString GetFileVersionString(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0)
        return {};
    const uchar *mapped = file.map(0, file.size());
    QByteArray read;
    QByteArrayView bytes;
    if (mapped) {
        bytes = QByteArrayView(mapped, file.size());
    } else {
        read = file.readAll();
        bytes = read;
    }
    // Skip look-alikes (data that happens to hold the tag): a version is a short printable text.
    const QByteArray tag = Tag();
    for (qsizetype at = bytes.indexOf(tag); at >= 0; at = bytes.indexOf(tag, at + 1)) {
        const QByteArrayView rest = bytes.sliced(at + tag.size());
        qsizetype n = 0;
        while (n < rest.size() && n <= kMaxVersionLength && rest[n] > ' ' && rest[n] < 0x7F)
            ++n;
        if (n > 0 && n <= kMaxVersionLength && n < rest.size() && rest[n] == '\x02')
            return QString::fromLatin1(rest.first(n));
    }
    return {};
}

void LoadAppVersion() { g_appVersion = GetFileVersionString(QCoreApplication::applicationFilePath()); }
