// The schema's genre codes are generated from genres.list; a stale generated file would send
// books with a listed genre to the bad folder, or let through a code the names do not know.

#include <QDir>
#include <QFile>
#include <QSet>
#include <QStringList>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

const QString kUtils = QDir::cleanPath(QStringLiteral(ORVANE_TEST_DATA "/../../utils")) + "/";

QStringList ListedCodes()
{
    QFile f(kUtils + "genres.list");
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList codes;
    bool inGenres = false;
    for (const QString &raw : QString::fromUtf8(f.readAll()).split('\n')) {
        const QString line = raw.trimmed();
        if (line.startsWith('[') && line.endsWith(']')) {
            inGenres = line.compare(QLatin1String("[GENRES]"), Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (inGenres && eq > 0 && !line.startsWith(';'))
            codes << line.left(eq).trimmed();
    }
    return codes;
}

QStringList SchemaCodes()
{
    QFile f(kUtils + "FictionBookGenres.xsd");
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList codes;
    QXmlStreamReader xml(&f);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("enumeration"))
            codes << xml.attributes().value(QLatin1String("value")).toString();
    }
    return xml.hasError() ? QStringList{} : codes;
}

}  // namespace

class TestGenreSchema : public QObject {
    Q_OBJECT
private slots:
    void schemaHoldsExactlyTheListedCodes()
    {
        const QStringList listed = ListedCodes();
        const QStringList schema = SchemaCodes();
        QVERIFY2(!listed.isEmpty(), "genres.list has no codes");
        QVERIFY2(!schema.isEmpty(), "FictionBookGenres.xsd has no codes");
        const QSet<QString> listedSet(listed.cbegin(), listed.cend());
        const QSet<QString> schemaSet(schema.cbegin(), schema.cend());
        const QStringList missing = QSet<QString>(listedSet).subtract(schemaSet).values();
        const QStringList extra = QSet<QString>(schemaSet).subtract(listedSet).values();
        QVERIFY2(missing.isEmpty(), qPrintable("not in the schema: " + missing.join(' ')
                                              + " (run scripts/genres-xsd)"));
        QVERIFY2(extra.isEmpty(), qPrintable("not in genres.list: " + extra.join(' ')));
        QCOMPARE(schema.size(), schemaSet.size());
    }
};

QTEST_GUILESS_MAIN(TestGenreSchema)
#include "test_genre_schema.moc"
