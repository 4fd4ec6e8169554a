#include "BookFixtures.h"
#include "globals/Errors.h"
#include "validate/ValidBook.h"
#include "validate/ValidateBook.h"
#include "xml/XmlSchema.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kUtils = QStringLiteral(ORVANE_BIN_DIR "/utils/");

// A small valid book; rows of the tables below change one piece of it.
const char kBook[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<FictionBook xmlns="http://www.gribuser.ru/xml/fictionbook/2.0" xmlns:l="http://www.w3.org/1999/xlink">
<description>
<title-info>
<genre>prose_contemporary</genre>
<author><first-name>Антон</first-name><last-name>Чехов</last-name></author>
<book-title>Рассказы</book-title>
<coverpage><image l:href="#cover.png"/></coverpage>
<lang>ru</lang>
</title-info>
<document-info>
<author><nickname>maker</nickname></author>
<date value="2024-05-01">1 мая 2024</date>
<id>book-1</id>
<version>1.0</version>
</document-info>
</description>
<body>
<section id="s1"><title><p>Глава</p></title><p>Текст <emphasis>главы</emphasis>.</p></section>
</body>
<binary id="cover.png" content-type="image/png">iVBORw0KGgo=</binary>
</FictionBook>
)";

const QString kNs = QStringLiteral("{http://www.gribuser.ru/xml/fictionbook/2.0}");

// A book's verdict and error text as the validator without a tree and the tree give them
// together (every book read as it is read, whatever its size).
bool ValidatedAsRead(const QString &path, const QString &utils, QString &errorText)
{
    XmlParseError error;
    if (XmlValidateFile(path, utils + QStringLiteral("FictionBook.xsd"), FictionBookNamespace, error, 0))
        return true;
    errorText = ValidationErrorText(error);
    return false;
}

bool StreamVouches(const QString &path, const QString &utils = kUtils)
{
    return XmlStreamFindsValid(path, utils + QStringLiteral("FictionBook.xsd"), FictionBookNamespace);
}

}  // namespace

class TestValidateBook : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString Write(const QString &name, const QByteArray &bytes) { return WriteFixture(m_dir, name, bytes); }

    static QByteArray Book(const QString &from, const QString &to)
    {
        QString text = QString::fromUtf8(kBook);
        if (!from.isEmpty()) {
            if (!text.contains(from))
                qFatal("fixture lacks %s", qPrintable(from));
            text.replace(from, to);
        }
        return text.toUtf8();
    }

    // The author's first name from an entity of the document type.
    static QByteArray WithInternalEntity()
    {
        return Book(QStringLiteral("<FictionBook "),
                    QStringLiteral("<!DOCTYPE FictionBook [<!ENTITY a \"Антон\">]>\n<FictionBook "))
            .replace("<first-name>Антон", "<first-name>&a;");
    }

    static QByteArray InCp1251(const QByteArray &utf8)
    {
        QStringEncoder cp1251("windows-1251");
        const QByteArray bytes = cp1251(QString::fromUtf8(utf8));
        return cp1251.isValid() && !cp1251.hasError() ? bytes : QByteArray();
    }

    // Utils folder holding a copy of the schema files, for tests that break them.
    QString CopyOfUtils(const QString &name)
    {
        const QString dir = m_dir.filePath(name) + QLatin1Char('/');
        QDir().mkpath(dir);
        for (const QString &f : QDir(kUtils).entryList({QStringLiteral("*.xsd")}, QDir::Files))
            QFile::copy(kUtils + f, dir + f);
        return dir;
    }

