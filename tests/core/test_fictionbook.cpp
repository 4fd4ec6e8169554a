#include "BookFixtures.h"
#include "ErrorOf.h"
#include "fb2/NumberText.h"
#include "fb2/fictionbook_21.h"
#include "globals/Errors.h"
#include "xml/XmlServices.h"

#include <QDir>
#include <QtTest>

namespace {

QString NotSingleText(const char *element)
{
    return QStringLiteral("Element \"%1\" does not contain a single text node").arg(QLatin1String(element));
}

}  // namespace

class TestFictionBook : public QObject {
    Q_OBJECT

    FixtureFolder m_files;

    IXMLFictionBook Open(const QByteArray &bytes) { return OpenBookDocument(m_files.Write(bytes)); }
    IXMLTitleinfoType TitleInfo(const QByteArray &titleInfoContent)
    {
        return Open(Fb2BookWithDescription("<title-info>" + titleInfoContent + "</title-info>"))
            ->Description()
            ->TitleInfo();
    }

private slots:
    void loadFailuresHaveReasonLineAndSource_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("source");
        QTest::newRow("empty file") << QByteArray() << 1 << QString();
        QTest::newRow("plain text") << QByteArray("Это не книга, а просто текст, довольно длинный, чтобы обрезать.")
                                    << 1 << QStringLiteral("Это не книга, а просто текст, довольно д");
        const QByteArray whole = Fb2Book("<description><title-info><book-title>Война и мир</book-title>");
        QTest::newRow("truncated") << whole.left(whole.indexOf("Вой") + QByteArray("Вой").size()) << 3
                                   << QStringLiteral("<description><title-info><book-title>Вой");
        QTest::newRow("mismatched tags") << Fb2Book("<description>\n  <title-info></description>") << 4
                                         << QStringLiteral("  <title-info></description>");
    }
    void loadFailuresHaveReasonLineAndSource()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, line);
        QFETCH(QString, source);
        const QString message = ErrorOf([&] { Open(bytes); });
        const QStringList parts = message.split(QStringLiteral("\r\n"));
        QCOMPARE(parts.size(), 3);
        QVERIFY(!parts[0].isEmpty());
        QCOMPARE(parts[1], QStringLiteral("Line: %1").arg(line));
        QCOMPARE(parts[2], source);
    }

    // A reader of the description gets the whole book's root as far as its description, and
    // the same error for a book that fails anywhere: the rest is parsed, only not built.
    void descriptionAloneLoadsAsTheWholeBook_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("cut");  // the tree ends with the description
        const QByteArray description = "<description><title-info><book-title>Книга</book-title></title-info>"
                                       "</description>";
        const QByteArray body = "<body><section><p>Текст</p></section></body>";
        QTest::newRow("book") << Fb2Book(description + body + "<binary id=\"c\">AAAA</binary>") << true;
        QTest::newRow("after a style sheet")
            << Fb2Book("<stylesheet type=\"text/css\">p{}</stylesheet>" + description + body) << true;
        QTest::newRow("a description deeper down first")
            << Fb2Book("<body><section><description>внутри</description></section></body>" + description + body)
            << true;
        QTest::newRow("a description of another namespace first")
            << Fb2Book("<x:description xmlns:x=\"urn:other\">чужое</x:description>" + description + body) << true;
        QTest::newRow("no description") << Fb2Book(body) << false;
        QByteArray typed = Fb2Book(description + "<body><p>&e;</p></body>");
        typed.insert(typed.indexOf('\n') + 1, "<!DOCTYPE FictionBook [<!ENTITY e \"сущность\">]>\n");
        QTest::newRow("entity used after a document type") << typed << false;
        QTest::newRow("text over 10 MB after it")
            << Fb2Book(description + "<binary id=\"c\">" + QByteArray(11 * 1000 * 1000, 'A') + "</binary>") << true;
        QTest::newRow("read piece by piece")
            << Fb2Book(description + "<body>" + QByteArray("<p>Строка книги.</p>\n").repeated(250000) + "</body>")
            << true;
        QTest::newRow("mismatched tags after it") << Fb2Book(description + "<body><p>x</q></body>") << true;
        QTest::newRow("undefined entity after it") << Fb2Book(description + "<body><p>&nbsp;</p></body>") << true;
        QTest::newRow("truncated after it") << Fb2Book(description + body).chopped(20) << true;
        QTest::newRow("mismatched tags in it") << Fb2Book("<description><title-info></description>" + body) << true;
    }
    void descriptionAloneLoadsAsTheWholeBook()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, cut);
        const QString path = m_files.Write(bytes);
        IXMLFictionBook whole, head;
        const QString error = ErrorOf([&] { whole = OpenBookDocument(path); });
        QCOMPARE(ErrorOf([&] { head = OpenBookDescription(path); }), error);
        if (!error.isEmpty())
            return;
        if (cut) {  // what the head must hold: the whole tree without what follows the description
            xmlNode *root = whole->DomNode();
            xmlNode *description = root->children;
            while (description && !IsChildFor(root, description, "description"))
                description = description->next;
            QVERIFY(description);
            while (xmlNode *after = description->next) {
                xmlUnlinkNode(after);
                xmlFreeNode(after);
            }
        }
        QCOMPARE(head->Xml(), whole->Xml());
        QCOMPARE(head->Description()->TitleInfo()->BookTitle()->Text(),
                 whole->Description()->TitleInfo()->BookTitle()->Text());
    }

    void missingFileIsALoadError()
    {
        const QString path = m_files.Dir().filePath(QStringLiteral("нет такой.fb2"));
        const QString message = ErrorOf([&] { OpenBookDocument(path); });
        QVERIFY(message.contains(path));
        QVERIFY(message.endsWith(QStringLiteral("\r\nLine: 0\r\n")));
    }

    void rootMustBeFictionBookInItsNamespace_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("no namespace") << QByteArray("<FictionBook><description/></FictionBook>") << false;
        QTest::newRow("other namespace") << QByteArray("<FictionBook xmlns=\"http://example.org/\"/>") << false;
        QTest::newRow("other name") << QByteArray("<Book xmlns=\"http://www.gribuser.ru/xml/fictionbook/2.0\"/>")
                                    << false;
        QTest::newRow("html") << QByteArray("<html><body>x</body></html>") << false;
        QTest::newRow("namespace in capitals")
            << QByteArray("<FictionBook xmlns=\"HTTP://WWW.GRIBUSER.RU/xml/fictionbook/2.0\"/>") << true;
        QTest::newRow("prefixed") << QByteArray(
            "<fb:FictionBook xmlns:fb=\"http://www.gribuser.ru/xml/fictionbook/2.0\"/>")
                                  << true;
        QTest::newRow("after comments and a DOCTYPE")
            << QByteArray("<!DOCTYPE FictionBook><!-- c --><FictionBook "
                          "xmlns=\"http://www.gribuser.ru/xml/fictionbook/2.0\"/><!-- d -->")
            << true;
    }
    void rootMustBeFictionBookInItsNamespace()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, accepted);
        const QString message = ErrorOf([&] { QVERIFY(Open(bytes)); });
        QCOMPARE(message, accepted ? QString() : QStringLiteral("Interface not supported"));
    }

    void textRule_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error");
        QTest::newRow("blanks kept") << QByteArray("<book-title>  Война и мир </book-title>")
                                     << QStringLiteral("  Война и мир ") << QString();
        QTest::newRow("inline markup") << QByteArray("<book-title>Война <emphasis>и</emphasis> мир</book-title>")
                                       << QString() << NotSingleText("book-title");
        QTest::newRow("comment beside text")
            << QByteArray("<book-title>Война<!-- x --></book-title>") << QString() << NotSingleText("book-title");
        QTest::newRow("only a child element") << QByteArray("<book-title><emphasis>и</emphasis></book-title>")
                                              << QString() << NotSingleText("book-title");
        QTest::newRow("CDATA") << QByteArray("<book-title><![CDATA[A & B]]></book-title>") << QStringLiteral("A & B")
                               << QString();
        QTest::newRow("empty") << QByteArray("<book-title/>") << QString() << QString();
        QTest::newRow("only white space") << QByteArray("<book-title> \n\t </book-title>") << QString() << QString();
        QTest::newRow("character references")
            << QByteArray("<book-title>&lt;&#1040;&gt;</book-title>") << QStringLiteral("<А>") << QString();
        QTest::newRow("missing element") << QByteArray("<lang>ru</lang>") << QString() << QString();
    }
    void textRule()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, text);
        QFETCH(QString, error);
        IXMLTextFieldType title = TitleInfo(content)->BookTitle();
        QString read;
        QCOMPARE(ErrorOf([&] { read = title->Text(); }), error);
        QCOMPARE(read, text);
    }

    void internalEntitiesReachTheText()
    {
        IXMLFictionBook book = Open(
            "<!DOCTYPE FictionBook [<!ENTITY a \"Лев\">]>"
            + Fb2BookWithDescription("<title-info><author><first-name>&a;</first-name></author></title-info>").mid(39));
        QCOMPARE(book->Description()->TitleInfo()->Author()->Items(0)->FirstName()->Text(), QStringLiteral("Лев"));
    }

    void readingCreatesMissingElements()
    {
        IXMLFictionBook book = Open(Fb2BookWithDescription("<title-info><book-title>T</book-title></title-info>"));
        IXMLTextFieldType publisher = book->Description()->PublishInfo()->Publisher();
        QCOMPARE(publisher->Text(), QString());
        const QString xml = book->Description()->Xml();
        QVERIFY2(xml.endsWith(
                     QStringLiteral("</title-info><publish-info><publisher></publisher></publish-info></description>")),
                 qPrintable(xml));
        // Created nodes are real: read again, they are found, not created twice.
        book->Description()->PublishInfo()->Publisher()->Text();
        QCOMPARE(book->Xml().count(QStringLiteral("<publish-info>")), 1);
        QVERIFY(book->Xml().startsWith(
            QStringLiteral("<FictionBook xmlns=\"http://www.gribuser.ru/xml/fictionbook/2.0\"")));
    }

    void createdElementsTakeTheParentsPrefix()
    {
        IXMLFictionBook book =
            Open("<fb:FictionBook xmlns:fb=\"http://www.gribuser.ru/xml/fictionbook/2.0\">"
                 "<fb:description><fb:title-info><fb:lang>ru</fb:lang></fb:title-info></fb:description>"
                 "</fb:FictionBook>");
        QCOMPARE(book->Description()->TitleInfo()->Lang(), QStringLiteral("ru"));
        book->Description()->TitleInfo()->SetSrcLang(QStringLiteral("en"));
        QVERIFY(book->Xml().contains(QStringLiteral("<fb:lang>ru</fb:lang><fb:src-lang>en</fb:src-lang>")));
    }

    void childrenInOtherNamespacesAreNotFound()
    {
        IXMLTitleinfoType info = TitleInfo("<x:lang xmlns:x=\"http://example.org/\">xx</x:lang><lang>ru</lang>");
        QCOMPARE(info->Lang(), QStringLiteral("ru"));
    }

    void elementLists()
    {
        IXMLTitleinfoType info = TitleInfo("<author><last-name>A</last-name></author><book-title>T</book-title>"
                                           "<author><last-name>B</last-name></author>"
                                           "<author><last-name>C</last-name></author>");
        IXMLAuthorTypeList authors = info->Author();
        QCOMPARE(authors->Count(), 3);
        QCOMPARE(authors->Items(0)->LastName()->Text(), QStringLiteral("A"));
        QCOMPARE(authors->Items(2)->LastName()->Text(), QStringLiteral("C"));
        QCOMPARE(ErrorOf([&] { authors->Items(3); }), QStringLiteral("List index out of bounds (3)"));
        QCOMPARE(ErrorOf([&] { authors->Items(-1); }), QStringLiteral("List index out of bounds (-1)"));
        QCOMPARE(info->Translator()->Count(), 0);
        QVERIFY(!info->Translator()->Items(0));
        QVERIFY(!info->Translator()->Items(7));
        QVERIFY(!info->Translator()->Nodes(0));
        // Hosted lists see the host's children: a node got through the list is the node.
        QCOMPARE(authors->Items(1)->DomNode(), authors->Nodes(1)->DomNode());
        QVERIFY(authors->Items(1)->Supports(TXMLAuthorType::Class));
    }

    void textLists()
    {
        IXMLTitleinfoType info = TitleInfo("<genre>sf_history</genre><genre match=\"50\">prose_classic</genre>");
        QCOMPARE(info->Genre()->Count(), 2);
        QCOMPARE(info->Genre()->Items(1), QStringLiteral("prose_classic"));
        QCOMPARE(ErrorOf([&] { info->Genre()->Items(2); }), QStringLiteral("List index out of bounds (2)"));
        IXMLTitleinfoType none = TitleInfo("<book-title>T</book-title>");
        QCOMPARE(none->Genre()->Count(), 0);
        QCOMPARE(none->Genre()->Items(0), QString());
        QCOMPARE(none->Genre()->Items(5), QString());
        QVERIFY(!none->Xml().contains(QLatin1String("genre")));
    }

    void listChanges()
    {
        IXMLFictionBook book = Open(Fb2BookWithDescription(
            "<title-info><genre>a</genre><book-title>T</book-title><genre>b</genre></title-info>"));
        IXMLTitleinfoType info = book->Description()->TitleInfo();
        IXMLGenreTypeList genres = info->Genre();
        genres->Add(QStringLiteral("c"));
        genres->Insert(1, QStringLiteral("i"));  // position among all children, not among items
        QCOMPARE(info->Xml(),
                 QStringLiteral("<title-info><genre>a</genre><genre>i</genre><book-title>T</book-title>"
                                "<genre>b</genre><genre>c</genre></title-info>"));
        QCOMPARE(ErrorOf([&] { genres->Insert(9, QStringLiteral("x")); }),
                 QStringLiteral("List index out of bounds (9)"));
        genres->Delete(2);
        QCOMPARE(genres->Count(), 3);
        QCOMPARE(genres->Items(2), QStringLiteral("c"));
        QCOMPARE(ErrorOf([&] { genres->Delete(3); }), QStringLiteral("List index out of bounds (3)"));

        IXMLAuthorTypeList authors = info->Author();
        IXMLAuthorType added = authors->Add();
        added->LastName()->SetText(QStringLiteral("Толстой & Co"));
        QCOMPARE(authors->Count(), 1);
        QVERIFY(info->Xml().endsWith(
            QStringLiteral("<author><last-name>Толстой &amp; Co</last-name></author></title-info>")));
        QCOMPARE(authors->Remove(added), 0);
        QCOMPARE(authors->Remove(added), -1);
        QCOMPARE(authors->Count(), 0);
        // A removed node stays usable for whoever still holds it.
        QCOMPARE(added->LastName()->Text(), QStringLiteral("Толстой & Co"));

        genres->Clear();
        QCOMPARE(genres->Count(), 0);
        QCOMPARE(info->Xml(), QStringLiteral("<title-info><book-title>T</book-title></title-info>"));
    }

    void listElementsAndNestedSequences()
    {
        IXMLTitleinfoType info =
            TitleInfo("<sequence name=\"A\" number=\"1\"><sequence name=\"B\" number=\"2\"/></sequence>"
                      "<coverpage><image l:href=\"#cover.jpg\"/><image/></coverpage>");
        QCOMPARE(info->Sequence()->Count(), 1);
        IXMLSequenceType outer = info->Sequence()->Items(0);
        QCOMPARE(outer->Count(), 1);
        QCOMPARE(outer->Items(0)->Name(), QStringLiteral("B"));
        QCOMPARE(outer->Items(0)->Number(), 2);
        IXMLCoverpage cover = info->Coverpage();
        QCOMPARE(cover->Count(), 2);
        QCOMPARE(cover->Items(0)->XlinkHref(), QStringLiteral("#cover.jpg"));
    }

    void xlinkAttributesAreNeverCreated()
    {
        IXMLFictionBook book = Open(
            Fb2BookWithDescription("<title-info><coverpage><image/><image xmlns:x=\"HTTP://WWW.W3.ORG/1999/XLINK\" "
                                   "x:href=\"#b\" href=\"#plain\"/></coverpage></title-info>"));
        IXMLCoverpage cover = book->Description()->TitleInfo()->Coverpage();
        QCOMPARE(cover->Items(0)->XlinkHref(), QString());
        QCOMPARE(cover->Items(0)->XlinkType(), QString());
        QVERIFY(book->Xml().contains(QStringLiteral("<coverpage><image/>")));
        QCOMPARE(cover->Items(1)->XlinkHref(), QStringLiteral("#b"));
        cover->Items(0)->SetXlinkHref(QStringLiteral("#new"));
        QVERIFY(book->Xml().contains(QStringLiteral("<image l:href=\"#new\"/>")));
    }

    void attributes()
    {
        IXMLFictionBook book =
            Open(Fb2Book("<description/><binary id=\"cover.jpg\" content-type=\"image/jpeg\">/9j/4AAQ</binary>"
                         "<binary xml:lang=\"ru\">AAAA</binary>"));
        IXMLBinaryList binaries = book->Binary();
        QCOMPARE(binaries->Count(), 2);
        QCOMPARE(binaries->Items(0)->Id(), QStringLiteral("cover.jpg"));
        QCOMPARE(binaries->Items(0)->ContentType(), QStringLiteral("image/jpeg"));
        QCOMPARE(binaries->Items(0)->Text(), QStringLiteral("/9j/4AAQ"));
        // A missing attribute reads as empty and is created.
        QCOMPARE(binaries->Items(1)->Id(), QString());
        QVERIFY(binaries->Items(1)->Xml().startsWith(QStringLiteral("<binary xml:lang=\"ru\" id=\"\">")));
        binaries->Items(1)->SetId(QStringLiteral("a\"b<c"));
        QCOMPARE(binaries->Items(1)->Id(), QStringLiteral("a\"b<c"));
        IXMLTextFieldType title = book->Description()->TitleInfo()->BookTitle();
        title->SetXmlLang(QStringLiteral("en"));
        QCOMPARE(title->XmlLang(), QStringLiteral("en"));
        QVERIFY(title->Xml().contains(QStringLiteral("xml:lang=\"en\"")));
    }

    void integerAttributes_data()
    {
        QTest::addColumn<QByteArray>("attribute");
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("valid");
        QTest::newRow("7") << QByteArray("number=\"7\"") << 7 << true;
        QTest::newRow("leading zeros") << QByteArray("number=\"007\"") << 7 << true;
        QTest::newRow("sign and blanks") << QByteArray("number=\" -1 \"") << -1 << true;
        QTest::newRow("plus") << QByteArray("number=\"+3\"") << 3 << true;
        QTest::newRow("half to even, down") << QByteArray("number=\"2.5\"") << 2 << true;
        QTest::newRow("half to even, up") << QByteArray("number=\"3.5\"") << 4 << true;
        QTest::newRow("negative half") << QByteArray("number=\"-2.5\"") << -2 << true;
        QTest::newRow("above half") << QByteArray("number=\"2.5000001\"") << 3 << true;
        QTest::newRow("below half") << QByteArray("number=\"2.4999\"") << 2 << true;
        QTest::newRow("largest") << QByteArray("number=\"2147483647\"") << 2147483647 << true;
        QTest::newRow("smallest") << QByteArray("number=\"-2147483648\"") << int(-2147483647 - 1) << true;
        QTest::newRow("rounds out of range") << QByteArray("number=\"2147483647.5\"") << 0 << false;
        QTest::newRow("too large") << QByteArray("number=\"2147483648\"") << 0 << false;
        QTest::newRow("far too large") << QByteArray("number=\"99999999999999999999999\"") << 0 << false;
        QTest::newRow("empty") << QByteArray("number=\"\"") << 0 << false;
        QTest::newRow("blanks only") << QByteArray("number=\"  \"") << 0 << false;
        QTest::newRow("missing") << QByteArray() << 0 << false;
        QTest::newRow("Roman") << QByteArray("number=\"XIV\"") << 0 << false;
        QTest::newRow("two numbers") << QByteArray("number=\"1 2\"") << 0 << false;
        QTest::newRow("sign only") << QByteArray("number=\"-\"") << 0 << false;
        QTest::newRow("Arabic-Indic digits") << QByteArray("number=\"\xD9\xA3\"") << 0 << false;
    }
    void integerAttributes()
    {
        QFETCH(QByteArray, attribute);
        QFETCH(int, value);
        QFETCH(bool, valid);
        IXMLSequenceType sequence = TitleInfo("<sequence name=\"S\" " + attribute + "/>")->Sequence()->Items(0);
        int read = 0;
        const QString error = ErrorOf([&] { read = sequence->Number(); });
        if (valid) {
            QCOMPARE(error, QString());
            QCOMPARE(read, value);
        } else {
            QVERIFY(error.endsWith(QStringLiteral("' is not a valid integer value")));
            QVERIFY(error.startsWith(QLatin1Char('\'')));
        }
        // A missing attribute is created empty even when the read fails.
        QVERIFY(sequence->Xml().contains(QStringLiteral("number=")));
        sequence->SetNumber(-42);
        QCOMPARE(sequence->Number(), -42);
    }

    void floatConversions_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<float>("value");
        QTest::addColumn<bool>("valid");
        QTest::newRow("integer") << QStringLiteral("12") << 12.0f << true;
        QTest::newRow("fraction") << QStringLiteral(" 0.1 ") << 0.1f << true;
        QTest::newRow("exponent") << QStringLiteral("-1.5e3") << -1500.0f << true;
        QTest::newRow("empty") << QString() << 0.0f << false;
        QTest::newRow("word") << QStringLiteral("ten") << 0.0f << false;
        QTest::newRow("infinity") << QStringLiteral("inf") << 0.0f << false;
        QTest::newRow("overflow") << QStringLiteral("1e39") << 0.0f << false;
    }
    void floatConversions()
    {
        QFETCH(QString, text);
        QFETCH(float, value);
        QFETCH(bool, valid);
        float read = 0;
        const QString error = ErrorOf([&] { read = TextToFloat(text); });
        QCOMPARE(error.isEmpty(), valid);
        if (valid) {
            QCOMPARE(read, value);
            QCOMPARE(TextToFloat(FloatToText(read)), read);
        } else {
            QCOMPARE(error, QStringLiteral("'%1' is not a valid floating point value").arg(text));
        }
    }

    void anyInterfaceKeepsTheDocumentAlive()
    {
        IXMLAuthorType author;
        IXMLNode text;
        {
            IXMLFictionBook book =
                Open(Fb2BookWithDescription("<title-info><author><last-name>Пушкин</last-name></author></title-info>"));
            author = book->Description()->TitleInfo()->Author()->Items(0);
            text = author->LastName()->ChildNodes().value(0);
        }
        QCOMPARE(author->LastName()->Text(), QStringLiteral("Пушкин"));
        QCOMPARE(text->NodeType(), 3);
        QCOMPARE(text->Text(), QStringLiteral("Пушкин"));
        QCOMPARE(author->ParentNode()->NodeName(), QStringLiteral("title-info"));
        // Replacing the text keeps the old text node valid for its holder.
        author->LastName()->SetText(QStringLiteral("Лермонтов"));
        QCOMPARE(text->Text(), QStringLiteral("Пушкин"));
        QCOMPARE(author->LastName()->Text(), QStringLiteral("Лермонтов"));
    }

    void genericNodeOperations()
    {
        IXMLFictionBook book =
            Open(Fb2BookWithDescription("<title-info><book-title xml:lang=\"ru\">T</book-title></title-info>"));
        IXMLTextFieldType title = book->Description()->TitleInfo()->BookTitle();
        const QList<IXMLNode> attributes = title->AttributeNodes();
        QCOMPARE(attributes.size(), 1);
        QCOMPARE(attributes[0]->NodeName(), QStringLiteral("xml:lang"));
        QCOMPARE(attributes[0]->LocalName(), QStringLiteral("lang"));
        QCOMPARE(attributes[0]->Text(), QStringLiteral("ru"));
        QCOMPARE(title->NamespaceURI(), QString::fromLatin1(FB2Namespace));
        QCOMPARE(title->NodeType(), 1);
        // The generic path hands out the same node objects as the typed one.
        IXMLNode viaChildren = book->Description()->TitleInfo()->ChildNodes().value(0);
        QCOMPARE(viaChildren.get(), static_cast<TXMLNode *>(title.get()));
        QCOMPARE(book->Description()->ChildNodes().value(0)->NodeClass().name, "TXMLTitleinfoType");
    }

    void transformingLeavesTheDocumentAndItsNodesIntact()
    {
        IXMLFictionBook book = Open(Fb2BookWithDescription("<title-info><book-title/><lang>ru</lang></title-info>"));
        IXMLTextFieldType title = book->Description()->TitleInfo()->BookTitle();
        QCOMPARE(title->Text(), QString());  // gains an empty text node, which strip-space would remove
        IXMLNode emptyText = title->ChildNodes().value(0);
        const QString xsl =
            WriteFixture(m_files.Dir(), QStringLiteral("strip.xsl"),
                         "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\""
                         " xmlns:fb=\"http://www.gribuser.ru/xml/fictionbook/2.0\"><xsl:strip-space elements=\"*\"/>"
                         "<xsl:output method=\"text\"/><xsl:template match=\"/\">[<xsl:value-of "
                         "select=\"//fb:lang\"/>]</xsl:template>"
                         "</xsl:stylesheet>");
        XsltStylesheetPtr style = XsltLoadStyleSheet(xsl);
        const QString before = book->Xml();
        QCOMPARE(XsltTransform(book->DomDocument(), style.get()), QStringLiteral("[ru]"));
        QCOMPARE(book->Xml(), before);
        QCOMPARE(emptyText->NodeType(), 3);
        QCOMPARE(title->Text(), QString());
    }

    void loadingWritesNothing()
    {
        QTemporaryDir dir;
        const QString path = WriteFixture(dir, QStringLiteral("book.fb2"), Fb2BookWithDescription("<title-info/>"));
        const QByteArray before = Fb2BookWithDescription("<title-info/>");
        {
            IXMLFictionBook book = OpenBookDocument(path);
            book->Description()->PublishInfo()->SetYear(QStringLiteral("1999"));
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{QStringLiteral("book.fb2")});
    }
};

QTEST_GUILESS_MAIN(TestFictionBook)
#include "test_fictionbook.moc"
