// The archive component against real packers, against itself, and against hostile and damaged
// archives. Archives are made at test time with zip, Python's zipfile and zipcraft.py.

#include "ErrorOf.h"
#include "ZipFixtures.h"
#include "globals/Errors.h"
#include "zip/BookArchive.h"
#include "zip/ZipArchive.h"
#include "zip/ZipWriter.h"

#include <QtTest>
#include <cerrno>
#include <sys/stat.h>

using namespace ZipFixtures;

namespace {

const QString kFirst = QStringLiteral("книга.fb2");
const QString kSecond = QStringLiteral("Папка/вторая книга.fb2");
const QString kNotes = QStringLiteral("notes.txt");

QByteArray SecondBook() { return QStringLiteral("вторая книга ").repeated(500).toUtf8(); }

// "folder|name|size" for each entry the pattern finds, in the order found.
QStringList Listing(TZipArchive &zip, const QString &pattern)
{
    QStringList found;
    TZipArchiveItem item;
    for (bool ok = zip.FindFirst(pattern, item, kListSearchAttr); ok; ok = zip.FindNext(item))
        found << item.StoredPath + QLatin1Char('|') + item.FileName + QLatin1Char('|')
                + QString::number(item.UncompressedSize);
    return found;
}

// Writes a Python zipfile archive of the three source files; `kind` picks the variant.
const char *kPythonPacker = R"(
import io, sys, zipfile
out, kind, src = sys.argv[1], sys.argv[2], sys.argv[3]
names = ['книга.fb2', 'Папка/вторая книга.fb2', 'notes.txt']

class Cp866Info(zipfile.ZipInfo):
    def _encodeFilenameFlags(self):
        return self.filename.encode('cp866'), self.flag_bits

class Unseekable(io.RawIOBase):
    def __init__(self, f): self.f = f
    def writable(self): return True
    def write(self, b): return self.f.write(b)

method = zipfile.ZIP_STORED if kind == 'stored' else zipfile.ZIP_DEFLATED
f = open(out, 'wb')
z = zipfile.ZipFile(Unseekable(f) if kind == 'stream' else f, 'w', method)
for n in names:
    info = (Cp866Info if kind == 'cp866' else zipfile.ZipInfo)(n, (2021, 3, 4, 5, 6, 8))
    info.compress_type = method
    z.writestr(info, open(src + '/' + n, 'rb').read())
if kind == 'comment':
    z.comment = 'архив'.encode('utf-8')
z.close()
f.close()
)";

}  // namespace

