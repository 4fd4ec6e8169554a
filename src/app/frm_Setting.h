#pragma once
// The settings dialog "Настройки": every processing setting of config.ini on four pages reached
// through the tree, templates, the reset, and a hint panel. It works on the file only: it reads
// config.ini when it is made and writes it on OK; whoever opened it reloads AppSettings after an
// OK. Neither Enter nor Escape closes it; the close box is "Отмена".

#include "config/AppSettings.h"
#include "list/ListEntry.h"

#include "ProgramDialog.h"

class QFileDialog;
class QPushButton;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;
class TButtonedEdit;
class THintPanel;
class TSettingPage;
class TTabFolder;
class TTabGeneral;
class TTabOther;
class TTabPattern;

class TfrmSetting : public TProgramDialog {
    Q_OBJECT
public:
    enum TModalResult { mrOk = 1, mrCancel = 2 };

    explicit TfrmSetting(QWidget *owner);
    ~TfrmSetting() override;

    // The book of this list row stands in the name preview instead of the built-in one.
    void SetPreviewBook(const TListEntry &entry);

    QTreeWidget *TV;
    QStackedWidget *SettingPControl;
    TTabGeneral *tabGeneral;
    TTabFolder *tabFolder;
    TTabPattern *tabPattern;
    TTabOther *tabOther;
    THintPanel *pnHint;
    QPushButton *btnOK, *btnCancel;

    void FormCreate();
    // Fills the controls and the page from config.ini.
    void LoadSetting();
    // Writes the controls and the page to config.ini.
    void SaveSetting();
    void btnOKClick();
    void btnResetClick();
    void LoadTemplate();
    void SaveTemplate();
    void LoadDirectory(TButtonedEdit *sender);
    void LoadLogFile();
    void ShowPatternForm(TButtonedEdit *sender);
    void TVChange(QTreeWidgetItem *node);
    void SettingPControlChange(int page);
    void ShowContextHelp(QObject *sender);

    // The settings as the controls show them.
    TAppSettings ControlSettings() const;
    // What LoadSetting could not read from config.ini; the dialog says it once it shows.
    const QString &LoadProblems() const { return m_loadProblems; }

protected:
    void showEvent(QShowEvent *e) override;

private:
    void CreateParts();
    void ShowSettings(const TAppSettings &settings);
    void UpdatePreview();
    // The file-save dialog that the log file and the template share.
    QFileDialog &SaveDialog(const QString &title, const QString &filter, const QString &suffix);

    QList<TSettingPage *> m_pages;  // in the order of the tree's nodes
    QFileDialog *m_saveDialog = nullptr;
    QString m_lastSaveName;
    QString m_loadProblems;
    bool m_shown = false;
};
