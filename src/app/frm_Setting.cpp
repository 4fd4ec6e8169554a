#include "frm_Setting.h"

#include "AppErrors.h"
#include "ButtonEdit.h"
#include "Help.h"
#include "OpenDialogs.h"
#include "config/Folders.h"
#include "config/IniFile.h"
#include "config/SettingsFile.h"
#include "frm_Name.h"
#include "frm_Sort.h"
#include "globals/Errors.h"
#include "settings/HintPanel.h"
#include "settings/NamePreview.h"
#include "settings/TabFolder.h"
#include "settings/TabGeneral.h"
#include "settings/TabOther.h"
#include "settings/TabPattern.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString kTemplateTitle = QStringLiteral("Файл настроек");

void ShowProblems(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Настройки"), text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("SettingsProblemBox"));
    box.exec();
}

}  // namespace

TfrmSetting::TfrmSetting(QWidget *owner) : TProgramDialog(owner)
{
    setObjectName(QStringLiteral("frmSetting"));
    setWindowTitle(QStringLiteral("Настройки"));
    CreateParts();
    FormCreate();
}

TfrmSetting::~TfrmSetting() = default;

void TfrmSetting::CreateParts()
{
    TV = new QTreeWidget(this);
    TV->setObjectName(QStringLiteral("TV"));
    TV->setFixedWidth(230);
    TV->setHeaderHidden(true);
    TV->setRootIsDecorated(false);
    TV->setColumnCount(1);

    SettingPControl = new QStackedWidget(this);
    SettingPControl->setObjectName(QStringLiteral("SettingPControl"));
    tabGeneral = new TTabGeneral;
    tabFolder = new TTabFolder;
    tabPattern = new TTabPattern;
    tabOther = new TTabOther;
    m_pages = {tabGeneral, tabFolder, tabPattern, tabOther};
    for (TSettingPage *page : m_pages) {
        SettingPControl->addWidget(page);
        connect(page, &TSettingPage::Changed, this, &TfrmSetting::UpdatePreview);
        connect(page->btnHelp, &QToolButton::clicked, this, [this, page] { ShowContextHelp(page->btnHelp); });
    }
    for (const QString &node :
         {QStringLiteral("Основное"), QStringLiteral("Папки"), QStringLiteral("Шаблоны"), QStringLiteral("Прочие")})
        TV->addTopLevelItem(new QTreeWidgetItem(TV, {node}));

    pnHint = new THintPanel(this);

    auto *right = new QVBoxLayout;
    right->setContentsMargins(0, 0, 0, 0);
    right->setSpacing(3);
    right->addWidget(SettingPControl, 1);
    right->addWidget(pnHint);
    auto *top = new QHBoxLayout;
    top->setContentsMargins(4, 4, 4, 4);
    top->setSpacing(4);
    top->addWidget(TV);
    top->addLayout(right, 1);

    btnOK = DialogButton(QStringLiteral("OK"), QStringLiteral("btnOK"), this);
    btnCancel = DialogButton(QStringLiteral("Отмена"), QStringLiteral("btnCancel"), this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(top, 1);
    layout->addWidget(ButtonPanel(this, {btnOK}, btnCancel));
    setFixedSize(700, 453);

    connect(TV, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *node) { TVChange(node); });
    connect(SettingPControl, &QStackedWidget::currentChanged, this, &TfrmSetting::SettingPControlChange);
    connect(btnOK, &QPushButton::clicked, this, [this] {
        // The result is OK before the keys are written, so a refused write still closes the
        // dialog with OK (after the error box), and the caller reloads what was written.
        setResult(mrOk);
        RunCommand(this, [this] { btnOKClick(); });
        done(mrOk);
    });
    connect(btnCancel, &QPushButton::clicked, this, [this] { done(mrCancel); });
    connect(tabGeneral->btnLoadSetting, &QPushButton::clicked, this,
            [this] { RunCommand(this, [this] { LoadTemplate(); }); });
    connect(tabGeneral->btnSaveSetting, &QPushButton::clicked, this,
            [this] { RunCommand(this, [this] { SaveTemplate(); }); });
    connect(tabGeneral->btnReset, &QPushButton::clicked, this,
            [this] { RunCommand(this, [this] { btnResetClick(); }); });
    connect(tabGeneral->btnedLogFile, &TButtonedEdit::RightButtonClick, this, &TfrmSetting::LoadLogFile);
    for (TButtonedEdit *folder : {tabFolder->btnedEndDir, tabFolder->btnedBadDir})
        connect(folder, &TButtonedEdit::RightButtonClick, this, [this, folder] { LoadDirectory(folder); });
    for (TButtonedEdit *pattern : {tabPattern->btnedName, tabPattern->btnedSort})
        connect(pattern, &TButtonedEdit::RightButtonClick, this, [this, pattern] { ShowPatternForm(pattern); });
}

