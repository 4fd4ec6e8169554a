#include "journal/UndoRun.h"

#include "config/Folders.h"
#include "globals/Errors.h"
#include "globals/RegularFile.h"
#include "journal/FileHash.h"
#include "journal/JournalFiles.h"
#include "journal/RunJournal.h"
#include "list/BookSources.h"
#include "run/FileMove.h"
#include "zip/BookArchive.h"
#include "zip/ZipArchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>

#include <cerrno>
#include <unistd.h>

namespace {

QString placeTaken(const QString &place, const QString &book)
{
    return QStringLiteral("Место \"%1\" занято; книга осталась в \"%2\"").arg(place, book);
}
QString changedSince(const QString &path)
{
    return QStringLiteral("Файл \"%1\" изменён после обработки и оставлен на месте").arg(path);
}
QString notFound(const QString &path) { return QStringLiteral("Файл \"%1\" не найден").arg(path); }
QString noProof(const QString &path, const QString &archive)
{
    return QStringLiteral("Файл \"%1\" оставлен на месте: архив \"%2\" больше не содержит эту книгу")
        .arg(path, archive);
}
QString archiveChanged(const QString &zip)
{
    return QStringLiteral("Архив \"%1\" изменён после обработки и оставлен на месте").arg(zip);
}
QString failed(const QString &from, const QString &to, int error)
{
    return QStringLiteral("Не удалось вернуть \"%1\" в \"%2\": %3").arg(from, to, FileErrorText(error));
}

QString parentOf(const QString &path) { return QFileInfo(path).absolutePath(); }

struct Undoer {
    TRunJournal journal;
    QTemporaryDir scratch;
    TUndoResult res;
    QSet<QString> leftPacked;  // files whose archive stays: their earlier steps are not told again

    Undoer(const QString &folder, const QString &undoes)
        : journal(folder, TJournalKind::Undo, undoes),
          scratch(TempDir.isEmpty() ? QDir::tempPath() + QStringLiteral("/orvane-undo-XXXXXX")
                                    : TempDir + QStringLiteral("undo-XXXXXX"))
    {
        if (!TempDir.isEmpty())
            QDir().mkpath(TempDir);
    }

    void problem(const QString &text) { res.Problems << text; }

    // Journals `kind` of the same book from the step's output back to its source.
    void writeReverse(const TJournalStep &s, TStepKind kind)
    {
        TJournalStep u;
        u.Kind = kind;
        u.Hash = s.Hash;
        u.From = s.To;
        u.To = s.From;
        journal.Write(u);
    }

    int folders(const QString &folder)
    {
        journal.MakingFolders(folder);
        return MakeFolders(folder);
    }

    bool moveBack(const QString &from, const QString &to)
    {
        if (int e = folders(parentOf(to)); e == 0) {
            journal.Moving(from, to);
            e = MoveFileNoReplace(from, to);
            if (e == 0)
                return true;
            problem(failed(from, to, e));
        } else {
            problem(failed(from, to, e));
        }
        return false;
    }

    // The archive entry of a step, extracted into the scratch folder; empty when the archive or
    // the entry is gone or cannot be read.
    QString extractEntry(const TJournalStep &s)
    {
        TListEntry e;
        e.ArchivePath = s.Archive;
        e.InArchive = true;
        e.FileName = s.StoredName.section(QLatin1Char('/'), -1);
        e.StoredPath = s.StoredName.left(s.StoredName.size() - e.FileName.size());
        e.EntryIndex = s.EntryIndex;
        const QString dir = scratch.path() + QStringLiteral("/e/");
        DeleteScratch(dir);
        try {
            TZipArchive zip;
            zip.FileName = s.Archive;
            zip.OpenArchive(TZipArchive::omRead);
            zip.BaseDir = dir;
            return ExtractListEntry(zip, e);
        } catch (const EOrvane &) {
            return QString();
        }
    }

    // The one book of an archive the run packed, extracted into the scratch folder; empty unless
    // the archive holds exactly one entry, stored under `name`.
    QString onlyBook(const QString &zipPath, const QString &name)
    {
        const QString dir = scratch.path() + QStringLiteral("/p/");
        DeleteScratch(dir);
        try {
            return ExtractOnlyEntry(zipPath, name, dir);
        } catch (const EOrvane &) {
            return QString();
        }
    }

