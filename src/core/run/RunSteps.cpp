#include "run/RunSteps.h"

#include "config/AppSettings.h"
#include "config/Folders.h"
#include "convert/BookConversion.h"
#include "globals/Errors.h"
#include "run/RunPaths.h"
#include "zip/BookArchive.h"
#include "zip/ZipArchive.h"

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
    TZipArchive zip;  // the archive of the last row read, kept open for its next row
    QString openArchive;
};

TRunSteps::TRunSteps() : m(std::make_unique<State>())
{
    m->conversion.PrepareConversion(AppSettings.ConvertType, UtilsDir);
}
TRunSteps::~TRunSteps() = default;

void TRunSteps::ReadEntry(const TListEntry &entry, QByteArray &bytes, bool &missing, TZipEntry &record)
{
    // Rows of one archive usually follow each other: its directory is read once for all of them.
    if (!m->zip.IsOpen() || m->openArchive != entry.ArchivePath) {
        m->openArchive.clear();
        m->zip.FileName = entry.ArchivePath;
        m->zip.OpenArchive(TZipArchive::omRead);
        m->openArchive = entry.ArchivePath;
    }
    missing = !m->zip.ReadEntry(entry.EntryIndex, entry.StoredPath + entry.FileName, bytes);
    if (!missing)
        record = m->zip.LastReadEntry();
}

void TRunSteps::CloseArchive()
{
    m->openArchive.clear();
    m->zip.CloseArchive();
}

const TBookConversion &TRunSteps::Conversion() const { return m->conversion; }

QString TRunSteps::ConvertedName(const QString &name) { return m->conversion.ConvertedName(name); }

int TRunSteps::Pack(const QString &file, const QString &zip, const QString &entryName, bool flush,
                    const TDeflatedData *deflated)
{
    return PackBookAs(zip, file, entryName, kRunPackLevel, flush, deflated);
}

int TRunSteps::PackBytes(const QByteArray &bytes, const TZipEntry &entry, const QString &zip, const QString &entryName,
                         bool flush, const TDeflatedData *deflated)
{
    return PackBookBytesAs(zip, bytes, entry, entryName, kRunPackLevel, flush, deflated);
}
