// The genre table delivered beside the program: its full names become folder names, and the
// schema takes its codes, so every line must be a clean code=name pair.

#include "config/IniFile.h"
#include "globals/TextTransforms.h"
#include "names/Genres.h"

#include <QtTest>

class TestGenresList : public QObject {
    Q_OBJECT

    const QString m_path = QStringLiteral(ORVANE_BIN_DIR "/utils/genres.list");

private slots:
    void everyLineIsCodeAndName()
    {
        QFile f(m_path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(f.readAll()).split(u'\n');
        QCOMPARE(lines.first(), QStringLiteral("[GENRES]"));
        QCOMPARE(lines.last(), QString());  // ends with a line break
        const QRegularExpression line(QStringLiteral("^([a-z0-9_]+)=(\\S(.*\\S)?)$"));
        QSet<QString> codes;
        for (const QString &text : lines.mid(1, lines.size() - 2)) {
            const QRegularExpressionMatch m = line.match(text);
            QVERIFY2(m.hasMatch(), qPrintable(text));
            QVERIFY2(!codes.contains(m.captured(1)), qPrintable(text));
            codes.insert(m.captured(1));
            const QString name = m.captured(2);
            QVERIFY2(RemoveFileNameChars(name) == name, qPrintable(text));
            QVERIFY2(!name.startsWith(u'"') && !name.startsWith(u'\''), qPrintable(text));
        }
        QVERIFY(codes.size() > 300);
    }

    void codesInRealUse_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("name");
        QTest::newRow("published") << "prose_classic"
                                   << "Классическая проза";
        QTest::newRow("published, science fiction") << "sf"
                                                    << "Научная фантастика";
        QTest::newRow("beyond the published list") << "det_cozy"
                                                   << "Дамский детективный роман";
        QTest::newRow("old code") << "literature_rus_classsic"
                                  << "Русская классика";
        QTest::newRow("contemporary prose") << "prose_contemporary"
                                            << "Современная проза";
    }

    void codesInRealUse()
    {
        QFETCH(QString, code);
        QFETCH(QString, name);
        QCOMPARE(FullGenreName(code, m_path), name);
    }
};

QTEST_GUILESS_MAIN(TestGenresList)
#include "test_genres_list.moc"
