#pragma once
// Keeps the scratch files of the last few descriptions and removes older ones, so that browsing
// a large collection does not fill the disk with pages, pictures and extracted books. Everything
// still goes with the whole scratch folder when the program closes.

#include "info/EntryInfo.h"

#include <QList>
#include <QString>

class TDescriptionHistory {
public:
    // keep: how many descriptions stay on disk, the newest included.
    explicit TDescriptionHistory(int keep = 4);

    // A description that was shown (or whose build ended in an error after writing files):
    // its files become the newest; those of the oldest beyond `keep` are removed.
    void Add(const TEntryInfo &info);
    // A description that will never be shown: its files go at once, except an extracted book
    // that a kept description still names.
    void Discard(const TEntryInfo &info);

    // The description folders on disk, oldest first.
    QStringList Folders() const;

private:
    struct TFiles {
        QString Folder;
        QString Extracted;
    };
    void Remove(const TFiles &files) const;

    int m_keep;
    QList<TFiles> m_kept;
};
