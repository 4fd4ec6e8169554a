#include "BookFixtures.h"
#include "ErrorOf.h"
#include "fb2/fictionbook_21.h"
#include "globals/Errors.h"

#include <QSet>
#include <QtTest>

namespace {

// A book that holds every element type of the format at least once, in the places the format
// allows, with links in notes, poems in epigraphs and citations, tables and nested sections.
const QByteArray RichBook = Fb2Book(
    "<stylesheet type=\"text/css\">p {}</stylesheet>"
    "<description>"
    "<title-info><genre>sf</genre><genre>prose</genre>"
    "<author><first-name>Лев</first-name><middle-name>Н</middle-name><last-name>Толстой</last-name>"
    "<nickname>Л</nickname><home-page>http://a</home-page><email>a@b</email><email>c@d</email></author>"
    "<book-title>Книга</book-title>"
    "<annotation id=\"ann\"><p>Первый</p><p>Второй <strong>сильный</strong></p><empty-line/>"
    "<subtitle>Подзаголовок</subtitle><cite><p>Цитата</p><text-author>Автор цитаты</text-author></cite>"
    "<poem><stanza><v>строка</v></stanza></poem>"
    "<table><tr><td>1</td></tr></table></annotation>"
    "<keywords>k</keywords><date value=\"2001-01-01\">2001</date>"
    "<coverpage><image l:href=\"#cover.jpg\"/></coverpage><lang>ru</lang><src-lang>en</src-lang>"
    "<translator><last-name>Переводчик</last-name></translator>"
    "<sequence name=\"Серия\" number=\"3\"><sequence name=\"Подсерия\" number=\"1\"/></sequence></title-info>"
    "<src-title-info><genre>sf</genre><author><last-name>Tolstoy</last-name></author>"
    "<book-title>Book</book-title><lang>en</lang></src-title-info>"
    "<document-info><author><nickname>верстальщик</nickname></author><program-used>ed</program-used>"
    "<date>2002</date><src-url>http://src</src-url><src-ocr>ocr</src-ocr><id>ID-1</id>"
    "<version>1.1</version><history><p>1.0 — первая</p></history></document-info>"
    "<publish-info><book-name>Издание</book-name><publisher>Изд</publisher><city>Москва</city>"
    "<year>2003</year><isbn>978</isbn><sequence name=\"Библиотека\" number=\"12\"/></publish-info>"
    "<custom-info info-type=\"note\">Свободный текст</custom-info>"
    "<output mode=\"free\" include-all=\"allow\" price=\"1.5\" currency=\"RUB\">"
    "<part l:href=\"#s1\" include=\"allow\"/>"
    "<output-document-class name=\"demo\" create=\"allow\" price=\"0.5\"><part l:href=\"#s2\" include=\"deny\"/>"
    "</output-document-class></output>"
    "</description>"
    "<body name=\"main\"><image l:href=\"#pic.png\"/><title><p>Часть</p><empty-line/><p>первая</p></title>"
    "<epigraph><p>Эпиграф</p><poem><stanza><v>стих</v></stanza></poem><cite><p>ц</p></cite>"
    "<empty-line/><text-author>Кто-то</text-author></epigraph>"
    "<section id=\"s1\"><title><p>Глава 1</p></title>"
    "<epigraph><p>э</p><text-author>Т1</text-author><text-author>Т2</text-author></epigraph>"
    "<image l:href=\"#pic.png\"/><annotation><p>О главе</p></annotation>"
    "<section id=\"s1.1\"><p>Он сказал: <emphasis>нет</emphasis>!</p>"
    "<p style=\"x\">Сноска<a l:href=\"#n1\" type=\"note\">[1]</a> и <a l:href=\"#n2\">"
    "<strong>сильная <emphasis>ссылка</emphasis></strong><style name=\"s\">ст</style><sub>2</sub></a></p>"
    "<p><strikethrough>з</strikethrough><sub>н</sub><sup>в</sup><code>к</code>"
    "<style name=\"n\">и<strong>ж</strong></style><image l:href=\"#pic.png\"/></p>"
    "<poem id=\"poem\"><title><p>Стихи</p></title><epigraph><p>эп</p></epigraph>"
    "<stanza><title><p>I</p></title><subtitle>*</subtitle><v>Мороз и солнце;</v><v>день чудесный!</v></stanza>"
    "<stanza><v>ещё</v></stanza>"
    "<text-author>Пушкин</text-author><text-author>А. С.</text-author><date>1829</date></poem>"
    "<subtitle>Таблица</subtitle>"
    "<table><tr align=\"left\"><th>h</th><td>1</td><td>2</td></tr><tr><td>3</td></tr></table>"
    "<cite id=\"c\"><p>ц</p><subtitle>ц2</subtitle><empty-line/><poem><stanza><v>в</v></stanza></poem>"
    "<table><tr><td>т</td></tr></table><text-author>Ц</text-author></cite>"
    "<empty-line/></section>"
    "<section id=\"s1.2\"><p><![CDATA[A & B]]> и <!-- комментарий -->C</p></section></section>"
    "</body>"
    "<body name=\"notes\"><section id=\"n1\"><title><p>1</p></title><p>Примечание</p></section>"
    "<section id=\"n2\"><p>Второе</p></section></body>"
    "<binary id=\"cover.jpg\" content-type=\"image/jpeg\">AAAA</binary>"
    "<binary id=\"pic.png\" content-type=\"image/png\">BBBB</binary>");

// The class each element of the format gets, read off the format rather than the code: the
// oracle for the registrations. Inside a link, strong, emphasis and style are link styles.
QString ExpectedClass(const QString &parentClass, const QString &name)
{
    static const QHash<QString, QString> byName{{"FictionBook", "TXMLFictionBook"},
                                                {"stylesheet", "TXMLStylesheet"},
                                                {"description", "TXMLDescription"},
                                                {"title-info", "TXMLTitleinfoType"},
                                                {"src-title-info", "TXMLTitleinfoType"},
                                                {"author", "TXMLAuthorType"},
                                                {"translator", "TXMLAuthorType"},
                                                {"book-title", "TXMLTextFieldType"},
                                                {"keywords", "TXMLTextFieldType"},
                                                {"first-name", "TXMLTextFieldType"},
                                                {"middle-name", "TXMLTextFieldType"},
                                                {"last-name", "TXMLTextFieldType"},
                                                {"nickname", "TXMLTextFieldType"},
                                                {"program-used", "TXMLTextFieldType"},
                                                {"src-ocr", "TXMLTextFieldType"},
                                                {"book-name", "TXMLTextFieldType"},
                                                {"publisher", "TXMLTextFieldType"},
                                                {"city", "TXMLTextFieldType"},
                                                {"isbn", "TXMLTextFieldType"},
                                                {"annotation", "TXMLAnnotationType"},
                                                {"history", "TXMLAnnotationType"},
                                                {"strong", "TXMLStyleType"},
                                                {"emphasis", "TXMLStyleType"},
                                                {"strikethrough", "TXMLStyleType"},
                                                {"sub", "TXMLStyleType"},
                                                {"sup", "TXMLStyleType"},
                                                {"code", "TXMLStyleType"},
                                                {"poem", "TXMLPoemType"},
                                                {"title", "TXMLTitleType"},
                                                {"epigraph", "TXMLEpigraphType"},
                                                {"cite", "TXMLCiteType"},
                                                {"table", "TXMLTableType"},
                                                {"tr", "TXMLTr"},
                                                {"stanza", "TXMLStanza"},
                                                {"date", "TXMLDateType"},
                                                {"coverpage", "TXMLCoverpage"},
                                                {"image", "TXMLImageType"},
                                                {"sequence", "TXMLSequenceType"},
                                                {"document-info", "TXMLDocumentinfo"},
                                                {"publish-info", "TXMLPublishinfo"},
                                                {"custom-info", "TXMLCustominfo"},
                                                {"output", "TXMLShareInstructionType"},
                                                {"part", "TXMLPartShareInstructionType"},
                                                {"output-document-class", "TXMLOutPutDocumentType"},
                                                {"body", "TXMLBody"},
                                                {"section", "TXMLSectionType"},
                                                {"binary", "TXMLBinary"},
                                                {"p", "TXMLPType"},
                                                {"v", "TXMLPType"},
                                                {"subtitle", "TXMLPType"},
                                                {"td", "TXMLPType"},
                                                {"text-author", "TXMLPType"},
                                                {"style", "TXMLNamedStyleType"},
                                                {"a", "TXMLLinkType"}};
    const bool inLink =
        parentClass == QLatin1String("TXMLLinkType") || parentClass == QLatin1String("TXMLStyleLinkType");
    if (inLink
        && (name == QLatin1String("strong") || name == QLatin1String("emphasis") || name == QLatin1String("style")))
        return QStringLiteral("TXMLStyleLinkType");
    // Text-only children (lang, year, genre, empty-line, ...) and header cells stay plain nodes.
    return byName.value(name, QStringLiteral("TXMLNode"));
}

// The text of a subtree as the typed classes give it: a paragraph by its plain text, anything
// else by its children. A list element's items must be exactly its children with the item tag.
QString TypedText(const IXMLNode &node, QStringList &faults)
{
    if (node->NodeType() == 3 || node->NodeType() == 4)
        return node->Text();
    if (auto paragraph = std::dynamic_pointer_cast<TXMLPType>(node))
        return paragraph->PlainText();
    const QList<IXMLNode> children = node->ChildNodes();
    if (auto list = std::dynamic_pointer_cast<TXMLNodeCollection>(node)) {
        QList<const void *> tagged;
        for (const IXMLNode &child : children)
            if (child->NodeType() == 1 && child->LocalName() == QLatin1String(list->ItemTag()))
                tagged.append(child->DomNode());
        QList<const void *> items;
        for (int i = 0; i < list->Count(); ++i)
            items.append(list->Nodes(i)->DomNode());
        if (items != tagged)
            faults << node->NodeName() + QStringLiteral(": items differ from its ") + QLatin1String(list->ItemTag());
    }
    QString text;
    for (const IXMLNode &child : children)
        text += TypedText(child, faults);
    return text;
}

// Every element's class against the oracle; collects the classes met.
void CheckClasses(const IXMLNode &node, QSet<QString> &met, QStringList &faults)
{
    for (const IXMLNode &child : node->ChildNodes()) {
        if (child->NodeType() != 1)
            continue;
        const QString got = QLatin1String(child->NodeClass().name);
        const QString want = ExpectedClass(QLatin1String(node->NodeClass().name), child->LocalName());
        if (got != want)
            faults << node->NodeName() + '/' + child->NodeName() + ": " + got + " instead of " + want;
        met.insert(got);
        CheckClasses(child, met, faults);
    }
}

}  // namespace

