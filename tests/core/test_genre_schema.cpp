// The schema's genre codes and the description page's genre names are generated from
// genres.list; a stale generated file would send books with a listed genre to the bad folder,
// or show a code instead of its name.

#include <QDir>
#include <QFile>
#include <QList>
#include <QPair>
#include <QSet>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

using Genres = QList<QPair<QString, QString>>;  // code, name; in file order

const QString kUtils = QDir::cleanPath(QStringLiteral(ORVANE_TEST_DATA "/../../utils")) + "/";

Genres Listed()
{
    QFile f(kUtils + "genres.list");
    if (!f.open(QIODevice::ReadOnly))
        return {};
    Genres genres;
    QSet<QString> seen;
    bool inGenres = false;
    for (const QString &raw : QString::fromUtf8(f.readAll()).split('\n')) {
        const QString line = raw.trimmed();
        if (line.startsWith('[') && line.endsWith(']')) {
            inGenres = line.compare(QLatin1String("[GENRES]"), Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (!inGenres || eq <= 0 || line.startsWith(';'))
            continue;
        const QString code = line.left(eq).trimmed();
        QString name = line.mid(eq + 1).trimmed();
        if (name.size() >= 2 && name.front() == name.back() && (name.front() == '"' || name.front() == '\''))
            name = name.mid(1, name.size() - 2);
        if (!seen.contains(code)) {
            seen.insert(code);
            genres.append({code, name});
        }
    }
    return genres;
}

// Codes of the schema's genre type.
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

// Code and name of each branch of description.xsl's genre-name template.
Genres PageNames()
{
    QFile f(kUtils + "description.xsl");
    if (!f.open(QIODevice::ReadOnly))
        return {};
    Genres genres;
    QXmlStreamReader xml(&f);
    bool inTemplate = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("template"))
            inTemplate = xml.attributes().value(QLatin1String("name")) == QLatin1String("genre-name");
        if (!inTemplate || !xml.isStartElement() || xml.name() != QLatin1String("when"))
            continue;
        QString test = xml.attributes().value(QLatin1String("test")).toString();
        const QString prefix = QStringLiteral("$code = '");
        if (!test.startsWith(prefix) || !test.endsWith('\''))
            return {};
        test = test.mid(prefix.size(), test.size() - prefix.size() - 1);
        genres.append({test, xml.readElementText()});
    }
    return xml.hasError() ? Genres{} : genres;
}

}  // namespace

class TestGenreSchema : public QObject {
    Q_OBJECT
private slots:
    void schemaHoldsExactlyTheListedCodes()
    {
        QStringList listed;
        for (const auto &g : Listed())
            listed << g.first;
        const QStringList schema = SchemaCodes();
        QVERIFY2(!listed.isEmpty(), "genres.list has no codes");
        QVERIFY2(!schema.isEmpty(), "FictionBookGenres.xsd has no codes");
        const QSet<QString> listedSet(listed.cbegin(), listed.cend());
        const QSet<QString> schemaSet(schema.cbegin(), schema.cend());
        const QStringList missing = QSet<QString>(listedSet).subtract(schemaSet).values();
        const QStringList extra = QSet<QString>(schemaSet).subtract(listedSet).values();
        QVERIFY2(missing.isEmpty(),
                 qPrintable("not in the schema: " + missing.join(' ') + " (run scripts/genres-gen)"));
        QVERIFY2(extra.isEmpty(), qPrintable("not in genres.list: " + extra.join(' ')));
        QCOMPARE(schema.size(), schemaSet.size());
    }

    void descriptionPageNamesTheListedGenres()
    {
        const Genres listed = Listed();
        const Genres page = PageNames();
        QVERIFY2(!page.isEmpty(), "description.xsl has no genre names");
        QCOMPARE(page, listed);
    }
};

QTEST_GUILESS_MAIN(TestGenreSchema)
#include "test_genre_schema.moc"
