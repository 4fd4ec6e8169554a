#pragma once
// Writing a file so that its name shows only a complete file: the data goes to a scratch twin in
// the same folder (so the last step is a rename on one file system), created exclusively under a
// fresh name, and the twin takes the final name once its data is on disk, replacing a file of
// that name or refusing to. Whatever fails, the final name is as it was and no twin is left.
//
// The archive writer, extraction, moves across file systems, converted books and the settings
// file all write through here.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <sys/types.h>

enum class TTakeName {
    Replace,  // a file of the final name is replaced (in one step, by the rename)
    NoReplace,  // a file of the final name stays; taking the name fails with EEXIST
};

class TScratchFile {
public:
    TScratchFile() = default;
    ~TScratchFile() { Discard(); }
    TScratchFile(const TScratchFile &) = delete;
    TScratchFile &operator=(const TScratchFile &) = delete;

    // Creates the twin of `finalPath`: "." + the final name + "." + the process id + "-" + 16
    // random hex digits + ".part", or ".orv-" + id + "-" + digits + ".part" where the final name
    // leaves no room for that, with `mode` less the umask. The twin stays locked while it is
    // written. Returns 0 or an errno: ENAMETOOLONG when the final name itself is too
    // long to be taken, EEXIST when every name tried was taken.
    int Create(const QString &finalPath, mode_t mode = 0666);
    bool IsOpen() const { return m_fd >= 0; }
    int Handle() const { return m_fd; }
    const QString &Path() const { return m_path; }  // the twin; empty when there is none
    qint64 Size() const { return m_size; }  // bytes appended so far

    // Each returns 0 or an errno.
    int Append(const char *data, qint64 n);
    int Append(const QByteArray &data) { return Append(data.constData(), data.size()); }
    int WriteAt(qint64 offset, const char *data, qint64 n);
    // Cuts the twin to `size`; the next Append goes there.
    int Truncate(qint64 size);

    // Flushes the data to the disk (`flush` false: a scratch copy that a crash may lose), closes
    // the twin and gives it the final name. Returns 0 or an errno (EEXIST: NoReplace and the name
    // is taken); on a failure the twin is removed.
    int Commit(TTakeName how, bool flush = true);
    // Removes the twin; the final name is not touched.
    void Discard();

private:
    int m_fd = -1;
    qint64 m_size = 0;
    QString m_path, m_finalPath;
};

// Flushes to the disk, once per file system, everything written to the files `paths` (and the
// rest of those file systems): far cheaper than one flush per file when many small files must be
// on the disk before their sources go. Returns 0 or the first errno.
int FlushFileSystems(const QStringList &paths);

// Removes from `folder` the twins that writers killed before they finished left behind: a twin
// whose process is gone and whose lock is free. Returns how many were removed.
int RemoveStaleScratchFiles(const QString &folder);
// True while a process of that id exists (the scratch files of a process that is gone are debris).
bool ProcessAlive(qint64 pid);

// Gives `from`, a complete file on the file system of `to`, the name `to` unless that name is
// taken (EEXIST). Returns 0 or an errno.
int RenameNoReplace(const QString &from, const QString &to);

// Writes `data` to `path` through its twin, replacing a file of that name: the replaced file
// passes on its permissions, and a link at `path` is followed, so that a settings file linked
// from elsewhere is replaced where it lives. With `inPlaceWhenFolderClosed`, a file that exists
// in a folder where no twin may be made is overwritten in place instead (the run's log).
// The file is flushed before it takes the name; without `flushNew`, only when it replaces one
// (a file made from another that stays, such as a converted book, needs no flush of its own).
// Returns 0 or an errno.
int WriteFileReplacing(const QString &path, const QByteArray &data, bool inPlaceWhenFolderClosed = false,
                       bool flushNew = true);
