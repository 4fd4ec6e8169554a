// The file list's rows: ids that survive sorting and removal, check counts, and the walk a run
// makes while the list is changed under it.

#include "list/BookList.h"
#include "list/ListOrder.h"
#include "run/RowSubset.h"

#include <QtTest>
#include <functional>

namespace {

TListEntry Book(const QString &name, qint64 size)
{
    TListEntry e;
    e.FileName = name;
    e.FileDir = QStringLiteral("/books/");
    e.FileSize = size;
    return e;
}

QStringList Names(const TBookList &list)
{
    QStringList out;
    for (int i = 0; i < list.Count(); ++i)
        out << list.At(i).Entry.FileName;
    return out;
}

// The names a run would reach from the first row, changing the list after the row `at`.
QStringList Walk(TBookList &list, int at, const std::function<void(TBookList &)> &change)
{
    QStringList reached;
    int n = 0;
    for (auto row = list.FirstRow(); row != TRunRows::NoRow; row = list.NextRow(row)) {
        if (list.IsChecked(row))
            reached << list.Entry(row)->FileName;
        if (n++ == at)
            change(list);
    }
    return reached;
}

}  // namespace

class TestBookList : public QObject {
    Q_OBJECT
private slots:
    void idsStayWithTheirRows()
    {
        TBookList list;
        const auto first = list.Append({Book("c", 3), Book("a", 1), Book("b", 2)}, Qt::Unchecked);
        QCOMPARE(list.Ids(), (QList<TBookList::RowId>{first, first + 1, first + 2}));
        QVERIFY(list.SetCheck(0, Qt::Checked));
        QVERIFY(!list.SetCheck(0, Qt::Checked));  // no change, nothing to tell the view
        QVERIFY(!list.SetCheck(7, Qt::Checked));

        const std::vector<int> moved = list.Sort(lcFileName, Qt::AscendingOrder);
        QCOMPARE(Names(list), QStringList({"a", "b", "c"}));
        QCOMPARE(moved, (std::vector<int>{2, 0, 1}));
        QCOMPARE(list.IndexOf(first), 2);
        QCOMPARE(list.At(2).Check, Qt::Checked);
        QCOMPARE(list.CheckedCount(), 1);

        list.Sort(lcFileSize, Qt::DescendingOrder);
        QCOMPARE(Names(list), QStringList({"c", "b", "a"}));
        QCOMPARE(list.IndexOf(first + 1), 2);

        list.Remove(first + 2);
        QCOMPARE(list.IndexOf(first + 2), -1);
        QCOMPARE(list.IndexOf(first + 1), 1);
        list.Remove(first);
        QCOMPARE(list.CheckedCount(), 0);

        // Ids of removed rows are never given again, not even after the list was emptied.
        list.Clear();
        QCOMPARE(list.IndexOf(first + 1), -1);
        const auto next = list.Append(Book("d", 4));
        QVERIFY(next > first + 2);
        QCOMPARE(list.IndexOf(next), 0);
    }

