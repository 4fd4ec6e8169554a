// Which entries a pattern picks, and where an entry's stored path may be written.

#include "zip/ZipPaths.h"
#include "zip/ZipPattern.h"

#include <QtTest>

class TestZipPattern : public QObject {
    Q_OBJECT
private slots:
    void matchesEntries_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("storedPath");
        QTest::addColumn<bool>("expected");

        QTest::newRow("star") << "*.fb2"
                              << "book.fb2" << true;
        QTest::newRow("star in a folder") << "*.fb2"
                                          << "a/b/book.fb2" << true;
        QTest::newRow("latin letters ignore case") << "*.fb2"
                                                   << "BOOK.FB2" << true;
        QTest::newRow("other extension") << "*.fb2"
                                         << "book.fb2.xml" << false;
        QTest::newRow("cyrillic letters keep case") << "книга.fb2"
                                                    << "Книга.fb2" << false;
        QTest::newRow("cyrillic exact") << "книга.fb2"
                                        << "книга.fb2" << true;
        QTest::newRow("plain name in any folder") << "book.fb2"
                                                  << "a/book.fb2" << true;
        QTest::newRow("full path") << "a/book.fb2"
                                   << "a/book.fb2" << true;
        QTest::newRow("full path of another folder") << "a/book.fb2"
                                                     << "b/book.fb2" << false;
        QTest::newRow("question mark is one character") << "book?.fb2"
                                                        << "book1.fb2" << true;
        QTest::newRow("question mark is not none") << "book?.fb2"
                                                   << "book.fb2" << false;
        QTest::newRow("trailing slash of a folder removed") << "folder"
                                                            << "a/folder/" << true;
        QTest::newRow("star spans folders of the full path") << "a*2"
                                                             << "a/b/c.fb2" << true;
        QTest::newRow("back-tracking") << "*a*b*c"
                                       << "xaxbxbxc" << true;
        QTest::newRow("back-tracking fails") << "*a*b*c"
                                             << "xaxbxbx" << false;
        QTest::newRow("empty pattern") << ""
                                       << "book.fb2" << false;
    }
    void matchesEntries()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, storedPath);
        QFETCH(bool, expected);
        QCOMPARE(ZipEntryMatches(pattern, storedPath), expected);
    }

    void splitsStoredPaths()
    {
        QCOMPARE(StoredFolder(u"a/b/book.fb2"), QStringView(u"a/b/"));
        QCOMPARE(StoredName(u"a/b/book.fb2"), QStringView(u"book.fb2"));
        QCOMPARE(StoredFolder(u"book.fb2"), QStringView(u""));
        QCOMPARE(StoredName(u"a/folder/"), QStringView(u"folder"));
    }

    void judgesStoredPaths_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("problem");

        const int none = int(TStoredPathProblem::None);
        QTest::newRow("plain") << "book.fb2"
                               << "book.fb2" << none;
        QTest::newRow("folders") << "a/b/book.fb2"
                                 << "a/b/book.fb2" << none;
        QTest::newRow("dot and empty parts dropped") << "./a//book.fb2"
                                                     << "a/book.fb2" << none;
        QTest::newRow("dots inside a name are fine") << "a/..book.fb2"
                                                     << "a/..book.fb2" << none;
        QTest::newRow("folder entry") << "a/b/"
                                      << "a/b" << none;
        QTest::newRow("absolute") << "/etc/book.fb2"
                                  << "" << int(TStoredPathProblem::Absolute);
        QTest::newRow("drive letter") << "C:/book.fb2"
                                      << "" << int(TStoredPathProblem::DriveLetter);
        QTest::newRow("drive-relative") << "c:book.fb2"
                                        << "" << int(TStoredPathProblem::DriveLetter);
        QTest::newRow("parent") << "../book.fb2"
                                << "" << int(TStoredPathProblem::ParentFolder);
        QTest::newRow("parent inside") << "a/../../book.fb2"
                                       << "" << int(TStoredPathProblem::ParentFolder);
        QTest::newRow("control character")
            << QStringLiteral("a\nb.fb2") << "" << int(TStoredPathProblem::ControlCharacter);
    }
    void judgesStoredPaths()
    {
        QFETCH(QString, stored);
        QFETCH(QString, expected);
        QFETCH(int, problem);
        TStoredPathProblem found;
        QCOMPARE(SafeRelativePath(stored, found), expected);
        QCOMPARE(int(found), problem);
    }
};

QTEST_GUILESS_MAIN(TestZipPattern)
#include "test_zip_pattern.moc"
