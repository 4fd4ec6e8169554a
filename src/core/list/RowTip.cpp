#include "list/RowTip.h"

#include "run/RunReport.h"

#include <QLocale>
#include <QStringList>

namespace {

// Russian plural of "байт": 1, 21 байт; 2-4, 22-24 байта; 5-20, 25-30 байт.
QString Bytes(qint64 n)
{
    const qint64 tens = n % 100, ones = n % 10;
    const bool few = ones >= 2 && ones <= 4 && !(tens >= 12 && tens <= 14);
    return QStringLiteral("%1 %2").arg(n).arg(few ? QStringLiteral("байта") : QStringLiteral("байт"));
}

QString OutcomeLines(const TListRow &row)
{
    const QString label = OutcomeName(*row.Outcome) + QLatin1Char(':');
    const QChar gap = row.OutcomeText.contains(QLatin1Char('\n')) ? QLatin1Char('\n') : QLatin1Char(' ');
    return label + gap + row.OutcomeText;
}

}  // namespace

QString ReadableSize(qint64 bytes)
{
    if (bytes < 1024)
        return Bytes(qMax<qint64>(0, bytes));
    static const char *const units[] = {"КБ", "МБ", "ГБ", "ТБ"};
    double value = double(bytes) / 1024;
    int unit = 0;
    while (value >= 1024 && unit < 3) {
        value /= 1024;
        ++unit;
    }
    // Rounding may reach the next unit: 1023,96 КБ is shown as 1,0 МБ, not as 1024 КБ.
    if (value >= 1023.5 && unit < 3) {
        value /= 1024;
        ++unit;
    }
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    const QString number = value < 9.95 ? russian.toString(value, 'f', 1) : QString::number(qRound64(value));
    return number + QChar(0x00A0) + QString::fromUtf8(units[unit]);
}

QString RowOutcomeText(TRowOutcome outcome, const QString &outputPath, const QString &message)
{
    if (outcome == TRowOutcome::Placed)
        return outputPath;
    // A validator's text is a few lines ending in CR LF; a hostile book must not make a tooltip
    // of a screen's height or width.
    const int maxLines = 6, maxWidth = 200;
    QStringList lines;
    for (QString line : message.split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.isEmpty())
            continue;
        if (lines.size() == maxLines) {
            lines.last() = QStringLiteral("…");
            break;
        }
        lines << (line.size() > maxWidth ? line.left(maxWidth - 1) + QStringLiteral("…") : line);
    }
    return lines.join(QLatin1Char('\n'));
}

QString ListRowTip(const TListRow &row)
{
    const TListEntry &e = row.Entry;
    QStringList lines;
    if (e.InArchive) {
        lines << QStringLiteral("Архив: ") + e.ArchivePath;
        if (!e.StoredPath.isEmpty())
            lines << QStringLiteral("Папка в архиве: ") + e.StoredPath;
    } else {
        lines << e.FileDir + e.FileName;
    }
    lines << QStringLiteral("Размер: ") + ReadableSize(e.FileSize);
    if (row.Gone)
        lines << QStringLiteral("Файла больше нет на этом месте");
    if (row.Outcome)
        lines << OutcomeLines(row);
    return lines.join(QLatin1Char('\n'));
}
