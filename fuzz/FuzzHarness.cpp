#include "FuzzHarness.h"

#include "book/ExtractBookInfo.h"
#include "config/AppSettings.h"
#include "config/Folders.h"
#include "config/IniCodec.h"
#include "config/IniFile.h"
#include "convert/BookConversion.h"
#include "fb2/fictionbook_21.h"
#include "globals/Base64.h"
#include "globals/BookData.h"
#include "globals/Errors.h"
#include "names/TargetNames.h"
#include "validate/ValidBook.h"
#include "zip/ZipArchive.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstring>

namespace {

// One scratch folder per process; every input is written into it, as the readers take files.
const QTemporaryDir &Scratch()
{
    static const QTemporaryDir dir = [] {
        QTemporaryDir d;
        SetUpFolders(QStringLiteral(ORVANE_BIN_DIR), d.path() + QStringLiteral("/tmp"));
        UpdateSetting(d.filePath(QStringLiteral("no-such-config.ini")));  // the defaults
        return d;
    }();
    return dir;
}

QString Input(const QByteArray &data, const QString &name)
{
    const QString path = Scratch().filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(data);
    return path;
}

void FuzzZip(const QByteArray &data)
{
    const QString out = Scratch().filePath(QStringLiteral("out/"));
    try {
        TZipArchive zip;
        zip.FileName = Input(data, QStringLiteral("in.zip"));
        zip.BaseDir = out;
        zip.OpenArchive(TZipArchive::omRead);
        TZipArchiveItem item;
        QList<std::pair<qsizetype, QString>> entries;
        for (bool found = zip.FindFirst(QStringLiteral("*"), item, kListSearchAttr); found; found = zip.FindNext(item))
            entries.append({item.EntryIndex, item.StoredPath + item.FileName});
        for (const auto &[index, stored] : entries) {
            try {
                zip.ExtractEntry(index, stored);
            } catch (const EOrvane &) {
            }
        }
        zip.ExtractFiles(QStringLiteral("*"), kExtractSearchAttr);
    } catch (const EOrvane &) {
    }
    QDir(out).removeRecursively();
}

void FuzzBook(const QByteArray &data)
{
    try {
        const IXMLFictionBook book = OpenBookDocument(Input(data, QStringLiteral("in.fb2")));
        TBookData record;
        record.Clear();
        ExtractBookInfo(book, record);
        BookRename(record, AppSettings);
        BookSort(record, AppSettings);
        book->Xml();
    } catch (const EOrvane &) {
    }
}

void FuzzValidate(const QByteArray &data)
{
    try {
        QString error;
        LoadValidBookDom(Input(data, QStringLiteral("valid.fb2")), UtilsDir, error);
    } catch (const EOrvane &) {
    }
}

void FuzzIni(const QByteArray &data)
{
    try {
        const TIniFile ini(Input(data, QStringLiteral("config.ini")));
        ReadAppSettings(ini);
        ReadAppSettings(ini, ESettingsKeys::Template);
        ini.ReadSection(QStringLiteral("GENRES"));
        // What a write would store, without the disk: the text in the file's own encoding.
        EncodeIniText(DecodeIniText(data));
    } catch (const EOrvane &) {
    }
}

void FuzzBase64(const QByteArray &data) { DecodeBase64(data); }

void FuzzConvert(const QByteArray &data)
{
    static std::vector<TBookConversion> kinds = [] {
        Scratch();
        std::vector<TBookConversion> all(3);
        for (int type = 0; type < 3; ++type)
            all[type].PrepareConversion(type, UtilsDir);
        return all;
    }();
    try {
        const IXMLFictionBook book = OpenBookDocument(Input(data, QStringLiteral("convert.fb2")));
        for (const TBookConversion &kind : kinds) {
            try {
                kind.ConvertedData(book);
            } catch (const EOrvane &) {
            }
        }
    } catch (const EOrvane &) {
    }
}

}  // namespace

const std::vector<TFuzzTarget> &FuzzTargets()
{
    static const std::vector<TFuzzTarget> targets{
        {"zip", &FuzzZip}, {"book", &FuzzBook},     {"validate", &FuzzValidate},
        {"ini", &FuzzIni}, {"base64", &FuzzBase64}, {"convert", &FuzzConvert},
    };
    return targets;
}

const TFuzzTarget *FindFuzzTarget(const char *name)
{
    for (const TFuzzTarget &t : FuzzTargets())
        if (std::strcmp(t.name, name) == 0)
            return &t;
    return nullptr;
}
