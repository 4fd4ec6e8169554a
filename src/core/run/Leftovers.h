#pragma once
// What a run killed half-way leaves in the folders it wrote to, cleared by the next run that
// writes there: twins of files that were never finished, and, with packing, a book that is both
// packed and still unpacked beside its archive (killed between the two steps).

#include <QSet>
#include <QString>

class TRunLeftovers {
public:
    // Clears `folder` once per run, before the run first writes into it: the stale twins go, and
    // with `packing` every file X whose X.zip holds exactly it (nothing is lost: the archive keeps
    // the same bytes; its entry is extracted below `scratchDir` to compare). Returns how many
    // files were removed.
    int Clear(const QString &folder, bool packing, const QString &scratchDir);

private:
    QSet<QString> m_cleared, m_clearedPacked;
};
