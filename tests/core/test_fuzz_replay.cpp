// Every input kept in tests/data/fuzz/<target>/ (each once crashed, hung or exhausted a reader,
// or stands for a hostile case) goes through its reader again; it may be refused, nothing more.

#include "FuzzHarness.h"

#include <QDir>
#include <QFile>
#include <QtTest>

class TestFuzzReplay : public QObject {
    Q_OBJECT
private slots:
    void keptInputsAreRefusedCalmly_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("path");
        const QDir root(QStringLiteral(ORVANE_TEST_DATA "/fuzz"));
        for (const QString &target : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
            for (const QFileInfo &input : QDir(root.filePath(target)).entryInfoList(QDir::Files, QDir::Name))
                QTest::newRow(qPrintable(target + QLatin1Char('/') + input.fileName())) << target << input.filePath();
    }
    void keptInputsAreRefusedCalmly()
    {
        QFETCH(QString, target);
        QFETCH(QString, path);
        const TFuzzTarget *run = FindFuzzTarget(target.toUtf8().constData());
        QVERIFY2(run, qPrintable(QStringLiteral("no fuzz target named ") + target));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        run->run(f.readAll());
    }
};

QTEST_GUILESS_MAIN(TestFuzzReplay)
#include "test_fuzz_replay.moc"
