#include "run/ProcessingRun.h"

#include "globals/Errors.h"
#include "globals/RegularFile.h"
#include "globals/ScratchFile.h"
#include "globals/TextFile.h"
#include "journal/RunJournal.h"
#include "run/CurrentBook.h"
#include "run/FileMove.h"
#include "run/Leftovers.h"
#include "run/RowWork.h"
#include "run/RunAhead.h"
#include "run/RunLog.h"
#include "run/RunPaths.h"
#include "run/RunSteps.h"
#include "zip/BookArchive.h"
#include "zip/ZipExtract.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringList>

#include <cerrno>
#include <optional>
#include <unistd.h>

std::atomic<bool> CancelRequested{false};

namespace {

bool g_running = false;

QString withLineEnd(const QString &text)
{
    return text.endsWith(QLatin1String("\r\n")) ? text : text + QStringLiteral("\r\n");
}

QString notMovedText(const QString &to, int error)
{
    return QStringLiteral("Файл не перемещён в \"%1\": %2\r\n").arg(to, FileErrorText(error));
}

QString notConvertedText(const QString &to, int error)
{
    return QStringLiteral("Файл не преобразован в \"%1\": %2\r\n").arg(to, FileErrorText(error));
}

QString notPackedText(const QString &zip, int error)
{
    if (error == EEXIST)
        return QStringLiteral("Файл не упакован: архив \"%1\" уже существует\r\n").arg(zip);
    return QStringLiteral("Файл не упакован в \"%1\": %2\r\n").arg(zip, FileErrorText(error));
}

// The same file under two names (a row an earlier run moved, ticked again).
bool sameFile(const QString &a, const QString &b)
{
    // Most targets are not there yet: one lstat spares resolving both paths.
    if (!PathTaken(b))
        return false;
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

// The run's own error is the one to report; a journal that cannot be ended adds nothing to it.
void endFailed(TRunJournal *journal)
{
    if (!journal)
        return;
    try {
        journal->Finish(TJournalEnd::Failed);
    } catch (...) {
    }
}

// Loose books packed from their place whose archives are flushed to the disk together before
// the books go: one flush per file system for this many, instead of one per archive, or for
// what was packed in this time, so that the window's progress and list do not lag behind.
constexpr int kFlushBatch = 128;
constexpr qint64 kFlushAfterMs = 500;

int percentDone(int reached, int checked)
{
    // Every row may have been unchecked meanwhile: then all that is left is done.
    if (checked <= 0)
        return 100;
    return int(qMin<qint64>(100, qint64(reached) * 100 / checked));
}

}  // namespace

// One Execute: the walk over the rows, with the steps it calls, the log it gathers and the
// outputs its rows took.
struct TProcessingRun::TRowWalk {
    TProcessingRun &run;
    TRunSteps steps;
    TRunAhead ahead;
    QStringList log;
    QString extractDir;  // the run's scratch folder (the check of an archive a killed run left)
    QSet<QString> planned;  // outputs that earlier rows took (or, in a dry run, would have taken)
    TRunRows::RowId lastSeen = TRunRows::NoRow;  // the row the walk looked at last
    std::optional<TRowReport> inHand;  // the checked row taken and not yet recorded
    TRunLeftovers leftovers;  // what an interrupted run left in the folders this one writes to
    const TRowWork *work = nullptr;  // the row in hand's book, read and prepared
    // The row before's work: its book stays CurrentBook until the next row takes its place.
    std::unique_ptr<TRowWork> lastWork;
    bool fromMemory = false;  // the row in hand is an archive entry held in work->In.Bytes
    QString removeAfterFlush;  // the row in hand's archive, which must be on the disk before its book goes

    // A row done whose report waits for the flush that lets its book (or an earlier row's) go,
    // so that rows are reported in list order and each with its final outcome.
    struct THeldRow {
        TRowReport report;
        int reached = 0;
        QString zip;  // set: the book at report.WorkingPath goes once this is flushed
        qsizetype logAt = 0;  // where a log entry of the row goes, should its book have to stay
        bool saveLog = false;
    };
    QList<THeldRow> held;
    int heldBooks = 0;
    QElapsedTimer heldSince;