private slots:
    // streamed: the validator without a tree vouches for the book itself (a document type is
    // left to the tree).
    void validBookLeavesTextAlone_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("streamed");
        QTest::newRow("utf-8") << Book({}, {}) << true;
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF") + Book({}, {}) << true;
        QTest::newRow("windows-1251") << InCp1251(Book(QStringLiteral("UTF-8"), QStringLiteral("windows-1251")))
                                      << true;
        QTest::newRow("genre of the published list")
            << Book(QStringLiteral("prose_contemporary"), QStringLiteral("sf")) << true;
        QTest::newRow("internal entity") << WithInternalEntity() << false;
        // Never read: the reference stays empty.
        QTest::newRow("external entity")
            << Book(QStringLiteral("<FictionBook "),
                    QStringLiteral(
                        "<!DOCTYPE FictionBook [<!ENTITY x SYSTEM \"file:///etc/hostname\">]>\n<FictionBook "))
                   .replace("<nickname>maker", "<nickname>maker&x;")
            << false;
        QTest::newRow("empty section and notes body") << Book(
            QStringLiteral("</body>"),
            QStringLiteral("<section/></body><body name=\"notes\"><section id=\"n1\"><p>1</p></section></body>"))
                                                      << true;
        QTest::newRow("character references")
            << Book(QStringLiteral("<p>Текст"), QStringLiteral("<p>&#x422;&amp;")) << true;
    }

    void validBookLeavesTextAlone()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, streamed);
        QVERIFY(!bytes.isEmpty());
        const QString path = Write(QStringLiteral("valid.fb2"), bytes);
        QString text = QStringLiteral("untouched");
        QVERIFY(ValidateBook(path, text, kUtils));
        QVERIFY(ValidatedAsRead(path, kUtils, text));
        QCOMPARE(text, QStringLiteral("untouched"));
        QCOMPARE(StreamVouches(path), streamed);
    }

    // Each kind of first error: its code, where it stands, and the start of libxml2's reason.
    void invalidBookGivesFirstError_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("pos");
        QTest::addColumn<QString>("reason");

        QTest::newRow("missing element") << Book(QStringLiteral("<book-title>Рассказы</book-title>\n"), {}) << 1871 << 7
                                         << 11
                                         << "Element '" + kNs
                + "coverpage': This element is not expected. Expected is one of ( " + kNs + "author, " + kNs
                + "book-title ).";
        QTest::newRow("misplaced element")
            << Book(QStringLiteral("<lang>ru</lang>\n"), QStringLiteral("<lang>ru</lang>\n<keywords>k</keywords>\n"))
            << 1871 << 10 << 10 << "Element '" + kNs + "keywords': This element is not expected.";
        QTest::newRow("missing child at the end") << Book(QStringLiteral("<lang>ru</lang>\n"), {}) << 1871 << 4 << 12
                                                  << "Element '" + kNs + "title-info': Missing child element(s).";
        QTest::newRow("attribute value") << Book(QStringLiteral("2024-05-01"), QStringLiteral("2024-13-01")) << 1824
                                         << 13 << 25
                                         << "Element '" + kNs
                + "date', attribute 'value': '2024-13-01' is not a valid value";
        QTest::newRow("unknown genre") << Book(QStringLiteral("prose_contemporary"), QStringLiteral("no_such_genre"))
                                       << 1840 << 5 << 7
                                       << "Element '" + kNs + "genre': [facet 'enumeration'] The value 'no_such_genre'";
        QTest::newRow("broken base64") << Book(QStringLiteral("iVBORw0KGgo="), QStringLiteral("iVBORw0KGgo")) << 1824
                                       << 21 << 48 << "Element '" + kNs + "binary': 'iVBORw0KGgo'";
        QTest::newRow("duplicate id")
            << Book(QStringLiteral("</FictionBook>"),
                    QStringLiteral("<binary id=\"cover.png\" content-type=\"image/png\">AAAA</binary>\n</FictionBook>"))
            << 1824 << 22 << 48 << "Element '" + kNs + "binary', attribute 'id': 'cover.png' is not a valid value";
        // Ids compare as the schema reads them, without the white space around them.
        QTest::newRow("duplicate id with white space around")
            << Book(QStringLiteral("</body>"), QStringLiteral("<section id=\" s1\t\"><p>2</p></section></body>"))
            << 1824 << 20 << 19 << "Element '" + kNs + "section', attribute 'id': ' s1 ' is not a valid value";
        QTest::newRow("not well-formed") << Book(QStringLiteral("</emphasis>"), QStringLiteral("</emph>")) << 76 << 19
                                         << 76 << "Opening and ending tag mismatch: emphasis line 19 and emph";
        QTest::newRow("byte the declared code page lacks")
            << InCp1251(Book(QStringLiteral("UTF-8"), QStringLiteral("windows-1251"))).replace("\xD0\xE0\xF1", "\x98")
            << 6003 << 7 << 13 << "input conversion failed due to input error, bytes 0x98";
        QTest::newRow("not xml") << QByteArray("plain text") << 4 << 1 << 1 << "Start tag expected, '<' not found";
        QTest::newRow("empty file") << QByteArray() << 4 << 1 << 1 << "Document is empty";
        QTest::newRow("other root")
            << QByteArray("<?xml version=\"1.0\"?>\n<html/>") << 1845 << 2 << 6
            << "Element 'html': No matching global declaration available for the validation root.";
        QTest::newRow("entity loop") << QByteArray(
            "<?xml version=\"1.0\"?>\n<!DOCTYPE a [<!ENTITY a \"&b;\"><!ENTITY b \"&a;\">]>\n<a>&a;</a>")
                                     << 89 << 3 << 7 << "Detected an entity reference loop";
    }

    void invalidBookGivesFirstError()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, code);
        QFETCH(int, line);
        QFETCH(int, pos);
        QFETCH(QString, reason);
        const QString path = Write(QStringLiteral("invalid.fb2"), bytes);
        QString text;
        QVERIFY(!ValidateBook(path, text, kUtils));
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        QVERIFY2(lines.size() >= 5 && lines.last().isEmpty(), qPrintable(text));
        QCOMPARE(lines[0], QStringLiteral("Код ошибки %1").arg(code));
        QCOMPARE(lines[1], QStringLiteral("Строка %1").arg(line));
        QCOMPARE(lines[2], QStringLiteral("Символ %1").arg(pos));
        QVERIFY2(lines[3].startsWith(reason), qPrintable(lines[3]));
        QVERIFY(!StreamVouches(path));
        QString asRead;
        QVERIFY(!ValidatedAsRead(path, kUtils, asRead));
        QCOMPARE(asRead, text);
    }

    // A book of several megabytes is read as it is validated; its verdict and error are the tree's.
    void bigBookIsJudgedAsTheTreeJudgesIt_data()
    {
        QTest::addColumn<QByteArray>("change");
        QTest::newRow("valid") << QByteArray();
        QTest::newRow("id given twice") << QByteArray("<section id=\"s1\"><p>2</p></section>");
        QTest::newRow("schema error at the end") << QByteArray("<section><bogus/></section>");
    }
    void bigBookIsJudgedAsTheTreeJudgesIt()
    {
        QFETCH(QByteArray, change);
        const QByteArray paragraphs = QByteArray("<p>Строка текста книги, довольно длинная.</p>\n").repeated(100000);
        const QString path =
            Write(QStringLiteral("big.fb2"),
                  Book(QStringLiteral("</body>"),
                       QString::fromUtf8("<section>" + paragraphs + "</section>" + change + "</body>")));
        QVERIFY(QFileInfo(path).size() > qint64(4) << 20);
        QString text, treeText;
        const bool valid = ValidateBook(path, text, kUtils);
        const XmlDocPtr tree = ValidatedBookTree(path, treeText, kUtils);
        QCOMPARE(valid, change.isEmpty());
        QCOMPARE(valid, tree != nullptr);
        QCOMPARE(text, treeText);
    }

    // The validator without a tree tells ids apart by the name "id": only under a schema whose
    // ids are all such attributes does it vouch for a book.
    void streamVouchesUnderASchemaOfIdAttributesOnly_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<bool>("streamed");
        QTest::newRow("as shipped") << QString() << QString() << true;
        QTest::newRow("id type through another prefix")
            << QStringLiteral("<xs:attribute name=\"id\" type=\"xs:ID\" use=\"optional\"/>")
            << QStringLiteral("<xs:attribute xmlns:x=\"http://www.w3.org/2001/XMLSchema\" name=\"id\" type=\"x:ID\" "
                              "use=\"optional\"/>")
            << true;
        QTest::newRow("another attribute typed as an id")
            << QStringLiteral("<xs:attribute name=\"name\" type=\"xs:token\" use=\"required\"/>")
            << QStringLiteral("<xs:attribute xmlns:x=\"http://www.w3.org/2001/XMLSchema\" name=\"name\" type=\"x:ID\" "
                              "use=\"required\"/>")
            << false;
        QTest::newRow("a type derived from ids")
            << QStringLiteral("</xs:schema>")
            << QStringLiteral(
                   "<xs:simpleType name=\"key\"><xs:restriction base=\"xs:ID\"/></xs:simpleType></xs:schema>")
            << false;
        QTest::newRow("qualified attributes") << QStringLiteral("attributeFormDefault=\"unqualified\"")
                                              << QStringLiteral("attributeFormDefault=\"qualified\"") << false;
    }
    void streamVouchesUnderASchemaOfIdAttributesOnly()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(bool, streamed);
        const QString utils = CopyOfUtils(QString::fromLatin1(QTest::currentDataTag()).replace(' ', '_'));
        if (!from.isEmpty()) {
            QFile f(utils + QStringLiteral("FictionBook.xsd"));
            QVERIFY(f.open(QIODevice::ReadWrite));
            QString xsd = QString::fromUtf8(f.readAll());
            QVERIFY(xsd.contains(from));
            xsd.replace(from, to);
            f.resize(0);
            f.write(xsd.toUtf8());
        }
        const QString path = Write(QStringLiteral("ids.fb2"), Book({}, {}));
        QCOMPARE(StreamVouches(path, utils), streamed);
        QString text, asRead;
        QCOMPARE(ValidatedAsRead(path, utils, asRead), ValidateBook(path, text, utils));
        QCOMPARE(asRead, text);
    }

    void errorTextIsFourLinesExactly()
    {
        const QString path =
            Write(QStringLiteral("four.fb2"), Book(QStringLiteral("<book-title>Рассказы</book-title>\n"), {}));
        QString text;
        QVERIFY(!ValidateBook(path, text, kUtils));
        QCOMPARE(text,
                 "Код ошибки 1871\r\nСтрока 7\r\nСимвол 11\r\nElement '" + kNs
                     + "coverpage': This element is not expected. Expected is one of ( " + kNs + "author, " + kNs
                     + "book-title ).\r\n");
    }

    // The loader's tree of a book is judged as ValidateBook judges its file: white space that the
    // schema refuses counts before the loader drops it, and an invalid book gets the same text.
    // The loader for the description alone judges alike; its tree of a valid book ends with the
    // description (cut) unless the book has a document type.
    void loadingGivesValidateBooksVerdict_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("cut");
        QTest::newRow("valid") << Book({}, {}) << true;
        QTest::newRow("blank in the cover's image") << Book(QStringLiteral("<image l:href=\"#cover.png\"/>"),
                                                            QStringLiteral("<image l:href=\"#cover.png\"> </image>"))
                                                    << false;
        QTest::newRow("line break in a picture of the text")
            << Book(QStringLiteral("<p>Текст"), QStringLiteral("<image l:href=\"#cover.png\">\n</image><p>Текст"))
            << false;
        QTest::newRow("blank in an empty-line, which takes anything")  // valid either way
            << Book(QStringLiteral("<p>Текст"), QStringLiteral("<empty-line> </empty-line><p>Текст")) << true;
        QTest::newRow("schema error") << Book(QStringLiteral("<lang>ru</lang>\n"), {}) << false;
        QTest::newRow("schema error after the description")
            << Book(QStringLiteral("<p>Текст"), QStringLiteral("<bogus/><p>Текст")) << false;
        QTest::newRow("id given twice after the description")
            << Book(QStringLiteral("</body>"), QStringLiteral("<section id=\"s1\"><p>2</p></section></body>")) << false;
        QTest::newRow("internal entity") << WithInternalEntity() << false;
        QTest::newRow("not well-formed") << Book(QStringLiteral("</emphasis>"), QStringLiteral("</emph>")) << false;
        QTest::newRow("not well-formed after the end")
            << Book(QStringLiteral("</FictionBook>"), QStringLiteral("</FictionBook><a/>")) << false;
        QTest::newRow("not xml") << QByteArray("plain text") << false;
    }

    void loadingGivesValidateBooksVerdict()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, cut);
        const QString path = Write(QStringLiteral("verdict.fb2"), bytes);
        QString expected, text, headText;
        const bool valid = ValidateBook(path, expected, kUtils);
        const XmlDocPtr dom = LoadValidBookDom(path, kUtils, text);
        const XmlDocPtr head = LoadValidBookDescription(bytes, path, kUtils, headText);
        QCOMPARE(dom != nullptr, valid);
        QCOMPARE(head != nullptr, valid);
        QCOMPARE(text, expected);
        QCOMPARE(headText, expected);
        if (!dom)
            return;
        // The loader's tree has no white-space-only text left.
        xmlNode *root = xmlDocGetRootElement(dom.get());
        for (xmlNode *n = root->children; n; n = n->next)
            QVERIFY(n->type != XML_TEXT_NODE);
        if (cut) {
            xmlNode *description = root->children;
            QCOMPARE(reinterpret_cast<const char *>(description->name), "description");
            while (xmlNode *after = description->next) {
                xmlUnlinkNode(after);
                xmlFreeNode(after);
            }
        }
        QCOMPARE(XmlNodeText(xmlDocGetRootElement(head.get())), XmlNodeText(root));
    }

    void missingFileIsAResult()
    {
        QString text;
        QVERIFY(!ValidateBook(m_dir.filePath(QStringLiteral("absent.fb2")), text, kUtils));
        QVERIFY2(text.startsWith(QStringLiteral("Код ошибки 1549\r\nСтрока 0\r\nСимвол 0\r\nCannot open")),
                 qPrintable(text));
    }

    void unusableSchemaRaises_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");  // empty: the file is removed
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << QStringLiteral("FictionBook.xsd") << QByteArray()
                                 << QStringLiteral("does not exist");
        QTest::newRow("not xml") << QStringLiteral("FictionBook.xsd") << QByteArray("schema?")
                                 << QStringLiteral("FictionBook.xsd");
        QTest::newRow("missing include") << QStringLiteral("FictionBookGenres.xsd") << QByteArray()
                                         << QStringLiteral("FictionBookGenres.xsd");
        QTest::newRow("other namespace")
            << QStringLiteral("FictionBook.xsd")
            << QByteArray("<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" targetNamespace=\"urn:x\"/>")
            << QStringLiteral("urn:x");
    }

    void unusableSchemaRaises()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        const QString utils = CopyOfUtils(QString::fromLatin1(QTest::currentDataTag()).replace(' ', '_'));
        QFile::remove(utils + file);
        if (!content.isEmpty()) {
            QFile f(utils + file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        const QString book = Write(QStringLiteral("any.fb2"), Book({}, {}));
        for (int call = 0; call < 2; ++call) {  // every call, not only the first
            QString text = QStringLiteral("untouched");
            try {
                ValidateBook(book, text, utils);
                QFAIL("no error raised");
            } catch (const EOrvane &e) {
                QVERIFY2(e.Message().contains(message), qPrintable(e.Message()));
            }
            QCOMPARE(text, QStringLiteral("untouched"));
        }
    }

    void schemaChangeIsNoticed()
    {
        const QString utils = CopyOfUtils(QStringLiteral("changing"));
        const QString book = Write(QStringLiteral("changing.fb2"), Book({}, {}));
        QString text;
        QVERIFY(ValidateBook(book, text, utils));
        QFile::remove(utils + QStringLiteral("FictionBook.xsd"));
        QVERIFY_THROWS_EXCEPTION(EOrvane, ValidateBook(book, text, utils));
        QVERIFY(QFile::copy(kUtils + QStringLiteral("FictionBook.xsd"), utils + QStringLiteral("FictionBook.xsd")));
        QVERIFY(ValidateBook(book, text, utils));
    }
};

QTEST_GUILESS_MAIN(TestValidateBook)
#include "test_validate_book.moc"
