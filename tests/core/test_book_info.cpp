#include "BookFixtures.h"
#include "globals/Errors.h"
#include "info/BookInfo.h"
#include "info/DescriptionHistory.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kUtils = QStringLiteral(ORVANE_BIN_DIR "/utils/");

// "PNG!" and two bytes that no text decoding would keep.
const QByteArray kCoverBytes("\x89PNG\r\n\x1a\n\x00\xff", 10);

QByteArray Book(const QByteArray &coverId, const QByteArray &binaries)
{
    return R"(<?xml version="1.0" encoding="UTF-8"?>
<FictionBook xmlns="http://www.gribuser.ru/xml/fictionbook/2.0" xmlns:l="http://www.w3.org/1999/xlink">
<description>
<title-info>
<genre>prose_contemporary</genre>
<author><first-name>Антон</first-name><last-name>Чехов</last-name></author>
<book-title>Рассказы</book-title>
<coverpage><image l:href="#)"
        + coverId + R"("/></coverpage>
<lang>ru</lang>
</title-info>
<document-info>
<author><nickname>maker</nickname></author>
<date value="2024-05-01">1 мая 2024</date>
<id>book-1</id>
<version>1.0</version>
</document-info>
</description>
<body><section><p>Текст.</p></section></body>
)" + binaries
        + "</FictionBook>\n";
}

QByteArray Binary(const QByteArray &id, const QByteArray &bytes)
{
    QByteArray wrapped = bytes.toBase64();
    wrapped.insert(4, "\n  ");  // books wrap their binaries anywhere
    return "<binary id=\"" + id + "\" content-type=\"image/png\">" + wrapped + "</binary>\n";
}

QStringList Entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

}  // namespace

class TestBookInfo : public QObject {
    Q_OBJECT
    FixtureFolder m_books;

private slots:
    void pageAndCover_data()
    {
        QTest::addColumn<QByteArray>("book");
        QTest::addColumn<QString>("picture");  // the file written beside the page, or empty
        QTest::newRow("cover by its id") << Book("cover.png", Binary("cover.png", kCoverBytes)) << "cover.png";
        QTest::newRow("first of two binaries with the id")
            << Book("c", Binary("c", kCoverBytes) + Binary("d", "other")) << "c";
        QTest::newRow("no binary of that id") << Book("missing", Binary("c", kCoverBytes)) << "";
        QTest::newRow("id differs in case") << Book("Cover", Binary("cover", kCoverBytes)) << "";
        QTest::newRow("dots in the id are no file name") << Book("a..b", Binary("a..b", kCoverBytes)) << "";
    }
    void pageAndCover()
    {
        QFETCH(QByteArray, book);
        QFETCH(QString, picture);
        QTemporaryDir temp;
        const QString tempDir = temp.path() + QLatin1Char('/');
        QString link;
        TBookInfo info;
        BookInfo(m_books.Write(book), link, info, tempDir, kUtils);

        QCOMPARE(info.Result, TBookInfoResult::Written);
        const QStringList folders = Entries(tempDir);
        QCOMPARE(folders.size(), 1);
        QVERIFY(QRegularExpression(QStringLiteral("^[0-9A-Za-z]{8}\\.[0-9A-Za-z]{3}$")).match(folders[0]).hasMatch());
        QCOMPARE(link, tempDir + folders[0] + QStringLiteral("/description.html"));

        QFile page(link);
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QByteArray html = page.readAll();
        QVERIFY(html.startsWith("\xEF\xBB\xBF"));
        QVERIFY(html.contains("Рассказы") && html.contains("\r\n"));
        QCOMPARE(html.count("\r\n"), html.count('\n'));

        QStringList expected{QStringLiteral("description.html")};
        if (!picture.isEmpty()) {
            expected << picture;
            QFile cover(tempDir + folders[0] + QLatin1Char('/') + picture);
            QVERIFY(cover.open(QIODevice::ReadOnly));
            QCOMPARE(cover.readAll(), kCoverBytes);
        }
        expected.sort();
        QCOMPARE(Entries(tempDir + folders[0]), expected);
    }

    void plainPictureNames_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("plain");
        QTest::newRow("ordinary") << "cover.jpg" << true;
        QTest::newRow("Cyrillic") << "обложка.jpg" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("dot") << "." << false;
        QTest::newRow("parent") << ".." << false;
        QTest::newRow("slash") << "a/b.jpg" << false;
        QTest::newRow("backslash") << "a\\b.jpg" << false;
        QTest::newRow("climbs out") << "../../x.jpg" << false;
        QTest::newRow("NUL") << QString(QStringLiteral("a") + QChar(0) + QStringLiteral("b")) << false;
        QTest::newRow("the page's own name") << "description.html" << false;
        QTest::newRow("too long") << QString(300, QLatin1Char('a')) << false;
    }
    void plainPictureNames()
    {
        QFETCH(QString, id);
        QFETCH(bool, plain);
        QCOMPARE(IsPlainPictureName(id), plain);
    }

    void invalidBookWritesNothing()
    {
        QTemporaryDir temp;
        const QString tempDir = temp.path() + QLatin1Char('/');
        QString link = QStringLiteral("previous");
        TBookInfo info;
        BookInfo(m_books.Write(Book("c", Binary("c", kCoverBytes)).replace("<lang>ru</lang>", "")), link, info, tempDir,
                 kUtils);
        QCOMPARE(info.Result, TBookInfoResult::Invalid);
        QVERIFY(link.isEmpty());
        QVERIFY(info.ErrorText.startsWith(QStringLiteral("Код ошибки")));
        QVERIFY(Entries(tempDir).isEmpty());
    }

    void missingStyleSheetLeavesNoFolder()
    {
        QTemporaryDir temp, utils;
        for (const QString &name : QDir(kUtils).entryList({QStringLiteral("*.xsd")}))
            QVERIFY(QFile::copy(kUtils + name, utils.filePath(name)));
        const QString tempDir = temp.path() + QLatin1Char('/');
        QString link;
        TBookInfo info;
        QVERIFY_THROWS_EXCEPTION(EOrvane,
                                 BookInfo(m_books.Write(Book("c", Binary("c", kCoverBytes))), link, info, tempDir,
                                          utils.path() + QLatin1Char('/')));
        QVERIFY(Entries(tempDir).isEmpty());
    }

    // Browsing keeps only the newest few description folders on disk.
    void historyKeepsTheNewest()
    {
        QTemporaryDir temp;
        const QString tempDir = temp.path() + QLatin1Char('/');
        const QString book = m_books.Write(Book("c", Binary("c", kCoverBytes)));
        TDescriptionHistory history(2);
        QStringList made;
        for (int i = 0; i < 4; ++i) {
            TEntryInfo entry;
            BookInfo(book, entry.Link, entry.Book, tempDir, kUtils);
            made << entry.Book.Folder;
            history.Add(entry);
        }
        QCOMPARE(history.Folders(), made.mid(2));
        QCOMPARE(Entries(tempDir).size(), 2);
        for (const QString &folder : made.mid(2))
            QVERIFY(QFileInfo::exists(folder + QStringLiteral("description.html")));
    }
};

QTEST_GUILESS_MAIN(TestBookInfo)
#include "test_book_info.moc"
