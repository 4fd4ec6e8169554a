#include "BookFixtures.h"
#include "CliRunner.h"

#include <QFile>
#include <QtTest>

class TestCliValidateConvert : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_good, m_invalid, m_broken;

private slots:
    void initTestCase()
    {
        m_good = WriteFixture(
            m_dir, QStringLiteral("Чехов.fb2"),
            Fb2Book(
                "<description><title-info><genre>prose_classic</genre><author><first-name>Антон</first-name>"
                "<last-name>Чехов</last-name></author><book-title>Рассказы</book-title><lang>ru</lang></title-info>"
                "<document-info><author><nickname>x</nickname></author><date>2024</date><id>1</id><version>1</version>"
                "</document-info></description><body><section><p>Текст.</p></section></body>"));
        m_invalid = WriteFixture(m_dir, QStringLiteral("invalid.fb2"), Fb2BookWithDescription("<title-info/>"));
        m_broken = WriteFixture(m_dir, QStringLiteral("broken.fb2"), "<FictionBook>\n<description></FictionBook>");
    }

    void validateReportsEachBook()
    {
        CliResult r = RunCli({QStringLiteral("validate"), m_good});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, "OK " + m_good + "\n");

        r = RunCli({QStringLiteral("validate"), m_invalid, m_good, m_broken});
        QCOMPARE(r.status, 1);
        const QStringList lines = r.out.split(QLatin1Char('\n'));
        QCOMPARE(lines[0], m_invalid);
        QCOMPARE(lines[1], QStringLiteral("Код ошибки 1871\r"));
        QCOMPARE(lines[2], QStringLiteral("Строка 3\r"));
        QVERIFY2(
            lines[4].startsWith(QStringLiteral("Element '{http://www.gribuser.ru/xml/fictionbook/2.0}title-info'")),
            qPrintable(lines[4]));
        QCOMPARE(lines[5], "OK " + m_good);
        QCOMPARE(lines[6], m_broken);
        QVERIFY(lines[7].startsWith(QStringLiteral("Код ошибки ")));
    }

    void validateWithoutSchemaIsAnError()
    {
        // A copy of the program without its utils folder beside it.
        QTemporaryDir bare;
        const QString program = bare.filePath(QStringLiteral("orvane-cli"));
        QVERIFY(QFile::copy(QStringLiteral(ORVANE_BIN_DIR "/orvane-cli"), program));
        const CliResult r = RunCli({QStringLiteral("validate"), m_good}, program);
        QCOMPARE(r.status, 2);
        QVERIFY2(r.err.contains(QStringLiteral("FictionBook.xsd")), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
    }

    void convertWritesEachBookIntoTheFolder_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("start");
        QTest::newRow("txt") << QStringLiteral("txt") << QStringLiteral("Чехов.txt")
                             << QByteArray("\xEF\xBB\xBF"
                                           "Антон Чехов\r\n");
        QTest::newRow("html") << QStringLiteral("html") << QStringLiteral("Чехов.html")
                              << QByteArray("\xEF\xBB\xBF<!DOCTYPE html");
        QTest::newRow("rtf") << QStringLiteral("rtf") << QStringLiteral("Чехов.rtf") << QByteArray("{\\rtf1\\ansi");
    }
    void convertWritesEachBookIntoTheFolder()
    {
        QFETCH(QString, format);
        QFETCH(QString, file);
        QFETCH(QByteArray, start);
        const QString out = m_dir.filePath(QStringLiteral("out-") + format);
        const CliResult r = RunCli({QStringLiteral("convert"), QStringLiteral("--to"), format, QStringLiteral("--out"),
                                    out, m_broken, m_good});
        QCOMPARE(r.status, 1);  // the broken book failed, the other was converted
        QVERIFY2(r.out.startsWith(m_broken + QStringLiteral("\nError: ")), qPrintable(r.out));
        QVERIFY2(r.out.endsWith("OK " + m_good + " -> " + out + "/" + file + "\n"), qPrintable(r.out));
        QFile f(out + "/" + file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY2(f.readAll().startsWith(start), qPrintable(file));
    }

    void convertNeedsAFormatAndAFolder()
    {
        QCOMPARE(RunCli({QStringLiteral("convert"), QStringLiteral("--to"), QStringLiteral("pdf"),
                         QStringLiteral("--out"), m_dir.path(), m_good})
                     .status,
                 2);
        QCOMPARE(RunCli({QStringLiteral("convert"), QStringLiteral("--to"), QStringLiteral("txt"), m_good}).status, 2);
    }
};

QTEST_GUILESS_MAIN(TestCliValidateConvert)
#include "test_cli_validate_convert.moc"
