// orvane-cli run, journal and undo: a run is listed, undone to the very tree of before, the undo
// itself can be undone, and "undo" without a journal says when there is nothing to undo.

#include "CliRunner.h"
#include "RunFixtures.h"
#include "ZipFixtures.h"

#include <QtTest>

using namespace RunFixtures;

class TestCliUndo : public QObject {
    Q_OBJECT

    QScopedPointer<QTemporaryDir> m_root;
    QString m_tree, m_src, m_journals, m_config;

    CliResult cli(const QString &verb, const QStringList &args = {})
    {
        return RunCli(
            QStringList{verb, QStringLiteral("--config"), m_config, QStringLiteral("--journal-dir"), m_journals}
            + args);
    }

    QMap<QString, QByteArray> tree() const
    {
        QMap<QString, QByteArray> t;
        for (const QString &rel : ZipFixtures::FilesBelow(m_tree))
            t.insert(rel, ZipFixtures::ReadFile(m_tree + rel));
        return t;
    }

private slots:
    void init()
    {
        m_root.reset(new QTemporaryDir);
        m_tree = m_root->filePath(QStringLiteral("tree/"));
        m_src = m_tree + QStringLiteral("src/");
        m_journals = m_root->filePath(QStringLiteral("journal"));
        m_config = m_root->filePath(QStringLiteral("config.ini"));
        WriteConfig(m_config,
                    {{QStringLiteral("EndDir"), m_tree + QStringLiteral("end/")},
                     {QStringLiteral("BadDir"), m_tree + QStringLiteral("bad/")},
                     {QStringLiteral("Archive"), QStringLiteral("1")}});
        QDir().mkpath(m_tree + QStringLiteral("end"));
        QDir().mkpath(m_tree + QStringLiteral("bad"));
        PutFile(m_src + QStringLiteral("a.fb2"),
                ValidBook(QStringLiteral("Толстой"), QStringLiteral("Лев"), QStringLiteral("Война и мир")));
        PutFile(m_src + QStringLiteral("x.fb2"), SchemaInvalidBook());
        MakeZip(m_src + QStringLiteral("books.zip"),
                {{QStringLiteral("b.fb2"),
                  ValidBook(QStringLiteral("Чехов"), QStringLiteral("Антон"), QStringLiteral("Дом"))}});
    }

    void runListUndo()
    {
        QCOMPARE(cli(QStringLiteral("journal")).out, QString());
        const CliResult none = cli(QStringLiteral("undo"));
        QCOMPARE(none.status, 1);
        QCOMPARE(none.err, QStringLiteral("orvane-cli undo: нет обработки, которую можно отменить\n"));

        const auto before = tree();
        const CliResult run = cli(QStringLiteral("run"), {m_src});
        QCOMPARE(run.status, 1);  // the invalid book
        QVERIFY(tree() != before);

        const QStringList listed = cli(QStringLiteral("journal")).out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(listed.size(), 1);
        const QStringList fields = listed[0].split(u'\t');
        QCOMPARE(fields.size(), 5);
        QVERIFY2(run.err.contains(QStringLiteral("Журнал: ") + fields[0]), qPrintable(run.err));
        QCOMPARE(fields[2], QStringLiteral("обработка"));
        QCOMPARE(fields[4], QStringLiteral("завершена"));

        const CliResult undo = cli(QStringLiteral("undo"));
        QCOMPARE(undo.status, 0);
        QVERIFY2(undo.err.contains(QStringLiteral("оставлено: 0")), qPrintable(undo.err));
        QCOMPARE(tree(), before);

        // The run is no longer listed; the undo is, and undoing it gives the run's outcome back.
        const QStringList after = cli(QStringLiteral("journal")).out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(after.size(), 1);
        QCOMPARE(after[0].split(u'\t').value(2), QStringLiteral("отмена"));
        QCOMPARE(cli(QStringLiteral("journal"), {QStringLiteral("--all")}).out.count(u'\n'), 2);
        QCOMPARE(cli(QStringLiteral("undo"), {after[0].split(u'\t').value(0)}).status, 0);
        QVERIFY(tree() != before);
        QCOMPARE(cli(QStringLiteral("undo")).status, 0);
        QCOMPARE(tree(), before);
    }

    void notAJournal()
    {
        const QString path = m_root->filePath(QStringLiteral("notes.txt"));
        PutFile(path, "shopping list\n");
        const CliResult r = cli(QStringLiteral("undo"), {path});
        QCOMPARE(r.status, 2);
        QCOMPARE(r.err, QStringLiteral("orvane-cli undo: Файл \"%1\" не является журналом обработки\n").arg(path));
    }
};

QTEST_GUILESS_MAIN(TestCliUndo)
#include "test_cli_undo.moc"
