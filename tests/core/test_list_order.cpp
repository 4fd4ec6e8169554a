#include "list/ListOrder.h"

#include <QtTest>

class TestListOrder : public QObject {
    Q_OBJECT
private slots:
    void compare_data()
    {
        QTest::addColumn<int>("tag");
        QTest::addColumn<QString>("nameA");
        QTest::addColumn<qint64>("sizeA");
        QTest::addColumn<QString>("nameB");
        QTest::addColumn<qint64>("sizeB");
        QTest::addColumn<int>("expected");

        QTest::newRow("capital Latin before small") << 1 << "Zebra.fb2" << 0LL << "apple.fb2" << 0LL << -1;
        QTest::newRow("capital Cyrillic before small") << 1 << "Яблоко.fb2" << 0LL << "айва.fb2" << 0LL << -1;
        QTest::newRow("Latin before Cyrillic") << 1 << "zz.fb2" << 0LL << "А.fb2" << 0LL << -1;
        QTest::newRow("case matters for equality") << 1 << "a.fb2" << 0LL << "A.fb2" << 0LL << 1;
        QTest::newRow("prefix first") << 1 << "book" << 0LL << "book1" << 0LL << -1;
        QTest::newRow("equal names") << 1 << "x.fb2" << 1LL << "x.fb2" << 2LL << 0;
        // Code units, not code points: a surrogate pair (U+1F4D6) sorts below U+FFFD.
        QTest::newRow("surrogates by code unit")
            << 1 << QString::fromUtf16(u"\U0001F4D6.fb2") << 0LL << QString::fromUtf16(u"\uFFFD.fb2") << 0LL << -1;
        QTest::newRow("sizes as numbers") << 2 << "b" << 900LL << "a" << 10000LL << -1;
        QTest::newRow("bigger size") << 2 << "a" << 3000000000LL << "b" << 5LL << 1;
        QTest::newRow("equal sizes") << 2 << "a" << 7LL << "b" << 7LL << 0;
        QTest::newRow("check column: all equal") << 0 << "a" << 1LL << "b" << 2LL << 0;
    }

    void compare()
    {
        QFETCH(int, tag);
        QFETCH(QString, nameA);
        QFETCH(qint64, sizeA);
        QFETCH(QString, nameB);
        QFETCH(qint64, sizeB);
        QFETCH(int, expected);
        TListEntry a, b;
        a.FileName = nameA;
        a.FileSize = sizeA;
        b.FileName = nameB;
        b.FileSize = sizeB;
        QCOMPARE(CompareListEntries(a, b, tag), expected);
        QCOMPARE(CompareListEntries(b, a, tag), -expected);
    }
};

QTEST_GUILESS_MAIN(TestListOrder)
#include "test_list_order.moc"
