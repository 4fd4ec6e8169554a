#include "Pattern.h"

#include "globals/TextTransforms.h"
#include "globals/Trim.h"

namespace {
// Unicode simple upper-casing, one code unit for one: matches found in the upper-cased text
// stand at the same offsets in the original.
QString UpperUnits(const QString &s)
{
    QString result(s.size(), Qt::Uninitialized);
    QChar *out = result.data();
    for (const QChar c : s)
        *out++ = c.toUpper();
    return result;
}

QString FieldValue(qsizetype row, const TBookData &book, const QString &authorText, const QString &letter)
{
    switch (row) {
    case 0: return authorText;
    case 1: return letter;
    case 2: return book.Year;
    case 3: return book.City;
    case 4: return book.Genre;
    case 5: return book.Publisher;
    case 6: return book.FirstName;
    case 7: return book.MiddleName;
    case 8: return book.Sequence;
    case 9: return book.Title;
    case 10: return book.SeqNum;
    case 11: return book.LastName;
    case 12: return book.Lang;
    }
    return {};
}

// Puts each placeholder's value in its place in one pass over the pattern: a value is data and
// is never searched for placeholders again. Replacing one placeholder after another over the
// whole text let a book whose title holds "%last" a thousand times, and whose last name holds
// "%tit", grow the name to gigabytes.
QString ExpandPlaceholders(const QString &text, const TBookData &book, const QString &authorText, const QString &letter)
{
    const auto &words = PatternVocabulary();
    const QString upper = UpperUnits(text);
    std::array<QString, 13> upperPlaceholders;
    for (size_t row = 0; row < words.size(); ++row)
        upperPlaceholders[row] = UpperUnits(words[row].placeholder);

    QString result;
    result.reserve(text.size());
    qsizetype done = 0;
    for (qsizetype at = upper.indexOf(QLatin1Char('%')); at >= 0; at = upper.indexOf(QLatin1Char('%'), at)) {
        qsizetype row = 0;
        while (row < qsizetype(words.size()) && !QStringView(upper).sliced(at).startsWith(upperPlaceholders[row]))
            ++row;
        if (row == qsizetype(words.size())) {
            ++at;
            continue;
        }
        result.append(QStringView(text).sliced(done, at - done)).append(FieldValue(row, book, authorText, letter));
        at += upperPlaceholders[row].size();
        done = at;
    }
    result.append(QStringView(text).sliced(done));
    return result;
}
}  // namespace

const std::array<TPatternWord, 13> &PatternVocabulary()
{
    static const std::array<TPatternWord, 13> words = {{
        {QStringLiteral("Автор"), QStringLiteral("%aut")},
        {QStringLiteral("Алфавит"), QStringLiteral("%alph")},
        {QStringLiteral("Год"), QStringLiteral("%year")},
        {QStringLiteral("Город"), QStringLiteral("%city")},
        {QStringLiteral("Жанр"), QStringLiteral("%gen")},
        {QStringLiteral("Издательство"), QStringLiteral("%pub")},
        {QStringLiteral("Имя"), QStringLiteral("%first")},
        {QStringLiteral("Отчество"), QStringLiteral("%mid")},
        {QStringLiteral("Серия"), QStringLiteral("%seq")},
        {QStringLiteral("Название"), QStringLiteral("%tit")},
        {QStringLiteral("Номер"), QStringLiteral("%num")},
        {QStringLiteral("Фамилия"), QStringLiteral("%last")},
        {QStringLiteral("Язык"), QStringLiteral("%lang")},
    }};
    return words;
}

QString ReplaceIgnoringCase(const QString &text, const QString &from, const QString &to)
{
    if (from.isEmpty())
        return text;
    const QString upperText = UpperUnits(text);
    const QString upperFrom = UpperUnits(from);
    qsizetype at = upperText.indexOf(upperFrom);
    if (at < 0)
        return text;
    QString result;
    result.reserve(text.size() + to.size());
    qsizetype done = 0;
    while (at >= 0) {
        result.append(QStringView(text).sliced(done, at - done)).append(to);
        done = at + from.size();
        at = upperText.indexOf(upperFrom, done);
    }
    result.append(QStringView(text).sliced(done));
    return result;
}

QString ExpandPattern(const TBookData &book, const QString &authorText, int kind, const TAppSettings &settings)
{
    const bool sort = kind == pkSort;
    QString text = sort ? settings.SortPattern : settings.NamePattern;
    const QString letter = sort && !authorText.isEmpty() ? QString(authorText.front()) : QString();

    const auto &words = PatternVocabulary();
    for (const TPatternWord &w : words)
        text = ReplaceIgnoringCase(text, w.word, w.placeholder);
    text = ExpandPlaceholders(text, book, authorText, letter);
    text = ReplaceIgnoringCase(text, QStringLiteral("  "), QStringLiteral(" "));
    return Trim(text);
}

QString ExpandPattern(const TBookData &book, const QString &authorText, int kind)
{
    return ExpandPattern(book, authorText, kind, AppSettings);
}
