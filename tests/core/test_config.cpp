#include "SettingsFixtures.h"
#include "config/AppSettings.h"
#include "config/Folders.h"
#include "config/Version.h"

#include <QtTest>

#include <unistd.h>

namespace {
// Built at run time, so that this test's own file holds no version record.
QByteArray Tag() { return QByteArray("\x01Orvane") + "FileVersion="; }

void WriteText(const QString &path, const QString &text)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text.toUtf8());
}

void CompareSettings(const TAppSettings &a, const TAppSettings &b)
{
    QCOMPARE(a.Valid, b.Valid);
    QCOMPARE(a.Rename, b.Rename);
    QCOMPARE(a.Sort, b.Sort);
    QCOMPARE(a.Convert, b.Convert);
    QCOMPARE(a.Archive, b.Archive);
    QCOMPARE(a.EndDir, b.EndDir);
    QCOMPARE(a.BadDir, b.BadDir);
    QCOMPARE(a.SaveLog, b.SaveLog);
    QCOMPARE(a.LogFile, b.LogFile);
    QCOMPARE(a.ConvertType, b.ConvertType);
    QCOMPARE(a.ZipLevel, b.ZipLevel);
    QCOMPARE(a.SortPattern, b.SortPattern);
    QCOMPARE(a.NamePattern, b.NamePattern);
    QCOMPARE(a.TranslitDir, b.TranslitDir);
    QCOMPARE(a.TranslitName, b.TranslitName);
    QCOMPARE(a.GenreFull, b.GenreFull);
    QCOMPARE(a.LastName, b.LastName);
    QCOMPARE(a.FirstName, b.FirstName);
    QCOMPARE(a.MiddleName, b.MiddleName);
    QCOMPARE(a.ChangeInfo, b.ChangeInfo);
}
}  // namespace

class TestConfig : public QObject {
    Q_OBJECT

    QTemporaryDir m_app, m_temp;
    QString ConfigPath() const { return AppDir + QStringLiteral("config.ini"); }

private slots:
    void init()
    {
        SetUpFolders(m_app.path(), m_temp.path());
        QFile::remove(ConfigPath());
    }

    void foldersEndWithSlash()
    {
        QCOMPARE(AppDir, m_app.path() + QStringLiteral("/"));
        QCOMPARE(TempDir, m_temp.path() + QStringLiteral("/orv/"));
        QCOMPARE(WorkDir, AppDir + QStringLiteral("tmp/"));
        QCOMPARE(UtilsDir, AppDir + QStringLiteral("utils/"));
        SetUpFolders(m_app.path() + QStringLiteral("//"), QStringLiteral("/"));
        QCOMPARE(AppDir, m_app.path() + QStringLiteral("/"));
        QCOMPARE(TempDir, QStringLiteral("/orv/"));
        QVERIFY(!QFileInfo::exists(WorkDir) && !QFileInfo::exists(UtilsDir));  // nothing is created
    }