    TRowWalk(TProcessingRun &r, int workers) : run(r), ahead(workers, steps.Conversion()) {}

    bool dry() const { return run.m_options.DryRun; }
    TRunJournal *journal() const { return dry() ? nullptr : run.m_options.Journal; }

    // The journal's hash of the file at `path` when it is the book in hand, whose bytes the row's
    // work hashed already (the file is the one that was read: the work was checked against it).
    QByteArray knownHash(const TRowReport &r, const QString &path) const
    {
        return work && path == r.WorkingPath ? work->BookHash : QByteArray();
    }

    // The journal learns of every move before it is done. Only loose books move: an archive's
    // entry is written from memory (write).
    int move(const TRowReport &r, const QString &from, const QString &to)
    {
        if (TRunJournal *j = journal())
            j->Moving(from, to, knownHash(r, from));
        return MoveFileNoReplace(from, to);
    }

    bool taken(const QString &path) const { return PathTaken(path) || planned.contains(path); }

    // A row that cannot be placed: the book stays at `where`; the reason goes to the log.
    void notPlaced(TRowReport &r, const TRunSettings &s, const QString &where, const QString &text)
    {
        r.Outcome = TRowOutcome::NotPlaced;
        r.OutputPath = where;
        r.Message = text;
        if (s.SaveLog)
            log << RunLogEntry(r.Entry.FileName, text);
    }

    // Writes the archive entry in hand to `to`, once, never replacing a file. 0 or the errno.
    int write(const TRowReport &r, const QString &to)
    {
        if (work->In.Missing)
            return ENOENT;
        if (TRunJournal *j = journal())
            j->Placing(r.Entry, work->In.Bytes, r.WorkingPath, to, work->BookHash);
        TScratchFile file;
        int e = file.Create(to);
        if (!e)
            e = file.Append(work->In.Bytes);
        if (!e) {
            SetEntryTimeAndMode(file.Handle(), work->In.EntryRecord);
            // Not flushed: the archive still holds the book.
            e = file.Commit(TTakeName::NoReplace, false);
        }
        return e;
    }

    // The book in hand is at `to` already, byte for byte; never the book itself under a second
    // name (a link): only a copy is proof.
    bool copyAt(const TRowReport &r, const QString &to) const
    {
        if (fromMemory)
            return !work->In.Missing && FileHoldsBytes(to, work->In.Bytes);
        return !sameFile(r.WorkingPath, to) && SameFileBytes(r.WorkingPath, to);
    }

    // Moves the working file (an archive entry: writes it) to `to`, or marks the row not placed.
    // The dry run only looks; a folder the run would not have made (the bad-files folder) fails
    // it as it fails the move.
    bool place(TRowReport &r, const TRunSettings &s, const QString &to, bool folderMade = true)
    {
        int e = QDir::isRelativePath(to) ? ENOENT : 0;  // an unset bad-files folder
        if (!e && dry())
            e = taken(to) ? EEXIST : !folderMade && !QFileInfo(QFileInfo(to).path()).isDir() ? ENOENT : 0;
        else if (!e)
            e = fromMemory ? write(r, to) : move(r, r.WorkingPath, to);
        if (e == EEXIST && !planned.contains(to) && copyAt(r, to))
            e = finish(r);
        if (e) {
            notPlaced(r, s, r.WorkingPath, notMovedText(to, e));
            return false;
        }
        planned.insert(to);
        return true;
    }

    // The book is already at its place, byte for byte, as a run that was killed after writing it
    // and before removing the source leaves it: the source goes now, instead of staying as a
    // duplicate. An archive's entry stays in its archive. Returns 0 or an errno.
    int finish(const TRowReport &r)
    {
        if (dry() || fromMemory)
            return 0;
        return ::unlink(QFile::encodeName(r.WorkingPath).constData()) == 0 ? 0 : errno;
    }

