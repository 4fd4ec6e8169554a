#pragma once
// The part of a row that changes no file: reading the book, validating, loading, naming and
// converting it. It depends only on the book's bytes and the settings, so workers can do it
// ahead of the row the run is placing and give what the run would have found in hand.

#include "config/AppSettings.h"
#include "fb2/fictionbook_21.h"
#include "list/ListEntry.h"
#include "run/RunSteps.h"
#include "zip/ZipDirectory.h"
#include "zip/ZipWriter.h"

#include <QByteArray>
#include <QString>
#include <exception>
#include <sys/types.h>

class TBookConversion;

// Which file a loose book was read from, to tell whether the file at its path is still it.
struct TFileStamp {
    bool Exists = false;
    dev_t Device = 0;
    ino_t Inode = 0;
    qint64 Size = 0;
    qint64 Modified = 0;  // nanoseconds
    qint64 Changed = 0;  // nanoseconds: a rename or a rewrite moves it

    bool operator==(const TFileStamp &o) const
    {
        return Exists == o.Exists && Device == o.Device && Inode == o.Inode && Size == o.Size && Modified == o.Modified
            && Changed == o.Changed;
    }
};
TFileStamp StampOf(const QString &path);

// What a row's work starts from; made on the run's thread.
struct TRowInput {
    TListEntry Entry;
    QString WorkingPath;  // the loose file; an archive entry: the archive, "/" and its stored path
    bool InMemory = false;  // an archive entry, read by the run into Bytes
    bool Missing = false;  // an archive entry that is no longer in its archive
    QByteArray Bytes;
    TZipEntry EntryRecord;  // its time and mode go with the book
    std::exception_ptr ReadFailure;  // the archive could not give the entry: the run ends at the row
    TRunSettings Settings;
    TAppSettings App;  // the settings the names are made with
    quint64 Generation = 0;
    bool WantHash = false;  // the run keeps a journal: BookHash is wanted
};

struct TRowWork {
    TRowInput In;
    TFileStamp Stamp;  // the loose file as it was read
    bool Loaded = false;  // a book that passed validation (or, unvalidated, loaded)
    QString InvalidText;  // not loaded: ValidateBook's text
    std::exception_ptr LoadFailure;  // loading or naming raised this
    IXMLFictionBook Book;
    QString NewName;  // with Rename on; otherwise the row's name
    QString SortResult;  // with Sort on
    QByteArray Converted;  // with Convert on: the converted file's bytes
    std::exception_ptr ConvertFailure;
    TDeflatedData Packed;  // with Archive on and Convert off: a valid book deflated for its archive
    QByteArray BookHash;  // with WantHash: the journal's hash of the bytes read (empty: not read)
    int PreparedBy = -1;  // the worker that did the work; -1: the run's own thread
};

// Does the work of a row; never throws (what is raised is kept for the row's turn).
void PrepareRow(TRowWork &work, const TBookConversion &conversion);