    static void DeleteScratch(const QString &dir) { QDir(dir).removeRecursively(); }

    void undoMove(const TJournalStep &s)
    {
        if (leftPacked.contains(s.To))
            return;
        if (!PathTaken(s.To)) {
            if (RegularFileHash(s.From) == s.Hash)
                ++res.AlreadyBack;
            else if (!leftPacked.contains(s.To))
                problem(notFound(s.To));
            return;
        }
        if (RegularFileHash(s.To) != s.Hash)
            return problem(changedSince(s.To));
        if (PathTaken(s.From)) {
            if (RegularFileHash(s.From) == s.Hash)
                return dropCopy(s);
            return problem(placeTaken(s.From, s.To));
        }
        if (moveBack(s.To, s.From)) {
            ++res.Reversed;
            res.MovedBack.append({s.To, s.From});
        }
    }

    // The book is at both places, byte for byte: a run killed after it packed a book and before
    // it removed the book from its place leaves it so (the archive unpacked again by this undo).
    // The one at the run's place is the copy; the journal tells it as the move back, which is
    // what it amounts to.
    void dropCopy(const TJournalStep &s)
    {
        writeReverse(s, TStepKind::Move);
        if (::unlink(QFile::encodeName(s.To).constData()) != 0)
            return problem(failed(s.To, s.From, errno));
        ++res.Reversed;
        res.MovedBack.append({s.To, s.From});
    }

    void undoPlace(const TJournalStep &s)
    {
        if (!PathTaken(s.To)) {
            ++res.AlreadyBack;  // the book is in its archive, as before the run
            return;
        }
        if (RegularFileHash(s.To) != s.Hash)
            return problem(changedSince(s.To));
        const QString copy = extractEntry(s);
        if (copy.isEmpty() || RegularFileHash(copy) != s.Hash)
            return problem(noProof(s.To, s.Archive));
        TJournalStep u = s;
        u.Kind = TStepKind::Unplace;
        u.From.clear();
        journal.Write(u);
        if (::unlink(QFile::encodeName(s.To).constData()) != 0)
            return problem(failed(s.To, s.Archive, errno));
        ++res.Reversed;
    }

    void undoUnplace(const TJournalStep &s)
    {
        if (PathTaken(s.To)) {
            if (RegularFileHash(s.To) == s.Hash)
                ++res.AlreadyBack;
            else
                problem(placeTaken(s.To, s.Archive));
            return;
        }
        const QString copy = extractEntry(s);
        if (copy.isEmpty() || RegularFileHash(copy) != s.Hash)
            return problem(noProof(s.To, s.Archive));
        if (const int e = folders(parentOf(s.To)))
            return problem(failed(s.Archive, s.To, e));
        TListEntry entry;
        entry.ArchivePath = s.Archive;
        entry.EntryIndex = s.EntryIndex;
        entry.FileName = s.StoredName;  // StoredPath + FileName is all the step keeps
        journal.Placing(entry, copy, s.To);
        if (const int e = MoveFileNoReplace(copy, s.To))
            return problem(failed(s.Archive, s.To, e));
        ++res.Reversed;
    }

    void undoConvert(const TJournalStep &s)
    {
        if (!PathTaken(s.To)) {
            ++res.AlreadyBack;
            return;
        }
        if (RegularFileHash(s.To) != s.Hash)
            return problem(changedSince(s.To));
        // Not a book but made from one that stays: kept with this journal, so that undoing the
        // undo can bring it back.
        const QString kept = journal.KeepFolder() + QString::number(res.Reversed + res.AlreadyBack + 1) + u'-'
            + QFileInfo(s.To).fileName();
        if (moveBack(s.To, kept))
            ++res.Reversed;
    }

    // The run's copy of a file it then replaced: back to its place, now that the file that
    // replaced it is gone.
    void undoCopy(const TJournalStep &s)
    {
        if (PathTaken(s.From)) {
            if (RegularFileHash(s.From) == s.Hash)
                ++res.AlreadyBack;
            else
                problem(placeTaken(s.From, s.To));
            return;
        }
        if (RegularFileHash(s.To) != s.Hash)
            return problem(notFound(s.To));
        if (moveBack(s.To, s.From))
            ++res.Reversed;
    }

