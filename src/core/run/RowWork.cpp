#include "run/RowWork.h"

#include "book/ExtractBookInfo.h"
#include "config/Folders.h"
#include "convert/BookConversion.h"
#include "journal/FileHash.h"
#include "names/TargetNames.h"
#include "validate/ValidBook.h"
#include "xml/XmlServices.h"

#include <QFile>
#include <algorithm>
#include <atomic>
#include <sys/stat.h>

TFileStamp StampOf(const QString &path)
{
    TFileStamp s;
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return s;
    s.Exists = true;
    s.Device = st.st_dev;
    s.Inode = st.st_ino;
    s.Size = st.st_size;
    s.Modified = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    s.Changed = qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    return s;
}

namespace {

// Below this size a book's whole tree costs little, while one that turns out invalid would be
// parsed twice (the validator without a tree stops at its first error, the tree then judges).
constexpr qsizetype kDescriptionOnlyFrom = 64 * 1024;

// Whether the books of late were valid, the only ones that building the description alone
// makes faster (an invalid book is parsed twice on that way). Every 16th book takes it anyway,
// so that a run that turns to valid books finds out. Either way gives the same verdict and tree.
class TValidOdds {
public:
    bool Good()
    {
        return m_score.load(std::memory_order_relaxed) >= 0
            || m_tries.fetch_add(1, std::memory_order_relaxed) % 16 == 0;
    }
    void Learn(bool valid)
    {
        const int score = m_score.load(std::memory_order_relaxed) + (valid ? 1 : -1);
        m_score.store(std::clamp(score, -8, 8), std::memory_order_relaxed);  // a lost update does no harm
    }

private:
    std::atomic<int> m_score{0};
    std::atomic<unsigned> m_tries{0};
};

TValidOdds g_validOdds;

}  // namespace

void PrepareRow(TRowWork &w, const TBookConversion &conversion)
{
    const TRowInput &in = w.In;
    const TRunSettings &s = in.Settings;
    if (in.ReadFailure)
        return;
    if (!in.InMemory)
        w.Stamp = StampOf(in.WorkingPath);
    // A loose book is read once, here: parsed, hashed for the journal and deflated from these
    // bytes. One that cannot be read is loaded from its path, which says why.
    QByteArray read;
    XmlParseError unread;
    const bool readHere = !in.InMemory && ReadWholeFile(in.WorkingPath, read, unread);
    const QByteArray &bytes = in.InMemory ? in.Bytes : read;
    const bool inHand = (in.InMemory && !in.Missing) || readHere;
    if (inHand && in.WantHash)
        w.BookHash = DataHash(bytes);
    try {
        XmlDocPtr dom;
        // Without a conversion only the record is read: the tree may end with the description.
        if (s.Valid && inHand && !s.Convert && bytes.size() >= kDescriptionOnlyFrom && g_validOdds.Good()) {
            bool parsedOnce = false;
            dom = LoadValidBookDescription(bytes, in.WorkingPath, UtilsDir, w.InvalidText, &parsedOnce);
            g_validOdds.Learn(parsedOnce);
        } else if (s.Valid)
            dom = inHand ? LoadValidBookDom(bytes, in.WorkingPath, UtilsDir, w.InvalidText)
                         : LoadValidBookDom(in.WorkingPath, UtilsDir, w.InvalidText);
        else
            dom = inHand ? LoadBookDom(bytes, in.WorkingPath) : LoadBookDom(in.WorkingPath);
        if (!dom)
            return;
        w.Book = BookFromDom(std::move(dom));
        w.Loaded = true;
        w.NewName = in.Entry.FileName;
        // The record is read only for the names: reading it adds elements the conversion sees.
        if (s.Rename || s.Sort) {
            const TBookData record = BookRecord(w.Book);
            if (s.Rename)
                w.NewName = BookRename(record, in.App);
            if (s.Sort)
                w.SortResult = BookSort(record, in.App);
        }
    } catch (...) {
        w.LoadFailure = std::current_exception();
        return;
    }
    // The workers deflate, so that the run's own thread only writes the archive.
    if (s.Archive && !s.Convert && inHand)
        w.Packed = DeflateData(bytes, kRunPackLevel);
    if (s.Convert) {
        try {
            w.Converted = conversion.ConvertedData(w.Book);
        } catch (...) {
            w.ConvertFailure = std::current_exception();
        }
    }
}