    void trailingSlash_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("joinable");
        QTest::newRow("without") << "/data/out"
                                 << "/data/out/";
        QTest::newRow("with") << "/data/out/"
                              << "/data/out/";
        QTest::newRow("doubled") << "/data/out//"
                                 << "/data/out/";
        QTest::newRow("relative") << "out"
                                  << "out/";
        QTest::newRow("root") << "/"
                              << "/";
        QTest::newRow("not set is not the root") << ""
                                                 << "";
    }
    void trailingSlash()
    {
        QFETCH(QString, folder);
        QFETCH(QString, joinable);
        QCOMPARE(WithTrailingSlash(folder), joinable);
    }

    // The shared temporary folder: our scratch folder sits in a folder of the user's own, and a
    // name someone else took (here a link to elsewhere) is not used.
    void privateTempRoot()
    {
        const QString own = m_temp.path() + QStringLiteral("/orvane-") + QString::number(::getuid());
        QCOMPARE(PrivateTempRoot(m_temp.path()), own);
        QCOMPARE(QFileInfo(own).permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::ExeOther),
                 QFile::Permissions());
        QCOMPARE(PrivateTempRoot(m_temp.path()), own);  // found again

        QVERIFY(QDir(own).removeRecursively());
        QTemporaryDir elsewhere;
        QVERIFY(QFile::link(elsewhere.path(), own));
        const QString other = PrivateTempRoot(m_temp.path());
        QVERIFY(other != own && other.startsWith(m_temp.path() + QStringLiteral("/orvane-")));
        QVERIFY(QFileInfo(other).isDir() && !QFileInfo(other).isSymLink());
    }

    void defaultsWithoutConfig()
    {
        UpdateSetting();
        const TAppSettings &s = AppSettings;
        QVERIFY(s.Valid && s.Rename && s.Sort && !s.Convert && !s.Archive && !s.SaveLog);
        QCOMPARE(s.EndDir, m_app.path() + QStringLiteral("/tmp/end/"));
        QCOMPARE(s.BadDir, m_app.path() + QStringLiteral("/tmp/bad/"));
        QCOMPARE(s.LogFile, m_app.path() + QStringLiteral("/log.txt"));
        QCOMPARE(s.ConvertType, 0);
        QCOMPARE(s.ZipLevel, 0);
        QCOMPARE(s.SortPattern, QStringLiteral("Алфавит\\Автор"));
        QCOMPARE(s.NamePattern, QStringLiteral("Фамилия Имя - Название"));
        QVERIFY(!s.TranslitDir && !s.TranslitName && s.GenreFull);
        QVERIFY(s.LastName && s.FirstName && !s.MiddleName && s.ChangeInfo);
        QVERIFY(!QFileInfo::exists(ConfigPath()));  // reading creates nothing
    }

    void everyKeyIsRead()
    {
        WriteAppSettings(TIniFile(ConfigPath()), ChangedSettings());
        UpdateSetting();
        CompareSettings(AppSettings, ChangedSettings());
    }

    void missingKeyGivesDefaultNotPreviousValue()
    {
        WriteAppSettings(TIniFile(ConfigPath()), ChangedSettings());
        UpdateSetting();
        // Only a foreign section is left: every field falls back to its default.
        WriteText(ConfigPath(), QStringLiteral("[FORM]\nWidth=900\n[AUTO]\n"));
        UpdateSetting();
        CompareSettings(AppSettings, DefaultAppSettings());
    }

    void valuesAreReadByTheirTypes()
    {
        WriteText(ConfigPath(),
                  QStringLiteral("[auto]\nvalid=yes\nConvert=2\nArchive=-1\nSort=0x0\n"
                                 "ConvertType=0x2\nZipLevel=$3\nSaveLog=true\n"
                                 "NamePattern=  \"Серия Номер\"  \nEndDir=\n"));
        UpdateSetting();
        const TAppSettings &s = AppSettings;
        QVERIFY(s.Valid);
        QVERIFY(s.Convert);
        QVERIFY(s.Archive);
        QVERIFY(!s.Sort);
        QCOMPARE(s.ConvertType, 2);
        QCOMPARE(s.ZipLevel, 3);
        QVERIFY(!s.SaveLog);
        QCOMPARE(s.NamePattern, QStringLiteral("Серия Номер"));
        QCOMPARE(s.EndDir, QString());  // present but empty: not the default
    }

    void otherConfigFile()
    {
        const QString other = m_temp.filePath(QStringLiteral("other.ini"));
        WriteText(other, QStringLiteral("[AUTO]\nTranslitName=1\n"));
        UpdateSetting(other);
        QVERIFY(AppSettings.TranslitName);
        UpdateSetting();
        QVERIFY(!AppSettings.TranslitName);
    }

    void templateHoldsNineteenKeysInOrder()
    {
        const QString path = m_temp.filePath(QStringLiteral("t.orv"));
        QFile::remove(path);
        WriteAppSettings(TIniFile(path), ChangedSettings(), ESettingsKeys::Template);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
        QStringList keys;
        for (const QString &line : lines.mid(1))
            keys << line.section(u'=', 0, 0);
        QCOMPARE(lines.first(), QStringLiteral("[AUTO]"));
        QCOMPARE(keys,
                 (QStringList{"Valid", "Rename", "Sort", "Convert", "Archive", "EndDir", "BadDir", "SaveLog", "LogFile",
                              "ConvertType", "ZipLevel", "SortPattern", "NamePattern", "TranslitDir", "TranslitName",
                              "GenreFull", "LastName", "FirstName", "MiddleName"}));
        // Read back as a template, ChangeInfo keeps its default.
        TAppSettings expected = ChangedSettings();
        expected.ChangeInfo = true;
        CompareSettings(ReadAppSettings(TIniFile(path), ESettingsKeys::Template), expected);
    }

    // The query dialog stores its five switches and nothing else.
    void switchesAloneAreWritten()
    {
        const QString path = m_temp.filePath(QStringLiteral("q.ini"));
        QFile::remove(path);
        WriteAppSettings(TIniFile(path), ChangedSettings(),
                         {&TAppSettings::Sort, &TAppSettings::Archive, &TAppSettings::Valid});
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts),
                 (QStringList{"[AUTO]", "Sort=0", "Archive=1", "Valid=0"}));
    }

    void dialogWritesTheTemplateKeysThenPageThenChangeInfo()
    {
        WriteDialogSettings(TIniFile(ConfigPath()), ChangedSettings(), 3);
        QStringList keys;
        for (const auto &[key, value] : TIniFile(ConfigPath()).ReadSection(kSectionAuto))
            keys << key;
        QCOMPARE(keys,
                 (QStringList{"Valid",       "Rename",        "Sort",         "Convert",     "Archive",  "EndDir",
                              "BadDir",      "SaveLog",       "LogFile",      "ConvertType", "ZipLevel", "SortPattern",
                              "NamePattern", "TranslitDir",   "TranslitName", "GenreFull",   "LastName", "FirstName",
                              "MiddleName",  "PControlIndex", "ChangeInfo"}));
        QStringList problems;
        QCOMPARE(ReadSettingsPage(TIniFile(ConfigPath()), problems), 3);
        CompareSettings(ReadAppSettingsChecked(TIniFile(ConfigPath()), ESettingsKeys::Config, problems),
                        ChangedSettings());
        QCOMPARE(problems, QStringList());
    }

    // What the dialog cannot use gets its default and is named; what it can use is read as
    // UpdateSetting reads it.
    void checkedReading_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("problems");
        QTest::addColumn<int>("convertType");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("page");
        QTest::newRow("all fine") << "[AUTO]\nConvertType=0x2\nValid=-1\nPControlIndex=3\n"
                                  << QStringList() << 2 << true << 3;
        QTest::newRow("typed list text") << "[AUTO]\nConvertType=-1\n" << QStringList() << -1 << true << 0;
        QTest::newRow("out of range") << "[auto]\nconverttype=3\nPControlIndex=-1\n"
                                      << QStringList{"PControlIndex=-1: нет такого значения",
                                                     "ConvertType=3: нет такого значения"}
                                      << 0 << true << 0;
        QTest::newRow("not numbers") << "[AUTO]\nValid=no\nConvertType=rtf\nPControlIndex=\n"
                                     << QStringList{"PControlIndex=: не число", "Valid=no: не число",
                                                    "ConvertType=rtf: не число"}
                                     << 0 << true << 0;
        QTest::newRow("first of two keys counts") << "[AUTO]\nValid=0\nValid=x\n" << QStringList() << 0 << false << 0;
        QTest::newRow("smallest integer is a number") << "[AUTO]\nValid=-2147483648\n"
                                                      << QStringList() << 0 << true << 0;
    }

    void checkedReading()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, problems);
        QFETCH(int, convertType);
        QFETCH(bool, valid);
        QFETCH(int, page);
        WriteText(ConfigPath(), text);
        QStringList said;
        QCOMPARE(ReadSettingsPage(TIniFile(ConfigPath()), said), page);
        const TAppSettings s = ReadAppSettingsChecked(TIniFile(ConfigPath()), ESettingsKeys::Config, said);
        QCOMPARE(said, problems);
        QCOMPARE(s.ConvertType, convertType);
        QCOMPARE(s.Valid, valid);
    }

    void versionFromExecutable()
    {
        QCOMPARE(GetFileVersionString(QCoreApplication::applicationFilePath()), QStringLiteral(ORVANE_VERSION));
        LoadAppVersion();
        QCOMPARE(AppVersion, QStringLiteral(ORVANE_VERSION));
    }

    void noVersionInOtherFiles_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("text") << QByteArray("just text\n");
        QTest::newRow("tag without end") << Tag() + "1.0";
        QTest::newRow("tag with empty version") << Tag() + "\x02";
        QTest::newRow("tag with a line break") << Tag() + "1.0\n\x02";
    }

    void noVersionInOtherFiles()
    {
        QFETCH(QByteArray, content);
        const QString path = m_temp.filePath(QStringLiteral("file.bin"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
        f.close();
        QCOMPARE(GetFileVersionString(path), QString());
        QCOMPARE(GetFileVersionString(m_temp.filePath(QStringLiteral("missing"))), QString());
    }

    void versionFoundInAnotherFile()
    {
        const QString path = m_temp.filePath(QStringLiteral("prog"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QByteArray(100000, '\0') + Tag() + "1.0 \x02" + Tag() + "2.3.4\x02" + QByteArray(10, 'x'));
        f.close();
        QCOMPARE(GetFileVersionString(path), QStringLiteral("2.3.4"));
    }
};

QTEST_GUILESS_MAIN(TestConfig)
#include "test_config.moc"
