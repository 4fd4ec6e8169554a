#include "TextTransforms.h"

QString RemoveFileNameChars(const QString &s)
{
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    QString result;
    result.reserve(s.size());
    for (const QChar c : s)
        if (!forbidden.contains(c))
            result.append(c);
    return result;
}
