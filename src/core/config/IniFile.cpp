#include "IniFile.h"

#include "IniCodec.h"
#include "globals/Errors.h"
#include "globals/RegularFile.h"
#include "globals/ScratchFile.h"

#include <QFile>
#include <QFileInfo>
#include <optional>

namespace {
// The value buffer of the profile functions held 2048 characters with the terminating zero.
constexpr qsizetype kMaxValueLength = 2047;
constexpr qint64 kMaxIniFile = 1 << 20;

bool IsBlank(QChar c)
{
    const char16_t u = c.unicode();
    return u == u' ' || u == u'\t' || u == u'\r' || u == u'\n' || u == u'\v' || u == u'\f' || u == 0x1A;
}

QStringView TrimBlanks(QStringView s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && IsBlank(s[b]))
        ++b;
    while (e > b && IsBlank(s[e - 1]))
        --e;
    return s.sliced(b, e - b);
}

bool SameName(QStringView a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

enum class ELineKind { Blank, Section, Key };

struct TIniLine {
    qsizetype start = 0;  // offset of the line in the text
    qsizetype end = 0;  // offset of its terminator (or of the end of the text)
    qsizetype next = 0;  // offset of the next line
    ELineKind kind = ELineKind::Blank;
    QStringView content;  // the line without its surrounding blanks
    QStringView name;  // section or key name, trimmed
    QStringView value;  // raw value text, trimmed
};

// Walks the lines of an INI text one at a time.
class TIniLines {
public:
    explicit TIniLines(const QString &text) : m_text(text) {}
    bool Next(TIniLine &line)
    {
        if (m_pos >= m_text.size())
            return false;
        line.start = m_pos;
        qsizetype nl = m_text.indexOf(u'\n', m_pos);
        line.end = nl < 0 ? m_text.size() : nl;
        line.next = nl < 0 ? m_text.size() : nl + 1;
        m_pos = line.next;
        Parse(QStringView(m_text).sliced(line.start, line.end - line.start), line);
        return true;
    }

private:
    static void Parse(QStringView raw, TIniLine &line)
    {
        const QStringView s = TrimBlanks(raw);
        line.content = s;
        line.name = line.value = QStringView();
        if (s.isEmpty()) {
            line.kind = ELineKind::Blank;
        } else if (s.front() == u'[') {
            line.kind = ELineKind::Section;
            const qsizetype close = s.indexOf(u']');
            line.name = TrimBlanks(s.sliced(1, (close < 0 ? s.size() : close) - 1));
        } else {
            line.kind = ELineKind::Key;
            const qsizetype eq = s.indexOf(u'=');
            line.name = TrimBlanks(eq < 0 ? s : s.first(eq));
            if (eq >= 0)
                line.value = TrimBlanks(s.sliced(eq + 1));
        }
    }

    const QString &m_text;
    qsizetype m_pos = 0;
};

QString CleanValue(QStringView raw)
{
    if (raw.size() >= 2 && (raw.front() == u'"' || raw.front() == u'\'') && raw.back() == raw.front())
        raw = raw.sliced(1, raw.size() - 2);
    if (raw.size() > kMaxValueLength) {
        raw = raw.first(kMaxValueLength);
        if (raw.back().isHighSurrogate())
            raw.chop(1);
    }
    return raw.toString();
}

// The file's text, or nothing when it does not exist or cannot be read (a FIFO or a device
// under the name, a file far larger than any settings: every key read loads the whole file).
std::optional<TIniText> LoadText(const QString &fileName, QString *why = nullptr)
{
    QByteArray bytes;
    QString reason;
    if (!ReadRegularFile(fileName, kMaxIniFile, bytes, reason)) {
        if (why)
            *why = reason;
        return std::nullopt;
    }
    return DecodeIniText(bytes);
}

// Calls visit(line) for each key line of the first section of that name, until it returns true.
template <typename Visit> void ForEachKey(const QString &text, const QString &section, Visit visit)
{
    TIniLines lines(text);
    TIniLine line;
    bool inSection = false;
    while (lines.Next(line)) {
        if (line.kind == ELineKind::Section) {
            if (inSection)
                return;
            inSection = SameName(line.name, section);
        } else if (inSection && line.kind == ELineKind::Key && visit(line)) {
            return;
        }
    }
}

QString LineBreakOf(const QString &text)
{
    const qsizetype nl = text.indexOf(u'\n');
    return nl > 0 && text[nl - 1] == u'\r' ? QStringLiteral("\r\n") : QStringLiteral("\n");
}

// Folds the line breaks of a value to spaces: a value must stay on its own line.
QString SingleLine(QString value)
{
    value.replace(u'\r', u' ');
    value.replace(u'\n', u' ');
    return value;
}

void Save(const QString &fileName, const QByteArray &bytes)
{
    if (WriteFileReplacing(fileName, bytes) != 0)
        throw EOrvane(QStringLiteral("Unable to write to %1").arg(fileName));
}
}  // namespace

QString TIniFile::ReadString(const QString &section, const QString &key, const QString &defaultValue) const
{
    const std::optional<TIniText> ini = LoadText(m_fileName);
    if (!ini)
        return defaultValue;
    std::optional<QString> found;
    ForEachKey(ini->text, section, [&](const TIniLine &line) {
        if (!SameName(line.name, key))
            return false;
        found = CleanValue(line.value);
        return true;
    });
    return found.value_or(defaultValue);
}

