#include "update/UpdateFile.h"

#include "globals/Base64.h"
#include "globals/CodePage.h"
#include "globals/TextFile.h"

#include <QCollator>

QString TextBefore(const QString &separator, const QString &text)
{
    const qsizetype at = text.indexOf(separator);
    return at < 0 ? text : text.left(at);
}

QString TextAfter(const QString &separator, const QString &text)
{
    const qsizetype at = text.indexOf(separator);
    return at < 0 ? QString() : text.mid(at + separator.size());
}

namespace {

// Blanks and control characters at both ends go, as a sorted list's exact match sees them.
QString TrimControls(const QString &s)
{
    qsizetype from = 0, to = s.size();
    while (from < to && s.at(from).unicode() <= ' ')
        ++from;
    while (to > from && s.at(to - 1).unicode() <= ' ')
        --to;
    return s.mid(from, to - from);
}

}  // namespace

int CompareVersions(const QString &own, const QString &published)
{
    if (own == published)
        return 0;
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    // Equal under the collation keeps the order they came in: own first.
    const bool swap = collator.compare(own, published) > 0;
    const QString sorted[2] = {swap ? published : own, swap ? own : published};
    for (int i = 0; i < 2; ++i)
        if (TrimControls(sorted[i]) == published)
            return i + 1;
    return 0;
}

TUpdateAnnouncement ReadUpdateFile(const QByteArray &bytes, const QString &appVersion)
{
    const QStringList lines = TextLines(DecodeCodePage(bytes, TCodePage::Ansi1251));
    const QString line = lines.isEmpty() ? QString() : lines.last();
    TUpdateAnnouncement a;
    a.version = TextBefore(QStringLiteral("|"), line);
    a.text = DecodeCodePage(DecodeBase64(TextAfter(QStringLiteral("|"), line).toLatin1()), TCodePage::Ansi1251);
    a.newer = CompareVersions(appVersion, a.version) == 2;
    return a;
}
