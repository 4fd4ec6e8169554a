#pragma once
// The other subsystems as one run calls them: extraction, validation, loading, names,
// conversion, packing. The one place where the run meets them, so the walk reads as the
// algorithm and each step can be changed without touching it.

#include "list/ListEntry.h"

#include <QString>
#include <memory>

// The settings one row is done with, as AppSettings holds them when the row is reached (the run
// hands control to the message loop once per row, and the settings dialog may change them then).
struct TRunSettings {
    bool Valid = true;
    bool Rename = true;
    bool Sort = true;
    bool Convert = false;
    bool Archive = false;
    bool SaveLog = false;
    QString EndDir;
    QString BadDir;
    QString LogFile;
};
TRunSettings CurrentRunSettings();
// TempDir, the scratch folder.
QString RunTempDir();

class TBookConversion;
struct TDeflatedData;
struct TZipEntry;

// The deflate level of the archives a run packs.
constexpr int kRunPackLevel = 1;

class TRunSteps {
public:
    // Prepares the conversion chosen by AppSettings.ConvertType (every run does, converting or not).
    TRunSteps();
    ~TRunSteps();

    // Reads the row's archive entry into memory, the very entry the row was listed from: Bytes,
    // or Missing when it is no longer there. The archive stays open for the next row of the same
    // archive. Throws the archive's errors.
    void ReadEntry(const TListEntry &entry, QByteArray &bytes, bool &missing, TZipEntry &record);
    void CloseArchive();

    // The run's conversion, for the work of its rows.
    const TBookConversion &Conversion() const;
    // The name of the converted file: the name with the kind's extension.
    QString ConvertedName(const QString &name);
    // The new archive `zip` holding `file` as `entryName`, never replacing a file of that name:
    // 0, or the errno of taking the name (EEXIST when it is taken).
    // `flush` false: not flushed to the disk yet (see FlushFileSystems). `deflated`: the file's
    // bytes deflated ahead.
    int Pack(const QString &file, const QString &zip, const QString &entryName, bool flush,
             const TDeflatedData *deflated = nullptr);
    // The same for an archive entry read into memory (`entry`: its record, for its time and mode).
    int PackBytes(const QByteArray &bytes, const TZipEntry &entry, const QString &zip, const QString &entryName,
                  bool flush, const TDeflatedData *deflated = nullptr);

private:
    struct State;
    std::unique_ptr<State> m;
};