class TestFb2Catalogue : public QObject {
    Q_OBJECT

    FixtureFolder m_files;

    IXMLFictionBook Open(const QByteArray &bytes) { return OpenBookDocument(m_files.Write(bytes)); }
    // The first section of the first body of a book whose only section holds `content`.
    IXMLSectionType Section(const QByteArray &content)
    {
        return Open(Fb2Book("<description/><body><section>" + content + "</section></body>"))
            ->Body()
            ->Items(0)
            ->Section()
            ->Items(0);
    }

private slots:
    void everyElementOfARichBookHasItsClass()
    {
        IXMLFictionBook book = Open(RichBook);
        const QString before = book->Xml();
        QSet<QString> met{QLatin1String(book->NodeClass().name)};
        QStringList faults;
        CheckClasses(book, met, faults);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
        met.remove(QStringLiteral("TXMLNode"));
        QCOMPARE(met.size(), 32);  // every element class of the format, none left unreached
        QCOMPARE(book->Xml(), before);
    }

    void typedWalkReadsWhatTheDocumentHolds()
    {
        IXMLFictionBook book = Open(RichBook);
        QStringList faults;
        const QString typed = TypedText(book, faults);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
        // The generic string value of the whole document: every text and CDATA piece in order.
        xmlChar *content = xmlNodeGetContent(book->DomNode());
        const QString generic = QString::fromUtf8(reinterpret_cast<const char *>(content));
        xmlFree(content);
        QCOMPARE(typed, generic);
        QVERIFY(typed.contains(QStringLiteral("Он сказал: нет!")));
    }

