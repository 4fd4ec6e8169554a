#include "Genres.h"

#include "config/Folders.h"
#include "config/IniFile.h"

#include <QHash>
#include <QMutex>

namespace {
using TGenreTable = QHash<QString, QString>;  // case-folded code -> name

TGenreTable Table(const QString &genresFile)
{
    static QMutex mutex;
    static QHash<QString, TGenreTable> tables;
    QMutexLocker lock(&mutex);
    auto it = tables.find(genresFile);
    if (it == tables.end()) {
        TGenreTable table;
        for (const auto &[code, name] : TIniFile(genresFile).ReadSection(QStringLiteral("GENRES")))
            if (!table.contains(code.toCaseFolded()))  // the first line of a code counts
                table.insert(code.toCaseFolded(), name);
        it = tables.insert(genresFile, table);
    }
    return *it;
}
}  // namespace

QString FullGenreName(const QString &code, const QString &genresFile)
{
    if (code.isEmpty())
        return {};
    return Table(genresFile).value(code.toCaseFolded());
}

QString FullGenreName(const QString &code) { return FullGenreName(code, UtilsDir + QStringLiteral("genres.list")); }
