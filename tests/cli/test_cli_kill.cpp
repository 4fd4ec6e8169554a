// orvane-cli run killed with SIGKILL at several moments, then run again to the end: every book
// is found exactly once by its bytes, and no scratch file is left anywhere.

#include "RunFixtures.h"
#include "ZipFixtures.h"

#include <QtTest>

#include <csignal>

using namespace RunFixtures;

namespace {

constexpr int kLoose = 40, kInArchive = 20, kInvalid = 4;

// Files below `folder`, hidden ones included, without reading them.
QStringList FilesBelow(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    return files;
}

}  // namespace

class TestCliKill : public QObject {
    Q_OBJECT

    QScopedPointer<QTemporaryDir> m_root;
    QString m_src, m_end, m_bad, m_tmp, m_config;
    QList<QByteArray> m_loose, m_archived, m_invalid;

    QString path(const QString &rel) const { return m_root->filePath(rel); }

    // A run over the source folder and its archive, with its scratch folder in the test's own.
    void startRun(QProcess &p) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TMPDIR"), m_tmp);
        p.setProcessEnvironment(env);
        p.start(
            QStringLiteral(ORVANE_BIN_DIR "/orvane-cli"),
            {QStringLiteral("run"), QStringLiteral("--config"), m_config, m_src, m_src + QStringLiteral("books.zip")});
    }

    // Starts a run over the source folder and its archive; kills it once at least `outputs` new
    // files showed up in the output and bad-files folders. False when it ended before that.
    bool runAndKill(int outputs)
    {
        const int before = int(FilesBelow(m_end).size() + FilesBelow(m_bad).size());
        QProcess p;
        startRun(p);
        if (!p.waitForStarted())
            qFatal("orvane-cli did not start");
        QElapsedTimer clock;
        clock.start();
        while (p.state() != QProcess::NotRunning && clock.elapsed() < 60000) {
            if (FilesBelow(m_end).size() + FilesBelow(m_bad).size() >= before + outputs) {
                ::kill(pid_t(p.processId()), SIGKILL);
                p.waitForFinished();
                return true;
            }
            p.waitForFinished(2);
        }
        p.waitForFinished();
        return false;
    }

    void runToTheEnd()
    {
        QProcess p;
        startRun(p);
        QVERIFY(p.waitForFinished(120000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QVERIFY2(p.exitCode() <= 1, p.readAllStandardError().constData());
    }

private slots:
    void init()
    {
        m_root.reset(new QTemporaryDir);
        m_src = path(QStringLiteral("src/"));
        m_end = path(QStringLiteral("end/"));
        m_bad = path(QStringLiteral("bad/"));
        m_tmp = path(QStringLiteral("tmp"));
        m_config = path(QStringLiteral("config.ini"));
        for (const QString &d : {m_src, m_end, m_bad, m_tmp})
            QDir().mkpath(d);
        m_loose.clear();
        m_archived.clear();
        m_invalid.clear();
        // Books of some size, so that a kill can come while one is being written.
        const QString filler(20000, QLatin1Char('x'));
        for (int i = 0; i < kLoose; ++i) {
            m_loose << ValidBook(QStringLiteral("Автор%1").arg(i), QStringLiteral("Имя"),
                                 QStringLiteral("Книга %1").arg(i), filler + QString::number(i));
            PutFile(m_src + QStringLiteral("b%1.fb2").arg(i), m_loose.last());
        }
        for (int i = 0; i < kInvalid; ++i) {
            m_invalid << SchemaInvalidBook(QStringLiteral("bad %1").arg(i));
            PutFile(m_src + QStringLiteral("x%1.fb2").arg(i), m_invalid.last());
        }
        QList<std::pair<QString, QByteArray>> entries;
        for (int i = 0; i < kInArchive; ++i) {
            m_archived << ValidBook(QStringLiteral("Архив%1").arg(i), QStringLiteral("Имя"),
                                    QStringLiteral("Том %1").arg(i), filler + QStringLiteral("a%1").arg(i));
            entries.append({QStringLiteral("e%1.fb2").arg(i), m_archived.last()});
        }
        MakeZip(m_src + QStringLiteral("books.zip"), entries);
    }

    void killedRunsLoseNothing_data()
    {
        QTest::addColumn<bool>("convert");
        QTest::addColumn<bool>("pack");
        QTest::newRow("moved") << false << false;
        QTest::newRow("packed") << false << true;
        QTest::newRow("converted") << true << false;
        QTest::newRow("converted and packed") << true << true;
    }
    void killedRunsLoseNothing()
    {
        QFETCH(bool, convert);
        QFETCH(bool, pack);
        WriteConfig(m_config,
                    {{QStringLiteral("EndDir"), m_end},
                     {QStringLiteral("BadDir"), m_bad},
                     {QStringLiteral("Convert"), convert ? "1" : "0"},
                     {QStringLiteral("ConvertType"), "0"},
                     {QStringLiteral("Archive"), pack ? "1" : "0"}});
        // Killed early, in the middle and late, each time over what the earlier runs left.
        for (int outputs : {3, 15, 25})
            runAndKill(outputs);
        runToTheEnd();

        QList<QByteArray> placed, left;
        QStringList outputNames;
        for (const QString &folder : {m_src, m_end, m_bad}) {
            for (const QString &f : FilesBelow(folder)) {
                QVERIFY2(!QFileInfo(f).fileName().startsWith(QLatin1Char('.')), qPrintable(f));
                if (folder == m_src) {
                    if (!f.endsWith(QLatin1String(".zip")))
                        left << ZipFixtures::ReadFile(f);
                    continue;
                }
                outputNames << f;
                if (f.endsWith(QLatin1String(".zip")))
                    placed += ZipContents(f).values();
                else
                    placed << ZipFixtures::ReadFile(f);
            }
        }
        for (const QByteArray &b : m_loose + m_invalid)
            QVERIFY2(placed.count(b) + left.count(b) == 1, qPrintable(QString::fromUtf8(b.right(40))));
        for (const QByteArray &b : m_archived)
            QVERIFY2(placed.count(b) == (convert ? 0 : 1), qPrintable(QString::fromUtf8(b.right(40))));
        // Every book made one output, and none is there both packed and unpacked.
        const int valid = kLoose + kInArchive;
        QCOMPARE(int(outputNames.size()), valid + kInvalid);
        for (const QString &f : outputNames)
            QVERIFY2(!outputNames.contains(f + QStringLiteral(".zip")), qPrintable(f));
        // The killed runs' extraction folders went with the next run; the last one's with it.
        for (const QString &f : FilesBelow(m_tmp))
            QVERIFY2(!f.contains(QLatin1String("/run-")), qPrintable(f));
    }
};

QTEST_GUILESS_MAIN(TestCliKill)
#include "test_cli_kill.moc"
