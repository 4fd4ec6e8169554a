#include "BookFixtures.h"
#include "book/ExtractBookInfo.h"
#include "convert/BookConversion.h"
#include "convert/RtfAnsiText.h"
#include "globals/Errors.h"
#include "globals/TextFile.h"

#include <QDir>
#include <QFile>
#include <QtTest>

namespace {

const QString kUtils = QStringLiteral(ORVANE_BIN_DIR "/utils/");

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// A style sheet whose text result is the value of the book's <book-title>, for tests of what
// ConvertBook does with a result; output names the encoding it declares.
QByteArray TitleStyleSheet(const QByteArray &output)
{
    return "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\""
           " xmlns:fb=\"http://www.gribuser.ru/xml/fictionbook/2.0\">"
        + output
        + "<xsl:template match=\"/\"><xsl:value-of select=\"//fb:book-title\"/></xsl:template></xsl:stylesheet>";
}

QByteArray BookTitled(const QByteArray &title)
{
    return Fb2BookWithDescription("<title-info><genre>sf</genre><author><nickname>a</nickname></author><book-title>"
                                  + title + "</book-title><lang>ru</lang></title-info>");
}

// A small book with every kind of content the style sheets render.
const char kRichBook[] = R"(
<description>
<title-info>
<genre>prose_contemporary</genre><genre>sf_humor</genre>
<author><first-name>Антон</first-name><middle-name>Павлович</middle-name><last-name>Чехов</last-name></author>
<book-title>Весёлые рассказы</book-title>
<annotation><p>Сборник <emphasis>смешных</emphasis> историй.</p></annotation>
<coverpage><image l:href="#cover.png"/></coverpage>
<lang>ru</lang>
<sequence name="Избранное" number="3"/>
</title-info>
<document-info><author><nickname>maker</nickname></author><date>2024</date><id>x</id><version>1</version></document-info>
<publish-info><publisher>Азбука</publisher><city>Москва</city><year>2005</year><isbn>978-5-00</isbn></publish-info>
</description>
<body>
<title><p>Весёлые рассказы</p></title>
<section id="s1">
<title><p>Глава первая</p></title>
<epigraph><p>Краткость — сестра таланта.</p><text-author>А. Ч.</text-author></epigraph>
<p>Жил-был <strong>чиновник</strong>, и звали его {Иван} Дмитрич\Червяков<a l:href="#n1" type="note">1</a>.</p>
<poem><stanza><v>Мороз и солнце;</v><v>день чудесный!</v></stanza></poem>
<cite><p>Цитата из <a l:href="javascript:alert(1);">письма</a> (<a l:href="mailto:chekhov@example.org">адрес</a>).</p></cite>
<table><tr><th>Год</th><th>Город</th></tr><tr><td>1883</td><td>Москва</td></tr></table>
<image l:href="#cover.png"/>
</section>
</body>
<body name="notes">
<section id="n1"><title><p>1</p></title><p>Примечание о чиновнике.</p></section>
</body>
<binary id="cover.png" content-type="image/png">iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAQAAAC1HAwCAAAAC0lEQVR42mP8/x8AAwMCAO+pWuoAAAAASUVORK5CYII=</binary>
)";

}  // namespace

class TestConvertBook : public QObject {
    Q_OBJECT
    FixtureFolder m_books;
    QTemporaryDir m_out;

    // A utils folder with the given style sheets (file name -> content).
    QString Utils(const QString &name, const QList<QPair<QString, QByteArray>> &sheets)
    {
        const QString dir = m_out.filePath(QStringLiteral("utils-") + name) + QLatin1Char('/');
        QDir().mkpath(dir);
        for (const auto &[file, content] : sheets) {
            QFile f(dir + file);
            if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
                qFatal("cannot write %s", qPrintable(dir + file));
        }
        return dir;
    }

