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
#include "validate/ValidateBook.h"
#include "xml/XmlSchema.h"
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

// The record of a book as its description alone gives it, or the error of loading it.
QString RecordOrError(const QString &path, IXMLFictionBook (*open)(const QString &))
{
    try {
        TBookData record;
        record.Clear();
        ExtractBookInfo(open(path), record);
        return record.Title + record.LastName + record.Genre + record.Sequence + record.Lang;
    } catch (const EOrvane &e) {
        return QStringLiteral("error: ") + e.Message();
    }
}

void FuzzBook(const QByteArray &data)
{
    const QString path = Input(data, QStringLiteral("in.fb2"));
    try {
        const IXMLFictionBook book = OpenBookDocument(path);
        TBookData record;
        record.Clear();
        ExtractBookInfo(book, record);
        BookRename(record, AppSettings);
        BookSort(record, AppSettings);
        book->Xml();
    } catch (const EOrvane &) {
    }
    // Reading the description alone must load, or fail, as reading the whole book.
    if (RecordOrError(path, &OpenBookDescription) != RecordOrError(path, &OpenBookDocument))
        qFatal("the description alone reads differently from the whole book");
}

void FuzzValidate(const QByteArray &data)
{
    const QString path = Input(data, QStringLiteral("valid.fb2"));
    try {
        QString error;
        const bool valid = LoadValidBookDom(path, UtilsDir, error) != nullptr;
        // Validation without a tree may only vouch for a book that the tree finds valid.
        if (!valid && XmlStreamFindsValid(path, UtilsDir + QStringLiteral("FictionBook.xsd"), FictionBookNamespace))
            qFatal("validation without a tree passed an invalid book");
        // The run's loader for the record alone judges as the whole tree does.
        QString headError;
        if ((LoadValidBookDescription(data, path, UtilsDir, headError) != nullptr) != valid || headError != error)
            qFatal("the description's loader judges a book differently from the whole tree");
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