    void descriptionReachesEveryPart()
    {
        IXMLFictionBook book = Open(RichBook);
        QCOMPARE(book->Stylesheet()->Count(), 1);
        QCOMPARE(book->Stylesheet()->Items(0)->Type(), QStringLiteral("text/css"));
        QCOMPARE(book->Body()->Count(), 2);
        QCOMPARE(book->Body()->Items(1)->Name(), QStringLiteral("notes"));
        IXMLDescription description = book->Description();
        IXMLAnnotationType annotation = description->TitleInfo()->Annotation();
        QCOMPARE(annotation->Id(), QStringLiteral("ann"));
        QCOMPARE(annotation->P()->Count(), 2);
        QCOMPARE(annotation->P()->Items(1)->PlainText(), QStringLiteral("Второй сильный"));
        QCOMPARE(annotation->Cite()->TextAuthor()->Items(0)->PlainText(), QStringLiteral("Автор цитаты"));
        QCOMPARE(annotation->Table()->Items(0)->Items(0)->PlainText(), QStringLiteral("1"));
        QCOMPARE(annotation->Poem()->Stanza()->Items(0)->V()->Items(0)->PlainText(), QStringLiteral("строка"));
        QCOMPARE(description->DocumentInfo()->History()->P()->Items(0)->PlainText(), QStringLiteral("1.0 — первая"));
        QCOMPARE(description->CustomInfo()->Count(), 1);
        QCOMPARE(description->CustomInfo()->Items(0)->InfoType(), QStringLiteral("note"));
        QCOMPARE(description->CustomInfo()->Items(0)->Text(), QStringLiteral("Свободный текст"));

        IXMLShareInstructionType output = description->Output()->Items(0);
        QCOMPARE(output->Mode(), QStringLiteral("free"));
        QCOMPARE(output->IncludeAll(), QStringLiteral("allow"));
        QCOMPARE(output->Currency(), QStringLiteral("RUB"));
        QCOMPARE(output->Price(), 1.5f);
        QCOMPARE(output->Part()->Count(), 1);
        QCOMPARE(output->Part()->Items(0)->XlinkHref(), QStringLiteral("#s1"));
        IXMLOutPutDocumentType documentClass = output->OutputDocumentClass()->Items(0);
        QCOMPARE(documentClass->Name(), QStringLiteral("demo"));
        QCOMPARE(documentClass->Create(), QStringLiteral("allow"));
        QCOMPARE(documentClass->Price(), 0.5f);
        QCOMPARE(documentClass->Count(), 1);
        QCOMPARE(documentClass->Items(0)->Include(), QStringLiteral("deny"));
        documentClass->SetPrice(2.25f);
        QCOMPARE(documentClass->Price(), 2.25f);
    }

