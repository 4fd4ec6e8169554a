#include "list/FolderTree.h"

#include "globals/Errors.h"
#include "list/BookSources.h"
#include "zip/ZipArchive.h"

#include <QFile>
#include <QSet>

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// An open directory stream, closed on every path.
class TDirStream {
public:
    explicit TDirStream(int fd) : m_dir(fd >= 0 ? fdopendir(fd) : nullptr)
    {
        if (fd >= 0 && !m_dir)
            close(fd);
    }
    ~TDirStream()
    {
        if (m_dir)
            closedir(m_dir);
    }
    TDirStream(const TDirStream &) = delete;
    TDirStream &operator=(const TDirStream &) = delete;
    DIR *get() const { return m_dir; }

private:
    DIR *m_dir;
};

struct TFolderId {
    dev_t Dev;
    ino_t Ino;
    bool operator==(const TFolderId &o) const { return Dev == o.Dev && Ino == o.Ino; }
};

size_t qHash(const TFolderId &id, size_t seed = 0) { return qHashMulti(seed, quint64(id.Dev), quint64(id.Ino)); }

class TTreeWalk {
public:
    TTreeWalk(const TFolderTreeReport &report) : m_report(report) {}

    // False when asked to stop.
    bool Walk(const QString &root)
    {
        QString base = root;
        if (!base.endsWith(QLatin1Char('/')))
            base += QLatin1Char('/');
        // The folder chosen is entered even when it is a link; no link below it is.
        std::vector<QString> pending{base};
        bool first = true;
        while (!pending.empty()) {
            const QString folder = std::move(pending.back());
            pending.pop_back();
            const int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | (first ? 0 : O_NOFOLLOW);
            first = false;
            std::vector<QString> subfolders;
            if (!ReadFolder(folder, flags, subfolders))
                return false;
            // Depth first, subfolders in name order.
            for (auto it = subfolders.rbegin(); it != subfolders.rend(); ++it)
                pending.push_back(folder + *it + QLatin1Char('/'));
        }
        return true;
    }

    QStringList Found;

private:
    bool ReadFolder(const QString &folder, int flags, std::vector<QString> &subfolders)
    {
        const TDirStream dir(open(QFile::encodeName(folder).constData(), flags));
        if (!dir.get())
            return Tell(folder);  // unreadable, or swapped for a link since it was listed
        struct stat st {};
        if (fstat(dirfd(dir.get()), &st) != 0 || m_seen.contains({st.st_dev, st.st_ino}))
            return Tell(folder);
        m_seen.insert({st.st_dev, st.st_ino});
        ++m_progress.Folders;

        std::vector<QString> files;
        while (const dirent *e = readdir(dir.get())) {
            const char *name = e->d_name;
            if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
                continue;
            unsigned char type = e->d_type;
            if (type == DT_UNKNOWN) {
                struct stat est {};
                if (fstatat(dirfd(dir.get()), name, &est, AT_SYMLINK_NOFOLLOW) != 0)
                    continue;
                type = S_ISDIR(est.st_mode) ? DT_DIR : S_ISREG(est.st_mode) ? DT_REG : DT_LNK;
            }
            const QString qname = QFile::decodeName(name);
            if (type == DT_DIR)
                subfolders.push_back(qname);
            else if (type == DT_REG && IsBookSource(qname))
                files.push_back(qname);
        }
        std::sort(files.begin(), files.end());
        std::sort(subfolders.begin(), subfolders.end());
        for (const QString &f : files)
            Found.append(folder + f);
        m_progress.Found = int(Found.size());
        return Tell(folder);
    }

    bool Tell(const QString &current)
    {
        if (!m_report)
            return true;
        m_progress.Current = current;
        return m_report(m_progress);
    }

    const TFolderTreeReport &m_report;
    TFolderTreeProgress m_progress;
    QSet<TFolderId> m_seen;
};

}  // namespace

QStringList FolderTreeBookSources(const QString &folder, const TFolderTreeReport &report, bool *stopped)
{
    TTreeWalk walk(report);
    const bool done = walk.Walk(folder);
    if (stopped)
        *stopped = !done;
    return done ? walk.Found : QStringList();
}

TFolderTreeRows ReadFolderTree(const QString &folder, const TFolderTreeReport &report)
{
    TFolderTreeRows result;
    const QStringList sources = FolderTreeBookSources(folder, report, &result.Stopped);
    if (result.Stopped)
        return result;
    TFolderTreeProgress progress;
    progress.Listing = false;
    progress.Found = int(sources.size());
    TZipArchive zip;
    for (const QString &path : sources) {
        progress.Current = path;
        if (report && !report(progress)) {
            result.Rows.clear();
            result.Failures.clear();
            result.Stopped = true;
            return result;
        }
        try {
            result.Rows.append(BookSourceRows(path, zip));
        } catch (const EOrvane &e) {
            result.Failures.append(e.Message());
        }
        ++progress.Read;
    }
    return result;
}