int TIniFile::ReadInteger(const QString &section, const QString &key, int defaultValue) const
{
    return IniTextToInt(ReadString(section, key, QString()), defaultValue);
}

bool TIniFile::ReadBool(const QString &section, const QString &key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

QList<std::pair<QString, QString>> TIniFile::ReadSection(const QString &section) const
{
    QList<std::pair<QString, QString>> result;
    if (const std::optional<TIniText> ini = LoadText(m_fileName)) {
        ForEachKey(ini->text, section, [&](const TIniLine &line) {
            result.append({line.name.toString(), CleanValue(line.value)});
            return false;
        });
    }
    return result;
}

QString TIniFile::ReadProblem() const
{
    QString why;
    if (!QFileInfo::exists(m_fileName) && !QFileInfo(m_fileName).isSymLink())
        return QString();
    LoadText(m_fileName, &why);
    return why;
}

bool TIniFile::HoldsIniText() const
{
    const std::optional<TIniText> ini = LoadText(m_fileName);
    if (!ini)
        return true;
    // Text files hold no control characters but line ends, tabs and the old end-of-file mark.
    for (const QChar c : ini->text) {
        const char16_t u = c.unicode();
        if (u < 0x20 && u != u'\t' && u != u'\r' && u != u'\n' && u != u'\f' && u != 0x1A)
            return false;
    }
    TIniLines lines(ini->text);
    TIniLine line;
    bool anyKey = false;
    while (lines.Next(line)) {
        if (line.kind == ELineKind::Section)
            return true;
        anyKey = anyKey || line.kind == ELineKind::Key;
    }
    return !anyKey;
}

void TIniFile::WriteString(const QString &section, const QString &key, const QString &value) const
{
    TIniText ini;
    if (QFile::exists(m_fileName)) {
        std::optional<TIniText> loaded = LoadText(m_fileName);
        if (!loaded)  // never replace a file whose other lines we could not read
            throw EOrvane(QStringLiteral("Unable to write to %1").arg(m_fileName));
        ini = std::move(*loaded);
    }
    QString &text = ini.text;
    const QString eol = LineBreakOf(text);
    const QString keyLine = key + u'=' + SingleLine(value);

    TIniLines lines(text);
    TIniLine line;
    std::optional<TIniLine> sectionLast;  // last non-blank line of the section
    std::optional<TIniLine> keyFound;
    while (!keyFound && lines.Next(line)) {
        if (line.kind == ELineKind::Section) {
            if (sectionLast)
                break;
            if (SameName(line.name, section))
                sectionLast = line;
        } else if (sectionLast && line.kind == ELineKind::Key) {
            sectionLast = line;
            if (SameName(line.name, key))
                keyFound = line;
        }
    }

    if (keyFound) {
        if (keyFound->value == SingleLine(value))
            return;  // unchanged: nothing to write
        // Keep the indentation, the spelling of the key and the line break as the file has them.
        const qsizetype from = keyFound->content.data() - text.constData();
        text.replace(from, keyFound->content.size(), keyFound->name.toString() + u'=' + SingleLine(value));
    } else if (sectionLast) {
        QString insert = keyLine + eol;
        if (sectionLast->next == sectionLast->end)  // the last line of the file has no break
            insert.prepend(eol);
        text.insert(sectionLast->next, insert);
    } else {
        if (!text.isEmpty() && !text.endsWith(u'\n'))
            text += eol;
        text += u'[' + section + u']' + eol + keyLine + eol;
    }
    Save(m_fileName, EncodeIniText(ini));
}

void TIniFile::WriteInteger(const QString &section, const QString &key, int value) const
{
    WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(const QString &section, const QString &key, bool value) const
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

int IniTextToInt(const QString &text, int defaultValue)
{
    QStringView s(text);
    bool negative = false;
    if (!s.isEmpty() && (s.front() == u'-' || s.front() == u'+')) {
        negative = s.front() == u'-';
        s = s.sliced(1);
    }
    int base = 10;
    if (s.startsWith(u'$')) {
        base = 16;
        s = s.sliced(1);
    } else if (s.startsWith(u"0x") || s.startsWith(u"0X")) {
        base = 16;
        s = s.sliced(2);
    }
    if (s.isEmpty())
        return defaultValue;
    // Hexadecimal covers the 32 bits (0xFFFFFFFF is -1), decimal the signed range.
    const quint64 limit = base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    quint64 n = 0;
    for (const QChar c : s) {
        const char16_t u = c.unicode();
        int d = -1;
        if (u >= u'0' && u <= u'9')
            d = u - u'0';
        else if (base == 16 && u >= u'a' && u <= u'f')
            d = u - u'a' + 10;
        else if (base == 16 && u >= u'A' && u <= u'F')
            d = u - u'A' + 10;
        if (d < 0)
            return defaultValue;
        n = n * base + d;
        if (n > limit)
            return defaultValue;
    }
    const auto bits = static_cast<quint32>(n);
    return static_cast<qint32>(negative ? 0u - bits : bits);
}