    void bodyReachesEveryPart()
    {
        IXMLFictionBook book = Open(RichBook);
        IXMLBody body = book->Body()->Items(0);
        QCOMPARE(body->Image()->XlinkHref(), QStringLiteral("#pic.png"));
        QCOMPARE(body->Title()->P()->PlainText(), QStringLiteral("Часть"));
        QCOMPARE(body->Epigraph()->Items(0)->Poem()->Stanza()->Count(), 1);
        QCOMPARE(body->Epigraph()->Items(0)->TextAuthor()->Items(0)->PlainText(), QStringLiteral("Кто-то"));

        IXMLSectionType chapter = body->Section()->Items(0);
        QCOMPARE(chapter->Id(), QStringLiteral("s1"));
        QCOMPARE(chapter->Epigraph()->Items(0)->TextAuthor()->Count(), 2);
        QCOMPARE(chapter->Annotation()->P()->Items(0)->PlainText(), QStringLiteral("О главе"));
        QCOMPARE(chapter->Section()->Count(), 2);  // nested sections, not the chapter's own
        IXMLSectionType inner = chapter->Section()->Items(0);
        QCOMPARE(inner->Section()->Count(), 0);
        QCOMPARE(chapter->Section()->Items(1)->Id(), QStringLiteral("s1.2"));

        IXMLPoemType poem = inner->Poem();
        QCOMPARE(poem->Id(), QStringLiteral("poem"));
        QCOMPARE(poem->Title()->P()->PlainText(), QStringLiteral("Стихи"));
        QCOMPARE(poem->Epigraph()->Count(), 1);
        QCOMPARE(poem->Stanza()->Count(), 2);
        IXMLStanza stanza = poem->Stanza()->Items(0);
        QCOMPARE(stanza->Title()->P()->PlainText(), QStringLiteral("I"));
        QCOMPARE(stanza->Subtitle()->PlainText(), QStringLiteral("*"));
        QCOMPARE(stanza->V()->Count(), 2);
        QCOMPARE(stanza->V()->Items(1)->PlainText(), QStringLiteral("день чудесный!"));
        QCOMPARE(poem->TextAuthor()->Count(), 2);
        QCOMPARE(poem->Date()->Text(), QStringLiteral("1829"));

        IXMLTableType table = inner->Table();
        QCOMPARE(table->Count(), 2);
        IXMLTr row = table->Items(0);
        QCOMPARE(row->Align(), QStringLiteral("left"));
        QCOMPARE(row->Count(), 2);  // header cells are no items
        QCOMPARE(row->Items(0)->Text(), QStringLiteral("1"));
        QVERIFY(row->Items(1)->Supports(TXMLStyleType::Class));
        QCOMPARE(table->Items(1)->Items(0)->PlainText(), QStringLiteral("3"));

        IXMLCiteType cite = inner->Cite();
        QCOMPARE(cite->Subtitle()->PlainText(), QStringLiteral("ц2"));
        QCOMPARE(cite->Poem()->Stanza()->Items(0)->V()->Items(0)->PlainText(), QStringLiteral("в"));
        QCOMPARE(cite->TextAuthor()->Items(0)->PlainText(), QStringLiteral("Ц"));
        QCOMPARE(inner->EmptyLine(), QString());
    }

