// orvane-cli installed as a package installs it: the program in a prefix's bin/ that the user
// cannot write, its data in share/orvane/. It finds the data there, reads the user's config.ini
// from the XDG config folder (or the one --config names), and a run places books in the
// per-user output folder.

#include "CliRunner.h"
#include "RunFixtures.h"

#include <QtTest>

using namespace RunFixtures;

namespace {

bool CopyTree(const QString &from, const QString &to)
{
    if (!QDir().mkpath(to))
        return false;
    const QDir dir(from);
    for (const QFileInfo &fi : dir.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString target = to + u'/' + fi.fileName();
        if (fi.isDir() ? !CopyTree(fi.filePath(), target) : !QFile::copy(fi.filePath(), target))
            return false;
    }
    return true;
}

}  // namespace

class TestCliInstalled : public QObject {
    Q_OBJECT

    QTemporaryDir m_root;
    QString m_program, m_home, m_book;
    QProcessEnvironment m_env;

    QString path(const QString &relative) const { return m_root.filePath(relative); }

    CliResult cli(const QStringList &args) const { return RunCli(args, m_program, m_env); }

private slots:
    void initTestCase()
    {
        const QString bin = path(QStringLiteral("usr/bin"));
        QVERIFY(QDir().mkpath(bin));
        m_program = bin + QStringLiteral("/orvane-cli");
        QVERIFY(QFile::copy(QStringLiteral(ORVANE_BIN_DIR "/orvane-cli"), m_program));
        QVERIFY(CopyTree(QStringLiteral(ORVANE_BIN_DIR "/utils"), path(QStringLiteral("usr/share/orvane/utils"))));
        QVERIFY(QFile::setPermissions(bin,
                                      QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                                          | QFile::ReadOther | QFile::ExeOther));
        m_home = path(QStringLiteral("home"));
        QVERIFY(QDir().mkpath(m_home));
        m_env = QProcessEnvironment::systemEnvironment();
        m_env.insert(QStringLiteral("HOME"), m_home);
        m_env.remove(QStringLiteral("XDG_CONFIG_HOME"));
        m_env.remove(QStringLiteral("XDG_DATA_HOME"));
        m_book = path(QStringLiteral("in/a.fb2"));
        PutFile(m_book, ValidBook(QStringLiteral("Толстой"), QStringLiteral("Лев"), QStringLiteral("Война и мир")));
    }

    void cleanupTestCase()
    {
        QFile::setPermissions(path(QStringLiteral("usr/bin")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void findsDataInShare()
    {
        const CliResult r = cli({QStringLiteral("validate"), m_book});
        QCOMPARE(r.err, QString());
        QCOMPARE(r.out, QStringLiteral("OK ") + m_book + u'\n');
        QCOMPARE(r.status, 0);
        QVERIFY(!QFileInfo::exists(path(QStringLiteral("usr/bin/config.ini"))));
    }

    // Which config.ini the names verb reads: transliterated names tell that it read ours.
    void readsTheUsersConfig_data()
    {
        QTest::addColumn<QString>("configHome");  // below the root; empty: unset
        QTest::addColumn<QString>("configFile");  // where the settings lie
        QTest::addColumn<bool>("option");  // named by --config
        QTest::newRow("XDG_CONFIG_HOME unset") << ""
                                               << "home/.config/orvane/config.ini" << false;
        QTest::newRow("XDG_CONFIG_HOME set") << "xdg"
                                             << "xdg/orvane/config.ini" << false;
        QTest::newRow("XDG_CONFIG_HOME relative") << "rel"
                                                  << "home/.config/orvane/config.ini" << false;
        QTest::newRow("--config wins") << "xdg"
                                       << "elsewhere.ini" << true;
    }
    void readsTheUsersConfig()
    {
        QFETCH(QString, configHome);
        QFETCH(QString, configFile);
        QFETCH(bool, option);
        QDir(path(QStringLiteral("home/.config"))).removeRecursively();
        QDir(path(QStringLiteral("xdg"))).removeRecursively();
        QProcessEnvironment env = m_env;
        if (configHome == QLatin1String("rel"))
            m_env.insert(QStringLiteral("XDG_CONFIG_HOME"), QStringLiteral("xdg"));
        else if (!configHome.isEmpty())
            m_env.insert(QStringLiteral("XDG_CONFIG_HOME"), path(configHome));
        WriteConfig(path(configFile), {{QStringLiteral("TranslitName"), QStringLiteral("1")}});
        QStringList args{QStringLiteral("names"), m_book};
        if (option)
            args << QStringLiteral("--config") << path(configFile);
        const CliResult r = cli(args);
        m_env = env;
        QCOMPARE(r.err, QString());
        QCOMPARE(r.out, m_book + QStringLiteral("\tTolstoj Lev - Vojna i mir.fb2\tТ\\Толстой Лев\n"));
    }

    void runPlacesBooksInTheUsersFolders()
    {
        QDir(path(QStringLiteral("home/.config"))).removeRecursively();
        const QString source = path(QStringLiteral("run/a.fb2"));
        PutFile(source, ValidBook(QStringLiteral("Чехов"), QStringLiteral("Антон"), QStringLiteral("Дом")));
        const CliResult r = cli({QStringLiteral("run"), source});
        QCOMPARE(r.status, 0);
        const QString data = m_home + QStringLiteral("/.local/share/orvane/");
        QVERIFY2(QFileInfo::exists(data + QStringLiteral("end/Ч/Чехов Антон/Чехов Антон - Дом.fb2")),
                 qPrintable(ContentsBelow(data).keys().join(u'\n')));
        QVERIFY(!QFileInfo::exists(source));
        // The config folder is the user's alone.
        QCOMPARE(QFileInfo(m_home + QStringLiteral("/.config/orvane")).permissions()
                     & (QFile::ReadOther | QFile::ReadGroup),
                 QFile::Permissions());
    }
};

QTEST_GUILESS_MAIN(TestCliInstalled)
#include "test_cli_installed.moc"