class TestZipArchive : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString P(const QString &rel) const { return m_dir->path() + QLatin1Char('/') + rel; }

    void MakeSources()
    {
        QVERIFY(WriteFile(P("src/" + kFirst), "first book"));
        QVERIFY(WriteFile(P("src/" + kSecond), SecondBook()));
        QVERIFY(WriteFile(P("src/" + kNotes), "notes\n"));
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void readsArchivesOfOtherPackers_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("args");  // "OUT" and "SRC" stand for the paths

        const QStringList files{kFirst, kSecond, kNotes};
        QTest::newRow("zip: utf-8 names without flag, deflated") << "zip" << (QStringList{"-q", "OUT"} + files);
        QTest::newRow("zip: stored") << "zip" << (QStringList{"-q", "-0", "OUT"} + files);
        QTest::newRow("zip: to a pipe, with data descriptors")
            << "sh" << QStringList{"-c", "zip -q - \"$@\" | cat > OUT", "sh", kFirst, kSecond, kNotes};
        QTest::newRow("zip: with a comment")
            << "sh" << QStringList{"-c", "echo комментарий | zip -q -z OUT \"$@\"", "sh", kFirst, kSecond, kNotes};
        for (const char *kind : {"utf8", "cp866", "stored", "stream", "comment"})
            QTest::newRow(qPrintable(QStringLiteral("python zipfile: ") + kind))
                << PythonProgram() << QStringList{"-c", kPythonPacker, "OUT", kind, "SRC"};
    }
    void readsArchivesOfOtherPackers()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, args);
        MakeSources();
        const QString archive = P("packed.zip");
        args.replaceInStrings(QStringLiteral("OUT"), archive).replaceInStrings(QStringLiteral("SRC"), P("src"));
        QCOMPARE(Run(program, args, P("src")), 0);

        TZipArchive zip;
        zip.FileName = archive;
        zip.OpenArchive(TZipArchive::omRead);
        const QString second = QString::number(SecondBook().size());
        QCOMPARE(Listing(zip, "*"),
                 (QStringList{"|книга.fb2|10", "Папка/|вторая книга.fb2|" + second, "|notes.txt|6"}));
        QCOMPARE(Listing(zip, "*.fb2").size(), 2);

        zip.BaseDir = P("out");
        const QStringList written = zip.ExtractFiles("*", kExtractSearchAttr);
        QCOMPARE(written, (QStringList{P("out/" + kFirst), P("out/" + kSecond), P("out/" + kNotes)}));
        for (const QString &f : {kFirst, kSecond, kNotes})
            QCOMPARE(ReadFile(P("out/" + f)), ReadFile(P("src/" + f)));
        zip.CloseArchive();
        QVERIFY(!zip.IsOpen());
    }

    // Our writer, our reader, and two other readers agree on names, flags and bytes.
    void roundTripsThroughOurWriter()
    {
        struct TFile {
            QString stored;
            QByteArray data;
            bool utf8;
        };
        QByteArray large;  // several read chunks and buffer flushes, and not very compressible
        for (quint32 i = 0; i < 600000; ++i)
            large.append(char((i * 7919u) % 251)).append(char(i % 13));
        const QList<TFile> files{
            {"Толстой Лев - Война и мир.fb2", "<FictionBook>мир</FictionBook>", false},
            {"«Книга» №1.fb2", "guillemets", true},
            {"Ελληνικά.fb2", "greek", true},
            {"Ёлка.fb2", "", false},  // CP866 bytes that form UTF-8
            {"сам.fb2", "сам", false},
            {"Серия/Том 1.fb2", large, false},
        };
        for (const TFile &f : files)
            QVERIFY(WriteFile(P("src/" + f.stored), f.data));

        TZipArchive zip;
        zip.FileName = P("out/books.zip");
        zip.BaseDir = P("src");
        QVERIFY(QDir().mkpath(P("out")));
        zip.OpenArchive(TZipArchive::omCreate);
        int added = 0;
        for (const TFile &f : files)
            added += zip.AddFiles(P("src/" + f.stored), kExtractSearchAttr);
        QCOMPARE(added, files.size());
        QVERIFY(!QFile::exists(zip.FileName));  // only a temporary file until it is complete
        zip.CloseArchive();
        QCOMPARE(FilesBelow(P("out")), QStringList{"books.zip"});

        zip.OpenArchive(TZipArchive::omRead);
        QStringList expected;
        for (const TFile &f : files) {
            const qsizetype slash = f.stored.lastIndexOf('/');
            expected << f.stored.left(slash + 1) + '|' + f.stored.mid(slash + 1) + '|' + QString::number(f.data.size());
        }
        QCOMPARE(Listing(zip, "*"), expected);
        zip.BaseDir = P("back");
        zip.ExtractFiles("*", kExtractSearchAttr);
        for (const TFile &f : files)
            QCOMPARE(ReadFile(P("back/" + f.stored)), f.data);
        zip.CloseArchive();

        QCOMPARE(Run("unzip", {"-t", "-q", zip.FileName}), 0);
        // Python decodes names without bit 11 as CP437; its bytes are ours, read as CP866, and
        // the Unicode Path field holds the same name with the CRC of those bytes.
        QByteArray out;
        QCOMPARE(Python(R"(
import struct, sys, zipfile, zlib
def unicode_path(extra):
    while len(extra) >= 4:
        tag, size = struct.unpack('<HH', extra[:4])
        if tag == 0x7075:
            version, crc = struct.unpack('<BI', extra[4:9])
            return version, crc, extra[9:4 + size].decode('utf-8')
        extra = extra[4 + size:]
z = zipfile.ZipFile(sys.argv[1])
assert z.testzip() is None
for i in z.infolist():
    name = i.filename if i.flag_bits & 0x800 else i.filename.encode('cp437').decode('cp866')
    field = unicode_path(i.extra)
    if i.flag_bits & 0x800 or name.isascii():
        assert field is None, name
    else:
        raw = i.filename.encode('cp437')
        assert field == (1, zlib.crc32(raw), name), (name, field)
    print(name, i.flag_bits & 0x800 != 0, i.create_system, i.create_version, i.extract_version, i.compress_type,
          len(z.read(i)))
)",
                        {zip.FileName}, QString(), &out),
                 0);
        QStringList lines;
        for (const TFile &f : files)
            lines << QStringLiteral("%1 %2 0 20 20 8 %3").arg(f.stored, f.utf8 ? "True" : "False").arg(f.data.size());
        QCOMPARE(QString::fromUtf8(out).split('\n', Qt::SkipEmptyParts), lines);

        // unzip in a UTF-8 locale shows every name as written: a CP866 one by its Unicode Path
        // field, a UTF-8 one by bit 11 (which it honours only beside some extra field).
        out.clear();
        QCOMPARE(Run("env", {"LC_ALL=C.UTF-8", "unzip", "-l", zip.FileName}, QString(), &out), 0);
        static const QRegularExpression row(QStringLiteral("^\\s*\\d+\\s+\\S+\\s+\\S+\\s+(.+)$"));
        QStringList shown;
        for (const QString &line : QString::fromUtf8(out).split('\n'))
            if (const QRegularExpressionMatch m = row.match(line); m.hasMatch())
                shown << m.captured(1);
        QStringList stored;
        for (const TFile &f : files)
            stored << f.stored;
        QCOMPARE(shown, stored);
    }

    void bookArchivePacksOneFileUnderItsBareName()
    {
        const QString book = P("out/x.fb2");
        QVERIFY(WriteFile(book, "<FictionBook/>"));
        QVERIFY(WriteFile(book + ".zip", "an earlier archive"));
        TZipArchive zip;
        BookArchive(zip, book, book);
        QVERIFY(!zip.IsOpen());
        QCOMPARE(FilesBelow(P("out")), (QStringList{"x.fb2", "x.fb2.zip"}));
        QCOMPARE(Run("unzip", {"-t", "-q", book + ".zip"}), 0);

        zip.FileName = book + ".zip";
        zip.OpenArchive(TZipArchive::omRead);
        QCOMPARE(Listing(zip, "*"), QStringList{"|x.fb2|14"});
        TZipArchiveItem item;
        QVERIFY(zip.FindFirst("x.fb2", item));
        QCOMPARE(item.ExternalFileAttributes & 0x20, 0x20u);
        const QDateTime stored(
            QDate(1980 + (item.LastModFileDate >> 9), (item.LastModFileDate >> 5) & 15, item.LastModFileDate & 31),
            QTime(item.LastModFileTime >> 11, (item.LastModFileTime >> 5) & 63, (item.LastModFileTime & 31) * 2));
        QVERIFY(qAbs(stored.secsTo(QFileInfo(book).lastModified())) < 2);
    }

    // A book deflated ahead (by a run's worker) packs to the very bytes of one deflated while
    // packing; bytes that do not fit what is deflated (another level, another size) are
    // deflated anew from the file.
    void deflatedAheadPacksTheSameArchive_data()
    {
        QTest::addColumn<QByteArray>("book");
        QTest::addColumn<int>("aheadLevel");
        QTest::addColumn<QByteArray>("aheadBytes");
        QByteArray text;
        for (int i = 0; text.size() < 300000; ++i)
            text += "<p>Строка " + QByteArray::number(i * 7919 % 1000) + " книги</p>\n";
        QTest::newRow("empty") << QByteArray() << 1 << QByteArray();
        QTest::newRow("a book") << text << 1 << text;
        QTest::newRow("deflated at another level") << text << 6 << text;
        QTest::newRow("the file changed since") << text << 1 << text.left(1000);
    }
    void deflatedAheadPacksTheSameArchive()
    {
        QFETCH(QByteArray, book);
        QFETCH(int, aheadLevel);
        QFETCH(QByteArray, aheadBytes);
        const QString file = P("out/x.fb2");
        QVERIFY(WriteFile(file, book));
        QCOMPARE(PackBookAs(P("plain.zip"), file, "x.fb2"), 0);
        const TDeflatedData ahead = DeflateData(aheadBytes, aheadLevel);
        QCOMPARE(PackBookAs(P("ahead.zip"), file, "x.fb2", 1, true, &ahead), 0);
        QCOMPARE(ReadFile(P("ahead.zip")), ReadFile(P("plain.zip")));
        QCOMPARE(Run("unzip", {"-t", "-q", P("ahead.zip")}), 0);
    }

    // An archive's entry is packed by the run from memory, never written out: its archive must
    // be the one its extracted file would give, with the same time and read-only state.
    void entryPacksFromMemoryAsItsExtractedFile()
    {
        // 2174746624 = 0100640 << 16; 2166620160 = 0100444 << 16
        QVERIFY(Craft(P("a.zip"), R"({"entries": [
            {"name": "dated.fb2", "data": "dated", "date": [2001, 2, 3, 4, 5, 6]},
            {"name": "ro.fb2", "data": "read-only", "external": 33},
            {"name": "unix.fb2", "data": "unix", "host": 3, "external": 2174746624},
            {"name": "unix-ro.fb2", "data": "unix, read-only", "host": 3, "external": 2166620160}]})"));
        TZipArchive zip;
        zip.FileName = P("a.zip");
        zip.BaseDir = P("out/");
        zip.OpenArchive(TZipArchive::omRead);
        TZipArchiveItem item;
        int packed = 0;
        for (bool found = zip.FindFirst("*", item, kListSearchAttr); found; found = zip.FindNext(item), ++packed) {
            const QString file = zip.ExtractEntry(item.EntryIndex, item.FileName);
            QByteArray bytes;
            QVERIFY(zip.ReadEntry(item.EntryIndex, item.FileName, bytes));
            const TDeflatedData ahead = DeflateData(bytes, 1);
            QCOMPARE(PackBookAs(P("file.zip"), file, "b.fb2", 1, false), 0);
            QCOMPARE(PackBookBytesAs(P("memory.zip"), bytes, zip.LastReadEntry(), "b.fb2", 1, false), 0);
            QCOMPARE(PackBookBytesAs(P("ahead.zip"), bytes, zip.LastReadEntry(), "b.fb2", 1, false, &ahead), 0);
            QCOMPARE(ReadFile(P("memory.zip")), ReadFile(P("file.zip")));
            QCOMPARE(ReadFile(P("ahead.zip")), ReadFile(P("file.zip")));
            QVERIFY(ArchiveHoldsBytes(P("memory.zip"), bytes, "b.fb2"));
            QVERIFY(!ArchiveHoldsBytes(P("memory.zip"), bytes + "x", "b.fb2"));
            QVERIFY(!ArchiveHoldsBytes(P("memory.zip"), bytes, "c.fb2"));
            for (const char *name : {"file.zip", "memory.zip", "ahead.zip"})
                QVERIFY(QFile::remove(P(name)));
        }
        QCOMPARE(packed, 4);
    }

    // Past 64 MB a book is deflated as a stream, from memory as from its file.
    void bigBookPacksFromMemoryAsFromItsFile()
    {
        QByteArray book;
        book.reserve(65 << 20);
        for (qint64 i = 0; book.size() <= (64 << 20); ++i)
            book += "<p>Строка " + QByteArray::number(i * 7919 % 100000) + " большой книги</p>\n";
        const QString file = P("out/big.fb2");
        QVERIFY(WriteFile(file, book));
        TZipEntry entry;
        entry.unixModTime = QFileInfo(file).lastModified().toSecsSinceEpoch();
        QCOMPARE(PackBookAs(P("file.zip"), file, "big.fb2", 1, false), 0);
        QCOMPARE(PackBookBytesAs(P("memory.zip"), book, entry, "big.fb2", 1, false), 0);
        QCOMPARE(ReadFile(P("memory.zip")), ReadFile(P("file.zip")));
    }

    void bookArchiveLeavesTheOldArchiveWhenPackingFails()
    {
        QVERIFY(WriteFile(P("out/x.fb2.zip"), "an earlier archive"));
        TZipArchive zip;
        const QString message = ErrorOf([&] { BookArchive(zip, P("out/x.fb2"), P("out/x.fb2")); });
        QCOMPARE(message, "Zip: Cannot open file \"" + P("out/x.fb2") + "\" - Native error: 00033");
        QCOMPARE(ReadFile(P("out/x.fb2.zip")), QByteArray("an earlier archive"));
        QCOMPARE(FilesBelow(P("out")), QStringList{"x.fb2.zip"});  // no temporary file left
        QVERIFY(!zip.IsOpen());
    }

    // The run's packing: a name taken meanwhile is never replaced, and nothing is left of the try.
    void bookArchiveNoReplaceKeepsATakenName()
    {
        const QString book = P("out/x.fb2");
        QVERIFY(WriteFile(book, "<FictionBook/>"));
        TZipArchive zip;
        QCOMPARE(BookArchiveNoReplace(zip, book, book), 0);
        QCOMPARE(Run("unzip", {"-t", "-q", book + ".zip"}), 0);
        QVERIFY(WriteFile(P("out/y.fb2"), "<FictionBook/>"));
        QVERIFY(WriteFile(P("out/y.fb2.zip"), "an earlier archive"));
        QCOMPARE(BookArchiveNoReplace(zip, P("out/y.fb2"), P("out/y.fb2")), EEXIST);
        QCOMPARE(ReadFile(P("out/y.fb2.zip")), QByteArray("an earlier archive"));
        QCOMPARE(FilesBelow(P("out")), (QStringList{"x.fb2", "x.fb2.zip", "y.fb2", "y.fb2.zip"}));
        QVERIFY(!zip.IsOpen());
    }

    void extractsEveryEntryOfTheNameInEveryFolder()
    {
        QVERIFY(Craft(P("a.zip"), R"({"entries": [
            {"name": "a/book.fb2", "data": "A"}, {"name": "b/book.fb2", "data": "B"},
            {"name": "book.fb2.txt", "data": "C"}]})"));
        TZipArchive zip;
        zip.FileName = P("a.zip");
        zip.OpenArchive(TZipArchive::omRead);
        zip.BaseDir = P("tmp/");
        QCOMPARE(zip.ExtractFiles("BOOK.FB2", kExtractSearchAttr),
                 (QStringList{P("tmp/a/book.fb2"), P("tmp/b/book.fb2")}));
        QCOMPARE(FilesBelow(P("tmp")), (QStringList{"a/book.fb2", "b/book.fb2"}));
        QCOMPARE(ReadFile(P("tmp/b/book.fb2")), QByteArray("B"));
        zip.BaseDir = P("tmp2");  // without the trailing separator
        QCOMPARE(zip.ExtractFiles("a/book.fb2", kExtractSearchAttr), QStringList{P("tmp2/a/book.fb2")});
    }

    void replacesAReadOnlyFileAndSetsTimeAndAttributes()
    {
        QVERIFY(Craft(P("a.zip"), R"({"entries": [
            {"name": "book.fb2", "data": "new", "date": [2001, 2, 3, 4, 5, 6]},
            {"name": "ro.fb2", "data": "read-only", "external": 33},
            {"name": "unix.fb2", "data": "unix", "host": 3, "external": 2174746624}]})"));
        QVERIFY(WriteFile(P("out/book.fb2"), "old contents"));
        QVERIFY(QFile::setPermissions(P("out/book.fb2"), QFile::ReadOwner));
        TZipArchive zip;
        zip.FileName = P("a.zip");
        zip.BaseDir = P("out/");
        zip.OpenArchive(TZipArchive::omRead);
        zip.ExtractFiles("*", kExtractSearchAttr);
        QCOMPARE(ReadFile(P("out/book.fb2")), QByteArray("new"));
        QCOMPARE(QFileInfo(P("out/book.fb2")).lastModified(), QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6)));
        QCOMPARE(FilesBelow(P("out")), (QStringList{"book.fb2", "ro.fb2", "unix.fb2"}));  // no temporary left
        struct stat st;
        QCOMPARE(stat(QFile::encodeName(P("out/ro.fb2")).constData(), &st), 0);
        QCOMPARE(st.st_mode & 0222, 0u);
        QCOMPARE(stat(QFile::encodeName(P("out/unix.fb2")).constData(), &st), 0);
        QCOMPARE(st.st_mode & 07777, 0640u);  // 2174746624 = 0100640 << 16
    }

    // Nothing of a hostile archive is written, not even its harmless entries.
    void refusesHostileEntriesBeforeWritingAnything_data()
    {
        QTest::addColumn<QByteArray>("entry");
        QTest::addColumn<QString>("error");
        QTest::newRow("parent folder") << QByteArray(R"("name": "../evil.fb2")") << "00030";
        QTest::newRow("parent folder deeper") << QByteArray(R"("name": "a/../../evil.fb2")") << "00030";
        QTest::newRow("parent folder with backslashes") << QByteArray(R"("name": "..\\evil.fb2")") << "00030";
        QTest::newRow("absolute") << QByteArray(R"("name": "/tmp/orvane-evil.fb2")") << "00030";
        QTest::newRow("drive letter") << QByteArray(R"("name": "C:/evil.fb2")") << "00030";
        QTest::newRow("control character")
            << QByteArray(R"("name": "6576696c0a2e666232", "encoding": "hex")") << "00030";
        QTest::newRow("no name") << QByteArray(R"("name": ".")") << "00030";
        QTest::newRow("symbolic link") << QByteArray(
            R"("name": "link.fb2", "data": "/etc/passwd", "host": 3, "external": 2717843456)")
                                       << "00031";
    }
    void refusesHostileEntriesBeforeWritingAnything()
    {
        QFETCH(QByteArray, entry);
        QFETCH(QString, error);
        QVERIFY(Craft(P("root/evil.zip"), R"({"entries": [{"name": "good.fb2", "data": "good"}, {)" + entry + "}]}"));
        TZipArchive zip;
        zip.FileName = P("root/evil.zip");
        zip.BaseDir = P("root/base/");
        zip.OpenArchive(TZipArchive::omRead);
        const QString message = ErrorOf([&] { zip.ExtractFiles("*", kExtractSearchAttr); });
        QVERIFY2(message.endsWith("Native error: " + error), qPrintable(message));
        QVERIFY2(message.contains(zip.FileName), qPrintable(message));
        QCOMPARE(FilesBelow(P("root")), QStringList{"evil.zip"});
        QVERIFY(!QFile::exists("/tmp/orvane-evil.fb2"));
        // Listing still shows them: the list reads names only.
        QCOMPARE(Listing(zip, "*").size(), 2);
    }

    // A bad entry stops extraction; the file it would replace keeps its contents.
    void stopsOnADamagedEntryAndKeepsTheOldFile_data()
    {
        QTest::addColumn<QByteArray>("entry");
        QTest::addColumn<QString>("error");
        QTest::newRow("wrong CRC") << QByteArray(R"("data": "text", "crc": 1234)") << "00025";
        QTest::newRow("inflates beyond its declared size")
            << QByteArray(R"("data": "zip bomb ", "repeat": 100000, "size": 100)") << "00026";
        QTest::newRow("inflates short of its declared size") << QByteArray(R"("data": "text", "size": 50)") << "00026";
        QTest::newRow("stored sizes disagree") << QByteArray(R"("data": "text", "method": 0, "size": 3)") << "00026";
        QTest::newRow("data is not deflate")
            << QByteArray(R"("data": "text", "method": 8, "compressed_size": 1)") << "00024";
        QTest::newRow("encrypted") << QByteArray(R"("data": "text", "encrypted": true)") << "00029";
        QTest::newRow("unsupported method") << QByteArray(R"("data": "text", "method": 12)") << "00028";
        QTest::newRow("declares more than any book") << QByteArray(R"("data": "text", "size": 3000000000)") << "00027";
        QTest::newRow("unpacks a hundred times its size")
            << QByteArray(R"("data": "0", "repeat": 80000000)") << "00027";
    }
    void stopsOnADamagedEntryAndKeepsTheOldFile()
    {
        QFETCH(QByteArray, entry);
        QFETCH(QString, error);
        QVERIFY(Craft(P("bad.zip"), R"({"entries": [{"name": "book.fb2", )" + entry + "}]}"));
        QVERIFY(WriteFile(P("out/book.fb2"), "old contents"));
        TZipArchive zip;
        zip.FileName = P("bad.zip");
        zip.BaseDir = P("out/");
        zip.OpenArchive(TZipArchive::omRead);
        const QString message = ErrorOf([&] { zip.ExtractFiles("book.fb2", kExtractSearchAttr); });
        QVERIFY2(message.endsWith("Native error: " + error), qPrintable(message));
        QVERIFY2(message.contains(zip.FileName), qPrintable(message));
        QCOMPARE(FilesBelow(P("out")), QStringList{"book.fb2"});
        QCOMPARE(ReadFile(P("out/book.fb2")), QByteArray("old contents"));
        // With no file in the way nothing is left either.
        QVERIFY(QFile::remove(P("out/book.fb2")));
        QVERIFY(!ErrorOf([&] { zip.ExtractFiles("book.fb2", kExtractSearchAttr); }).isEmpty());
        QCOMPARE(FilesBelow(P("out")), QStringList());
    }

    void refusesEntriesThatShareTheirData()
    {
        QVERIFY(Craft(P("overlap.zip"), R"({"entries": [{"name": "a.fb2", "data": "x", "repeat": 1000},
            {"name": "b.fb2", "data": "x", "repeat": 1000, "same_header_as": 0}]})"));
        TZipArchive zip;
        zip.FileName = P("overlap.zip");
        zip.BaseDir = P("out");
        zip.OpenArchive(TZipArchive::omRead);
        QVERIFY(ErrorOf([&] { zip.ExtractFiles("b.fb2", kExtractSearchAttr); }).endsWith("00024"));
        QCOMPARE(FilesBelow(P("out")), QStringList());
    }

    // Names of other packers, read by the host that wrote them: the central directory must
    // hand each entry's host and extra field to the name rules.
    void readsNamesByTheHostThatMadeThem()
    {
        QVERIFY(Craft(P("hosts.zip"), R"({"entries": [
            {"name": "Ёжик.fb2", "encoding": "cp866", "host": 0, "data": "a"},
            {"name": "сам.fb2", "encoding": "cp866", "host": 10, "data": "b"},
            {"name": "Ёлка.fb2", "host": 3, "data": "c"},
            {"name": "Война и мир.fb2", "encoding": "cp866", "host": 3, "data": "d"},
            {"name": "ёж.fb2", "encoding": "cp866", "host": 3, "unicode_path": "новое имя.fb2", "data": "e"},
            {"name": "дом.fb2", "encoding": "cp866", "unicode_path": "старое имя.fb2", "unicode_path_crc": 7,
             "data": "f"}]})"));
        TZipArchive zip;
        zip.FileName = P("hosts.zip");
        zip.OpenArchive(TZipArchive::omRead);
        QCOMPARE(Listing(zip, "*.fb2"),
                 (QStringList{"|Ёжик.fb2|1", "|сам.fb2|1", "|Ёлка.fb2|1", "|Война и мир.fb2|1", "|новое имя.fb2|1",
                              "|дом.fb2|1"}));
        zip.BaseDir = P("out");
        zip.ExtractFiles("новое имя.fb2", kExtractSearchAttr);
        QCOMPARE(FilesBelow(P("out")), QStringList{"новое имя.fb2"});
    }

    void readsDamagedArchivesFromLocalHeaders_data()
    {
        QTest::addColumn<QByteArray>("layout");
        QTest::addColumn<QStringList>("expected");
        const QByteArray two = R"("entries": [{"name": "один.fb2", "encoding": "cp866", "data": "one"},
                                              {"name": "два.fb2", "utf8flag": true, "data": "two two two two"}])";
        const QStringList both{"|один.fb2|3", "|два.fb2|15"};
        QTest::newRow("no central directory") << "{" + two + R"(, "central": false})" << both;
        QTest::newRow("end record cut off") << "{" + two + R"(, "truncate": 10})" << both;
        QTest::newRow("data descriptors with signature")
            << QByteArray(R"({"central": false, "entries": [{"name": "a.fb2", "data": "abc", "descriptor": true},
                {"name": "b.fb2", "data": "long ", "repeat": 20, "descriptor": true}]})")
            << QStringList{"|a.fb2|3", "|b.fb2|100"};
        QTest::newRow("data descriptors without signature")
            << QByteArray(R"({"central": false, "entries": [{"name": "a.fb2", "data": "abc", "descriptor": true,
                "descriptor_signature": false}, {"name": "b.fb2", "data": "b"}]})")
            << QStringList{"|a.fb2|3", "|b.fb2|1"};
        QTest::newRow("stored with a data descriptor")
            << QByteArray(R"({"central": false, "entries": [{"name": "a.fb2", "data": "stored", "method": 0,
                "descriptor": true}, {"name": "b.fb2", "data": "b"}]})")
            << QStringList{"|a.fb2|6", "|b.fb2|1"};
        QTest::newRow("second entry cut short")
            << QByteArray(R"({"central": false, "truncate": 3, "entries": [{"name": "a.fb2", "data": "a"},
                {"name": "b.fb2", "data": "b", "repeat": 100}]})")
            << QStringList{"|a.fb2|1"};
        QTest::newRow("data in front (self-extractor), directory intact")
            << "{" + two + R"(, "prefix": "MZ stub of a self-extracting archive"})" << both;
        // Only the last end record is tried: each could make the reader parse the whole directory.
        QTest::newRow("a thousand end records that describe no directory")
            << "{" + two + R"(, "end_records": 1000})" << both;
        // Values no file of this size could hold: the directory is not trusted, sums never overflow.
        QTest::newRow("ZIP64 sizes and offset past any file")
            << QByteArray(R"({"entries": [{"name": "a.fb2", "data": "abc", "zip64": {"size": 9223372036854775807,
                "compressed_size": 9223372036854775000, "offset": 9223372036854775800}}, {"name": "b.fb2", "data": "b"}]})")
            << QStringList{"|a.fb2|3", "|b.fb2|1"};
    }
    void readsDamagedArchivesFromLocalHeaders()
    {
        QFETCH(QByteArray, layout);
        QFETCH(QStringList, expected);
        QVERIFY(Craft(P("damaged.zip"), layout));
        TZipArchive zip;
        zip.FileName = P("damaged.zip");
        zip.BaseDir = P("out");
        zip.OpenArchive(TZipArchive::omRead);
        QCOMPARE(Listing(zip, "*"), expected);
        QCOMPARE(zip.ExtractFiles("*", kExtractSearchAttr).size(), expected.size());
        if (expected.size() == 2 && expected[1] == "|два.fb2|15")
            QCOMPARE(ReadFile(P("out/два.fb2")), QByteArray("two two two two"));
    }

    void zip64SizesPastTheFileInEveryHeaderAreNoArchive()
    {
        QVERIFY(Craft(P("z64.zip"), R"({"entries": [{"name": "a.fb2", "data": "abc", "zip64": {"local": true,
            "size": 9223372036854775807, "compressed_size": 9223372036854775807}}]})"));
        TZipArchive zip;
        zip.FileName = P("z64.zip");
        QVERIFY(ErrorOf([&] { zip.OpenArchive(TZipArchive::omRead); }).endsWith("00014"));
    }

    // The limit counts every entry of the archive against the archive's size: many entries that
    // each stay below it are refused once together they pass it, before a byte of them is written.
    void bombOfManyEntriesIsRefusedPerArchive()
    {
        QByteArray entries;
        for (const char *name : {"a", "b", "c", "d", "e"})
            entries += QByteArray(entries.isEmpty() ? "" : ",") + "{\"name\": \"" + name
                + ".fb2\", \"data\": \"x\", \"repeat\": 31457280}";
        QVERIFY(Craft(P("bomb.zip"), "{\"entries\": [" + entries + "]}"));
        TZipArchive zip;
        zip.FileName = P("bomb.zip");
        zip.BaseDir = P("out/");
        zip.OpenArchive(TZipArchive::omRead);
        QVERIFY(ErrorOf([&] { zip.ExtractFiles("*", kExtractSearchAttr); }).endsWith("00027"));
        QCOMPARE(FilesBelow(P("out")), QStringList());
        QCOMPARE(zip.ExtractFiles("a.fb2", kExtractSearchAttr).size(), 1);
        QCOMPARE(zip.ExtractFiles("b.fb2", kExtractSearchAttr).size(), 1);
        QVERIFY(ErrorOf([&] { zip.ExtractFiles("c.fb2", kExtractSearchAttr); }).endsWith("00027"));
        QCOMPARE(FilesBelow(P("out")), (QStringList{"a.fb2", "b.fb2"}));
        // A new opening starts counting again.
        zip.OpenArchive(TZipArchive::omRead);
        QCOMPARE(zip.ExtractFiles("c.fb2", kExtractSearchAttr).size(), 1);
    }

    void reportsErrorsNamingTheFile()
    {
        TZipArchive zip;
        QCOMPARE(ErrorOf([&] { zip.OpenArchive(TZipArchive::omRead); }),
                 QStringLiteral("Zip: File name is blank. Specify appropriate file name - Native error: 00010"));
        zip.FileName = P("missing.zip");
        QCOMPARE(ErrorOf([&] { zip.OpenArchive(TZipArchive::omRead); }),
                 "Zip: File \"" + P("missing.zip") + "\" not found - Native error: 00012");
        QVERIFY(WriteFile(P("text.zip"), "this is not an archive at all"));
        zip.FileName = P("text.zip");
        QCOMPARE(ErrorOf([&] { zip.OpenArchive(TZipArchive::omRead); }),
                 "Zip: File \"" + P("text.zip") + "\" is not a ZIP archive - Native error: 00014");
        QVERIFY(WriteFile(P("empty.zip"), ""));
        zip.FileName = P("empty.zip");
        QVERIFY(ErrorOf([&] { zip.OpenArchive(TZipArchive::omRead); }).endsWith("00014"));
        QVERIFY(!zip.IsOpen());
        QCOMPARE(mkfifo(QFile::encodeName(P("fifo.zip")).constData(), 0600), 0);  // must not hang
        zip.FileName = P("fifo.zip");
        QVERIFY(ErrorOf([&] { zip.OpenArchive(TZipArchive::omRead); }).endsWith("00014"));
        zip.FileName = P("no/such/folder/new.zip");
        QCOMPARE(ErrorOf([&] { zip.OpenArchive(TZipArchive::omCreate); }),
                 "Zip: Cannot create file \"" + P("no/such/folder/new.zip") + "\" - Native error: 00019");

        // Something in the way of an output file or folder.
        QVERIFY(Craft(P("a.zip"),
                      R"({"entries": [{"name": "book.fb2", "data": "x"}, {"name": "dir/b.fb2", "data": "y"}]})"));
        QVERIFY(QDir().mkpath(P("out/book.fb2")));
        QVERIFY(WriteFile(P("out/dir"), "a file, not a folder"));
        zip.FileName = P("a.zip");
        zip.BaseDir = P("out/");
        zip.OpenArchive(TZipArchive::omRead);
        QCOMPARE(ErrorOf([&] { zip.ExtractFiles("book.fb2", kExtractSearchAttr); }),
                 "Zip: Cannot create file \"" + P("out/book.fb2") + "\" - Native error: 00019");
        QCOMPARE(ErrorOf([&] { zip.ExtractFiles("b.fb2", kExtractSearchAttr); }),
                 "Zip: Cannot create directory \"" + P("out/dir/") + "\" - Native error: 00020");
        QCOMPARE(FilesBelow(P("out")), QStringList{"dir"});
    }

    void closeWithNothingOpenDoesNothing()
    {
        TZipArchive zip;
        zip.CloseArchive();
        zip.CloseArchive();
        QVERIFY(!zip.IsOpen());
        TZipArchiveItem item;
        QVERIFY(!zip.FindNext(item));
    }

    void reopeningEndsAnEarlierSearch()
    {
        QVERIFY(Craft(P("a.zip"), R"({"entries": [{"name": "a.fb2"}, {"name": "b.fb2"}]})"));
        TZipArchive zip;
        zip.FileName = P("a.zip");
        zip.OpenArchive(TZipArchive::omRead);
        TZipArchiveItem item;
        QVERIFY(zip.FindFirst("*", item));
        zip.OpenArchive(TZipArchive::omRead);
        QVERIFY(!zip.FindNext(item));
    }
};

QTEST_GUILESS_MAIN(TestZipArchive)
#include "test_zip_archive.moc"
