#include "BookFixtures.h"
#include "globals/Errors.h"
#include "xml/XmlAttributeGuard.h"
#include "xml/XmlInternal.h"
#include "xml/XmlSchema.h"
#include "xml/XmlServices.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

namespace {
const char *const kFb2Ns = "http://www.gribuser.ru/xml/fictionbook/2.0";

QString RootText(const XmlDocPtr &doc)
{
    xmlChar *s = xmlNodeGetContent(xmlDocGetRootElement(doc.get()));
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(s));
    xmlFree(s);
    return text;
}

// How alike a file and its bytes must load. libxml2 words its guards against entity loops and
// its size limits differently when it reads piece by piece (and places them elsewhere): for
// those only the outcome must agree.
enum class TAlike { Exactly, InOutcome };

// A file is parsed as it is read, bytes in memory at once: both must give the same tree or the
// same error (its line, column and source text too). Loads the bytes; fails the test when the
// file of those bytes loads differently.
XmlDocPtr LoadBothWays(const QByteArray &bytes, XmlParseError &error, TAlike alike = TAlike::Exactly)
{
    XmlDocPtr doc = XmlLoadBytes(bytes, QString(), error);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("book.fb2"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write the fixture");
    f.close();
    XmlParseError fileError;
    const XmlDocPtr fromFile = ParseXmlFile(path, XmlParseOptions(), XmlBlanks::Drop, fileError, 0);
    const auto same = [&](bool equal, const char *what) {
        if (!equal)
            QTest::qFail(qPrintable(QStringLiteral("the file loads differently: %1 (%2 / %3)")
                                        .arg(QLatin1String(what), error.LoadMessage(), fileError.LoadMessage())),
                         __FILE__, __LINE__);
    };
    same(bool(doc) == bool(fromFile), "loaded");
    if (alike == TAlike::InOutcome)
        return doc;
    same(error.errorCode == fileError.errorCode && error.reason == fileError.reason, "reason");
    same(error.line == fileError.line && error.linePos == fileError.linePos, "place");
    same(error.srcText == fileError.srcText, "source line");
    if (doc && fromFile)
        same(XmlNodeText(xmlDocGetRootElement(doc.get())) == XmlNodeText(xmlDocGetRootElement(fromFile.get())), "tree");
    return doc;
}

QStringList Listing(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}
}  // namespace