    // Writes the converted book to `to`. A file from before the run is replaced, so the same books
    // can be converted anew; one this run wrote never is: two books of one name would leave a
    // single converted file, and the earlier book's conversion would be gone.
    bool convert(TRowReport &r, const TRunSettings &s, const QString &to)
    {
        if (planned.contains(to)) {
            notPlaced(r, s, r.WorkingPath, notConvertedText(to, EEXIST));
            return false;
        }
        if (work->ConvertFailure)
            std::rethrow_exception(work->ConvertFailure);
        if (!dry()) {
            const QByteArray &data = work->Converted;
            if (TRunJournal *j = journal()) {
                // A file from before the run is kept, so that undo can give it back.
                if (PathTaken(to))
                    j->KeepCopy(to);
                j->Converting(r.WorkingPath, to, data);
            }
            SaveFileData(to, data, false);  // the book stays where it is
        }
        planned.insert(to);
        return true;
    }

    void invalid(TRowReport &r, const TRunSettings &s, const QString &error)
    {
        const QString bad = BadFilePath(s.BadDir, r.Entry);
        const qsizetype logged = log.size();
        if (!dry() && !QDir::isRelativePath(s.BadDir))
            leftovers.Clear(s.BadDir, false, extractDir);
        // A bad file an earlier run put there is in its place already.
        if (!sameFile(r.WorkingPath, bad) && !place(r, s, bad, false)) {
            // One entry for the row: why it stays where it is, then why it is bad.
            if (s.SaveLog && log.size() > logged)
                log.last() = RunLogEntry(r.Entry.FileName, r.Message + error);
            return;
        }
        if (s.SaveLog)
            log << RunLogEntry(r.Entry.FileName, error);
        r.Outcome = TRowOutcome::Invalid;
        r.OutputPath = bad;
        r.Message = error;
    }

    // Packs `file` (`inMemory`: the archive entry in hand, named `file`) into `zip` as
    // `entryName` without ever replacing an archive: the new archive is made beside it and takes
    // the final name only when complete, and only when it is free. `file` stays where it is; the
    // book stays at `file` when the archive cannot be made.
    bool pack(TRowReport &r, const TRunSettings &s, const QString &file, const QString &zip, const QString &entryName,
              const TDeflatedData *deflated, bool inMemory = false)
    {
        if (taken(zip)) {
            notPlaced(r, s, file, notPackedText(zip, EEXIST));
            return false;
        }
        if (!dry()) {
            // Not flushed: a loose book goes only after the flush (release); an archive entry
            // and a converted file stay where they came from.
            const int e = inMemory
                ? steps.PackBytes(work->In.Bytes, work->In.EntryRecord, zip, entryName, false, deflated)
                : steps.Pack(file, zip, entryName, false, deflated);
            if (e) {
                notPlaced(r, s, file, notPackedText(zip, e));
                return false;
            }
        }
        planned.insert(zip);
        return true;
    }

    // The journal tells a book packed from where it is as the move to its target and the packing
    // of the target, which is what the two amount to, so that undo takes both back.
    void journalPacking(const TRowReport &r, const QString &zip)
    {
        TRunJournal *j = journal();
        if (!j)
            return;
        const QString target = zip.chopped(4);
        const QByteArray hash = knownHash(r, r.WorkingPath);
        if (fromMemory)
            j->Placing(r.Entry, work->In.Bytes, r.WorkingPath, target, hash);
        else
            j->Moving(r.WorkingPath, target, hash);
        j->Packing(target, zip, r.WorkingPath, hash);
    }

