// The settings dialog: the keys of config.ini in their controls and back, the page, the reset,
// templates (also made on Windows), files it cannot use, the pickers, the hints, the preview,
// and the two ways the window opens it.

#include "BookFixtures.h"
#include "ButtonEdit.h"
#include "ElidedLabel.h"
#include "GuiTestFolders.h"
#include "ModalAnswer.h"
#include "SettingsFixtures.h"
#include "config/IniFile.h"
#include "frm_Main.h"
#include "frm_Qwery.h"
#include "frm_Setting.h"
#include "list/BookSources.h"
#include "settings/HintPanel.h"
#include "settings/NamePreview.h"
#include "settings/TabFolder.h"
#include "settings/TabGeneral.h"
#include "settings/TabOther.h"
#include "settings/TabPattern.h"
#include "zip/BookArchive.h"
#include "zip/ZipArchive.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include <unistd.h>

namespace {

const QStringList kDialogKeys = {
    "Valid",        "Rename",    "Sort",        "Convert",   "Archive",     "EndDir",        "BadDir",
    "SaveLog",      "LogFile",   "ConvertType", "ZipLevel",  "SortPattern", "NamePattern",   "TranslitDir",
    "TranslitName", "GenreFull", "LastName",    "FirstName", "MiddleName",  "PControlIndex", "ChangeInfo"};

void ShowAll(TfrmSetting &dlg, const TAppSettings &s)
{
    dlg.tabGeneral->Load(s);
    dlg.tabFolder->Load(s);
    dlg.tabPattern->Load(s);
    dlg.tabOther->Load(s);
}

// A control's value as config.ini holds it.
QString ControlValue(const TfrmSetting &dlg, const QString &name)
{
    QWidget *w = dlg.findChild<QWidget *>(name);
    if (auto *chk = qobject_cast<QCheckBox *>(w))
        return chk->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    if (auto *edit = qobject_cast<QLineEdit *>(w))
        return edit->text();
    if (auto *combo = qobject_cast<QComboBox *>(w))
        return combo->currentText();
    return QStringLiteral("<no control %1>").arg(name);
}

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

// The keys of section AUTO in file order.
QStringList AutoKeys(const QString &path)
{
    QStringList keys;
    for (const auto &[key, value] : TIniFile(path).ReadSection(QStringLiteral("AUTO")))
        keys << key;
    return keys;
}

// Answers the next file dialog with this path (accepting it as a user's OK would).
void AnswerFileDialog(const QString &path, std::function<void(QFileDialog *)> check = {})
{
    AnswerNextModal([=](QWidget *m) {
        auto *dlg = qobject_cast<QFileDialog *>(m);
        QVERIFY(dlg);
        if (check)
            check(dlg);
        if (path.isEmpty()) {
            dlg->reject();
            return;
        }
        dlg->selectFile(path);
        // Accepted from the dialog's own loop, as a click would: a direct call from here can
        // leave the loop running while the dialog is hidden.
        QMetaObject::invokeMethod(dlg, "accept", Qt::QueuedConnection);
    });
}

// Catches the box that says what could not be read, keeps its text and closes it.
class TProblemBoxWatch {
public:
    TProblemBoxWatch()
        : m_watch([this](QWidget *w) {
              if (w->objectName() != QLatin1String("SettingsProblemBox"))
                  return;
              m_texts << static_cast<QMessageBox *>(w)->text();
              QTimer::singleShot(0, w, &QWidget::close);
          })
    {}
    const QStringList &Texts() const { return m_texts; }

private:
    TShowWatch m_watch;
    QStringList m_texts;
};

// moc reads raw string literals as code, so the book is written line by line.
const char kBookDescription[] = "<title-info><genre>sf_fantasy</genre>"
                                "<author><first-name>Сергей</first-name><last-name>Лукьяненко</last-name></author>"
                                "<book-title>Ночной дозор</book-title><lang>ru</lang>"
                                "<sequence name='Дозоры' number='1'/></title-info>"
                                "<publish-info><publisher>АСТ</publisher><year>1998</year></publish-info>";

}  // namespace

class TestSettingsDialog : public QObject {
    Q_OBJECT
    QScopedPointer<TGuiTestFolders> m_folders;
    QScopedPointer<TErrorBoxWatch> m_errors;

private slots:
    void init()
    {
        m_folders.reset(new TGuiTestFolders);
        m_errors.reset(new TErrorBoxWatch);
    }
    void cleanup() { QVERIFY2(m_errors->Texts().isEmpty(), qPrintable(m_errors->Texts().join(u'\n'))); }

