// The tooltip of a file list row: the place of the book, its size in readable units, and what
// the last run did to it.

#include "list/RowTip.h"

#include <QtTest>

namespace {

const QString kNbsp = QString(QChar(0x00A0));

}  // namespace

class TestRowTip : public QObject {
    Q_OBJECT
private slots:
    void readableSize_data()
    {
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("nothing") << qint64(0) << "0 байт";
        QTest::newRow("one") << qint64(1) << "1 байт";
        QTest::newRow("two") << qint64(2) << "2 байта";
        QTest::newRow("eleven") << qint64(11) << "11 байт";
        QTest::newRow("twelve") << qint64(12) << "12 байт";
        QTest::newRow("twenty-two") << qint64(22) << "22 байта";
        QTest::newRow("just below a KB") << qint64(1023) << "1023 байта";
        QTest::newRow("a KB") << qint64(1024) << "1,0" + kNbsp + "КБ";
        QTest::newRow("one and a half KB") << qint64(1536) << "1,5" + kNbsp + "КБ";
        QTest::newRow("ten KB and more: no decimals") << qint64(10 * 1024 + 700) << "11" + kNbsp + "КБ";
        QTest::newRow("rounds up into the next unit") << qint64(1024 * 1024 - 10) << "1,0" + kNbsp + "МБ";
        QTest::newRow("MB") << qint64(5 * 1024 * 1024 + 300 * 1024) << "5,3" + kNbsp + "МБ";
        QTest::newRow("3 GB, past 32 bits") << qint64(3000000000LL) << "2,8" + kNbsp + "ГБ";
        QTest::newRow("negative") << qint64(-5) << "0 байт";
    }
    void readableSize()
    {
        QFETCH(qint64, bytes);
        QFETCH(QString, text);
        QCOMPARE(ReadableSize(bytes), text);
    }

    void rowTip_data()
    {
        QTest::addColumn<bool>("inArchive");
        QTest::addColumn<QString>("storedPath");
        QTest::addColumn<int>("outcome");  // -1: no run yet
        QTest::addColumn<QString>("tip");
        QTest::newRow("loose file") << false << "" << -1 << "/книги/а б/Книга.fb2\nРазмер: 1,5" + kNbsp + "КБ";
        QTest::newRow("entry at the top of its archive")
            << true << "" << -1 << "Архив: /книги/pack.zip\nРазмер: 1,5" + kNbsp + "КБ";
        QTest::newRow("entry in a folder of its archive")
            << true << "a/b/" << -1 << "Архив: /книги/pack.zip\nПапка в архиве: a/b/\nРазмер: 1,5" + kNbsp + "КБ";
        QTest::newRow("placed") << false << "" << int(TRowOutcome::Placed)
                                << "/книги/а б/Книга.fb2\nРазмер: 1,5" + kNbsp + "КБ\nРазмещена: /end/Чехов.fb2";
        QTest::newRow("invalid: the validator's lines") << true << "" << int(TRowOutcome::Invalid)
                                                        << "Архив: /книги/pack.zip\nРазмер: 1,5" + kNbsp
                + "КБ\nНе прошла проверку:\nКод ошибки 1871\nСтрока 3\nСимвол 5\nнет элемента";
        QTest::newRow("not placed: one line")
            << false << "" << int(TRowOutcome::NotPlaced)
            << "/книги/а б/Книга.fb2\nРазмер: 1,5" + kNbsp + "КБ\nНе размещена: файл уже есть";
    }
    void rowTip()
    {
        QFETCH(bool, inArchive);
        QFETCH(QString, storedPath);
        QFETCH(int, outcome);
        QFETCH(QString, tip);
        TListRow row;
        row.Entry.FileName = QStringLiteral("Книга.fb2");
        row.Entry.FileSize = 1536;
        row.Entry.InArchive = inArchive;
        if (inArchive)
            row.Entry.ArchivePath = QStringLiteral("/книги/pack.zip");
        else
            row.Entry.FileDir = QStringLiteral("/книги/а б/");
        row.Entry.StoredPath = storedPath;
        if (outcome >= 0) {
            row.Outcome = TRowOutcome(outcome);
            const QString reason = row.Outcome == TRowOutcome::Invalid
                ? QStringLiteral("Код ошибки 1871\r\nСтрока 3\r\nСимвол 5\r\nнет элемента\r\n")
                : QStringLiteral("файл уже есть");
            row.OutcomeText = RowOutcomeText(TRowOutcome(outcome), QStringLiteral("/end/Чехов.fb2"), reason);
        }
        QCOMPARE(ListRowTip(row), tip);
    }

    // A hostile reason stays a tooltip of a few short lines.
    void longReasonsAreCut()
    {
        const QString reason = QString(300, 'x') + QStringLiteral("\r\n") + QStringLiteral("y\n").repeated(20);
        const QStringList lines = RowOutcomeText(TRowOutcome::Invalid, {}, reason).split('\n');
        QCOMPARE(lines.size(), 6);
        QCOMPARE(lines[0].size(), 200);
        QVERIFY(lines[0].endsWith(QStringLiteral("…")));
        QCOMPARE(lines[5], QStringLiteral("…"));
    }
};

QTEST_GUILESS_MAIN(TestRowTip)
#include "test_row_tip.moc"
