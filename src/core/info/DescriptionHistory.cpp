#include "info/DescriptionHistory.h"

#include "globals/DeleteFolderTree.h"

#include <QFile>

TDescriptionHistory::TDescriptionHistory(int keep) : m_keep(qMax(1, keep)) {}

void TDescriptionHistory::Add(const TEntryInfo &info)
{
    const TFiles files{info.Book.Folder, info.Extracted};
    if (files.Folder.isEmpty() && files.Extracted.isEmpty())
        return;
    m_kept.append(files);
    while (m_kept.size() > m_keep)
        Remove(m_kept.takeFirst());
}

void TDescriptionHistory::Discard(const TEntryInfo &info) { Remove({info.Book.Folder, info.Extracted}); }

QStringList TDescriptionHistory::Folders() const
{
    QStringList folders;
    for (const TFiles &f : m_kept)
        if (!f.Folder.isEmpty())
            folders << f.Folder;
    return folders;
}

void TDescriptionHistory::Remove(const TFiles &files) const
{
    // The same archive entry described again was extracted to the same file.
    bool extractedKept = false;
    for (const TFiles &kept : m_kept)
        extractedKept = extractedKept || kept.Extracted == files.Extracted;
    if (!files.Folder.isEmpty())
        DeleteFolderTree(files.Folder);
    if (!files.Extracted.isEmpty() && !extractedKept)
        QFile::remove(files.Extracted);
}