    void onlyAFullTickCounts_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("counted");
        QTest::newRow("checked") << int(Qt::Checked) << true;
        QTest::newRow("held pressed") << int(Qt::PartiallyChecked) << false;
        QTest::newRow("unchecked") << int(Qt::Unchecked) << false;
    }
    void onlyAFullTickCounts()
    {
        QFETCH(int, state);
        QFETCH(bool, counted);
        TBookList list;
        const auto id = list.Append({Book("a", 1), Book("b", 2)}, Qt::Checked);
        list.SetCheck(0, Qt::CheckState(state));
        QCOMPARE(list.IsChecked(id), counted);
        QCOMPARE(list.CheckedCount(), 1 + counted);
        list.SetAllChecks(Qt::CheckState(state));
        QCOMPARE(list.CheckedCount(), counted ? 2 : 0);
    }

    // The walk's questions between changes: the row that now follows, and none after a removed one.
    void rowListFollowsChanges()
    {
        TBookList rows;
        const auto a = rows.Append(Book("a", 1));
        const auto b = rows.Append(Book("b", 2), false);
        const auto c = rows.Append(Book("c", 3));
        QCOMPARE(rows.CheckedCount(), 2);
        QCOMPARE(rows.FirstRow(), a);
        QCOMPARE(rows.NextRow(a), b);
        QVERIFY(!rows.IsChecked(b));

        rows.Reorder({c, a, b});
        QCOMPARE(rows.NextRow(a), b);  // the row that now follows
        QCOMPARE(rows.NextRow(b), TRunRows::NoRow);
        rows.SetChecked(c, false);
        QCOMPARE(rows.CheckedCount(), 1);

        rows.Remove(b);
        QCOMPARE(rows.NextRow(a), TRunRows::NoRow);
        QCOMPARE(rows.NextRow(b), TRunRows::NoRow);  // a removed row leads nowhere
        QVERIFY(!rows.Entry(b));
        rows.Clear();
        QCOMPARE(rows.FirstRow(), TRunRows::NoRow);
        QCOMPARE(rows.NextRow(a), TRunRows::NoRow);
        QCOMPARE(rows.CheckedCount(), 0);
    }

    // What a run reaches when the list changes after its second row (a, b, c, d, e; c unchecked).
    void walkWhileTheListChanges_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("reached");
        QTest::newRow("nothing") << "" << QStringList{"a", "b", "d", "e"};
        QTest::newRow("a later row ticked") << "tick c" << QStringList{"a", "b", "c", "d", "e"};
        QTest::newRow("a later row unticked") << "untick d" << QStringList{"a", "b", "e"};
        QTest::newRow("the next row removed") << "remove c" << QStringList{"a", "b", "d", "e"};
        QTest::newRow("the row in hand removed") << "remove b" << QStringList{"a", "b"};
        QTest::newRow("cleared") << "clear" << QStringList{"a", "b"};
        QTest::newRow("sorted backwards: what follows b now") << "sort" << QStringList{"a", "b", "a"};
        QTest::newRow("every row unticked") << "untick all" << QStringList{"a", "b"};
    }
    void walkWhileTheListChanges()
    {
        QFETCH(QString, change);
        QFETCH(QStringList, reached);
        TBookList list;
        const auto a = list.Append({Book("a", 1), Book("b", 2), Book("c", 3), Book("d", 4), Book("e", 5)}, Qt::Checked);
        list.SetChecked(a + 2, false);
        const auto act = [&](TBookList &l) {
            if (change == "tick c")
                l.SetChecked(a + 2, true);
            else if (change == "untick d")
                l.SetChecked(a + 3, false);
            else if (change == "remove c")
                l.Remove(a + 2);
            else if (change == "remove b")
                l.Remove(a + 1);
            else if (change == "clear")
                l.Clear();
            else if (change == "sort")
                l.Sort(lcFileName, Qt::DescendingOrder);
            else if (change == "untick all")
                l.SetAllChecks(Qt::Unchecked);
        };
        QCOMPARE(Walk(list, 1, act), reached);
    }

    // The rows a preview showed: a run over them reaches those rows only, whatever is ticked
    // since, passes over one unticked or removed meanwhile, and counts them out of its total.
    void subsetWalksTheChosenRowsOnly()
    {
        TBookList list;
        const auto a = list.Append({Book("a", 1), Book("b", 2), Book("c", 3), Book("d", 4), Book("e", 5)}, Qt::Checked);
        list.Remove(a + 4);
        const TRowSubset rows(list, {a, a + 1, a + 3, a + 4});
        QCOMPARE(rows.CheckedCount(), 3);
        list.SetChecked(a + 3, false);
        QStringList reached;
        for (auto row = rows.FirstRow(); row != TRunRows::NoRow; row = rows.NextRow(row))
            if (rows.IsChecked(row))
                reached << rows.Entry(row)->FileName;
        QCOMPARE(reached, (QStringList{"a", "b"}));
        QCOMPARE(rows.CheckedCount(), 2);
    }

    // Space on the list: the lead row's box flips and the other selected rows follow it.
    void toggleFollowsTheLeadRow_data()
    {
        QTest::addColumn<QString>("before");  // one letter a row: x checked, . unchecked
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<int>("lead");
        QTest::addColumn<QString>("after");
        QTest::newRow("one row") << "..." << QList<int>{1} << 1 << ".x.";
        QTest::newRow("one row back") << "xxx" << QList<int>{1} << 1 << "x.x";
        QTest::newRow("lead unchecked: all ticked") << "x.x." << QList<int>{0, 1, 2} << 1 << "xxx.";
        QTest::newRow("lead checked: all unticked") << ".x.x" << QList<int>{0, 1, 2, 3} << 3 << "....";
        QTest::newRow("lead outside the rows") << "...." << QList<int>{2, 3} << 0 << "x.xx";
        QTest::newRow("no lead") << "x..." << QList<int>{1} << -1 << "x...";
        QTest::newRow("positions past the end") << "x." << QList<int>{0, 5, -2} << 1 << "xx";
    }
    void toggleFollowsTheLeadRow()
    {
        QFETCH(QString, before);
        QFETCH(QList<int>, rows);
        QFETCH(int, lead);
        QFETCH(QString, after);
        TBookList list;
        for (QChar c : before)
            list.Append(Book("b", 1), c == 'x');
        const std::vector<int> changed = list.ToggleChecks(std::vector<int>(rows.begin(), rows.end()), lead);
        QString got;
        int checked = 0;
        for (int i = 0; i < list.Count(); ++i) {
            got += list.At(i).Check == Qt::Checked ? 'x' : '.';
            checked += list.At(i).Check == Qt::Checked;
            QCOMPARE(std::count(changed.begin(), changed.end(), i), qsizetype(before[i] != got[i]));
        }
        QCOMPARE(got, after);
        QCOMPARE(list.CheckedCount(), checked);
    }

    // Removing rows by position: any order, repeats and positions past the end ignored; while a
    // run has a row in hand, only the rows before it may go, so the walk still finds its way on.
    void removeRowsByPosition_data()
    {
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<int>("inHand");  // position of the run's row, -1: no run
        QTest::addColumn<QStringList>("left");
        QTest::newRow("scattered, any order") << QList<int>{4, 0, 2, 2, 9} << -1 << QStringList{"b", "d", "f"};
        QTest::newRow("all") << QList<int>{0, 1, 2, 3, 4, 5} << -1 << QStringList{};
        QTest::newRow("none") << QList<int>{} << -1 << QStringList{"a", "b", "c", "d", "e", "f"};
        QTest::newRow("run at c: only a and b go") << QList<int>{0, 1, 2, 3, 5} << 2 << QStringList{"c", "d", "e", "f"};
        QTest::newRow("run at a: nothing goes") << QList<int>{0, 3} << 0 << QStringList{"a", "b", "c", "d", "e", "f"};
        QTest::newRow("run at the last row") << QList<int>{1, 5} << 5 << QStringList{"a", "c", "d", "e", "f"};
    }
    void removeRowsByPosition()
    {
        QFETCH(QList<int>, rows);
        QFETCH(int, inHand);
        QFETCH(QStringList, left);
        TBookList list;
        const auto first = list.Append(
            {Book("a", 1), Book("b", 2), Book("c", 3), Book("d", 4), Book("e", 5), Book("f", 6)}, Qt::Checked);
        list.SetChecked(first + 1, false);
        const auto hand = inHand < 0 ? TRunRows::NoRow : list.At(inHand).Id;
        const auto ids = list.Ids();
        list.RemoveAt(list.RemovableRows(std::vector<int>(rows.begin(), rows.end()), hand));
        QCOMPARE(Names(list), left);
        int checked = 0;
        for (int i = 0; i < list.Count(); ++i) {
            checked += list.At(i).Check == Qt::Checked;
            QCOMPARE(list.IndexOf(list.At(i).Id), i);  // the rows that stay keep their ids
        }
        QCOMPARE(list.CheckedCount(), checked);
        for (int i = 0; i < ids.size(); ++i)
            QCOMPARE(list.Entry(ids[i]) != nullptr, left.contains(QString(QChar('a' + i))));
        if (hand != TRunRows::NoRow)
            QCOMPARE(list.NextRow(hand), inHand + 1 < 6 ? ids[inHand + 1] : TRunRows::NoRow);
    }
};

QTEST_GUILESS_MAIN(TestBookList)
#include "test_book_list.moc"
