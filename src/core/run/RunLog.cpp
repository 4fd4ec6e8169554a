#include "run/RunLog.h"

#include "globals/Errors.h"
#include "globals/TextFile.h"

#include <QSaveFile>

QString RunLogEntry(const QString &fileName, const QString &text)
{
    return fileName + QStringLiteral(" => ") + text;
}

void WriteRunLog(const QString &path, const QStringList &entries)
{
    QByteArray data("\xEF\xBB\xBF");
    for (const QString &e : entries) {
        data += e.toUtf8();
        data += "\r\n";
    }
    QSaveFile file(path);
    // A log in a folder we may not create files in is still written, in place.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit())
        throw EOrvane(CannotCreateFile(path, file.errorString()));
}
