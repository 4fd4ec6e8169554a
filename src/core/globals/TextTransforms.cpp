#include "TextTransforms.h"

namespace {
QString RemoveChars(const QString &s, const QString &set)
{
    QString result;
    result.reserve(s.size());
    for (const QChar c : s)
        if (!set.contains(c))
            result.append(c);
    return result;
}
}  // namespace

QString RemovePunctuation(const QString &s)
{
    static const QString punctuation =
        QStringLiteral("!@#$%^&*(){}[]\\/<>\u00AB\u00BB+=\"|?.,;:'\u2026-\u2013\u2014\u00AD~`\u201C\u201D\u2019");
    return RemoveChars(s, punctuation);
}

QString RemoveFileNameChars(const QString &s)
{
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    return RemoveChars(s, forbidden);
}

QString Transliterate(const QString &s)
{
    // Soft sign, yeru, hard sign stand in this order in both lists and in the table.
    static const QString lower = QStringLiteral("абвгдеёжзийклмнопрстуфхцчшщьыъэюя");
    static const QString upper = QStringLiteral("АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЬЫЪЭЮЯ");
    static const char *const latinLower[33] = {"a", "b", "v",  "g",  "d",   "e", "jo", "zh", "z", "i",  "j",
                                               "k", "l", "m",  "n",  "o",   "p", "r",  "s",  "t", "u",  "f",
                                               "h", "c", "ch", "sh", "sch", "'", "y",  "'",  "e", "ju", "ja"};
    static const char *const latinUpper[33] = {"A", "B", "V",  "G",  "D",   "E", "Yo", "Zh", "Z", "I",  "J",
                                               "K", "L", "M",  "N",  "O",   "P", "R",  "S",  "T", "U",  "F",
                                               "H", "C", "Ch", "Sh", "Sch", "'", "Y",  "'",  "E", "Ju", "Ja"};

    QString result;
    result.reserve(s.size() + s.size() / 4);
    for (const QChar c : s) {
        qsizetype pos = lower.indexOf(c);
        if (pos >= 0) {
            result.append(QLatin1String(latinLower[pos]));
            continue;
        }
        pos = upper.indexOf(c);
        if (pos >= 0)
            result.append(QLatin1String(latinUpper[pos]));
        else
            result.append(c);
    }
    return result;
}
