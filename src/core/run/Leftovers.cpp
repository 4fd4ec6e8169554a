#include "run/Leftovers.h"

#include "globals/ScratchFile.h"
#include "zip/BookArchive.h"

#include <QDir>
#include <QFile>

int TRunLeftovers::Clear(const QString &folder, bool packing, const QString &scratchDir)
{
    int removed = 0;
    if (!m_cleared.contains(folder)) {
        m_cleared.insert(folder);
        removed += RemoveStaleScratchFiles(folder);
    }
    if (!packing || m_clearedPacked.contains(folder))
        return removed;
    m_clearedPacked.insert(folder);
    const QDir dir(folder);
    const QStringList names = dir.entryList(QDir::Files);
    const QSet<QString> present(names.cbegin(), names.cend());
    for (const QString &name : names) {
        const QString zip = name + QStringLiteral(".zip");
        if (present.contains(zip) && ArchiveHoldsExactly(dir.filePath(zip), dir.filePath(name), name, scratchDir)
            && QFile::remove(dir.filePath(name)))
            ++removed;
    }
    return removed;
}
