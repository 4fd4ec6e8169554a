#include "BookFixtures.h"
#include "book/ExtractBookInfo.h"
#include "globals/Errors.h"

#include <QtTest>

namespace {

// The eleven fields in record order, joined by "|".
QString Fields(const TBookData &d)
{
    return QStringList{d.LastName, d.FirstName, d.MiddleName, d.Title, d.Sequence, d.SeqNum,
                       d.Lang,     d.Publisher, d.Genre,      d.City,  d.Year}
        .join(QLatin1Char('|'));
}

TBookData Filled(const QString &value)
{
    TBookData d;
    for (QString *f : {&d.LastName, &d.FirstName, &d.MiddleName, &d.Title, &d.Sequence, &d.SeqNum, &d.Lang,
                       &d.Publisher, &d.Genre, &d.City, &d.Year})
        *f = value;
    return d;
}

}  // namespace

class TestExtractBookInfo : public QObject {
    Q_OBJECT

    FixtureFolder m_files;

    IXMLFictionBook Open(const QByteArray &bytes) { return OpenBookDocument(m_files.Write(bytes)); }

private slots:
    void fields_data()
    {
        QTest::addColumn<QByteArray>("description");
        QTest::addColumn<QString>("fields");
        QTest::newRow("complete book") << QByteArray(
            "<title-info><genre>prose_classic</genre>"
            "<author><first-name>Лев</first-name><middle-name>Николаевич</middle-name><last-name>Толстой</last-name></"
            "author>"
            "<book-title>Война и мир</book-title><lang>ru</lang><sequence name=\"Эпопеи\" number=\"3\"/></title-info>"
            "<publish-info><publisher>АСТ</publisher><city>Москва</city><year>2005</year></publish-info>")
                                       << QStringLiteral("Толстой|Лев|Николаевич|Война и "
                                                         "мир|Эпопеи|3|ru|АСТ|prose_classic|Москва|2005");
        QTest::newRow("first of two authors and of two genres")
            << QByteArray("<title-info><genre>sf_history</genre><genre>prose_classic</genre>"
                          "<author><first-name>Лев</first-name><middle-name>Николаевич</"
                          "middle-name><last-name>Толстой</last-name></author>"
                          "<author><first-name>Иван</first-name><middle-name>Сергеевич</"
                          "middle-name><last-name>Тургенев</last-name></author>"
                          "<book-title>T</book-title><lang>ru</lang></title-info>")
            << QStringLiteral("Толстой|Лев|Николаевич|T|||ru||sf_history||");
        QTest::newRow("trimmed, series number normalised")
            << QByteArray("<title-info><book-title>\t Война и мир \r</book-title><lang> ru </lang>"
                          "<sequence name=\" Война и мир \" number=\"02\"/></title-info>"
                          "<publish-info><year> 1999 </year></publish-info>")
            << QStringLiteral("|||Война и мир|Война и мир|2|ru||||1999");
        QTest::newRow("series without number")
            << QByteArray("<title-info><book-title>T</book-title><sequence name=\"Цикл\"/></title-info>")
            << QStringLiteral("|||T|Цикл||||||");
        QTest::newRow("negative series number")
            << QByteArray("<title-info><book-title>T</book-title><sequence name=\"S\" number=\"-1\"/></title-info>")
            << QStringLiteral("|||T|S|-1|||||");
        QTest::newRow("series number not a number")
            << QByteArray("<title-info><book-title>T</book-title><sequence name=\"S\" number=\"IV\"/></title-info>")
            << QStringLiteral("|||T|S||||||");
        QTest::newRow("only the first, outer series; none from publish-info")
            << QByteArray("<title-info><book-title>T</book-title><sequence name=\"A\" number=\"1\"><sequence "
                          "name=\"B\" number=\"2\"/></sequence>"
                          "<sequence name=\"C\" number=\"3\"/></title-info>"
                          "<publish-info><sequence name=\"P\" number=\"4\"/></publish-info>")
            << QStringLiteral("|||T|A|1|||||");
        QTest::newRow("no description at all") << QByteArray() << QStringLiteral("||||||||||");
        QTest::newRow("nickname and translator are not read") << QByteArray(
            "<title-info><author><nickname>N</nickname></author><translator><last-name>Tr</last-name></translator>"
            "<book-title>T</book-title></title-info>") << QStringLiteral("|||T|||||||");
    }
    void fields()
    {
        QFETCH(QByteArray, description);
        QFETCH(QString, fields);
        TBookData rec;
        rec.Clear();
        ExtractBookInfo(Open(Fb2BookWithDescription(description)), rec);
        QCOMPARE(Fields(rec), fields);
    }

