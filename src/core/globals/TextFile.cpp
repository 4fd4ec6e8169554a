#include "globals/TextFile.h"

#include "globals/CodePage.h"
#include "globals/Errors.h"
#include "globals/ScratchFile.h"

#include <cstring>

namespace {

// Windows-1251 bytes of a line; a character without a byte becomes "?".
QByteArray AnsiBytes(QStringView line)
{
    if (std::optional<QByteArray> bytes = EncodeCodePage(line, TCodePage::Ansi1251))
        return *bytes;
    QByteArray out;
    out.reserve(line.size());
    for (qsizetype i = 0; i < line.size(); ++i) {
        const qsizetype length = line[i].isHighSurrogate() && i + 1 < line.size() ? 2 : 1;
        const std::optional<QByteArray> one = EncodeCodePage(line.mid(i, length), TCodePage::Ansi1251);
        out += one ? *one : QByteArray("?");
        i += length - 1;
    }
    return out;
}

// The mark goes in first: put in front afterwards, it would move the whole text once more.
QByteArray CrLfLinesAfter(QByteArrayView head, QByteArrayView text)
{
    QByteArray data;
    data.reserve(head.size() + text.size() + text.size() / 32 + 16);
    data.append(head);
    const char *p = text.data();
    const char *const end = p + text.size();
    while (p < end) {
        const char *stop = p;
        while (stop < end && *stop != '\r' && *stop != '\n')
            ++stop;
        data.append(p, stop - p);
        data += "\r\n";
        if (stop < end && *stop == '\r' && stop + 1 < end && stop[1] == '\n')
            ++stop;
        p = stop + 1;
    }
    return data;
}

}  // namespace

QStringList TextLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines << text.mid(start, i - start);
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines << text.mid(start);
    return lines;
}

QByteArray TextLinesData(const QString &text, TTextEncoding encoding)
{
    QByteArray data;
    if (encoding == TTextEncoding::Utf8Bom)
        data = "\xEF\xBB\xBF";
    data.reserve(text.size() * (encoding == TTextEncoding::Utf8Bom ? 2 : 1) + 16);
    for (const QString &line : TextLines(text)) {
        data += encoding == TTextEncoding::Utf8Bom ? line.toUtf8() : AnsiBytes(line);
        data += "\r\n";
    }
    return data;
}

QByteArray Utf8TextLinesData(const QByteArray &utf8) { return CrLfLinesAfter("\xEF\xBB\xBF", utf8); }

QByteArray CrLfLines(QByteArrayView text) { return CrLfLinesAfter({}, text); }

QString CannotCreateFile(const QString &path, const QString &reason)
{
    return QStringLiteral("Cannot create file \"%1\". %2").arg(path, reason);
}

QString CannotCreateFile(const QString &path, int error)
{
    return CannotCreateFile(path, QString::fromLocal8Bit(std::strerror(error)));
}

void SaveFileData(const QString &path, const QByteArray &data, bool flushNew)
{
    if (const int e = WriteFileReplacing(path, data, false, flushNew))
        throw EOrvane(CannotCreateFile(path, e));
}

void SaveTextLines(const QString &path, const QString &text, TTextEncoding encoding)
{
    SaveFileData(path, TextLinesData(text, encoding));
}