    // A book is packed straight from where it is (an archive entry: from memory): it leaves its
    // place only once its archive is complete on disk, so that a book is placed completely or not
    // at all, and a run killed between the two steps leaves the archive and the source, which the
    // next run finishes.
    bool packBook(TRowReport &r, const TRunSettings &s, const QString &zip, const QString &entryName)
    {
        if (fromMemory && work->In.Missing) {
            notPlaced(r, s, r.WorkingPath, notPackedText(zip, ENOENT));
            return false;
        }
        if (taken(zip)) {
            const bool holds = fromMemory ? ArchiveHoldsBytes(zip, work->In.Bytes, entryName)
                                          : ArchiveHoldsExactly(zip, r.WorkingPath, entryName, extractDir);
            if (!planned.contains(zip) && holds) {
                journalPacking(r, zip);
                if (finish(r) == 0) {
                    planned.insert(zip);
                    return true;
                }
            }
            notPlaced(r, s, r.WorkingPath, notPackedText(zip, EEXIST));
            return false;
        }
        journalPacking(r, zip);
        if (!pack(r, s, r.WorkingPath, zip, entryName, &work->Packed, fromMemory))
            return false;
        // An archive entry stays in its archive: nothing to remove.
        if (!dry() && !fromMemory)
            removeAfterFlush = zip;
        return true;
    }

    // A book an earlier run placed, ticked again, is where this run would put it: it is placed,
    // not "left where it was" because its own name is taken.
    bool alreadyPlaced(TRowReport &r, const TRunSettings &s, const QString &target, const QString &newName)
    {
        const QString zip = target + QStringLiteral(".zip");
        const bool there = s.Archive ? r.Entry.InArchive && r.Entry.StoredPath.isEmpty() && r.Entry.FileName == newName
                && sameFile(r.Entry.ArchivePath, zip)
                                     : sameFile(r.WorkingPath, target);
        if (!there)
            return false;
        planned.insert(s.Archive ? zip : target);
        r.Outcome = TRowOutcome::Placed;
        r.OutputPath = s.Archive ? zip : target;
        return true;
    }

    void valid(TRowReport &r, const TRunSettings &s, const QString &newName0, const QString &folder)
    {
        // A folder that is not a full path would put books wherever the program was started from.
        if (folder.isEmpty() || QDir::isRelativePath(folder))
            throw EOrvane(QStringLiteral("Unable to create directory"));
        const QString newName = s.Convert ? steps.ConvertedName(newName0) : newName0;
        const QString target = folder + newName;
        if (!s.Convert && alreadyPlaced(r, s, target, newName))
            return;
        const QString zip = target + QStringLiteral(".zip");
        // What a killed run left in the folder is cleared first, also for a book that will find
        // its archive name taken: the converted copy beside that archive may be the killed run's.
        if (!dry()) {
            if (TRunJournal *j = journal())
                j->MakingFolders(folder);
            if (const int e = MakeFolders(folder)) {
                notPlaced(r, s, r.WorkingPath, s.Convert ? notConvertedText(target, e) : notMovedText(target, e));
                return;
            }
            leftovers.Clear(folder, s.Archive, extractDir);
        }
        // The whole placement is decided before anything moves: an archive name that is taken
        // leaves the book where it is (unless it holds exactly this book).
        if (s.Archive && s.Convert && taken(zip)) {
            notPlaced(r, s, r.WorkingPath, notPackedText(zip, EEXIST));
            return;
        }
        if (s.Convert) {
            if (!convert(r, s, target))
                return;
            // The converted file is this run's own: once packed, it goes.
            if (s.Archive) {
                if (TRunJournal *j = journal())
                    j->Packing(target, zip);
                if (!pack(r, s, target, zip, newName, nullptr))
                    return;
                if (!dry())
                    QFile::remove(target);
            }
        } else if (s.Archive) {
            if (!packBook(r, s, zip, newName))
                return;
        } else if (!place(r, s, target)) {
            return;
        }
        r.Outcome = TRowOutcome::Placed;
        r.OutputPath = s.Archive ? target + QStringLiteral(".zip") : target;
    }

