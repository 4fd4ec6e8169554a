#pragma once
// "Открыть папку с подпапками": the books of a folder and of all its subfolders.
//
// A tree may hold links to anywhere, a link back to its own root, or a folder mounted inside
// itself, so the walk follows no link at all (a link inside the tree leads to books that the
// walk meets anyway) and enters no folder twice. The folder chosen may itself be a link. It
// runs off the GUI thread: it reports its progress now and then and stops when asked to.

#include "list/ListEntry.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

struct TFolderTreeProgress {
    int Folders = 0;  // folders read so far
    int Found = 0;  // ".fb2" files and ".zip" archives found so far
    int Read = 0;  // of those, how many have given their rows
    bool Listing = true;  // still walking the folders; then reading the archives
    QString Current;  // the folder or file in hand
};

// Called now and then from the thread that reads; returning false stops the reading.
using TFolderTreeReport = std::function<bool(const TFolderTreeProgress &)>;

// The regular ".fb2" files and ".zip" archives (extension in any case) of `folder` and its
// subfolders, as paths below `folder` as given: each folder's own files sorted by name, then
// each subfolder in name order with everything below it. Empty when stopped (`stopped` set).
QStringList FolderTreeBookSources(const QString &folder, const TFolderTreeReport &report = {}, bool *stopped = nullptr);

struct TFolderTreeRows {
    QList<TListEntry> Rows;  // in the order of FolderTreeBookSources, each archive's in its order
    QStringList Failures;  // the error of each archive that could not be read
    bool Stopped = false;  // asked to stop: no rows
};

// The rows of every book source of the tree. An archive that cannot be read adds its error to
// Failures and the reading goes on: one damaged archive in a collection does not keep the
// others out.
TFolderTreeRows ReadFolderTree(const QString &folder, const TFolderTreeReport &report = {});
