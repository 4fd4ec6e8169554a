#include "run/RunReport.h"

#include "globals/Errors.h"
#include "globals/ScratchFile.h"
#include "globals/TextFile.h"
#include "validate/ValidateBook.h"

#include <QStringList>

namespace {

QString FirstLine(const QString &text)
{
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const QString t = line.trimmed();
        if (!t.isEmpty())
            return t;
    }
    return QString();
}

// A reason given in several lines (a failed move or packing) reads as one sentence.
QString OneLine(const QString &text)
{
    QStringList parts;
    for (const QString &line : text.split(QLatin1Char('\n')))
        if (const QString t = line.trimmed(); !t.isEmpty())
            parts << t;
    return parts.join(QLatin1Char(' '));
}

QString Field(QString text)
{
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    text.replace(QLatin1Char('\t'), QLatin1String("\\t"));
    text.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    text.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    return text;
}

}  // namespace

int TRunReport::Count(TRowOutcome outcome) const
{
    int n = 0;
    for (const TRowReport &r : Rows)
        n += r.Outcome == outcome;
    return n;
}

QString NotReachedCancelled() { return QStringLiteral("Обработка прервана"); }

QString NotReachedAfterError() { return QStringLiteral("Обработка остановлена ошибкой"); }

QString RowSource(const TListEntry &entry)
{
    if (entry.ArchivePath.isEmpty())
        return entry.FileDir + entry.FileName;
    return entry.ArchivePath + QLatin1Char('/') + entry.StoredPath + entry.FileName;
}

QString OutcomeWord(TRowOutcome outcome)
{
    switch (outcome) {
    case TRowOutcome::Placed: return QStringLiteral("placed");
    case TRowOutcome::Invalid: return QStringLiteral("invalid");
    case TRowOutcome::NotPlaced: return QStringLiteral("not-placed");
    case TRowOutcome::Error: return QStringLiteral("error");
    case TRowOutcome::NotReached: return QStringLiteral("not-reached");
    }
    return QString();
}

QString OutcomeName(TRowOutcome outcome)
{
    switch (outcome) {
    case TRowOutcome::Placed: return QStringLiteral("Размещена");
    case TRowOutcome::Invalid: return QStringLiteral("Не прошла проверку");
    case TRowOutcome::NotPlaced: return QStringLiteral("Не размещена");
    case TRowOutcome::Error: return QStringLiteral("Ошибка");
    case TRowOutcome::NotReached: return QStringLiteral("Не обработана");
    }
    return QString();
}

QString RowReportDetail(const TRowReport &row)
{
    switch (row.Outcome) {
    case TRowOutcome::Placed: return row.OutputPath;
    case TRowOutcome::Invalid: return ValidationErrorLine(row.Message);
    case TRowOutcome::Error: return FirstLine(row.Message);
    case TRowOutcome::NotPlaced:
    case TRowOutcome::NotReached: return OneLine(row.Message);
    }
    return QString();
}

QString PlanOutcomeName(TRowOutcome outcome)
{
    switch (outcome) {
    case TRowOutcome::Placed: return QStringLiteral("Будет размещена");
    case TRowOutcome::Invalid: return QStringLiteral("Не пройдёт проверку");
    case TRowOutcome::NotPlaced: return QStringLiteral("Не будет размещена");
    case TRowOutcome::Error: return QStringLiteral("Ошибка");
    case TRowOutcome::NotReached: return QStringLiteral("Не проверена");
    }
    return QString();
}

QString PlanRowDetail(const TRowReport &row)
{
    if (row.Outcome == TRowOutcome::Invalid && !row.OutputPath.isEmpty())
        return RowReportDetail(row) + QStringLiteral(" → ") + row.OutputPath;
    return RowReportDetail(row);
}

QByteArray RunReportData(const TRunReport &report)
{
    QByteArray data;
    for (const TRowReport &r : report.Rows) {
        data += (Field(RowSource(r.Entry)) + QLatin1Char('\t') + OutcomeWord(r.Outcome) + QLatin1Char('\t')
                 + Field(RowReportDetail(r)) + QLatin1Char('\n'))
                    .toUtf8();
    }
    return data;
}

void WriteRunReport(const QString &path, const TRunReport &report)
{
    if (const int e = WriteFileReplacing(path, RunReportData(report)))
        throw EOrvane(CannotCreateFile(path, e));
}
