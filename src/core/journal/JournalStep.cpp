#include "journal/JournalStep.h"

#include <QList>

namespace {

struct KindName {
    TStepKind kind;
    const char *name;
    int fields;  // after kind and hash
};

const KindName kKinds[] = {
    {TStepKind::Extract, "extract", 4}, {TStepKind::Move, "move", 2},       {TStepKind::CopyDelete, "copy-delete", 2},
    {TStepKind::Place, "place", 5},     {TStepKind::Convert, "convert", 2}, {TStepKind::Copy, "copy", 2},
    {TStepKind::Pack, "pack", 2},       {TStepKind::Unpack, "unpack", 2},   {TStepKind::Unplace, "unplace", 4},
    {TStepKind::MakeDir, "mkdir", 1},   {TStepKind::RemoveDir, "rmdir", 1},
};

const KindName *kindOf(TStepKind k)
{
    for (const KindName &n : kKinds)
        if (n.kind == k)
            return &n;
    return nullptr;
}

bool isFolderStep(TStepKind k) { return k == TStepKind::MakeDir || k == TStepKind::RemoveDir; }

bool isArchiveStep(TStepKind k) { return k == TStepKind::Extract || k == TStepKind::Place || k == TStepKind::Unplace; }

bool validHash(const QByteArray &h)
{
    if (h.size() != 64)
        return false;
    for (char c : h)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    return true;
}

}  // namespace

QByteArray EscapeField(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    QByteArray out;
    out.reserve(utf8.size());
    for (char c : utf8) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
        }
    }
    return out;
}

QString UnescapeField(const QByteArray &field, bool *ok)
{
    QByteArray out;
    out.reserve(field.size());
    bool good = true;
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char c = field[i];
        if (c != '\\') {
            out += c;
            continue;
        }
        const char n = i + 1 < field.size() ? field[++i] : '\0';
        switch (n) {
        case '\\': out += '\\'; break;
        case 't': out += '\t'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        default: good = false;
        }
    }
    if (ok)
        *ok = good;
    return QString::fromUtf8(out);
}

QByteArray StepLine(const TJournalStep &s)
{
    const KindName *k = kindOf(s.Kind);
    QByteArray line = k->name;
    line += '\t';
    line += isFolderStep(s.Kind) ? QByteArray("-") : s.Hash;
    QList<QByteArray> fields;
    if (isFolderStep(s.Kind)) {
        fields << EscapeField(s.To);
    } else if (isArchiveStep(s.Kind)) {
        fields << EscapeField(s.Archive) << QByteArray::number(s.EntryIndex) << EscapeField(s.StoredName);
        if (s.Kind == TStepKind::Place)
            fields << EscapeField(s.From);
        fields << EscapeField(s.To);
    } else {
        fields << EscapeField(s.From) << EscapeField(s.To);
    }
    for (const QByteArray &f : fields)
        line += '\t' + f;
    return line;
}

bool ParseStepLine(const QByteArray &line, TJournalStep &s)
{
    const QList<QByteArray> parts = line.split('\t');
    const KindName *k = nullptr;
    for (const KindName &n : kKinds)
        if (parts.value(0) == n.name)
            k = &n;
    if (!k || parts.size() != 2 + k->fields)
        return false;
    s = TJournalStep();
    s.Kind = k->kind;
    if (isFolderStep(s.Kind)) {
        if (parts[1] != "-")
            return false;
    } else {
        if (!validHash(parts[1]))
            return false;
        s.Hash = parts[1];
    }
    bool ok = true, all = true;
    const auto field = [&](int i) {
        const QString v = UnescapeField(parts[i], &ok);
        all = all && ok && !v.isEmpty();
        return v;
    };
    if (isFolderStep(s.Kind)) {
        s.To = field(2);
    } else if (isArchiveStep(s.Kind)) {
        s.Archive = field(2);
        s.EntryIndex = parts[3].toLongLong(&ok);
        all = all && ok;
        s.StoredName = field(4);
        if (s.Kind == TStepKind::Place) {
            s.From = field(5);
            s.To = field(6);
        } else {
            s.To = field(5);
        }
    } else {
        s.From = field(2);
        s.To = field(3);
    }
    return all;
}
