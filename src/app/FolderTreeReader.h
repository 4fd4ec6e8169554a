#pragma once
// Reads a folder tree for "Открыть папку с подпапками" on a worker thread, so that the window
// never freezes on a big collection; a progress window with "Отмена" comes up when the reading
// takes longer than a moment.

#include "list/FolderTree.h"

#include <functional>

class QWidget;

class TFolderTreeReader {
public:
    // What reads the tree; the core's ReadFolderTree unless a test gives another.
    using TJob = std::function<TFolderTreeRows(const QString &folder, const TFolderTreeReport &report)>;

    explicit TFolderTreeReader(QWidget *parent, TJob job = {});

    // The rows of the tree; Stopped when the user cancelled. Errors of the reading other than
    // the archives' own go on to the caller.
    TFolderTreeRows Read(const QString &folder);

    // How long a reading runs before its window shows.
    void SetShowDelay(int ms) { m_showDelay = ms; }

    // The box text for archives that could not be read: how many, and the first errors.
    static QString FailuresText(const QStringList &failures);

private:
    QWidget *m_parent;
    TJob m_job;
    int m_showDelay = 400;
};
