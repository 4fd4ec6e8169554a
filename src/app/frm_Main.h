#pragma once
// The main window: tool bar, menus, the file list, the information panel, the status bar,
// and the commands behind them. Rules about books, files and archives live in the core.

#include "FileListModel.h"
#include "FileListView.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>

class QAction;
class QLabel;
class QMenu;
class QTextBrowser;
class QTimer;
class TBookInfoPanel;
class TBookInfoView;
class QToolBar;
class QToolButton;
class TElidedLabel;
class TSizeSplitter;
class TfrmProgress;
class TfrmReport;
class TUpdateCheck;

class TorvMain : public QMainWindow {
    Q_OBJECT
public:
    // Builds the window and runs FormCreate with these command-line paths.
    explicit TorvMain(const QStringList &arguments = {}, QWidget *parent = nullptr);
    ~TorvMain() override;

    // Commands (tool bar, menus, context menu).
    void OpenFiles();
    void OpenDirectory();
    // The .fb2 files and .zip archives of a folder and all its subfolders.
    void OpenDirectoryTree();
    void ExitApp();
    void StartAutoProcessing();
    // "Предпросмотр": what a run would do to the ticked rows; from there, the run of those rows.
    void ShowPreview();
    // "Отменить последнюю обработку": the newest run not undone, taken back from its journal.
    void UndoLastRun();
    void ShowBookInfo();
    // The list's selection moved to this row (-1: none).
    void VSTChange(int row);
    void SelectAll();
    void ShowSetting();
    void ClearList();
    // Removes the selected rows; during a run only those it has already passed.
    void RemoveFromList();
    void btnHelpClick();
    void btnCancelClick();
    void GetUpdate();
    void ShowAbout();

    // The one way into the list: a .fb2 file gives one row, a .zip its .fb2 entries.
    void AddBook(const QString &fName);
    // Paths dropped on the window, in their order; stops at the first that fails.
    void FilesDropped(const QStringList &names);

    void BookProcessing();
    // The run over these rows (the ones a preview showed).
    void BookProcessing(const TRunRows &rows);
    // Enables or disables the six tool buttons a run must not be disturbed by.
    void Buttons(bool enable);
    // The number of rows in the checked state.
    int CheckCount() const;
    bool Running() const { return m_running; }

    void UpdateSetting();
    void LoadSetting();
    void SaveSetting();

    // Sorting by a column header (tag 1 name, 2 size); the direction is shared and flips.
    void VSTHeaderClick(int column);

    // The window's parts, named as the program names them.
    QToolBar *pnToolBar;
    QToolButton *btnOpenDir, *btnRun, *btnInfo, *btnUpdate, *btnSetting, *btnCancel, *btnHelp;
    TFileListView *VST;
    TFileListModel *Model;
    TSizeSplitter *Splitter;
    QWidget *pnSize, *pnRight;
    TBookInfoView *wb;
    TBookInfoPanel *InfoPanel;
    QLabel *lblCount;
    TElidedLabel *lblCurrentFile;
    QMenu *mmFile, *mmTools, *mmResume, *pmVST;
    QAction *mmUndo = nullptr, *mmPreview = nullptr, *pmPreview = nullptr;
    QAction *mmOpen, *mmOpenDir, *mmOpenTree, *mmExit, *mmRun, *mmInfo, *mmSelect, *mmSetting, *mmHelp, *mmUpdate,
        *mmAbout;
    QAction *pmInfo, *pmSelect, *pmDelete, *pmRun, *pmSetting, *pmExit;
    QTimer *Timer;
    TUpdateCheck *Updater;
    QIcon ilSys[2];  // 0: .zip, 1: .fb2

    bool AllChecked = false;
    Qt::SortOrder SortDirection = Qt::AscendingOrder;

protected:
    void closeEvent(QCloseEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void dragEnterEvent(QDragEnterEvent *e) override;
    void dropEvent(QDropEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void CreateParts();
    void CreateToolBar();
    void CreateMenus();
    void CreateList();
    void CreatePanel();
    void CreateStatusBar();
    QAction *Command(const QString &name, const QString &caption, const QKeySequence &key, const QIcon &icon,
                     void (TorvMain::*command)());
    QToolButton *ToolButton(const QString &name, const QString &hint, const QIcon &icon, void (TorvMain::*command)());

    void FormCreate(const QStringList &arguments);
    void FormClose();
    void TimerTimer();
    void pnSizeResize();
    void ShowCount();
    void SetRunTitle(int percent);
    void DeleteTempFolder();
    // Tells the user that no row is ticked, when none is; a run would end at once, silently.
    bool NothingTicked();

    bool m_running = false;
    TRunRows::RowId m_runRow = TRunRows::NoRow;  // the row the run has in hand
    bool m_closeAfterRun = false;
    bool m_shown = false;
    bool m_panelApplied = false;
    int m_sortColumn = -1;
    bool m_closed = false;
    int m_panelWidth = 320;
    QString m_settingsProblem;  // the one the user was last told of
    TfrmProgress *m_progress = nullptr;
    QPointer<TfrmReport> m_report;  // the last run's report while it is open
};