    // Every checked row the run meets goes into the report and the summary.
    void note(const TRowReport &r)
    {
        TRunSummary &sum = run.m_summary;
        switch (r.Outcome) {
        case TRowOutcome::Placed: ++sum.Placed; break;
        case TRowOutcome::Invalid: ++sum.Invalid; break;
        case TRowOutcome::NotPlaced: ++sum.NotPlaced; break;
        case TRowOutcome::Error: break;
        case TRowOutcome::NotReached: ++sum.NotReached; break;
        }
        if (r.Outcome == TRowOutcome::Placed || r.Outcome == TRowOutcome::Invalid
            || r.Outcome == TRowOutcome::NotPlaced)
            ++sum.Processed;
        run.m_report.Rows.append(r);
    }

    // Reports a row done: to the summary, the report and the callbacks.
    void tell(const TRowReport &r, int reached)
    {
        const TRunCallbacks &cb = run.m_callbacks;
        note(r);
        if (cb.RowDone)
            cb.RowDone(r);
        if (cb.Progress)
            cb.Progress(percentDone(reached, run.m_rows.CheckedCount()));
    }

    void done(const TRowReport &r, int reached)
    {
        if (removeAfterFlush.isEmpty() && held.isEmpty())
            return tell(r, reached);
        if (held.isEmpty())
            heldSince.start();
        held.append(THeldRow{r, reached, removeAfterFlush, log.size(), CurrentRunSettings().SaveLog});
        if (!removeAfterFlush.isEmpty())
            ++heldBooks;
        removeAfterFlush.clear();
        if (heldBooks >= kFlushBatch || heldSince.elapsed() >= kFlushAfterMs)
            release();
    }

    // Flushes the held rows' archives, then removes their books and reports the rows. A book
    // that cannot be removed (a read-only folder) stays, and its new archive goes again, so that
    // a book is never both packed and at its place; so does every book of an archive that
    // could not be flushed.
    void release()
    {
        if (held.isEmpty())
            return;
        QList<THeldRow> rows;
        rows.swap(held);
        heldBooks = 0;
        QStringList zips;
        for (const THeldRow &h : rows)
            if (!h.zip.isEmpty())
                zips << h.zip;
        const int flushError = zips.isEmpty() ? 0 : FlushFileSystems(zips);
        qsizetype logged = 0;  // entries inserted so far move the later places on
        for (THeldRow &h : rows) {
            TRowReport &r = h.report;
            if (!h.zip.isEmpty()) {
                int e = flushError;
                if (!e && ::unlink(QFile::encodeName(r.WorkingPath).constData()) != 0)
                    e = errno;
                if (e) {
                    QFile::remove(h.zip);
                    planned.remove(h.zip);
                    r.Outcome = TRowOutcome::NotPlaced;
                    r.OutputPath = r.WorkingPath;
                    r.Message = flushError ? notPackedText(h.zip, e) : notMovedText(h.zip, e);
                    if (h.saveLog)
                        log.insert(h.logAt + logged++, RunLogEntry(r.Entry.FileName, r.Message));
                }
            }
            tell(r, h.reached);
        }
    }

    // The checked rows from `row` on, which the run leaves as they are.
    void notReached(TRunRows::RowId row, const QString &why)
    {
        const TRunRows &rows = run.m_rows;
        for (; row != TRunRows::NoRow; row = rows.NextRow(row)) {
            const TListEntry *entry = rows.Entry(row);
            if (!entry || !rows.IsChecked(row))
                continue;
            TRowReport r;
            r.Row = row;
            r.Entry = *entry;
            r.Outcome = TRowOutcome::NotReached;
            r.Message = why;
            note(r);
        }
    }

    // An error ended the run: the row in hand is marked with it, the checked rows after it as not reached.
    void failed(const QString &message)
    {
        // The rows before the one in hand are done; they are reported first.
        try {
            release();
        } catch (...) {
        }
        if (inHand) {
            inHand->Outcome = TRowOutcome::Error;
            inHand->OutputPath.clear();
            inHand->Message = message;
            note(*inHand);
            inHand.reset();
        }
        if (lastSeen != TRunRows::NoRow)
            notReached(run.m_rows.NextRow(lastSeen), NotReachedAfterError());
    }

