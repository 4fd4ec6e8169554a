// orvane-cli list, pack and extract.

#include "ZipFixtures.h"

#include <QtTest>

using namespace ZipFixtures;

namespace {

struct TResult {
    int status = -1;
    QString out, err;
};

TResult Cli(const QStringList &args, const QString &workDir = QString())
{
    QProcess p;
    if (!workDir.isEmpty())
        p.setWorkingDirectory(workDir);
    p.start(QStringLiteral(ORVANE_BIN_DIR "/orvane-cli"), args);
    TResult r;
    if (!p.waitForFinished(60000))
        return r;
    r.status = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

}  // namespace

class TestCliZip : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString P(const QString &rel) const { return m_dir.path() + QLatin1Char('/') + rel; }

private slots:
    void initTestCase()
    {
        QVERIFY(WriteFile(P("lib/Война и мир.fb2"), "<FictionBook/>"));
        QVERIFY(WriteFile(P("lib/sub/deep.fb2"), "deep"));
        QVERIFY(Craft(P("lib/a.zip"),
                      R"({"entries": [{"name": "x.fb2", "data": "xx"}, {"name": "d/y.fb2", "data": "y"}]})"));
        QVERIFY(WriteFile(P("lib/broken.zip"), "not an archive"));
    }

    void listPrintsOneRowPerBook()
    {
        const TResult r = Cli({"list", P("lib/Война и мир.fb2"), P("lib/broken.zip"), P("lib/a.zip"), P("lib")});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.out,
                 "Война и мир.fb2\t14\t" + P("lib/")
                     + "\n"
                       "x.fb2\t2\t"
                     + P("lib/a.zip")
                     + "\n"
                       "y.fb2\t1\t"
                     + P("lib/a.zip")
                     + "\n"
                       "Война и мир.fb2\t14\t"
                     + P("lib/") + "\n");
        QCOMPARE(r.err, "Zip: File \"" + P("lib/broken.zip") + "\" is not a ZIP archive - Native error: 00014\n");
        QCOMPARE(Cli({"list", P("lib/a.zip")}).status, 0);

        // A folder with its subfolders: its books and archives, then those of each subfolder.
        const TResult tree = Cli({"list", "--recursive", P("lib")});
        QCOMPARE(tree.status, 1);
        QCOMPARE(tree.out,
                 "x.fb2\t2\t" + P("lib/a.zip")
                     + "\n"
                       "y.fb2\t1\t"
                     + P("lib/a.zip")
                     + "\n"
                       "Война и мир.fb2\t14\t"
                     + P("lib/")
                     + "\n"
                       "deep.fb2\t4\t"
                     + P("lib/sub/") + "\n");
        QCOMPARE(tree.err, r.err);
    }

    void packMakesAnArchiveBesideTheFile()
    {
        const TResult r = Cli({"pack", P("lib/Война и мир.fb2")});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, P("lib/Война и мир.fb2.zip") + "\n");
        QVERIFY(QFile::exists(P("lib/Война и мир.fb2")));
        QCOMPARE(Run("unzip", {"-t", "-q", P("lib/Война и мир.fb2.zip")}), 0);
        QCOMPARE(Cli({"list", P("lib/Война и мир.fb2.zip")}).out,
                 "Война и мир.fb2\t14\t" + P("lib/Война и мир.fb2.zip") + "\n");

        // A path relative to the current folder.
        const TResult relative = Cli({"pack", "lib/sub/deep.fb2"}, m_dir.path());
        QCOMPARE(relative.status, 0);
        QCOMPARE(Run("unzip", {"-t", "-q", P("lib/sub/deep.fb2.zip")}), 0);

        const TResult missing = Cli({"pack", P("lib/missing.fb2")});
        QCOMPARE(missing.status, 1);
        QCOMPARE(missing.err, "Zip: Cannot open file \"" + P("lib/missing.fb2") + "\" - Native error: 00033\n");
        QVERIFY(!QFile::exists(P("lib/missing.fb2.zip")));
    }

    void extractWritesBelowTheFolder()
    {
        const TResult r = Cli({"extract", "--to", P("out"), P("lib/a.zip"), "y.fb2"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, P("out/d/y.fb2") + "\n");
        QCOMPARE(FilesBelow(P("out")), QStringList{"d/y.fb2"});
        QCOMPARE(Cli({"extract", P("lib/missing.zip")}).status, 1);
        QCOMPARE(Cli({"extract"}).status, 2);
    }
};

QTEST_GUILESS_MAIN(TestCliZip)
#include "test_cli_zip.moc"