void TfrmSetting::FormCreate()
{
    // The pages have no tabs: the tree is the one way to them, node i showing page i.
    LoadSetting();
    pnHint->WatchControls(this);
}

void TfrmSetting::ShowSettings(const TAppSettings &settings)
{
    for (TSettingPage *page : m_pages)
        page->Load(settings);
    UpdatePreview();
}

TAppSettings TfrmSetting::ControlSettings() const
{
    TAppSettings settings = DefaultAppSettings();
    for (const TSettingPage *page : m_pages)
        page->Store(settings);
    return settings;
}

void TfrmSetting::LoadSetting()
{
    const QString config = ConfigIniPath();
    const TSettingsFileRead read = ReadDialogSettings(config);
    SettingPControl->setCurrentIndex(read.Page);
    TV->setCurrentItem(TV->topLevelItem(read.Page));
    ShowSettings(read.Settings);
    m_loadProblems = read.Problems.isEmpty() ? QString() : SettingsProblemsText(config, read.Problems, true);
}

void TfrmSetting::SaveSetting()
{
    WriteDialogSettings(TIniFile(ConfigIniPath()), ControlSettings(), SettingPControl->currentIndex());
}

void TfrmSetting::btnOKClick() { SaveSetting(); }

void TfrmSetting::btnResetClick()
{
    // The controls show the defaults even when the file could not be deleted: OK writes them.
    QString failure;
    try {
        DeleteConfigFile(ConfigIniPath());
    } catch (const EOrvane &e) {
        failure = e.Message();
    }
    ShowSettings(DefaultAppSettings());
    if (!failure.isEmpty())
        throw EOrvane(failure);
}

void TfrmSetting::LoadTemplate()
{
    QFileDialog dlgOpen(this, kTemplateTitle, UserDir, QStringLiteral("Файлы настроек (*.orv)"));
    dlgOpen.setObjectName(QStringLiteral("dlgOpen"));
    dlgOpen.setOption(QFileDialog::DontUseNativeDialog);  // Qt's own dialog speaks Russian
    dlgOpen.setFileMode(QFileDialog::ExistingFile);
    dlgOpen.setAcceptMode(QFileDialog::AcceptOpen);
    if (dlgOpen.exec() != QDialog::Accepted || dlgOpen.selectedFiles().isEmpty())
        return;
    const QString file = dlgOpen.selectedFiles().constFirst();
    const TSettingsFileRead read = ReadSettingsTemplate(file, ControlSettings());
    if (read.FileRead)
        ShowSettings(read.Settings);
    if (!read.Problems.isEmpty())
        ShowProblems(this, SettingsProblemsText(file, read.Problems, read.FileRead));
}