    void encodings_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray body =
            "<FictionBook xmlns=\"http://www.gribuser.ru/xml/fictionbook/2.0\"><description><title-info>"
            "<book-title>TITLE</book-title></title-info></description></FictionBook>";
        QByteArray cp1251 = "<?xml version=\"1.0\" encoding=\"windows-1251\"?>" + body;
        QTest::newRow("windows-1251") << cp1251.replace("TITLE", "\xC5\xE2\xE3\xE5\xED\xE8\xE9 \xA8");
        QByteArray koi8 = "<?xml version=\"1.0\" encoding=\"KOI8-R\"?>" + body;
        QTest::newRow("koi8-r") << koi8.replace("TITLE", "\xE5\xD7\xC7\xC5\xCE\xC9\xCA \xB3");
        QByteArray bom = "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>" + body;
        QTest::newRow("utf-8 with BOM") << bom.replace("TITLE", QStringLiteral("Евгений Ё").toUtf8());
        QByteArray bare = body;
        QTest::newRow("no declaration") << bare.replace("TITLE", QStringLiteral("Евгений Ё").toUtf8());
    }
    void encodings()
    {
        QFETCH(QByteArray, bytes);
        TBookData rec;
        ExtractBookInfo(Open(bytes), rec);
        QCOMPARE(rec.Title, QStringLiteral("Евгений Ё"));
    }

    void fieldsOfEmptyListsKeepTheirValues()
    {
        TBookData rec = Filled(QStringLiteral("old"));
        ExtractBookInfo(Open(Fb2BookWithDescription("<title-info><book-title>T</book-title></title-info>")), rec);
        QCOMPARE(Fields(rec), QStringLiteral("old|old|old|T|old|old|||old||"));
    }

    void badSeriesNumberKeepsSeqNum()
    {
        TBookData rec = Filled(QStringLiteral("old"));
        ExtractBookInfo(Open(Fb2BookWithDescription("<title-info><sequence name=\"S\" number=\"x\"/></title-info>")),
                        rec);
        QCOMPARE(rec.Sequence, QStringLiteral("S"));
        QCOMPARE(rec.SeqNum, QStringLiteral("old"));
    }

    void failuresStopAtTheirStep_data()
    {
        QTest::addColumn<QByteArray>("description");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("fields");
        QTest::newRow("markup in the title, nothing assigned")
            << QByteArray(
                   "<title-info><genre>g</genre><book-title>Война <emphasis>и</emphasis> мир</book-title></title-info>")
            << QStringLiteral("Element \"book-title\" does not contain a single text node")
            << QStringLiteral("old|old|old|old|old|old|old|old|old|old|old");
        QTest::newRow("comment in first-name, after title, genre and last name")
            << QByteArray("<title-info><genre>g</genre><author><first-name>Лев<!-- ? "
                          "--></first-name><last-name>Толстой</last-name></author>"
                          "<book-title>T</book-title></title-info>")
            << QStringLiteral("Element \"first-name\" does not contain a single text node")
            << QStringLiteral("Толстой|old|old|T|old|old|old|old|g|old|old");
        QTest::newRow("element inside year, everything before assigned")
            << QByteArray("<title-info><book-title>T</book-title><lang>ru</lang></title-info>"
                          "<publish-info><publisher>P</publisher><city>C</city><year><b>1</b></year></publish-info>")
            << QStringLiteral("Element \"year\" does not contain a single text node")
            << QStringLiteral("old|old|old|T|old|old|ru|P|old|C|old");
    }
    void failuresStopAtTheirStep()
    {
        QFETCH(QByteArray, description);
        QFETCH(QString, error);
        QFETCH(QString, fields);
        TBookData rec = Filled(QStringLiteral("old"));
        IXMLFictionBook book = Open(Fb2BookWithDescription(description));
        try {
            ExtractBookInfo(book, rec);
            QFAIL("no error");
        } catch (const EOrvane &e) {
            QCOMPARE(e.Message(), error);
        }
        QCOMPARE(Fields(rec), fields);
    }

    void documentGainsWhatExtractionLookedFor()
    {
        IXMLFictionBook book = Open(Fb2BookWithDescription(
            "<title-info><author><last-name>A</last-name></author><sequence name=\"S\"/></title-info>"));
        TBookData rec;
        ExtractBookInfo(book, rec);
        QCOMPARE(book->Description()->Xml(),
                 QStringLiteral("<description><title-info><author><last-name>A</last-name><first-name></first-name>"
                                "<middle-name></middle-name></author><sequence name=\"S\" number=\"\"/>"
                                "<book-title></book-title><lang></lang></title-info>"
                                "<publish-info><publisher></publisher><city></city><year></year></publish-info>"
                                "</description>"));
    }

    void emptyListsCreateNothing()
    {
        IXMLFictionBook book = Open(Fb2BookWithDescription("<title-info><book-title>T</book-title></title-info>"));
        TBookData rec;
        ExtractBookInfo(book, rec);
        const QString xml = book->Xml();
        QVERIFY(!xml.contains(QLatin1String("<author")));
        QVERIFY(!xml.contains(QLatin1String("<sequence")));
        QVERIFY(!xml.contains(QLatin1String("<genre")));
    }
};

QTEST_GUILESS_MAIN(TestExtractBookInfo)
#include "test_extract_book_info.moc"