    void plainText_data()
    {
        QTest::addColumn<QByteArray>("paragraph");
        QTest::addColumn<QString>("plain");
        QTest::newRow("pieces joined as they stand")
            << QByteArray("<p>Он сказал: <emphasis>нет</emphasis>!</p>") << QStringLiteral("Он сказал: нет!");
        QTest::newRow("empty") << QByteArray("<p/>") << QString();
        QTest::newRow("blanks kept") << QByteArray("<p>  а  <strong> б </strong></p>") << QStringLiteral("  а   б ");
        QTest::newRow("nested markup") << QByteArray("<p><strong>а<emphasis>б<sup>в</sup></emphasis></strong>г</p>")
                                       << QStringLiteral("абвг");
        QTest::newRow("link and its styles")
            << QByteArray("<p>x<a l:href=\"#n\"><strong>1</strong>2</a>y</p>") << QStringLiteral("x12y");
        QTest::newRow("CDATA, comment and instruction")
            << QByteArray("<p><![CDATA[<&>]]><!--нет--><?pi нет?>!</p>") << QStringLiteral("<&>!");
        QTest::newRow("picture adds nothing") << QByteArray("<p>а<image l:href=\"#i\"/>б</p>") << QStringLiteral("аб");
    }
    void plainText()
    {
        QFETCH(QByteArray, paragraph);
        QFETCH(QString, plain);
        IXMLSectionType section = Section(paragraph);
        IXMLPType p = section->P();
        const QString before = section->Xml();
        QCOMPARE(p->PlainText(), plain);
        p->SetPlainText(QStringLiteral("ignored"));
        QCOMPARE(section->Xml(), before);  // reading and setting plain text change nothing
    }

