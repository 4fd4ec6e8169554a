#include "globals/DeleteFolderTree.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestDeleteFolderTree : public QObject {
    Q_OBJECT
private slots:
    void removesTheTreeButNotWhatLinksPointTo()
    {
        QTemporaryDir root;
        const QString keep = root.filePath("keep");
        QVERIFY(QDir().mkpath(keep));
        QFile kept(keep + "/book.fb2");
        QVERIFY(kept.open(QIODevice::WriteOnly));
        kept.close();

        const QString scratch = root.filePath("orv/");
        QVERIFY(QDir().mkpath(scratch + "a/b"));
        QFile f(scratch + "a/b/page.html");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QVERIFY(QFile::link(keep, scratch + "link"));

        QVERIFY(DeleteFolderTree(scratch));
        QVERIFY(!QFileInfo::exists(root.filePath("orv")));
        QVERIFY(QFileInfo::exists(keep + "/book.fb2"));
    }

    void refusesNothingAndRoot_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("empty") << QString();
        QTest::newRow("root") << "/";
        QTest::newRow("missing") << "/nonexistent-orvane-folder/orv/";
    }

    void refusesNothingAndRoot()
    {
        QFETCH(QString, path);
        QVERIFY(!DeleteFolderTree(path));
    }
};

QTEST_GUILESS_MAIN(TestDeleteFolderTree)
#include "test_delete_folder_tree.moc"