    QString OutDir(const QString &name)
    {
        const QString dir = m_out.filePath(name) + QLatin1Char('/');
        QDir().mkpath(dir);
        return dir;
    }

private slots:
    void rtfEscapesRussianLettersOnly_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("word with Ё") << QStringLiteral("Ёлка") << QByteArray("\\'a8\\'eb\\'ea\\'e0\r\n");
        QTest::newRow("alphabet ends") << QStringLiteral("АЯаяё") << QByteArray("\\'c0\\'df\\'e0\\'ff\\'b8\r\n");
        QTest::newRow("latin and RTF") << QStringLiteral("abc {\\b x}") << QByteArray("abc {\\b x}\r\n");
        // Other Cyrillic letters and signs are the code page's bytes, not escapes.
        QTest::newRow("other Cyrillic and signs")
            << QStringLiteral("іїєґў № —") << QByteArray("\xB3\xBF\xBA\xB4\xA2 \xB9 \x97\r\n");
        QTest::newRow("no byte for it") << QStringLiteral("日 x 😀") << QByteArray("? x ?\r\n");
        QTest::newRow("line ends") << QStringLiteral("я\r\n\rb\n\nc") << QByteArray("\\'ff\r\n\r\nb\r\n\r\nc\r\n");
        QTest::newRow("ends with a break") << QStringLiteral("a\n") << QByteArray("a\r\n");
        QTest::newRow("empty") << QString() << QByteArray();
    }
    void rtfEscapesRussianLettersOnly()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(RtfAnsiText(text.toUtf8()), bytes);
    }

    void writesLinesWithCrLf_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ansi");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("lf") << QStringLiteral("a\nb") << false
                            << QByteArray("\xEF\xBB\xBF"
                                          "a\r\nb\r\n");
        QTest::newRow("cr lf, cr, final break") << QStringLiteral("a\r\nb\rc\n") << false
                                                << QByteArray("\xEF\xBB\xBF"
                                                              "a\r\nb\r\nc\r\n");
        QTest::newRow("empty lines kept") << QStringLiteral("a\n\n\nb") << false
                                          << QByteArray("\xEF\xBB\xBF"
                                                        "a\r\n\r\n\r\nb\r\n");
        QTest::newRow("empty text, utf-8") << QString() << false << QByteArray("\xEF\xBB\xBF");
        QTest::newRow("empty text, ansi") << QString() << true << QByteArray();
        QTest::newRow("ansi code page") << QStringLiteral("Ёлка № «»\n—") << true
                                        << QByteArray("\xA8\xEB\xEA\xE0 \xB9 \xAB\xBB\r\n\x97\r\n");
        QTest::newRow("ansi lacks the character") << QStringLiteral("日 x 😀") << true << QByteArray("? x ?\r\n");
    }
    void writesLinesWithCrLf()
    {
        QFETCH(QString, text);
        QFETCH(bool, ansi);
        QFETCH(QByteArray, bytes);
        const QString path = m_out.filePath(QStringLiteral("lines.txt"));
        SaveTextLines(path, text, ansi ? TTextEncoding::Ansi : TTextEncoding::Utf8Bom);
        QCOMPARE(ReadAll(path), bytes);
    }

    void replacesTheExtension_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("converted");
        QTest::newRow("txt") << 0 << QStringLiteral("Book.fb2") << QStringLiteral("Book.txt");
        QTest::newRow("html, two dots") << 1 << QStringLiteral("a.b.fb2") << QStringLiteral("a.b.html");
        QTest::newRow("rtf, no extension") << 2 << QStringLiteral("Book") << QStringLiteral("Book.rtf");
        QTest::newRow("unknown kind") << 7 << QStringLiteral("a.b.fb2") << QStringLiteral("a.b");
        QTest::newRow("control character") << 0 << QStringLiteral("Bo\tok.fb2") << QString();
        QTest::newRow("slash") << 0 << QStringLiteral("../Book.fb2") << QString();
    }
    void replacesTheExtension()
    {
        QFETCH(int, type);
        QFETCH(QString, name);
        QFETCH(QString, converted);
        TBookConversion conversion;
        conversion.PrepareConversion(type, kUtils);
        if (converted.isEmpty()) {
            try {
                conversion.ConvertedName(name);
                QFAIL("no error");
            } catch (const EOrvane &e) {
                QCOMPARE(e.Message(), QStringLiteral("Invalid characters in path"));
            }
        } else {
            QCOMPARE(conversion.ConvertedName(name), converted);
        }
    }

    // The encoding of the file follows the kind, whatever the style sheet declares.
    void writesTheKindsEncoding_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QByteArray>("title");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray bom("\xEF\xBB\xBF");
        QTest::newRow("txt") << 0 << QByteArray("Ёлка") << QStringLiteral("Book.txt") << bom + "Ёлка\r\n";
        QTest::newRow("html declaring windows-1251")
            << 1 << QByteArray("Ёлка") << QStringLiteral("Book.html") << bom + "Ёлка\r\n";
        QTest::newRow("rtf") << 2 << QByteArray("Ёлка abc №") << QStringLiteral("Book.rtf")
                             << QByteArray("\\'a8\\'eb\\'ea\\'e0 abc \xB9\r\n");
        QTest::newRow("empty result") << 0 << QByteArray() << QStringLiteral("Book.txt") << bom;
    }
    void writesTheKindsEncoding()
    {
        QFETCH(int, type);
        QFETCH(QByteArray, title);
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        const QByteArray sheet = TitleStyleSheet("<xsl:output method=\"text\" encoding=\"windows-1251\"/>");
        const QString utils = Utils(QStringLiteral("title"),
                                    {{QStringLiteral("txt.xsl"), sheet},
                                     {QStringLiteral("html.xsl"), sheet},
                                     {QStringLiteral("rtf.xsl"), sheet}});
        const QString out = OutDir(QString::fromLatin1(QTest::currentDataTag()).replace(' ', '_'));
        TBookConversion conversion;
        conversion.PrepareConversion(type, utils);
        const QString book = m_books.Write(BookTitled(title));
        QCOMPARE(conversion.ConvertBook(OpenBookDocument(book), out, QStringLiteral("Book.fb2")), file);
        QCOMPARE(ReadAll(out + file), bytes);
        QCOMPARE(QDir(out).entryList(QDir::Files), QStringList{file});  // no scratch file left
    }

    void convertsTheDocumentAsItIsNow()
    {
        // Reading the cover page creates an empty one in the document; the conversion sees it.
        const QString utils = Utils(
            QStringLiteral("count"),
            {{QStringLiteral("txt.xsl"),
              "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\""
              " xmlns:fb=\"http://www.gribuser.ru/xml/fictionbook/2.0\"><xsl:output method=\"text\"/>"
              "<xsl:template match=\"/\">coverpages: <xsl:value-of select=\"count(//fb:coverpage)\"/></xsl:template>"
              "</xsl:stylesheet>"}});
        const IXMLFictionBook book = OpenBookDocument(m_books.Write(BookTitled("x")));
        book->Description()->TitleInfo()->Coverpage();
        TBookConversion conversion;
        conversion.PrepareConversion(0, utils);
        const QString out = OutDir(QStringLiteral("now"));
        conversion.ConvertBook(book, out, QStringLiteral("b.fb2"));
        QCOMPARE(ReadAll(out + "b.txt"),
                 QByteArray("\xEF\xBB\xBF"
                            "coverpages: 1\r\n"));
    }

    void replacesAnExistingFile()
    {
        const QString out = OutDir(QStringLiteral("existing"));
        QFile old(out + "Book.txt");
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("an older and much longer text");
        old.close();
        const QString utils = Utils(QStringLiteral("replace"),
                                    {{QStringLiteral("txt.xsl"), TitleStyleSheet("<xsl:output method=\"text\"/>")}});
        TBookConversion conversion;
        conversion.PrepareConversion(0, utils);
        conversion.ConvertBook(OpenBookDocument(m_books.Write(BookTitled("new"))), out, QStringLiteral("Book.fb2"));
        QCOMPARE(ReadAll(out + "Book.txt"),
                 QByteArray("\xEF\xBB\xBF"
                            "new\r\n"));
    }

    // A missing or broken style sheet is silent until a book is converted; nothing is written.
    void styleSheetErrorsComeWithTheFirstBook_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QByteArray>("sheet");  // empty: no txt.xsl
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << 0 << QByteArray() << QStringLiteral("txt.xsl");
        QTest::newRow("not well-formed") << 0 << QByteArray("<xsl:stylesheet") << QStringLiteral("Line: 1");
        QTest::newRow("unknown kind") << 9 << QByteArray() << QStringLiteral("9");
    }
    void styleSheetErrorsComeWithTheFirstBook()
    {
        QFETCH(int, type);
        QFETCH(QByteArray, sheet);
        QFETCH(QString, message);
        QList<QPair<QString, QByteArray>> sheets;
        if (!sheet.isEmpty())
            sheets.append({QStringLiteral("txt.xsl"), sheet});
        const QString utils = Utils(QString::fromLatin1(QTest::currentDataTag()).replace(' ', '_'), sheets);
        const QString out =
            OutDir(QStringLiteral("failed-") + QString::fromLatin1(QTest::currentDataTag()).replace(' ', '_'));
        TBookConversion conversion;
        conversion.PrepareConversion(type, utils);
        try {
            conversion.ConvertBook(OpenBookDocument(m_books.Write(BookTitled("x"))), out, QStringLiteral("b.fb2"));
            QFAIL("no error");
        } catch (const EOrvane &e) {
            QVERIFY2(e.Message().contains(message), qPrintable(e.Message()));
        }
        QVERIFY(QDir(out).isEmpty());
    }

    // The tree in memory is transformed as the text of its root element would be once parsed
    // again: byte for byte, for each style sheet and for books with what such a round trip
    // changes (the prologue, the DTD, white space, CDATA, elements the reading added).
    void convertsAsTheBooksTextWould_data()
    {
        QTest::addColumn<QByteArray>("book");
        QTest::addColumn<bool>("readRecord");
        const QByteArray rich = Fb2Book(kRichBook);
        QTest::newRow("rich") << rich << false;
        QTest::newRow("rich, record read") << rich << true;
        QTest::newRow("prologue and DTD")
            << QByteArray(rich)
                   .replace("<FictionBook ",
                            "<!-- c --><?pi x?>\n<!DOCTYPE FictionBook [<!ENTITY ch \"Чехов\">]>\n<FictionBook ")
                   .replace("<last-name>Чехов", "<last-name>&ch;")
            << true;
        QTest::newRow("white space kept and dropped")
            << QByteArray(rich).replace("<p>Примечание", "<p xml:space=\"preserve\">  </p>\n  \t\n<p>  Примечание  ")
            << false;
        QTest::newRow("cdata, comments, character references") << QByteArray(rich).replace(
            "<p>Примечание", "<p><![CDATA[a < b & c]]> &#13;&#x9;&lt;<!-- x --></p><p>Примечание")
                                                               << true;
        QTest::newRow("no description") << Fb2Book("<body><section><p>x</p></section></body>") << true;
    }
    void convertsAsTheBooksTextWould()
    {
        QFETCH(QByteArray, book);
        QFETCH(bool, readRecord);
        // An identity sheet shows every node the transformation sees.
        const QString utils = Utils(QStringLiteral("identity"),
                                    {{QStringLiteral("txt.xsl"),
                                      "<xsl:stylesheet version=\"1.0\" "
                                      "xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\"><xsl:output method=\"xml\"/>"
                                      "<xsl:template match=\"@*|node()\"><xsl:copy><xsl:apply-templates "
                                      "select=\"@*|node()\"/></xsl:copy></xsl:template>"
                                      "</xsl:stylesheet>"}});
        const QString path = m_books.Write(book);
        for (const auto &[type, folder] : {std::pair{0, kUtils}, {1, kUtils}, {2, kUtils}, {0, utils}}) {
            const IXMLFictionBook doc = OpenBookDocument(path);
            if (readRecord)
                BookRecord(doc);
            TBookConversion conversion;
            conversion.PrepareConversion(type, folder);
            const QByteArray converted = conversion.ConvertedData(doc);

            XmlParseError error;
            const XmlDocPtr again = XmlLoadString(doc->Xml(), error);
            QVERIFY(again);
            QString text =
                XsltTransform(again.get(), XsltLoadStyleSheet(folder + ConversionKind(type).StyleSheet).get());
            QCOMPARE(converted, type == 2 ? RtfAnsiText(text.toUtf8()) : TextLinesData(text, TTextEncoding::Utf8Bom));
        }
    }

    void targetThatCannotBeCreated()
    {
        TBookConversion conversion;
        conversion.PrepareConversion(0, kUtils);
        const QString out = m_out.filePath(QStringLiteral("no/such/folder/"));
        try {
            conversion.ConvertBook(OpenBookDocument(m_books.Write(BookTitled("x"))), out, QStringLiteral("b.fb2"));
            QFAIL("no error");
        } catch (const EOrvane &e) {
            QVERIFY2(e.Message().startsWith("Cannot create file \"" + out + "b.txt\". "), qPrintable(e.Message()));
            QVERIFY(e.Message().size() > out.size() + 24);
        }
    }

    // The style sheets of utils/ on a small rich book: each output carries what matters.
    void styleSheetsRenderARichBook_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArrayList>("expected");  // pieces of the file's bytes
        QTest::newRow("txt") << 0 << QStringLiteral("rich.txt")
                             << QByteArrayList{"\xEF\xBB\xBF"
                                               "Антон Павлович Чехов\r\n\r\nВесёлые рассказы\r\n(Избранное — 3)\r\n",
                                               "   Сборник смешных историй.\r\n",
                                               "\r\nГлава первая\r\n\r\n",
                                               "Краткость — сестра таланта.\r\n",
                                               "   Жил-был чиновник, и звали его {Иван} Дмитрич\\Червяков[1].\r\n",
                                               "        Мороз и солнце;\r\n        день чудесный!\r\n",
                                               "Год | Город\r\n1883 | Москва\r\n",
                                               "   Примечание о чиновнике.\r\n"};
        QTest::newRow("html") << 1 << QStringLiteral("rich.html")
                              << QByteArrayList{"\xEF\xBB\xBF<!DOCTYPE html",
                                                "<title>Весёлые рассказы</title>",
                                                "<h1>Весёлые рассказы</h1>",
                                                "<div class=\"authors\">Антон Павлович Чехов</div>",
                                                "<h3>",
                                                "Глава первая",
                                                "<strong>чиновник</strong>",
                                                "<a href=\"#n1\" class=\"note\"><sup>1</sup></a>",
                                                "<div class=\"v\">Мороз и солнце;</div>",
                                                "<th>Год</th>",
                                                "<div class=\"section\" id=\"n1\">",
                                                "src=\"data:image/png;base64,iVBORw0KGgo",
                                                "<em>смешных</em>",
                                                "<a>письма</a>",
                                                "<a href=\"mailto:chekhov@example.org\">адрес</a>"};
        QTest::newRow("rtf") << 2 << QStringLiteral("rich.rtf")
                             << QByteArrayList{
                                    "{\\rtf1\\ansi\\ansicpg1251",
                                    "\\'c2\\'e5\\'f1\\'b8\\'eb\\'fb\\'e5 ",
                                    "{\\b \\'f7\\'e8\\'ed",
                                    "\\{\\'c8\\'e2\\'e0\\'ed\\} \\'c4\\'ec\\'e8\\'f2\\'f0\\'e8\\'f7\\\\\\'d7",
                                    "{\\super 1}",
                                    "\\'c3\\'ee\\'e4\\b0\\cell",
                                    "1883\\cell",
                                    "\\row",
                                    "\x97"};
        QTest::newRow("description")
            << 3 << QStringLiteral("description.html")
            << QByteArrayList{"<img alt=\"\" src=\"cover.png\"",
                              "<p class=\"title\" align=\"center\">Весёлые рассказы</p>",
                              "<p class=\"authors\" align=\"center\">Антон Павлович Чехов</p>",
                              "<p class=\"series\" align=\"center\">Избранное, № 3</p>",
                              "Жанр:</td><td valign=\"top\">Современная проза, Юмористическая фантастика</td>",
                              "Язык:</td><td valign=\"top\">русский</td>",
                              "Издательство:</td><td valign=\"top\">Азбука</td>",
                              "Город:</td><td valign=\"top\">Москва</td>",
                              "Год:</td><td valign=\"top\">2005</td>",
                              "ISBN:</td><td valign=\"top\">978-5-00",
                              "<p class=\"heading\">Аннотация</p>",
                              "<p class=\"annotation\">Сборник <i>смешных</i> историй.</p>"};
    }
    void styleSheetsRenderARichBook()
    {
        QFETCH(int, type);
        QFETCH(QString, file);
        QFETCH(QByteArrayList, expected);
        const QString book = m_books.Write(Fb2Book(kRichBook));
        const QString out = OutDir(QStringLiteral("rich-") + QString::fromLatin1(QTest::currentDataTag()));
        if (type == 3) {  // the page of the information panel: transformed and saved, not converted
            XmlParseError error;
            const XmlDocPtr doc = XmlLoadFile(book, error);
            QVERIFY(doc);
            SaveTextLines(out + file, XsltTransform(doc.get(), XsltLoadStyleSheet(kUtils + "description.xsl").get()),
                          TTextEncoding::Utf8Bom);
        } else {
            TBookConversion conversion;
            conversion.PrepareConversion(type, kUtils);
            QCOMPARE(conversion.ConvertBook(OpenBookDocument(book), out, QStringLiteral("rich.fb2")), file);
        }
        const QByteArray bytes = ReadAll(out + file);
        for (const QByteArray &piece : expected)
            QVERIFY2(bytes.contains(piece), qPrintable("missing: " + piece + "\n--- in ---\n" + bytes.left(3000)));
        if (type == 2) {
            QVERIFY2(!bytes.contains("\xD0") && !bytes.contains("\xD1"), "UTF-8 left in the RTF");
            QCOMPARE(bytes.count('{') - bytes.count("\\{"), bytes.count('}') - bytes.count("\\}"));
        }
    }
};

QTEST_GUILESS_MAIN(TestConvertBook)
#include "test_convert_book.moc"
