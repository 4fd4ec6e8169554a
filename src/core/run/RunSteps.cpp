#include "run/RunSteps.h"


#include "book/ExtractBookInfo.h"
#include "config/AppSettings.h"
#include "config/Folders.h"
#include "convert/BookConversion.h"
#include "fb2/fictionbook_21.h"
#include "globals/BookData.h"
#include "globals/Errors.h"
#include "list/BookSources.h"
#include "names/TargetNames.h"
#include "run/CurrentBook.h"
#include "run/RunPaths.h"
#include "validate/ValidBook.h"
#include "zip/BookArchive.h"
#include "zip/ZipArchive.h"

#include <QFile>

TRunSettings CurrentRunSettings()
{
    const TAppSettings &a = AppSettings;
    TRunSettings s;
    s.Valid = a.Valid;
    s.Rename = a.Rename;
    s.Sort = a.Sort;
    s.Convert = a.Convert;
    s.Archive = a.Archive;
    s.SaveLog = a.SaveLog;
    // A folder typed without its "/" is still that folder: joined as text it would put the
    // books beside it ("/data/out" + "name" = "/data/outname").
    s.EndDir = WithTrailingSlash(a.EndDir);
    s.BadDir = WithTrailingSlash(a.BadDir);
    s.LogFile = a.LogFile;
    return s;
}

QString RunTempDir() { return TempDir; }

struct TRunSteps::State {
    TBookConversion conversion;
    TZipArchive zip;        // the archive of the last extraction, kept open for its next row
    QString openArchive;
    TBookData book;         // the metadata of CurrentBook, read on first use
    bool bookRead = false;

    const TBookData &Book()
    {
        if (!bookRead) {
            book = BookRecord(CurrentBook);
            bookRead = true;
        }
        return book;
    }
};

TRunSteps::TRunSteps() : m(std::make_unique<State>())
{
    m->conversion.PrepareConversion(AppSettings.ConvertType, UtilsDir);
}
TRunSteps::~TRunSteps() = default;

void TRunSteps::Extract(const TListEntry &entry, const QString &dir)
{
    // Rows of one archive usually follow each other: its directory is read once for all of them.
    if (!m->zip.IsOpen() || m->openArchive != entry.ArchivePath) {
        m->openArchive.clear();
        m->zip.FileName = entry.ArchivePath;
        m->zip.OpenArchive(TZipArchive::omRead);
        m->openArchive = entry.ArchivePath;
    }
    m->zip.BaseDir = dir;
    // An entry gone from the archive leaves no working file, so that the copy of an earlier row
    // of the same name is not taken for it.
    if (ExtractListEntry(m->zip, entry).isEmpty())
        QFile::remove(WorkingPath(entry, dir));
}

void TRunSteps::CloseArchive()
{
    m->openArchive.clear();
    m->zip.CloseArchive();
}

bool TRunSteps::ValidateAndOpen(const QString &path, bool validate, QString &error)
{
    m->bookRead = false;
    XmlDocPtr dom = validate ? LoadValidBookDom(path, UtilsDir, error) : LoadBookDom(path);
    if (!dom)
        return false;
    CurrentBook = BookFromDom(std::move(dom));
    return true;
}

QString TRunSteps::NewName() { return BookRename(m->Book(), AppSettings); }

QString TRunSteps::SortResult() { return BookSort(m->Book(), AppSettings); }

QByteArray TRunSteps::Converted() { return m->conversion.ConvertedData(CurrentBook); }

QString TRunSteps::ConvertedName(const QString &name) { return m->conversion.ConvertedName(name); }

int TRunSteps::Pack(const QString &file, const QString &zip, const QString &entryName)
{
    return PackBookAs(zip, file, entryName);
}