    TRowReport doRow(TRunRows::RowId row, const TRowWork &w, const TRunSettings &s)
    {
        TRowReport r;
        r.Row = row;
        r.Entry = w.In.Entry;
        r.WorkingPath = w.In.WorkingPath;
        work = &w;
        fromMemory = w.In.InMemory;
        removeAfterFlush.clear();

        if (w.Book)
            CurrentBook = w.Book;
        if (w.LoadFailure) {
            // Unvalidated, a book that cannot be read or named is a bad book, not the end of the run.
            if (s.Valid)
                std::rethrow_exception(w.LoadFailure);
            try {
                std::rethrow_exception(w.LoadFailure);
            } catch (const EOrvane &e) {
                invalid(r, s, withLineEnd(e.Message()));
                return r;
            }
        }
        if (!w.Loaded) {
            invalid(r, s, w.InvalidText);
            return r;
        }
        const QString folder = s.Sort ? SortedFolder(s.EndDir, w.SortResult) : s.EndDir;
        valid(r, s, w.NewName, folder);
        return r;
    }

    // What the row's work starts from, up to the settings: the book's place, and an archive
    // entry's bytes.
    TRowInput readInput(const TListEntry &entry)
    {
        TRowInput in;
        in.Entry = entry;
        if (entry.ArchivePath.isEmpty()) {
            in.WorkingPath = WorkingPath(entry, QString());
            return in;
        }
        in.InMemory = true;
        in.WorkingPath = entry.ArchivePath + QLatin1Char('/') + entry.StoredPath + entry.FileName;
        try {
            steps.ReadEntry(entry, in.Bytes, in.Missing, in.EntryRecord);
        } catch (...) {
            in.ReadFailure = std::current_exception();
        }
        return in;
    }

    void settle(TRowInput &in) const
    {
        in.WantHash = journal() != nullptr;
        in.Settings = CurrentRunSettings();
        in.App = AppSettings;
        in.Generation = AppSettingsGeneration();
    }

    static bool sameRow(const TListEntry &a, const TListEntry &b)
    {
        return a.FileName == b.FileName && a.FileDir == b.FileDir && a.ArchivePath == b.ArchivePath
            && a.StoredPath == b.StoredPath && a.EntryIndex == b.EntryIndex;
    }

    // Hands the next checked rows after `row` to the workers, as many as the window holds.
    void lookAhead(TRunRows::RowId row)
    {
        if (!ahead.Enabled())
            return;
        const TRunRows &rows = run.m_rows;
        int scanned = 0;
        for (TRunRows::RowId next = rows.NextRow(row);
             next != TRunRows::NoRow && ahead.InFlight() < ahead.Window() && scanned < 8 * ahead.Window();
             next = rows.NextRow(next), ++scanned) {
            const TListEntry *record = rows.Entry(next);
            if (!record || !rows.IsChecked(next) || ahead.Holds(next))
                continue;
            TRowInput in = readInput(*record);
            settle(in);
            ahead.Submit(next, std::move(in));
        }
    }