    void paragraphIsStyledText()
    {
        IXMLSectionType section = Section("<p style=\"x\">а <strong>б</strong><style name=\"n\">в</style></p>"
                                          "<p>Он сказал: <emphasis>нет</emphasis>!</p>");
        IXMLPType p = section->P();
        QVERIFY(p->Supports(TXMLStyleType::Class));
        QVERIFY(std::dynamic_pointer_cast<TXMLStyleType>(IXMLNode(p)));
        QCOMPARE(p->Strong()->Text(), QStringLiteral("б"));
        // The paragraph's own Style is its attribute; the style element is the styled text's.
        QCOMPARE(p->Style(), QStringLiteral("x"));
        IXMLStyleType styled = p;
        QCOMPARE(styled->Style()->Name(), QStringLiteral("n"));
        // The text rule still holds for mixed content.
        IXMLPType second = std::dynamic_pointer_cast<TXMLPType>(section->ChildNodes().at(1));
        QCOMPARE(ErrorOf([&] { second->Text(); }), QStringLiteral("Element \"p\" does not contain a single text node"));
    }

    void readingInlineMarkupCreatesIt()
    {
        IXMLSectionType section = Section("<p>а</p>");
        IXMLPType p = section->P();
        QCOMPARE(p->Strong()->Text(), QString());
        QCOMPARE(p->Xml(), QStringLiteral("<p>а<strong></strong></p>"));
        QCOMPARE(p->PlainText(), QStringLiteral("а"));
        QVERIFY(p->Strong()->Supports(TXMLStyleType::Class));
        QVERIFY(!p->Strong()->Supports(TXMLPType::Class));
    }

    void linkTypesAndStyles_data()
    {
        QTest::addColumn<QByteArray>("link");
        QTest::newRow("plain type first")
            << QByteArray("<a type=\"note\" l:type=\"simple\" l:href=\"#n1\"><strong>1</strong></a>");
        QTest::newRow("XLink type first")
            << QByteArray("<a l:type=\"simple\" l:href=\"#n1\" type=\"note\"><strong>1</strong></a>");
    }
    void linkTypesAndStyles()
    {
        QFETCH(QByteArray, link);
        IXMLLinkType a = Section("<p>" + link + "</p>")->P()->A();
        QCOMPARE(a->Type(), QStringLiteral("note"));
        QCOMPARE(a->XlinkType(), QStringLiteral("simple"));
        QCOMPARE(a->XlinkHref(), QStringLiteral("#n1"));
        IXMLStyleLinkType strong = a->Strong();
        QCOMPARE(strong->Text(), QStringLiteral("1"));
        QVERIFY(!strong->Supports(TXMLStyleType::Class));
        QVERIFY(a->Sub()->Supports(TXMLStyleType::Class));
        a->SetXlinkType(QStringLiteral("locator"));
        QCOMPARE(a->XlinkType(), QStringLiteral("locator"));
        QCOMPARE(a->Type(), QStringLiteral("note"));
    }
};

QTEST_GUILESS_MAIN(TestFb2Catalogue)
#include "test_fb2_catalogue.moc"