class TestXmlServices : public QObject {
    Q_OBJECT
private slots:
    void readsDeclaredEncodings_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QString word = QStringLiteral("Пушкин");
        QTest::newRow("windows-1251") << QByteArray("<?xml version=\"1.0\" encoding=\"windows-1251\"?><a>")
                + QByteArray("\xCF\xF3\xF8\xEA\xE8\xED") + "</a>";
        QTest::newRow("koi8-r") << QByteArray("<?xml version=\"1.0\" encoding=\"koi8-r\"?><a>")
                + QByteArray("\xF0\xD5\xDB\xCB\xC9\xCE") + "</a>";
        QTest::newRow("utf-8 with BOM") << QByteArray("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?><a>")
                + word.toUtf8() + "</a>";
        QTest::newRow("utf-8 without declaration") << QByteArray("<a>") + word.toUtf8() + "</a>";
        QTest::newRow("utf-16 with BOM") << QByteArray("\xFF\xFE", 2)
                + QByteArray(reinterpret_cast<const char *>(QStringLiteral("<a>Пушкин</a>").utf16()), 26);
    }
    void readsDeclaredEncodings()
    {
        QFETCH(QByteArray, bytes);
        XmlParseError error;
        XmlDocPtr doc = LoadBothWays(bytes, error);
        QVERIFY2(doc, qPrintable(error.LoadMessage()));
        QCOMPARE(RootText(doc), QStringLiteral("Пушкин"));
    }

    void reportsWhereParsingFailed_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("srcText");
        QTest::newRow("mismatched tag") << QByteArray("<a>\n  <b>text</c>\n</a>") << 2
                                        << QStringLiteral("  <b>text</c>");
        QTest::newRow("truncated") << QByteArray("<a>\n<b>te") << 2 << QStringLiteral("<b>te");
        QTest::newRow("plain text") << QByteArray("just some words") << 1 << QStringLiteral("just some words");
        QTest::newRow("empty") << QByteArray("") << 1 << QString();
        QTest::newRow("CR LF lines, windows-1251 line text") << QByteArray(
            "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n<a>\r\n\xCF\xF3\xF8\xEA\xE8\xED & co</a>")
                                                             << 3 << QStringLiteral("Пушкин & co</a>");
        QTest::newRow("undeclared entity") << QByteArray("<a>&nbsp;</a>") << 1 << QStringLiteral("<a>&nbsp;</a>");
        QTest::newRow("entity that only an unread DTD could declare")
            << QByteArray("<!DOCTYPE a SYSTEM \"fb2.dtd\">\n<a><b>&nbsp;</b></a>") << 2
            << QStringLiteral("<a><b>&nbsp;</b></a>");
    }
    void reportsWhereParsingFailed()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, line);
        QFETCH(QString, srcText);
        XmlParseError error;
        QVERIFY(!LoadBothWays(bytes, error));
        QVERIFY(error.Failed());
        QVERIFY(!error.reason.isEmpty());
        QVERIFY(!error.reason.endsWith(QLatin1Char('\n')));
        QCOMPARE(error.line, line);
        QCOMPARE(error.srcText, srcText);
    }

    void loadMessageHasReasonLineAndFortyCharacters()
    {
        QByteArray longLine = "<a>" + QByteArray(60, 'x') + "</b>";
        XmlParseError error;
        QVERIFY(!XmlLoadBytes("<?xml version=\"1.0\"?>\n" + longLine, QString(), error));
        QVERIFY(error.linePos > 60);
        QCOMPARE(error.LoadMessage(),
                 error.reason + QStringLiteral("\r\nLine: 2\r\n") + QString::fromLatin1(longLine.left(40)));
    }

    void missingFileIsAnErrorNamingIt()
    {
        XmlParseError error;
        const QString path = QStringLiteral("/nonexistent/книга.fb2");
        QVERIFY(!XmlLoadFile(path, error));
        QVERIFY(error.Failed());
        QCOMPARE(error.line, 0);
        QVERIFY(error.reason.contains(path));
    }

    void internalEntitiesAreExpanded()
    {
        XmlParseError error;
        XmlDocPtr doc =
            XmlLoadBytes("<!DOCTYPE a [<!ENTITY who \"Пушкин\">]><a>&who; &amp; &#1040;</a>", QString(), error);
        QVERIFY2(doc, qPrintable(error.LoadMessage()));
        QCOMPARE(RootText(doc), QStringLiteral("Пушкин & А"));
        QVERIFY(XmlNodeText(xmlDocGetRootElement(doc.get())).contains(QStringLiteral("Пушкин")));
    }

    void externalResourcesAreNeverRead_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("external entity") << QByteArray("<!DOCTYPE a [<!ENTITY s SYSTEM \"SECRET\">]><a>&s;</a>");
        QTest::newRow("external entity in attribute")
            << QByteArray("<!DOCTYPE a [<!ENTITY s SYSTEM \"SECRET\">]><a b=\"&s;\">x</a>");
        QTest::newRow("external DTD") << QByteArray("<!DOCTYPE a SYSTEM \"SECRET\"><a>x</a>");
        QTest::newRow("parameter entity") << QByteArray("<!DOCTYPE a [<!ENTITY % p SYSTEM \"SECRET\"> %p;]><a>&e;</a>");
        QTest::newRow("XInclude") << QByteArray(
            "<a xmlns:xi=\"http://www.w3.org/2001/XInclude\"><xi:include href=\"SECRET\" parse=\"text\"/></a>");
    }
    void externalResourcesAreNeverRead()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString secret = WriteFixture(dir, QStringLiteral("secret.txt"), "<!ENTITY e \"LEAKED\">LEAKED");
        bytes.replace("SECRET", QUrl::fromLocalFile(secret).toEncoded());
        XmlParseError error;
        XmlDocPtr doc =
            XmlLoadBytes(bytes, QUrl::fromLocalFile(dir.filePath(QStringLiteral("book.fb2"))).toString(), error);
        if (doc)
            QVERIFY(!XmlNodeText(xmlDocGetRootElement(doc.get())).contains(QLatin1String("LEAKED")));
        else
            QVERIFY(!error.reason.contains(QLatin1String("LEAKED")));
    }

    void entityExpansionBombsAreRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QByteArray laughs = "<!DOCTYPE a [<!ENTITY l0 \"lol\">";
        for (int i = 1; i <= 10; ++i)
            laughs += QStringLiteral("<!ENTITY l%1 \"&l%2;&l%2;&l%2;&l%2;&l%2;&l%2;&l%2;&l%2;&l%2;&l%2;\">")
                          .arg(i)
                          .arg(i - 1)
                          .toLatin1();
        QTest::newRow("billion laughs") << laughs + "]><a>&l10;</a>";
        QTest::newRow("billion laughs in attribute") << laughs + "]><a b=\"&l10;\"/>";
        QTest::newRow("loop") << QByteArray("<!DOCTYPE a [<!ENTITY x \"&y;\"><!ENTITY y \"&x;\">]><a>&x;</a>");
        QByteArray quadratic = "<!DOCTYPE a [<!ENTITY big \"" + QByteArray(100000, 'x') + "\">]><a>";
        for (int i = 0; i < 50000; ++i)
            quadratic += "&big;";
        QTest::newRow("quadratic blowup") << quadratic + "</a>";
    }
    void entityExpansionBombsAreRefused()
    {
        QFETCH(QByteArray, bytes);
        XmlParseError error;
        QVERIFY(!LoadBothWays(bytes, error, TAlike::InOutcome));
        QVERIFY(error.Failed());
        QVERIFY(!error.reason.isEmpty());
    }

    void longTextNodesLoadWhenNoEntitiesAreDeclared_data()
    {
        QTest::addColumn<QByteArray>("prolog");
        QTest::addColumn<bool>("loads");
        QTest::newRow("windows-1251") << QByteArray("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n") << true;
        QTest::newRow("utf-8") << QByteArray("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n") << true;
        // The limits stay on for documents that declare entities: they guard against bombs.
        QTest::newRow("windows-1251 with an entity")
            << QByteArray("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<!DOCTYPE a [<!ENTITY e \"x\">]>\n")
            << false;
        // "<!" written in UTF-7: no byte search finds the declaration, the parser does.
        QTest::newRow("UTF-7 with an entity")
            << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-7\"?>\n<!DOCTYPE a [+ADwAIQ-ENTITY e \"x\">]>\n")
            << false;
    }
    void longTextNodesLoadWhenNoEntitiesAreDeclared()
    {
        QFETCH(QByteArray, prolog);
        QFETCH(bool, loads);
        const QByteArray binary(11 * 1000 * 1000, 'A');
        XmlParseError error;
        XmlDocPtr doc = LoadBothWays(prolog + "<a><binary>\n" + binary + "\n</binary></a>", error, TAlike::InOutcome);
        QCOMPARE(bool(doc), loads);
        if (doc)
            QCOMPARE(RootText(doc).size(), binary.size() + 2);
        else
            QVERIFY(error.reason.contains(QLatin1String("huge"), Qt::CaseInsensitive));
    }

    // Nesting beyond the parser's limit is an error, quickly, also in a book whose long text node
    // needs the huge option (which lifts the depth limit as well).
    void excessiveNestingIsRefused_data()
    {
        QTest::addColumn<QByteArray>("lead");
        QTest::newRow("plain") << QByteArray();
        QTest::newRow("after a long text node")
            << QByteArray("<binary>") + QByteArray(11 * 1000 * 1000, 'A') + "</binary>";
    }
    void excessiveNestingIsRefused()
    {
        QFETCH(QByteArray, lead);
        const int depth = 200000;
        XmlParseError error;
        const XmlDocPtr doc =
            XmlLoadBytes("<a>" + lead + QByteArray("<s>").repeated(depth) + QByteArray("</s>").repeated(depth) + "</a>",
                         QString(), error);
        QVERIFY(!doc);
        QVERIFY2(error.reason.contains(QLatin1String("Excessive depth")), qPrintable(error.reason));
    }

    // The schema is read once and kept, until its file is another one.
    void schemaIsReadAgainOnceItsFileChanges()
    {
        QTemporaryDir dir;
        const QString xsd = dir.filePath(QStringLiteral("s.xsd")), doc = dir.filePath(QStringLiteral("d.xml"));
        auto schema = [&](const char *root) {
            QFile f(xsd + QStringLiteral(".new"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray("<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\"><xs:element name=\"") + root
                    + "\"/></xs:schema>");
            f.close();
            QVERIFY(QFile::rename(f.fileName(), xsd) || (QFile::remove(xsd) && QFile::rename(f.fileName(), xsd)));
        };
        {
            QFile f(doc);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("<a/>");
        }
        XmlParseError error;
        schema("a");
        QVERIFY(XmlValidateFile(doc, xsd, QString(), error));
        QVERIFY(XmlValidateFile(doc, xsd, QString(), error));
        schema("b");
        QVERIFY(!XmlValidateFile(doc, xsd, QString(), error));
        QFile::remove(xsd);
        QVERIFY_THROWS_EXCEPTION(EOrvane, XmlValidateFile(doc, xsd, QString(), error));
    }

    void tooManyAttributesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<bool>("loads");
        auto tag = [](int count) {
            QByteArray attributes;
            for (int i = 0; i < count; ++i)
                attributes += " a" + QByteArray::number(i) + "=\"v\"";
            return "<a>\n<b" + attributes + "/></a>";
        };
        QTest::newRow("200,000 attributes") << tag(200000) << false;
        QTest::newRow("after a megabyte of text")
            << "<r>" + QByteArray(1 << 20, 'x') + "\n" + tag(200000).mid(4) + "</r>" << false;
        QTest::newRow("a thousand attributes") << tag(1000) << true;
        QTest::newRow("equals signs inside values and comments")
            << "<a b=\"" + QByteArray(5000, '=') + "\"><!-- <" + QByteArray(5000, '=') + " --></a>" << true;
        const QString wide = QString::fromLatin1(tag(200000));
        QTest::newRow("200,000 attributes in UTF-16")
            << QByteArray("\xFF\xFE", 2) + QByteArray(reinterpret_cast<const char *>(wide.utf16()), wide.size() * 2)
            << false;
    }
    void tooManyAttributesAreRefused()
    {
        QFETCH(QByteArray, document);
        QFETCH(bool, loads);
        XmlParseError error;
        const XmlDocPtr doc = LoadBothWays(document, error);
        QCOMPARE(bool(doc), loads);
        if (!loads) {
            QVERIFY2(error.reason.startsWith(QLatin1String("Too many attributes")), qPrintable(error.reason));
            QCOMPARE(error.line, 2);
        }
    }

    // A file is looked at piece by piece as it is read: wherever the pieces end, the guard finds
    // the same tag as in the whole document, past comments, CDATA, instructions and quotes.
    void attributeGuardReadsPieceByPiece()
    {
        QByteArray attributes;
        for (int i = 0; i <= TXmlAttributeGuard::kMaxAttributes; ++i)
            attributes += " a" + QByteArray::number(i) + "='v'";
        const QByteArray head = "<?xml version=\"1.0\"?><?pi a=b c=d?><!DOCTYPE r><r x=\"=>=\" y='\"='>"
                                "<!-- <b c=d> --><![CDATA[ <e f=g> ]]>\n<s>";
        for (const QByteArray &document : {head + "<t" + attributes + "/></s></r>", head + "</s></r>"}) {
            TXmlAttributeGuard whole;
            const bool passes = whole.Feed(document.constData(), size_t(document.size()));
            for (size_t piece = 1; piece <= 9; ++piece) {
                TXmlAttributeGuard guard;
                bool fed = true;
                for (size_t at = 0; fed && at < size_t(document.size()); at += piece)
                    fed = guard.Feed(document.constData() + at, qMin(piece, size_t(document.size()) - at));
                QCOMPARE(fed, passes);
                QCOMPARE(guard.Found(), whole.Found());
            }
            if (!passes)
                QCOMPARE(TXmlAttributeGuard::LineAt(document.constData(), whole.Found()), 2);
        }
    }

    void onlyRegularFilesAreRead()
    {
        QTemporaryDir dir;
        const QString fifo = dir.filePath(QStringLiteral("b.fb2"));
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        const QString zero = dir.filePath(QStringLiteral("zero.fb2"));
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), zero));
        for (const QString &path : {fifo, zero, dir.path()}) {
            XmlParseError error;
            QVERIFY(!XmlLoadFile(path, error));  // at once, without waiting for a writer
            QVERIFY2(error.reason.contains(path), qPrintable(error.reason));
        }
        XmlParseError error;
        XmlLoadFile(fifo, error);
        QVERIFY(error.reason.endsWith(QLatin1String("it is not a regular file")));
    }

    void blankTextIsDroppedUnlessPreserved()
    {
        XmlParseError error;
        XmlDocPtr doc = XmlLoadBytes(
            "<a>\n  <b>  </b> <c><![CDATA[ ]]></c>\n<d xml:space=\"preserve\"> </d><e> x </e></a>", QString(), error);
        QVERIFY(doc);
        QCOMPARE(XmlNodeText(xmlDocGetRootElement(doc.get())),
                 QStringLiteral("<a><b/><c><![CDATA[ ]]></c><d xml:space=\"preserve\"> </d><e> x </e></a>"));
        doc = XmlLoadBytes("<a>\n <b/></a>", QString(), error, XmlBlanks::Keep);
        QCOMPARE(XmlNodeText(xmlDocGetRootElement(doc.get())), QStringLiteral("<a>\n <b/></a>"));
    }

    void stringsIgnoreTheirDeclaredEncoding()
    {
        XmlParseError error;
        XmlDocPtr doc =
            XmlLoadString(QStringLiteral("<?xml version=\"1.0\" encoding=\"windows-1251\"?><a>Ёж</a>"), error);
        QVERIFY2(doc, qPrintable(error.LoadMessage()));
        QCOMPARE(RootText(doc), QStringLiteral("Ёж"));
    }

    void nodeTextIsTheSubtreeWithoutDeclaration()
    {
        XmlParseError error;
        XmlDocPtr doc = XmlLoadBytes(QByteArray("<?xml version=\"1.0\"?><FictionBook xmlns=\"") + kFb2Ns
                                         + "\"><body><p>a &amp; b</p></body></FictionBook>",
                                     QString(), error);
        QVERIFY(doc);
        xmlNode *root = xmlDocGetRootElement(doc.get());
        QCOMPARE(XmlNodeText(root),
                 QStringLiteral("<FictionBook xmlns=\"%1\"><body><p>a &amp; b</p></body></FictionBook>")
                     .arg(QLatin1String(kFb2Ns)));
        QCOMPARE(XmlNodeText(root->children->children), QStringLiteral("<p>a &amp; b</p>"));
    }

    void loadingWritesNothing()
    {
        QTemporaryDir dir;
        const QString path =
            WriteFixture(dir, QStringLiteral("book.fb2"), "<!DOCTYPE a [<!ENTITY e \"x\">]><a>&e;<b/></a>");
        const QStringList before = Listing(dir.path());
        XmlParseError error;
        QVERIFY(XmlLoadFile(path, error));
        WriteFixture(dir, QStringLiteral("bad.fb2"), "<a><b></a>");
        QVERIFY(!XmlLoadFile(dir.filePath(QStringLiteral("bad.fb2")), error));
        QStringList expected = before + QStringList{QStringLiteral("bad.fb2")};
        expected.sort();
        QCOMPARE(Listing(dir.path()), expected);
    }

    void transformsIntoUnicodeWhateverTheOutputEncoding_data()
    {
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<QString>("expected");
        QTest::newRow("text, windows-1251")
            << QByteArray("<xsl:output method=\"text\" encoding=\"windows-1251\"/>") << QStringLiteral("Ёж ☃ ok");
        QTest::newRow("text, UTF-8") << QByteArray("<xsl:output method=\"text\" encoding=\"UTF-8\"/>")
                                     << QStringLiteral("Ёж ☃ ok");
        QTest::newRow("html") << QByteArray("<xsl:output method=\"html\" encoding=\"windows-1251\"/>")
                              << QStringLiteral("Ёж ☃ ok");
    }
    void transformsIntoUnicodeWhateverTheOutputEncoding()
    {
        QFETCH(QByteArray, output);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString xsl = WriteFixture(
            dir, QStringLiteral("t.xsl"),
            "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">" + output
                + "<xsl:strip-space elements=\"*\"/>"
                  "<xsl:template match=\"/\"><xsl:value-of select=\"a\"/> ok</xsl:template></xsl:stylesheet>");
        XsltStylesheetPtr style = XsltLoadStyleSheet(xsl);
        XmlParseError error;
        XmlDocPtr doc = XmlLoadString(QStringLiteral("<a>Ёж ☃</a>"), error);
        QVERIFY(doc);
        const QString before = XmlNodeText(xmlDocGetRootElement(doc.get()));
        QVERIFY(XsltTransform(doc.get(), style.get()).contains(expected));
        QCOMPARE(XmlNodeText(xmlDocGetRootElement(doc.get())), before);
    }

    void styleSheetsCannotWriteOrReachOut_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("exsl:document writes a file")
            << QByteArray("<xsl:template match=\"/\"><exsl:document href=\"OUT\" "
                          "method=\"text\">x</exsl:document>done</xsl:template>");
        QTest::newRow("document() over the network")
            << QByteArray("<xsl:template match=\"/\"><xsl:value-of "
                          "select=\"document('http://127.0.0.1:9/x.xml')\"/>done</xsl:template>");
        QTest::newRow("document() of a local file")
            << QByteArray("<xsl:template match=\"/\"><xsl:value-of select=\"document('SECRET')\"/>done</xsl:template>");
    }
    void styleSheetsCannotWriteOrReachOut()
    {
        QFETCH(QByteArray, body);
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("written.txt"));
        body.replace("OUT", out.toUtf8());
        body.replace("SECRET",
                     QUrl::fromLocalFile(WriteFixture(dir, QStringLiteral("secret.xml"), "<s>LEAKED</s>")).toEncoded());
        const QString xsl =
            WriteFixture(dir, QStringLiteral("t.xsl"),
                         "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\""
                         " xmlns:exsl=\"http://exslt.org/common\" extension-element-prefixes=\"exsl\">"
                             + body + "</xsl:stylesheet>");
        XmlParseError error;
        XmlDocPtr doc = XmlLoadString(QStringLiteral("<a/>"), error);
        try {
            XsltStylesheetPtr style = XsltLoadStyleSheet(xsl);
            const QString result = XsltTransform(doc.get(), style.get());
            QVERIFY(!result.contains(QLatin1String("LEAKED")));
        } catch (const EOrvane &e) {
            QVERIFY(!e.Message().isEmpty());
        }
        QVERIFY(!QFile::exists(out));
    }

    void styleSheetEntitiesStayOutside()
    {
        QTemporaryDir dir;
        const QString secret = WriteFixture(dir, QStringLiteral("secret.txt"), "LEAKED");
        const QString xsl = WriteFixture(
            dir, QStringLiteral("t.xsl"),
            "<!DOCTYPE xsl:stylesheet [<!ENTITY s SYSTEM \"" + QUrl::fromLocalFile(secret).toEncoded()
                + "\">]>"
                  "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
                  "<xsl:output method=\"text\"/><xsl:template match=\"/\">&s;</xsl:template></xsl:stylesheet>");
        XmlParseError error;
        XmlDocPtr doc = XmlLoadString(QStringLiteral("<a/>"), error);
        try {
            XsltStylesheetPtr style = XsltLoadStyleSheet(xsl);
            QVERIFY(!XsltTransform(doc.get(), style.get()).contains(QLatin1String("LEAKED")));
        } catch (const EOrvane &) {
        }
    }

    void styleSheetImportsLocalFiles()
    {
        QTemporaryDir dir;
        WriteFixture(dir, QStringLiteral("part.xsl"),
                     "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
                     "<xsl:template name=\"t\">imported</xsl:template></xsl:stylesheet>");
        const QString xsl =
            WriteFixture(dir, QStringLiteral("main.xsl"),
                         "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
                         "<xsl:include href=\"part.xsl\"/><xsl:output method=\"text\"/>"
                         "<xsl:template match=\"/\"><xsl:call-template name=\"t\"/></xsl:template></xsl:stylesheet>");
        XsltStylesheetPtr style = XsltLoadStyleSheet(xsl);
        XmlParseError error;
        XmlDocPtr doc = XmlLoadString(QStringLiteral("<a/>"), error);
        QCOMPARE(XsltTransform(doc.get(), style.get()), QStringLiteral("imported"));
    }

    void badStyleSheetsRaise_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("not well-formed") << QByteArray("<xsl:stylesheet");
        QTest::newRow("not XSLT") << QByteArray("<a/>");
        QTest::newRow("bad XPath") << QByteArray(
            "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
            "<xsl:template match=\"/\"><xsl:value-of select=\"((\"/></xsl:template></xsl:stylesheet>");
    }
    void badStyleSheetsRaise()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString xsl = WriteFixture(dir, QStringLiteral("t.xsl"), bytes);
        QVERIFY_THROWS_EXCEPTION(EOrvane, XsltLoadStyleSheet(xsl));
        QVERIFY_THROWS_EXCEPTION(EOrvane, XsltLoadStyleSheet(dir.filePath(QStringLiteral("missing.xsl"))));
    }

    void terminatingMessageFailsTheTransformation()
    {
        QTemporaryDir dir;
        const QString xsl =
            WriteFixture(dir, QStringLiteral("t.xsl"),
                         "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
                         "<xsl:template match=\"/\"><xsl:message terminate=\"yes\">stop "
                         "here</xsl:message></xsl:template></xsl:stylesheet>");
        XsltStylesheetPtr style = XsltLoadStyleSheet(xsl);
        XmlParseError error;
        XmlDocPtr doc = XmlLoadString(QStringLiteral("<a/>"), error);
        try {
            XsltTransform(doc.get(), style.get());
            QFAIL("no error");
        } catch (const EOrvane &e) {
            QVERIFY2(e.Message().contains(QLatin1String("stop here")), qPrintable(e.Message()));
        }
    }
};

QTEST_GUILESS_MAIN(TestXmlServices)
#include "test_xml_services.moc"
