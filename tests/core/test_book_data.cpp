#include "globals/BookData.h"

#include <QtTest>

class TestBookData : public QObject {
    Q_OBJECT
private slots:
    void clearEmptiesEveryField()
    {
        TBookData d;
        d.LastName = d.FirstName = d.MiddleName = d.Title = d.Sequence = d.SeqNum = QStringLiteral("x");
        d.Lang = d.Publisher = d.Genre = d.City = d.Year = QStringLiteral("y");
        d.Clear();
        QVERIFY(d.LastName.isEmpty() && d.FirstName.isEmpty() && d.MiddleName.isEmpty());
        QVERIFY(d.Title.isEmpty() && d.Sequence.isEmpty() && d.SeqNum.isEmpty() && d.Lang.isEmpty());
        QVERIFY(d.Publisher.isEmpty() && d.Genre.isEmpty() && d.City.isEmpty() && d.Year.isEmpty());
    }

    void checkSymbolCleansOnlyFolderFields()
    {
        TBookData d;
        d.Sequence = QStringLiteral("Что? Где? Когда?");
        d.Publisher = QStringLiteral("АСТ: Астрель");
        d.City = QStringLiteral("Москва/Санкт-Петербург");
        d.Title = QStringLiteral("Кто виноват?");
        d.CheckSymbol();
        QCOMPARE(d.Sequence, QStringLiteral("Что Где Когда"));
        QCOMPARE(d.Publisher, QStringLiteral("АСТ Астрель"));
        QCOMPARE(d.City, QStringLiteral("МоскваСанкт-Петербург"));
        QCOMPARE(d.Title, QStringLiteral("Кто виноват?"));
    }
};

QTEST_GUILESS_MAIN(TestBookData)
#include "test_book_data.moc"