    void undoPack(const TJournalStep &s)
    {
        if (!PathTaken(s.To)) {
            if (RegularFileHash(s.From) == s.Hash)
                ++res.AlreadyBack;
            else
                problem(notFound(s.To));
            return;
        }
        const QString book = onlyBook(s.To, QFileInfo(s.From).fileName());
        if (book.isEmpty() || RegularFileHash(book) != s.Hash) {
            leftPacked.insert(s.From);
            return problem(archiveChanged(s.To));
        }
        if (PathTaken(s.From)) {
            leftPacked.insert(s.From);
            return problem(placeTaken(s.From, s.To));
        }
        if (const int e = folders(parentOf(s.From)))
            return problem(failed(s.To, s.From, e));
        writeReverse(s, TStepKind::Unpack);
        if (const int e = MoveFileNoReplace(book, s.From))
            return problem(failed(s.To, s.From, e));
        // The archive held this book alone, and the book is now complete at its place.
        ::unlink(QFile::encodeName(s.To).constData());
        ++res.Reversed;
        res.MovedBack.append({s.To, s.From});
    }

    void undoUnpack(const TJournalStep &s)
    {
        if (!PathTaken(s.To)) {
            if (PathTaken(s.From))
                ++res.AlreadyBack;
            else
                problem(notFound(s.To));
            return;
        }
        if (RegularFileHash(s.To) != s.Hash)
            return problem(changedSince(s.To));
        if (s.From != s.To + QStringLiteral(".zip"))
            return problem(archiveChanged(s.From));
        if (PathTaken(s.From))
            return problem(placeTaken(s.From, s.To));
        journal.Packing(s.To, s.From);
        TZipArchive zip;
        if (const int e = BookArchiveNoReplace(zip, s.To, s.To))
            return problem(failed(s.To, s.From, e));
        ::unlink(QFile::encodeName(s.To).constData());
        ++res.Reversed;
    }

    void undoMakeDir(const TJournalStep &s)
    {
        // Only an empty folder goes; one that holds anything now is the user's.
        if (::rmdir(QFile::encodeName(s.To).constData()) != 0)
            return;
        TJournalStep u = s;
        u.Kind = TStepKind::RemoveDir;
        journal.Write(u);
        ++res.Reversed;
    }

    void undoRemoveDir(const TJournalStep &s)
    {
        if (PathTaken(s.To))
            return;
        if (folders(s.To) == 0)
            ++res.Reversed;
    }

    void undo(const TJournalStep &s)
    {
        switch (s.Kind) {
        case TStepKind::Extract: break;  // a scratch copy; its archive was never touched
        case TStepKind::Move:
        case TStepKind::CopyDelete: undoMove(s); break;
        case TStepKind::Place: undoPlace(s); break;
        case TStepKind::Unplace: undoUnplace(s); break;
        case TStepKind::Convert: undoConvert(s); break;
        case TStepKind::Copy: undoCopy(s); break;
        case TStepKind::Pack: undoPack(s); break;
        case TStepKind::Unpack: undoUnpack(s); break;
        case TStepKind::MakeDir: undoMakeDir(s); break;
        case TStepKind::RemoveDir: undoRemoveDir(s); break;
        }
    }
};

}  // namespace

TUndoResult UndoJournal(const QString &journalPath, const TUndoCallbacks &cb)
{
    const TJournalFile j = ReadJournal(journalPath);
    const QFileInfo info(journalPath);
    Undoer u(info.absolutePath(), info.fileName());
    u.res.Journal = journalPath;
    u.journal.Begin();
    u.res.UndoJournal = u.journal.Path();
    for (int line : j.BadLines)
        u.problem(QStringLiteral("Строка %1 журнала \"%2\" не прочитана").arg(line).arg(journalPath));

    const int total = j.Operations();
    u.res.Steps = total;
    int done = 0;
    for (qsizetype i = j.Steps.size() - 1; i >= 0; --i) {
        const TJournalStep &s = j.Steps[i];
        if (s.Kind == TStepKind::Extract)
            continue;
        if (cb.Cancelled && cb.Cancelled()) {
            u.res.Cancelled = true;
            break;
        }
        u.undo(s);
        if (cb.Progress)
            cb.Progress(++done, total);
    }
    u.journal.Finish(u.res.Cancelled ? TJournalEnd::Cancelled : TJournalEnd::Done);
    return u.res;
}