    void Run()
    {
        const TRunRows &rows = run.m_rows;
        const TRunCallbacks &cb = run.m_callbacks;
        TRunSummary &sum = run.m_summary;
        extractDir = RunExtractDir(RunTempDir());
        if (!dry())
            RemoveStaleRunExtractDirs(RunTempDir());
        int reached = 0;
        for (TRunRows::RowId row = rows.FirstRow(); row != TRunRows::NoRow; row = rows.NextRow(row)) {
            lastSeen = row;
            const TListEntry *record = rows.Entry(row);
            if (!record)
                throw EOrvane(QStringLiteral("%1 (%2, line %3)")
                                  .arg(QStringLiteral("Assertion failure"), QStringLiteral("_form\\frm_Main"))
                                  .arg(1018));
            if (!rows.IsChecked(row))
                continue;
            const TListEntry entry = *record;
            inHand = TRowReport{row, entry, QString(), TRowOutcome::Error, QString(), QString()};
            ++reached;
            if (cb.RowInHand)
                cb.RowInHand(row);

            // The book is read (an archive entry: inflated) here, or was read by a worker.
            std::unique_ptr<TRowWork> w = ahead.Take(row);
            if (w && !sameRow(w->In.Entry, entry))
                w.reset();
            TRowInput in;
            if (!w)
                in = readInput(entry);
            lookAhead(row);
            inHand->WorkingPath = w ? w->In.WorkingPath : in.WorkingPath;
            const std::exception_ptr readFailure = w ? w->In.ReadFailure : in.ReadFailure;
            if (readFailure)
                std::rethrow_exception(readFailure);

            if (cb.ProcessMessages)
                cb.ProcessMessages();
            if (CancelRequested) {
                sum.Cancelled = true;
                inHand.reset();
                release();
                notReached(row, NotReachedCancelled());
                break;
            }
            // Work done ahead stands only while the settings and the file are as they were then.
            if (w
                && (w->In.Generation != AppSettingsGeneration()
                    || (!w->In.InMemory && StampOf(w->In.WorkingPath) != w->Stamp))) {
                in = std::move(w->In);
                w.reset();
            }
            if (!w) {
                w = std::make_unique<TRowWork>();
                w->In = std::move(in);
                settle(w->In);
                PrepareRow(*w, steps.Conversion());
            }
            if (cb.CurrentPath)
                cb.CurrentPath(w->In.WorkingPath);

            const TRowReport r = doRow(row, *w, CurrentRunSettings());
            work = nullptr;
            ahead.Dispose(std::move(lastWork));
            lastWork = std::move(w);
            inHand.reset();
            done(r, reached);
        }
        release();
        if (!dry()) {
            const TRunSettings s = CurrentRunSettings();
            if (s.SaveLog) {
                leftovers.Clear(QFileInfo(s.LogFile).absolutePath(), false, extractDir);
                WriteRunLog(s.LogFile, log);
            }
        }
    }
};

TProcessingRun::TProcessingRun(const TRunRows &rows, TRunCallbacks callbacks, TRunOptions options)
    : m_rows(rows), m_callbacks(std::move(callbacks)), m_options(options)
{}

TProcessingRun::~TProcessingRun() = default;

bool TProcessingRun::IsRunning() { return g_running; }

QString TProcessingRun::RunAlreadyGoing() { return QStringLiteral("Обработка уже выполняется"); }

const TRunSummary &TProcessingRun::Execute()
{
    if (g_running)
        throw EOrvane(RunAlreadyGoing());
    g_running = true;
    struct Running {
        ~Running() { g_running = false; }
    } running;

    m_summary = TRunSummary();
    m_report = TRunReport();
    CancelRequested = false;
    // The report says where the books went, in the settings the run ended with.
    const auto finishReport = [this] {
        const TRunSettings s = CurrentRunSettings();
        m_report.OutputDir = s.EndDir;
        m_report.BadDir = s.BadDir;
        m_report.Cancelled = m_summary.Cancelled;
        m_report.ErrorMessage = m_summary.ErrorMessage;
    };
    TRowWalk walk(*this, RunWorkers(m_options.Jobs));
    TRunJournal *journal = walk.journal();
    try {
        walk.Run();
        if (journal)
            journal->Finish(m_summary.Cancelled ? TJournalEnd::Cancelled : TJournalEnd::Done);
    } catch (const EOrvane &e) {
        endFailed(journal);
        m_summary.Errors = 1;
        m_summary.ErrorMessage = e.Message();
        walk.failed(e.Message());
        finishReport();
        walk.steps.CloseArchive();
        throw;
    } catch (const std::exception &e) {
        endFailed(journal);
        m_summary.Errors = 1;
        m_summary.ErrorMessage = QString::fromLocal8Bit(e.what());
        walk.failed(m_summary.ErrorMessage);
        finishReport();
        walk.steps.CloseArchive();
        throw;
    }
    finishReport();
    walk.steps.CloseArchive();
    return m_summary;
}