QFileDialog &TfrmSetting::SaveDialog(const QString &title, const QString &filter, const QString &suffix)
{
    if (!m_saveDialog) {
        m_saveDialog = new QFileDialog(this, title, UserDir);
        m_saveDialog->setObjectName(QStringLiteral("dlgSave"));
        m_saveDialog->setOption(QFileDialog::DontUseNativeDialog);
        m_saveDialog->setAcceptMode(QFileDialog::AcceptSave);
        m_saveDialog->setFileMode(QFileDialog::AnyFile);
        // A template updates its keys and keeps the rest; the log is written anew by each run.
        m_saveDialog->setOption(QFileDialog::DontConfirmOverwrite);
    }
    m_saveDialog->setWindowTitle(title);
    m_saveDialog->setNameFilter(filter);
    m_saveDialog->setDefaultSuffix(suffix);
    // The name chosen last, for the log or the template, is where the dialog starts again.
    if (!m_lastSaveName.isEmpty())
        m_saveDialog->selectFile(m_lastSaveName);
    return *m_saveDialog;
}

void TfrmSetting::SaveTemplate()
{
    QFileDialog &dlgSave = SaveDialog(kTemplateTitle, QStringLiteral("Файл настроек(*.orv)"), QStringLiteral("orv"));
    if (dlgSave.exec() != QDialog::Accepted || dlgSave.selectedFiles().isEmpty())
        return;
    m_lastSaveName = dlgSave.selectedFiles().constFirst();
    WriteSettingsTemplate(m_lastSaveName, ControlSettings());
}

void TfrmSetting::LoadLogFile()
{
    QFileDialog &dlgSave =
        SaveDialog(QStringLiteral("Файл лога"), QStringLiteral("Файл лога(*.txt)"), QStringLiteral("txt"));
    if (dlgSave.exec() != QDialog::Accepted || dlgSave.selectedFiles().isEmpty())
        return;
    m_lastSaveName = dlgSave.selectedFiles().constFirst();
    tabGeneral->btnedLogFile->setText(m_lastSaveName);
}

void TfrmSetting::LoadDirectory(TButtonedEdit *sender)
{
    const QString folder = AskBookFolder(this);
    if (!folder.isEmpty())
        sender->setText(folder);
}

void TfrmSetting::ShowPatternForm(TButtonedEdit *sender)
{
    if (sender == tabPattern->btnedName) {
        TfrmName editor(this);
        editor.edtNName->setText(sender->text());
        if (editor.exec() == TfrmName::mrOk)
            sender->setText(editor.edtNName->text());
    } else if (sender == tabPattern->btnedSort) {
        TfrmSort editor(this);
        editor.edtSDir->setText(sender->text());
        if (editor.exec() == TfrmSort::mrOk)
            sender->setText(editor.edtSDir->text());
    }
}

void TfrmSetting::TVChange(QTreeWidgetItem *node)
{
    const int page = TV->indexOfTopLevelItem(node);
    if (page >= 0)
        SettingPControl->setCurrentIndex(page);
}

void TfrmSetting::SettingPControlChange(int page)
{
    if (QTreeWidgetItem *node = TV->topLevelItem(page); node && TV->currentItem() != node)
        TV->setCurrentItem(node);
}

void TfrmSetting::ShowContextHelp(QObject *sender)
{
    int context = 0;
    for (const TSettingPage *page : m_pages)
        if (sender == page->btnHelp)
            context = page->HelpContext;
    ShowHelp(this, context);
}

void TfrmSetting::SetPreviewBook(const TListEntry &entry)
{
    tabPattern->Preview->SetEntry(entry, TempDir + QStringLiteral("preview/"));
}

void TfrmSetting::UpdatePreview() { tabPattern->Preview->Show(ControlSettings()); }

void TfrmSetting::showEvent(QShowEvent *e)
{
    TProgramDialog::showEvent(e);
    if (!m_shown) {
        m_shown = true;
        // What config.ini held that could not be used is said over the dialog, once it is up.
        if (!m_loadProblems.isEmpty())
            QTimer::singleShot(0, this, [this] {
                if (isVisible())
                    ShowProblems(this, m_loadProblems);
            });
    }
}
