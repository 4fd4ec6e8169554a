#include "zip/ZipPaths.h"

#include <QStringList>

QString SafeRelativePath(const QString &storedPath, TStoredPathProblem &problem)
{
    problem = TStoredPathProblem::None;
    if (storedPath.startsWith(QLatin1Char('/')))
        problem = TStoredPathProblem::Absolute;
    else if (storedPath.size() >= 2 && storedPath[1] == QLatin1Char(':') && storedPath[0].unicode() < 0x80
             && storedPath[0].isLetter())
        problem = TStoredPathProblem::DriveLetter;
    for (const QChar c : storedPath)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            problem = TStoredPathProblem::ControlCharacter;
    QStringList parts;
    for (const QString &part : storedPath.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String(".."))
            problem = TStoredPathProblem::ParentFolder;
        else if (part != QLatin1String("."))
            parts.append(part);
    }
    return problem == TStoredPathProblem::None ? parts.join(QLatin1Char('/')) : QString();
}
