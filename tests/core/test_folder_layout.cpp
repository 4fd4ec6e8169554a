// Where the user's files and the program's data are found, for a program in a portable copy,
// a read-only folder or an installed layout, under the XDG variables of the user.

#include "config/AppSettings.h"
#include "config/FolderLayout.h"
#include "config/Folders.h"
#include "globals/Errors.h"

#include <QtTest>

namespace {

enum EProgram { PortableCopy, ReadOnlyCopy, Installed, NoDataWritable };

// Makes the program's folder `root`/prefix/bin with its data where `kind` puts it.
QString MakeProgram(const QString &root, EProgram kind)
{
    const QString bin = root + QStringLiteral("/prefix/bin");
    QDir().mkpath(bin);
    if (kind == PortableCopy || kind == ReadOnlyCopy)
        QDir().mkpath(bin + QStringLiteral("/utils"));
    if (kind == Installed)
        QDir().mkpath(root + QStringLiteral("/prefix/share/orvane/utils"));
    if (kind == ReadOnlyCopy)
        QFile::setPermissions(bin, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup);
    return bin;
}

}  // namespace

class TestFolderLayout : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString Root() const { return m_dir.path(); }

private slots:
    void cleanup()
    {
        // A read-only program folder must become removable again.
        QFile::setPermissions(Root() + QStringLiteral("/prefix/bin"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QDir(Root() + QStringLiteral("/prefix")).removeRecursively();
    }

    void placesUserFilesAndFindsData_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("configHome");
        QTest::addColumn<QString>("dataHome");
        QTest::addColumn<QString>("configDir");
        QTest::addColumn<QString>("workDir");
        QTest::addColumn<QString>("userDir");
        QTest::addColumn<QString>("dataDir");

        // "~" stands for the home folder, "@" for the test's root.
        const QString bin = QStringLiteral("@/prefix/bin/");
        QTest::newRow("writable folder with its data: portable, whatever XDG says")
            << int(PortableCopy) << "@/cfg"
            << "@/data" << bin << bin + "tmp/" << bin << bin;
        QTest::newRow("read-only folder, XDG unset: defaults below home") << int(ReadOnlyCopy) << ""
                                                                          << ""
                                                                          << "~/.config/orvane/"
                                                                          << "~/.local/share/orvane/"
                                                                          << "~/.local/share/orvane/" << bin;
        QTest::newRow("read-only folder, XDG set") << int(ReadOnlyCopy) << "@/cfg"
                                                   << "@/data"
                                                   << "@/cfg/orvane/"
                                                   << "@/data/orvane/"
                                                   << "@/data/orvane/" << bin;
        QTest::newRow("XDG relative: ignored as the XDG rules say") << int(ReadOnlyCopy) << "cfg"
                                                                    << "./data"
                                                                    << "~/.config/orvane/"
                                                                    << "~/.local/share/orvane/"
                                                                    << "~/.local/share/orvane/" << bin;
        QTest::newRow("installed into a prefix the user can write: per-user, data in share")
            << int(Installed) << "@/cfg//"
            << ""
            << "@/cfg/orvane/"
            << "~/.local/share/orvane/"
            << "~/.local/share/orvane/"
            << "@/prefix/share/orvane/";
        QTest::newRow("no data anywhere: portable, errors name the data beside the program")
            << int(NoDataWritable) << "@/cfg"
            << "" << bin << bin + "tmp/" << bin << bin;
    }

    void placesUserFilesAndFindsData()
    {
        QFETCH(int, kind);
        QFETCH(QString, configHome);
        QFETCH(QString, dataHome);
        const QString home = Root() + QStringLiteral("/home");
        const auto expand = [&](QString s) { return s.replace(u'~', home).replace(u'@', Root()); };
        const QString bin = MakeProgram(Root(), EProgram(kind));
        const TUserEnvironment env{home, expand(configHome), expand(dataHome)};

        const TFolderLayout layout = PlanFolders(bin, env);
        QCOMPARE(layout.appDir, bin + QStringLiteral("/"));
        QFETCH(QString, configDir);
        QFETCH(QString, workDir);
        QFETCH(QString, userDir);
        QFETCH(QString, dataDir);
        QCOMPARE(layout.configDir, expand(configDir));
        QCOMPARE(layout.workDir, expand(workDir));
        QCOMPARE(layout.userDir, expand(userDir));
        QCOMPARE(layout.dataDir, expand(dataDir));
        QCOMPARE(layout.portable, layout.configDir == layout.appDir);
        QVERIFY(!QFileInfo::exists(layout.configDir) || layout.portable);  // planning creates nothing

        // The folders and the defaults that follow from them.
        SetUpFolders(layout, Root());
        QCOMPARE(ConfigIniPath(), expand(configDir) + QStringLiteral("config.ini"));
        QCOMPARE(UtilsDir, expand(dataDir) + QStringLiteral("utils/"));
        QCOMPARE(HelpDir, expand(dataDir) + QStringLiteral("help/"));
        const TAppSettings defaults = DefaultAppSettings();
        QCOMPARE(defaults.EndDir, expand(workDir) + QStringLiteral("end/"));
        QCOMPARE(defaults.BadDir, expand(workDir) + QStringLiteral("bad/"));
        QCOMPARE(defaults.LogFile, expand(userDir) + QStringLiteral("log.txt"));
    }

    // root may write anywhere, yet a folder whose bits say read-only counts as read-only.
    void writableFollowsTheModeBits()
    {
        const QString dir = Root() + QStringLiteral("/prefix/bin");
        QVERIFY(QDir().mkpath(dir));
        QVERIFY(FolderIsWritable(dir));
        QVERIFY(QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner));
        QVERIFY(!FolderIsWritable(dir));
        QVERIFY(!FolderIsWritable(Root() + QStringLiteral("/missing")));
    }

    // A config folder that cannot be made, or a config.ini that is a folder: reading gives the
    // defaults, a write names the file it could not write, and nothing else is touched.
    void unusableConfigIni_data()
    {
        QTest::addColumn<QString>("blocker");  // made as a file at this place below the root
        QTest::addColumn<QString>("configDir");
        QTest::newRow("config home is a file") << "cfg"
                                               << "cfg/orvane/";
        QTest::newRow("config.ini is a folder") << ""
                                                << "cfg2/orvane/";
    }
    void unusableConfigIni()
    {
        QFETCH(QString, blocker);
        QFETCH(QString, configDir);
        if (!blocker.isEmpty()) {
            QFile f(Root() + u'/' + blocker);
            QVERIFY(f.open(QIODevice::WriteOnly));
        } else {
            QVERIFY(QDir().mkpath(Root() + u'/' + configDir + QStringLiteral("config.ini")));
        }
        TFolderLayout layout = PortableFolders(Root() + QStringLiteral("/prefix/bin"));
        layout.configDir = Root() + u'/' + configDir;
        SetUpFolders(layout, Root());
        UpdateSetting();
        QCOMPARE(AppSettings.NamePattern, DefaultAppSettings().NamePattern);
        try {
            WriteAppSettings(TIniFile(ConfigIniPath()), DefaultAppSettings());
            QFAIL("the write was reported as done");
        } catch (const EOrvane &e) {
            QCOMPARE(e.Message(), QStringLiteral("Unable to write to ") + ConfigIniPath());
        }
    }
};

QTEST_GUILESS_MAIN(TestFolderLayout)
#include "test_folder_layout.moc"
