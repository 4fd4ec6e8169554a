#include "run/RunLog.h"

#include "globals/Errors.h"
#include "globals/ScratchFile.h"
#include "globals/TextFile.h"

QString RunLogEntry(const QString &fileName, const QString &text) { return fileName + QStringLiteral(" => ") + text; }

void WriteRunLog(const QString &path, const QStringList &entries)
{
    QByteArray data("\xEF\xBB\xBF");
    for (const QString &e : entries) {
        data += e.toUtf8();
        data += "\r\n";
    }
    // A log in a folder we may not create files in is still written, in place.
    if (const int e = WriteFileReplacing(path, data, true))
        throw EOrvane(CannotCreateFile(path, e));
}
