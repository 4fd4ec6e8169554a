#include "list/RowAfterRun.h"

#include <QFileInfo>

namespace {

bool Exists(const QString &path) { return !path.isEmpty() && QFileInfo::exists(path); }

}  // namespace

TRowAfterRun RowAfterRun(const TRowReport &r)
{
    TRowAfterRun after;
    // An archive entry is extracted, never taken out of its archive: the row still names it.
    if (r.Outcome == TRowOutcome::NotReached || !r.Entry.ArchivePath.isEmpty())
        return after;
    if (Exists(r.Entry.FileDir + r.Entry.FileName))
        return after;  // converted, or not placed: the book is where it was
    const bool moved = (r.Outcome == TRowOutcome::Placed || r.Outcome == TRowOutcome::Invalid) && Exists(r.OutputPath);
    if (!moved) {
        after.Gone = true;
        return after;
    }
    const QFileInfo out(r.OutputPath);
    TListEntry e = r.Entry;
    if (r.Outcome == TRowOutcome::Placed && r.OutputPath.endsWith(QLatin1String(".zip"))) {
        // Packed: the book is the one entry of its new archive, under the target's bare name.
        e.InArchive = true;
        e.ArchivePath = r.OutputPath;
        e.FileDir.clear();
        e.StoredPath.clear();
        e.FileName = out.fileName().chopped(4);
        e.EntryIndex = 0;
    } else {
        e.FileDir = out.absolutePath() + QLatin1Char('/');
        e.FileName = out.fileName();
    }
    after.Entry = e;
    return after;
}