    void opensWithDefaultsOnTheFirstPage()
    {
        TfrmSetting dlg(nullptr);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Настройки"));
        QCOMPARE(dlg.size(), QSize(700, 453));
        QCOMPARE(dlg.TV->topLevelItemCount(), 4);
        QCOMPARE(dlg.TV->topLevelItem(2)->text(0), QStringLiteral("Шаблоны"));
        QCOMPARE(dlg.SettingPControl->currentIndex(), 0);
        QCOMPARE(dlg.TV->currentItem(), dlg.TV->topLevelItem(0));
        QCOMPARE(SettingsFields(dlg.ControlSettings()), SettingsFields(DefaultAppSettings()));
        QCOMPARE(dlg.LoadProblems(), QString());
        QVERIFY(!QFile::exists(m_folders->Config()));  // opening writes nothing
    }

    void everyKeyShowsInItsControl_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("shown");
        QTest::newRow("Valid") << "Valid"
                               << "0"
                               << "chkValid"
                               << "0";
        QTest::newRow("Rename") << "Rename"
                                << "0"
                                << "chkRename"
                                << "0";
        QTest::newRow("Sort") << "Sort"
                              << "0x0"
                              << "chkSort"
                              << "0";
        QTest::newRow("Convert") << "Convert"
                                 << "-1"
                                 << "chkConvert"
                                 << "1";
        QTest::newRow("Archive") << "Archive"
                                 << "2"
                                 << "chkPack"
                                 << "1";
        QTest::newRow("EndDir") << "EndDir"
                                << "/книги/end"
                                << "btnedEndDir"
                                << "/книги/end";
        QTest::newRow("BadDir") << "BadDir"
                                << "/книги/bad/"
                                << "btnedBadDir"
                                << "/книги/bad/";
        QTest::newRow("SaveLog") << "SaveLog"
                                 << "1"
                                 << "chkSaveLog"
                                 << "1";
        QTest::newRow("LogFile") << "LogFile"
                                 << "/var/tmp/l.txt"
                                 << "btnedLogFile"
                                 << "/var/tmp/l.txt";
        QTest::newRow("ConvertType") << "ConvertType"
                                     << "0x2"
                                     << "cbConvertType"
                                     << "rtf";
        QTest::newRow("ConvertType typed") << "ConvertType"
                                           << "-1"
                                           << "cbConvertType"
                                           << "";
        QTest::newRow("ZipLevel") << "ZipLevel"
                                  << "3"
                                  << "cbZipLevel"
                                  << "Без сжатия";
        QTest::newRow("SortPattern") << "SortPattern"
                                     << "Жанр\\Серия"
                                     << "btnedSort"
                                     << "Жанр\\Серия";
        QTest::newRow("NamePattern") << "NamePattern"
                                     << "\" Серия \""
                                     << "btnedName"
                                     << " Серия ";
        QTest::newRow("TranslitDir") << "TranslitDir"
                                     << "1"
                                     << "chkTranslitDir"
                                     << "1";
        QTest::newRow("TranslitName") << "TranslitName"
                                      << "1"
                                      << "chkTranslitName"
                                      << "1";
        QTest::newRow("GenreFull") << "GenreFull"
                                   << "0"
                                   << "chkGenreFull"
                                   << "0";
        QTest::newRow("LastName") << "LastName"
                                  << "0"
                                  << "chkLast"
                                  << "0";
        QTest::newRow("FirstName") << "FirstName"
                                   << "0"
                                   << "chkFirst"
                                   << "0";
        QTest::newRow("MiddleName") << "MiddleName"
                                    << "1"
                                    << "chkMiddle"
                                    << "1";
        QTest::newRow("ChangeInfo") << "ChangeInfo"
                                    << "0"
                                    << "chkInfoChange"
                                    << "0";
    }

    void everyKeyShowsInItsControl()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QString, control);
        QFETCH(QString, shown);
        WriteAll(m_folders->Config(), ("[FORM]\nWidth=1\n[auto]\n" + key + "=" + value + "\n").toUtf8());
        TfrmSetting dlg(nullptr);
        QCOMPARE(ControlValue(dlg, control), shown);
        QCOMPARE(dlg.LoadProblems(), QString());
    }

    void okWritesTheKeysInOrder()
    {
        TfrmSetting dlg(nullptr);
        ShowAll(dlg, ChangedSettings());
        dlg.tabPattern->btnedName->setText(QStringLiteral("Номер. %tit "));
        dlg.TV->setCurrentItem(dlg.TV->topLevelItem(3));
        AnswerNextModal([](QWidget *m) { m->findChild<QPushButton *>("btnOK")->click(); });
        QCOMPARE(dlg.exec(), int(TfrmSetting::mrOk));
        QCOMPARE(AutoKeys(m_folders->Config()), kDialogKeys);
        QCOMPARE(SettingsFields(ReadAppSettings(TIniFile(m_folders->Config()))),
                 SettingsFields(ChangedSettings()));  // read back trimmed
        QCOMPARE(TIniFile(m_folders->Config()).ReadString("AUTO", "PControlIndex", "?"), QStringLiteral("3"));
        // Texts go as they stand: a folder without its "/" and a pattern's trailing blank too.
        QCOMPARE(TIniFile(m_folders->Config()).ReadString("AUTO", "EndDir", "?"), QStringLiteral("/x/end"));
        QVERIFY(ReadAll(m_folders->Config()).contains("NamePattern=Номер. %tit \n"));
    }

    void loadThenOkKeepsTheFile()
    {
        const QByteArray before = "[FORM]\r\nWidth=640\r\n[AUTO]\r\n; mine\r\n";
        WriteAll(m_folders->Config(), before);
        WriteDialogSettings(TIniFile(m_folders->Config()), ChangedSettings(), 1);
        const QByteArray written = ReadAll(m_folders->Config());
        QVERIFY(written.startsWith(before));
        TfrmSetting dlg(nullptr);
        QCOMPARE(SettingsFields(dlg.ControlSettings()), SettingsFields(ChangedSettings()));
        QCOMPARE(dlg.SettingPControl->currentIndex(), 1);
        dlg.SaveSetting();
        QCOMPARE(ReadAll(m_folders->Config()), written);
    }

    void answers_data()
    {
        QTest::addColumn<QString>("answer");  // a button's name, or "close" for the close box
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("written");
        QTest::newRow("OK") << "btnOK" << 1 << true;
        QTest::newRow("Отмена") << "btnCancel" << 2 << false;
        QTest::newRow("close box") << "close" << 2 << false;
    }

    void answers()
    {
        QFETCH(QString, answer);
        QFETCH(int, result);
        QFETCH(bool, written);
        TfrmSetting dlg(nullptr);
        dlg.tabGeneral->chkSort->setChecked(false);
        AnswerNextModal([&](QWidget *m) {
            // Enter and Escape first: neither closes the dialog.
            for (const int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
                QTest::keyClick(m, Qt::Key(key));
            QVERIFY(m->isVisible());
            if (answer == "close")
                m->close();
            else
                m->findChild<QPushButton *>(answer)->click();
        });
        QCOMPARE(dlg.exec(), result);
        QCOMPARE(QFile::exists(m_folders->Config()), written);
        if (written)
            QVERIFY(!TIniFile(m_folders->Config()).ReadBool("AUTO", "Sort", true));
    }

    void refusedWriteStillClosesWithOk()
    {
        QVERIFY(QDir().mkpath(m_folders->Config()));
        TProblemBoxWatch box;
        TfrmSetting dlg(nullptr);
        dlg.show();
        QTRY_COMPARE(box.Texts().size(), 1);  // the folder in the file's place is said first
        dlg.btnOK->click();
        QCOMPARE(dlg.result(), int(TfrmSetting::mrOk));
        QVERIFY(!dlg.isVisible());
        QCOMPARE(m_errors->Texts(), QStringList{"Unable to write to " + m_folders->Config() + "."});
        m_errors->Clear();
    }

    void pageFollowsTheTreeAndIsStored()
    {
        {
            TfrmSetting dlg(nullptr);
            dlg.TV->setCurrentItem(dlg.TV->topLevelItem(2));
            QCOMPARE(dlg.SettingPControl->currentWidget(), dlg.tabPattern);
            dlg.SettingPControl->setCurrentIndex(1);
            QCOMPARE(dlg.TV->currentItem(), dlg.TV->topLevelItem(1));
            dlg.TV->setCurrentItem(dlg.TV->topLevelItem(2));
            dlg.btnOK->click();
            QCOMPARE(dlg.result(), int(TfrmSetting::mrOk));
        }
        QCOMPARE(TIniFile(m_folders->Config()).ReadInteger("AUTO", "PControlIndex", -1), 2);
        TfrmSetting again(nullptr);
        QCOMPARE(again.SettingPControl->currentIndex(), 2);
        QCOMPARE(again.TV->currentItem(), again.TV->topLevelItem(2));
    }

    // What config.ini holds that the dialog cannot use gives defaults, is said, and stays in
    // the file until OK.
    void unusableConfig_data()
    {
        QTest::addColumn<QByteArray>("bytes");  // empty: a folder in the file's place
        QTest::addColumn<QStringList>("said");
        QTest::addColumn<int>("page");
        QTest::newRow("folder") << QByteArray() << QStringList{"Cannot open"} << 0;
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)
                                << QStringList{"это не файл настроек"} << 0;
        QTest::newRow("text without sections")
            << QByteArray("Valid=0\nhello\n") << QStringList{"это не файл настроек"} << 0;
        QTest::newRow("values out of range")
            << QByteArray("[AUTO]\nConvertType=7\nZipLevel=-2\nValid=yes\nSort=0\nPControlIndex=4\n")
            << QStringList{"ConvertType=7: нет такого значения", "ZipLevel=-2: нет такого значения",
                           "Valid=yes: не число", "PControlIndex=4: нет такого значения"}
            << 0;
        QTest::newRow("page not a number")
            << QByteArray("[AUTO]\nPControlIndex=two\n") << QStringList{"PControlIndex=two: не число"} << 0;
    }

    void unusableConfig()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, said);
        QFETCH(int, page);
        if (bytes.isEmpty())
            QVERIFY(QDir().mkpath(m_folders->Config()));
        else
            WriteAll(m_folders->Config(), bytes);
        TProblemBoxWatch box;
        TfrmSetting dlg(nullptr);
        TAppSettings expected = DefaultAppSettings();
        if (bytes.contains("Sort=0"))
            expected.Sort = false;  // what can be read is read
        QCOMPARE(SettingsFields(dlg.ControlSettings()), SettingsFields(expected));
        QCOMPARE(dlg.SettingPControl->currentIndex(), page);
        QVERIFY(dlg.LoadProblems().contains(m_folders->Config()));
        for (const QString &line : said)
            QVERIFY2(dlg.LoadProblems().contains(line), qPrintable(dlg.LoadProblems()));
        dlg.show();
        QTRY_COMPARE(box.Texts(), QStringList{dlg.LoadProblems()});
        dlg.btnCancel->click();
        if (!bytes.isEmpty())
            QCOMPARE(ReadAll(m_folders->Config()), bytes);
    }

    void resetDeletesTheFileAtOnce()
    {
        WriteAll(m_folders->Config(), "[FORM]\nWidth=640\n[USER]\nSplitterA=200\n");
        WriteDialogSettings(TIniFile(m_folders->Config()), ChangedSettings(), 1);
        UpdateSetting();
        TfrmSetting dlg(nullptr);
        dlg.tabGeneral->btnReset->click();
        QVERIFY(!QFile::exists(m_folders->Config()));
        QCOMPARE(SettingsFields(dlg.ControlSettings()), SettingsFields(DefaultAppSettings()));
        QCOMPARE(dlg.SettingPControl->currentIndex(), 1);  // the page shown stays
        dlg.btnCancel->click();
        QVERIFY(!QFile::exists(m_folders->Config()));
        QCOMPARE(SettingsFields(AppSettings), SettingsFields(ChangedSettings()));  // the program keeps its settings
    }

    void resetOfAFileThatStays()
    {
        QVERIFY(QDir().mkpath(m_folders->Config()));
        TProblemBoxWatch box;
        TfrmSetting dlg(nullptr);
        dlg.tabPattern->btnedSort->setText(QStringLiteral("Год"));
        dlg.tabGeneral->btnReset->click();
        QCOMPARE(m_errors->Texts().size(), 1);
        QVERIFY(m_errors->Texts().constFirst().contains(m_folders->Config()));
        m_errors->Clear();
        QCOMPARE(SettingsFields(dlg.ControlSettings()), SettingsFields(DefaultAppSettings()));
    }

    void templateSavedAndLoaded()
    {
        const QString dir = m_folders->Path("templates/");
        QVERIFY(QDir().mkpath(dir));
        TfrmSetting dlg(nullptr);
        ShowAll(dlg, ChangedSettings());
        AnswerFileDialog(dir + "mine", [&](QFileDialog *f) {
            QCOMPARE(f->windowTitle(), QStringLiteral("Файл настроек"));
            QCOMPARE(f->nameFilters(), QStringList{"Файл настроек(*.orv)"});
            QCOMPARE(f->defaultSuffix(), QStringLiteral("orv"));
            QCOMPARE(f->acceptMode(), QFileDialog::AcceptSave);
            QCOMPARE(QDir(f->directory()).absolutePath(), QDir(UserDir).absolutePath());
        });
        dlg.tabGeneral->btnSaveSetting->click();
        const QString file = dir + "mine.orv";  // the default extension is added
        QVERIFY(QFile::exists(file));
        QCOMPARE(AutoKeys(file), kDialogKeys.mid(0, 19));
        QVERIFY(!QFile::exists(m_folders->Config()));

        dlg.tabGeneral->btnReset->click();
        dlg.tabGeneral->chkInfoChange->setChecked(true);
        AnswerFileDialog(file, [&](QFileDialog *f) {
            QCOMPARE(f->windowTitle(), QStringLiteral("Файл настроек"));
            QCOMPARE(f->nameFilters(), QStringList{"Файлы настроек (*.orv)"});
            QCOMPARE(f->acceptMode(), QFileDialog::AcceptOpen);
        });
        dlg.tabGeneral->btnLoadSetting->click();
        TAppSettings expected = ChangedSettings();
        expected.ChangeInfo = true;  // a template never changes it
        QCOMPARE(SettingsFields(dlg.ControlSettings()), SettingsFields(expected));
        QVERIFY(!QFile::exists(m_folders->Config()));  // only OK writes config.ini
    }

    void cancelledTemplateDialogsChangeNothing()
    {
        TfrmSetting dlg(nullptr);
        dlg.tabPattern->btnedSort->setText(QStringLiteral("Год"));
        const QStringList before = SettingsFields(dlg.ControlSettings());
        AnswerFileDialog(QString());
        dlg.tabGeneral->btnLoadSetting->click();
        AnswerFileDialog(QString());
        dlg.tabGeneral->btnSaveSetting->click();
        QCOMPARE(SettingsFields(dlg.ControlSettings()), before);
        QCOMPARE(QDir(UserDir).entryList({"*.orv"}, QDir::Files), QStringList());
    }

    // Templates made on Windows: ANSI (CP1251), UTF-16 with its mark, CR LF.
    void windowsTemplates_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QString text =
            QStringLiteral("[AUTO]\r\nValid=0\r\nEndDir=D:\\Книги\\Готово\\\r\nNamePattern=Фамилия Имя. Название\r\n"
                           "ZipLevel=1\r\nChangeInfo=0\r\n");
        QStringEncoder cp1251("windows-1251");
        QStringEncoder utf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
        QTest::newRow("CP1251") << QByteArray(cp1251.encode(text));
        QTest::newRow("UTF-16LE") << QByteArray(utf16.encode(text));
        QTest::newRow("UTF-8 CR LF") << text.toUtf8();
    }

    void windowsTemplates()
    {
        QFETCH(QByteArray, bytes);
        const QString file = m_folders->Path("windows.orv");
        WriteAll(file, bytes);
        TfrmSetting dlg(nullptr);
        dlg.tabGeneral->chkInfoChange->setChecked(true);
        dlg.tabPattern->btnedSort->setText(QStringLiteral("Год"));
        TProblemBoxWatch box;
        AnswerFileDialog(file);
        dlg.tabGeneral->btnLoadSetting->click();
        QCOMPARE(box.Texts(), QStringList());
        TAppSettings expected = DefaultAppSettings();
        expected.Valid = false;
        expected.EndDir = QStringLiteral("D:\\Книги\\Готово\\");
        expected.NamePattern = QStringLiteral("Фамилия Имя. Название");
        expected.ZipLevel = 1;
        QCOMPARE(SettingsFields(dlg.ControlSettings()),
                 SettingsFields(expected));  // the missing SortPattern is the default
    }

    void unusableTemplates_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<QString>("said");
        QTest::newRow("picture") << QByteArray("GIF89a\x01\0\x01\0\0\0\0;", 14) << false << "это не файл настроек";
        QTest::newRow("no section AUTO") << QByteArray("[FORM]\nWidth=3\n") << true << "раздела [AUTO]";
        QTest::newRow("value out of range")
            << QByteArray("[AUTO]\nConvertType=9\nSort=0\n") << true << "ConvertType=9: нет такого значения";
    }

    void unusableTemplates()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, loaded);
        QFETCH(QString, said);
        const QString file = m_folders->Path("bad.orv");
        WriteAll(file, bytes);
        TfrmSetting dlg(nullptr);
        dlg.tabOther->cbConvertType->setCurrentIndex(1);
        dlg.tabPattern->btnedSort->setText(QStringLiteral("Год"));
        const TAppSettings before = dlg.ControlSettings();
        TProblemBoxWatch box;
        AnswerFileDialog(file);
        dlg.tabGeneral->btnLoadSetting->click();
        QCOMPARE(box.Texts().size(), 1);
        QVERIFY2(box.Texts().constFirst().contains(said), qPrintable(box.Texts().constFirst()));
        QVERIFY(box.Texts().constFirst().contains(file));
        const TAppSettings after = dlg.ControlSettings();
        if (!loaded) {
            QCOMPARE(SettingsFields(after), SettingsFields(before));
        } else {
            QCOMPARE(after.ConvertType, 0);  // the default stands in
            QCOMPARE(after.SortPattern, DefaultAppSettings().SortPattern);
        }
    }

    void templateThatCannotBeWritten_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::newRow("system folder") << "/sys/";
        QTest::newRow("read-only folder") << "";
    }

    void templateThatCannotBeWritten()
    {
        QFETCH(QString, folder);
        if (folder.isEmpty()) {
            if (::geteuid() == 0)
                QSKIP("root writes into read-only folders");
            folder = m_folders->Path("ro/");
            QVERIFY(QDir().mkpath(folder));
            QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        }
        TfrmSetting dlg(nullptr);
        dlg.show();
        AnswerFileDialog(folder + "orvane-test.orv");
        dlg.tabGeneral->btnSaveSetting->click();
        QCOMPARE(m_errors->Texts(), QStringList{"Unable to write to " + folder + "orvane-test.orv."});
        m_errors->Clear();
        QVERIFY(dlg.isVisible());
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    void logFileAndTemplateShareTheSaveDialog()
    {
        const QString dir = m_folders->Path("logs/");
        QVERIFY(QDir().mkpath(dir));
        TfrmSetting dlg(nullptr);
        AnswerFileDialog(dir + "run", [](QFileDialog *f) {
            QCOMPARE(f->windowTitle(), QStringLiteral("Файл лога"));
            QCOMPARE(f->nameFilters(), QStringList{"Файл лога(*.txt)"});
            QCOMPARE(f->defaultSuffix(), QStringLiteral("txt"));
        });
        dlg.tabGeneral->btnedLogFile->RightButton()->click();
        QCOMPARE(dlg.tabGeneral->btnedLogFile->text(), dir + "run.txt");
        QVERIFY(!QFile::exists(dir + "run.txt"));  // neither created nor tested

        QString startsAt;
        AnswerFileDialog(QString(), [&](QFileDialog *f) { startsAt = f->selectedFiles().value(0); });
        dlg.tabGeneral->btnSaveSetting->click();
        QCOMPARE(startsAt, dir + "run.txt");
        AnswerFileDialog(QString());
        dlg.tabGeneral->btnedLogFile->RightButton()->click();
        QCOMPARE(dlg.tabGeneral->btnedLogFile->text(), dir + "run.txt");  // cancel changes nothing
    }

    void folderPickerEndsWithSlash_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::newRow("EndDir") << "btnedEndDir";
        QTest::newRow("BadDir") << "btnedBadDir";
    }

    void folderPickerEndsWithSlash()
    {
        QFETCH(QString, edit);
        const QString dir = m_folders->Path("picked");
        QVERIFY(QDir().mkpath(dir));
        TfrmSetting dlg(nullptr);
        auto *field = dlg.findChild<TButtonedEdit *>(edit);
        AnswerNextModal([&](QWidget *m) {
            auto *f = qobject_cast<QFileDialog *>(m);
            QVERIFY(f);
            QCOMPARE(f->windowTitle(), QStringLiteral("Выберите каталог"));
            f->setDirectory(dir);
            QMetaObject::invokeMethod(f, "accept", Qt::QueuedConnection);
        });
        field->RightButton()->click();
        QCOMPARE(field->text(), dir + "/");
        AnswerNextModal([](QWidget *m) { static_cast<QDialog *>(m)->reject(); });
        field->RightButton()->click();
        QCOMPARE(field->text(), dir + "/");
    }

    void hints_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("hint");
        QTest::newRow("OK") << "btnOK"
                            << "Сохраняет текущие настройки и закрывает окно";
        QTest::newRow("reset") << "btnReset"
                               << "Восстанавливает настройки по умолчанию";
        QTest::newRow("check box")
            << "chkInfoChange"
            << "Информация о книге будет показываться при выборе. Если не отмечено - при нажатии на кнопку";
        QTest::newRow("inner quotes")
            << "chkGenreFull"
            << "Названия жанров будут прописаны полностью. Т.е. вместо \"sf_fantasy\" - \"Фэнтези\"";
        QTest::newRow("log file") << "btnedLogFile"
                                  << "Выбор имени файла лога";
        QTest::newRow("name label") << "lblPatternA"
                                    << "Редактирование шаблона нового имени файла";
        QTest::newRow("name field") << "btnedName"
                                    << "Редактирование шаблона нового имени файла";
        QTest::newRow("folder label") << "lblFolderB"
                                      << "Папка в которую попадают файлы не прошедшие валидацию";
        QTest::newRow("list label") << "lblOtherB"
                                    << "Уровень сжатия файлов в zip архивах";
    }

    void hints()
    {
        QFETCH(QString, control);
        QFETCH(QString, hint);
        TfrmSetting dlg(nullptr);
        QWidget *w = dlg.findChild<QWidget *>(control);
        QVERIFY(w);
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(w, &enter);
        QCOMPARE(dlg.pnHint->text(), hint);
        // A control without a hint leaves the panel as it is.
        QCoreApplication::sendEvent(dlg.tabOther->cbZipLevel, &enter);
        QCOMPARE(dlg.pnHint->text(), hint);
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(w, &leave);
        QCOMPARE(dlg.pnHint->text(), QString());
    }

    void helpButtonsOpenTheirPages_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("context");
        QTest::newRow("Основное") << "btnHelpA" << 1014;
        QTest::newRow("Папки") << "btnHelpB" << 1015;
        QTest::newRow("Шаблоны") << "btnHelpC" << 1016;
        QTest::newRow("Прочие") << "btnHelpD" << 1017;
    }

    void helpButtonsOpenTheirPages()
    {
        QFETCH(QString, button);
        QFETCH(int, context);
        // The delivered help pages beside the test's program.
        QFile::link(QStringLiteral(ORVANE_BIN_DIR "/help"), HelpDir.chopped(1));
        TfrmSetting dlg(nullptr);
        dlg.findChild<QToolButton *>(button)->click();
        auto *help = dlg.findChild<QWidget *>("HelpWindow");
        QVERIFY(help);
        auto *browser = help->findChild<QTextBrowser *>("HelpBrowser");
        QCOMPARE(browser->source().fileName(), QString::number(context) + ".html");
        help->close();
    }

    void previewFollowsTheSettings()
    {
        TfrmSetting dlg(nullptr);
        TNamePreview *p = dlg.tabPattern->Preview;
        QCOMPARE(p->lblName->toolTip(), QStringLiteral("Файл: Чехов Антон - Дама с собачкой.fb2"));
        QCOMPARE(p->lblFolder->toolTip(), QStringLiteral("Папка: Ч/Чехов Антон/"));
        dlg.tabPattern->btnedName->setText(QStringLiteral("Название (Год)"));
        QCOMPARE(p->lblName->toolTip(), QStringLiteral("Файл: Дама с собачкой (2015).fb2"));
        dlg.tabPattern->btnedSort->setText(QStringLiteral("Жанр\\Серия"));
        dlg.tabPattern->chkGenreFull->setChecked(false);
        QCOMPARE(p->lblFolder->toolTip(), QStringLiteral("Папка: prose_classic/Рассказы/"));
        dlg.tabPattern->chkTranslitDir->setChecked(true);
        QCOMPARE(p->lblFolder->toolTip(), QStringLiteral("Папка: prose_classic/Rasskazy/"));
        dlg.tabGeneral->chkConvert->setChecked(true);
        dlg.tabGeneral->chkPack->setChecked(true);
        dlg.tabOther->cbConvertType->setCurrentIndex(1);
        QCOMPARE(p->lblName->toolTip(), QStringLiteral("Файл: Дама с собачкой (2015).html.zip"));
        dlg.tabGeneral->chkRename->setChecked(false);
        dlg.tabGeneral->chkSort->setChecked(false);
        QCOMPARE(p->lblName->toolTip(), QStringLiteral("Файл: book.html.zip"));
        QCOMPARE(p->lblFolder->toolTip(), QStringLiteral("Папка: папка для обработанных файлов"));
    }

    void previewOfTheSelectedBook_data()
    {
        QTest::addColumn<bool>("readable");
        QTest::addColumn<bool>("packed");
        QTest::newRow("book") << true << false;
        QTest::newRow("archive entry") << true << true;
        QTest::newRow("not a book") << false << false;
    }

    void previewOfTheSelectedBook()
    {
        QFETCH(bool, readable);
        QFETCH(bool, packed);
        QTemporaryDir books;
        const QString path = WriteFixture(
            books, "dozor.fb2", readable ? Fb2BookWithDescription(kBookDescription) : QByteArray("<FictionBook>"));
        TListEntry entry;
        entry.FileName = "dozor.fb2";
        entry.FileDir = books.path() + "/";
        if (packed) {
            TZipArchive zip;
            BookArchive(zip, books.filePath("dozor"), path);
            QVERIFY(QFile::remove(path));
            const QList<TListEntry> rows = BookSourceRows(books.filePath("dozor.zip"));
            QCOMPARE(rows.size(), 1);
            entry = rows.constFirst();
        }
        TfrmSetting dlg(nullptr);
        TNamePreview *p = dlg.tabPattern->Preview;
        QSignalSpy read(p, &TNamePreview::BookRead);
        dlg.SetPreviewBook(entry);
        QVERIFY(p->Busy());
        QVERIFY(read.wait(5000));
        QVERIFY(!p->Busy());
        if (readable) {
            QCOMPARE(p->lblName->toolTip(), QStringLiteral("Файл: Лукьяненко Сергей - Ночной дозор.fb2"));
            QCOMPARE(p->lblFolder->toolTip(), QStringLiteral("Папка: Л/Лукьяненко Сергей/"));
            QCOMPARE(p->lblBook->toolTip(), QStringLiteral("Книга: dozor.fb2"));
        } else {
            QCOMPARE(p->lblName->toolTip(), QStringLiteral("Файл: Чехов Антон - Дама с собачкой.fb2"));
            QVERIFY(p->lblBook->toolTip().contains(QStringLiteral("не читается")));
        }
    }

    // The settings command and the query's "Настроить" both open the dialog; OK reloads
    // AppSettings, and "Настроить" starts no run.
    void windowOpensTheDialog_data()
    {
        QTest::addColumn<bool>("fromQuery");
        QTest::addColumn<QString>("answer");
        QTest::newRow("Настройки, OK") << false << "btnOK";
        QTest::newRow("Настройки, Отмена") << false << "btnCancel";
        QTest::newRow("Настроить, OK") << true << "btnOK";
        QTest::newRow("Настроить, Отмена") << true << "btnCancel";
    }

    void windowOpensTheDialog()
    {
        QFETCH(bool, fromQuery);
        QFETCH(QString, answer);
        TorvMain w;
        QVERIFY(AppSettings.Sort);
        bool opened = false;
        const auto settings = [&](QWidget *m) {
            auto *dlg = qobject_cast<TfrmSetting *>(m);
            QVERIFY(dlg);
            opened = true;
            QCOMPARE(dlg->parentWidget(), &w);
            dlg->tabGeneral->chkSort->setChecked(false);
            dlg->tabPattern->btnedName->setText(QStringLiteral("Название"));
            dlg->findChild<QPushButton *>(answer)->click();
        };
        if (fromQuery) {
            AnswerNextModal([&](QWidget *m) {
                auto *q = qobject_cast<TfrmQwery *>(m);
                QVERIFY(q);
                AnswerNextModal(settings);
                q->btnSets->click();
            });
            w.mmRun->trigger();
        } else {
            AnswerNextModal(settings);
            w.mmSetting->trigger();
        }
        QVERIFY(opened);
        const bool ok = answer == "btnOK";
        QCOMPARE(AppSettings.Sort, !ok);
        QCOMPARE(AppSettings.NamePattern, ok ? QStringLiteral("Название") : DefaultAppSettings().NamePattern);
        QVERIFY(!w.findChild<TfrmSetting *>());
    }
};

QTEST_MAIN(TestSettingsDialog)
#include "test_settings_dialog.moc"
