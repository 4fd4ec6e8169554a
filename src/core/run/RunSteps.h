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

class TRunSteps {
public:
    // Prepares the conversion chosen by AppSettings.ConvertType (every run does, converting or not).
    TRunSteps();
    ~TRunSteps();

    // Extracts the row's entry below `dir`, at its folders inside the archive. The archive stays
    // open for the next row of the same archive.
    void Extract(const TListEntry &entry, const QString &dir);
    void CloseArchive();

    // ValidateBook, then CurrentBook := OpenBookDocument, reading the file once: true with the
    // book loaded; false with ValidateBook's four-line text for an invalid book. Unvalidated
    // (`validate` false), only loads. Throws what loading throws.
    bool ValidateAndOpen(const QString &path, bool validate, QString &error);
    // BookRename and BookSort of CurrentBook.
    QString NewName();
    QString SortResult();
    // CurrentBook converted by the run's style sheet: the bytes of the converted file.
    QByteArray Converted();
    // The name of the converted file: the name with the kind's extension.
    QString ConvertedName(const QString &name);
    // The new archive `zip` holding `file` as `entryName`, never replacing a file of that name:
    // 0, or the errno of taking the name (EEXIST when it is taken).
    int Pack(const QString &file, const QString &zip, const QString &entryName);

private:
    struct State;
    std::unique_ptr<State> m;
};
