#include "frm_Main.h"

#include "journal/JournalFiles.h"
#include "journal/RunJournal.h"
#include "undo/UndoLastRun.h"

#include "About.h"
#include "AppErrors.h"
#include "BookInfoPanel.h"
#include "BookInfoView.h"
#include "ElidedLabel.h"
#include "FileListView.h"
#include "FolderTreeReader.h"
#include "Help.h"
#include "Icons.h"
#include "OpenDialogs.h"
#include "SizeSplitter.h"
#include "UpdateCheck.h"
#include "config/AppSettings.h"
#include "config/Folders.h"
#include "config/IniFile.h"
#include "config/Version.h"
#include "frm_Progress.h"
#include "frm_Qwery.h"
#include "frm_Report.h"
#include "frm_Setting.h"
#include "globals/DeleteFolderTree.h"
#include "globals/Errors.h"
#include "list/BookSources.h"
#include "list/ListOrder.h"
#include "preview/frm_Preview.h"
#include "run/ProcessingRun.h"
#include "run/RowSubset.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QProgressBar>
#include <QScopeGuard>
#include <QScreen>
#include <QStatusBar>
#include <QTableView>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const QString kCountCaption = QStringLiteral("Файлов: ");
const QString kForm = QStringLiteral("FORM");
const QString kUser = QStringLiteral("USER");

TIniFile ConfigFile() { return TIniFile(ConfigIniPath()); }

// Commands that add many files let the window live between files; handling pending events
// every few milliseconds instead of after every file keeps large folders fast.
class TMessagePump {
public:
    TMessagePump() { m_clock.start(); }
    void Tick()
    {
        if (m_clock.elapsed() >= 25) {
            QCoreApplication::processEvents();
            m_clock.restart();
        }
    }

private:
    QElapsedTimer m_clock;
};

// The hourglass for the time of a command, restored on every path.
class TBusyCursor {
public:
    TBusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TBusyCursor() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

TorvMain::TorvMain(const QStringList &arguments, QWidget *parent) : QMainWindow(parent)
{
    CreateParts();
    FormCreate(arguments);
}

TorvMain::~TorvMain() = default;

// ---------------------------------------------------------------- the window's parts

void TorvMain::CreateParts()
{
    setObjectName(QStringLiteral("orvMain"));
    setWindowTitle(QStringLiteral("Orvane"));
    resize(802, 564);

    CreateToolBar();
    CreateMenus();
    CreateList();
    CreatePanel();
    CreateStatusBar();
    InfoPanel = new TBookInfoPanel(this, wb, lblCurrentFile);
    InfoPanel->WatchKeys(VST);

    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setInterval(10000);
    connect(Timer, &QTimer::timeout, this, [this] { RunCommand(this, [this] { TimerTimer(); }); });
    Updater = new TUpdateCheck(this);
}

QAction *TorvMain::Command(const QString &name, const QString &caption, const QKeySequence &key, const QIcon &icon,
                           void (TorvMain::*command)())
{
    auto *a = new QAction(icon, caption, this);
    a->setObjectName(name);
    a->setShortcut(key);
    connect(a, &QAction::triggered, this, [this, command] { RunCommand(this, [&] { (this->*command)(); }); });
    return a;
}

QToolButton *TorvMain::ToolButton(const QString &name, const QString &hint, const QIcon &icon,
                                  void (TorvMain::*command)())
{
    auto *b = new QToolButton(pnToolBar);
    b->setObjectName(name);
    b->setToolTip(hint);
    b->setIcon(icon);  // its disabled picture is the faded one of the same icon
    b->setIconSize(QSize(32, 32));
    b->setFixedSize(36, 36);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    connect(b, &QToolButton::clicked, this, [this, command] { RunCommand(this, [&] { (this->*command)(); }); });
    return b;
}

void TorvMain::CreateToolBar()
{
    pnToolBar = new QToolBar(this);
    pnToolBar->setObjectName(QStringLiteral("pnToolBar"));
    pnToolBar->setMovable(false);
    pnToolBar->setFloatable(false);
    pnToolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    pnToolBar->setFixedHeight(42);
    pnToolBar->setIconSize(QSize(32, 32));
    pnToolBar->setContentsMargins(0, 0, 0, 0);
    pnToolBar->layout()->setSpacing(3);
    addToolBar(Qt::TopToolBarArea, pnToolBar);

    btnOpenDir = ToolButton(QStringLiteral("btnOpenDir"), QStringLiteral("Открыть папку"),
                            CommandIcon(TCommandIcon::OpenDir), &TorvMain::OpenDirectory);
    btnRun = ToolButton(QStringLiteral("btnRun"), QStringLiteral("Запустить обработку"), CommandIcon(TCommandIcon::Run),
                        &TorvMain::StartAutoProcessing);
    btnInfo = ToolButton(QStringLiteral("btnInfo"), QStringLiteral("Информация о книге"),
                         CommandIcon(TCommandIcon::Info), &TorvMain::ShowBookInfo);
    btnUpdate = ToolButton(QStringLiteral("btnUpdate"), QStringLiteral("Очистить список файлов"),
                           CommandIcon(TCommandIcon::Clear), &TorvMain::ClearList);
    btnSetting = ToolButton(QStringLiteral("btnSetting"), QStringLiteral("Настройки"),
                            CommandIcon(TCommandIcon::Setting), &TorvMain::ShowSetting);
    btnCancel = ToolButton(QStringLiteral("btnCancel"), QStringLiteral("Остановка обработки"),
                           CommandIcon(TCommandIcon::Cancel), &TorvMain::btnCancelClick);
    btnHelp = ToolButton(QStringLiteral("btnHelp"), QStringLiteral("Справка"), CommandIcon(TCommandIcon::Help),
                         &TorvMain::btnHelpClick);

    for (QToolButton *b : {btnOpenDir, btnRun, btnInfo, btnUpdate, btnSetting})
        pnToolBar->addWidget(b);
    auto *spacerA = new QFrame(pnToolBar);
    spacerA->setObjectName(QStringLiteral("SpacerA"));
    spacerA->setFrameShape(QFrame::VLine);
    spacerA->setFrameShadow(QFrame::Sunken);
    spacerA->setFixedSize(8, 32);
    pnToolBar->addWidget(spacerA);
    pnToolBar->addWidget(btnCancel);
    auto *stretch = new QWidget(pnToolBar);
    stretch->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    pnToolBar->addWidget(stretch);
    pnToolBar->addWidget(btnHelp);
}

void TorvMain::CreateMenus()
{
    const QIcon iOpen = CommandIcon(TCommandIcon::Open), iOpenDir = CommandIcon(TCommandIcon::OpenDir),
                iRun = CommandIcon(TCommandIcon::Run), iInfo = CommandIcon(TCommandIcon::Info),
                iSelect = CommandIcon(TCommandIcon::SelectAll), iSetting = CommandIcon(TCommandIcon::Setting),
                iHelp = CommandIcon(TCommandIcon::Help);

    mmOpen = Command(QStringLiteral("mmOpen"), QStringLiteral("Открыть"), QKeySequence(Qt::CTRL | Qt::Key_O), iOpen,
                     &TorvMain::OpenFiles);
    mmOpenDir = Command(QStringLiteral("mmOpenDir"), QStringLiteral("Открыть папку"),
                        QKeySequence(Qt::CTRL | Qt::Key_D), iOpenDir, &TorvMain::OpenDirectory);
    mmOpenTree = Command(QStringLiteral("mmOpenTree"), QStringLiteral("Открыть папку с подпапками"),
                         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D), iOpenDir, &TorvMain::OpenDirectoryTree);
    mmExit = Command(QStringLiteral("mmExit"), QStringLiteral("Выход"), QKeySequence(Qt::ALT | Qt::Key_F4), {},
                     &TorvMain::ExitApp);
    mmRun = Command(QStringLiteral("mmRun"), QStringLiteral("Обработать"), QKeySequence(Qt::Key_F5), iRun,
                    &TorvMain::StartAutoProcessing);
    mmInfo = Command(QStringLiteral("mmInfo"), QStringLiteral("Информация о книге"), QKeySequence(Qt::CTRL | Qt::Key_I),
                     iInfo, &TorvMain::ShowBookInfo);
    mmSelect = Command(QStringLiteral("mmSelect"), QStringLiteral("Выбрать всё/отменить выбор"),
                       QKeySequence(Qt::CTRL | Qt::Key_A), iSelect, &TorvMain::SelectAll);
    mmSetting = Command(QStringLiteral("mmSetting"), QStringLiteral("Настройки"), {}, iSetting, &TorvMain::ShowSetting);
    mmHelp = Command(QStringLiteral("mmHelp"), QStringLiteral("Справка"), QKeySequence(Qt::Key_F1), iHelp,
                     &TorvMain::btnHelpClick);
    mmUpdate =
        Command(QStringLiteral("mmUpdate"), QStringLiteral("Проверить обновления"), {}, {}, &TorvMain::GetUpdate);
    mmAbout = Command(QStringLiteral("mmAbout"), QStringLiteral("О программе"), {}, {}, &TorvMain::ShowAbout);
    // F1 works anywhere in the window, also inside the list and the panel.
    mmHelp->setShortcutContext(Qt::WindowShortcut);

    mmFile = menuBar()->addMenu(QStringLiteral("Файл"));
    mmFile->setObjectName(QStringLiteral("mmFile"));
    mmFile->addAction(mmOpen);
    mmFile->addAction(mmOpenDir);
    mmFile->addAction(mmOpenTree);
    mmFile->addSeparator()->setObjectName(QStringLiteral("mmB"));
    mmFile->addAction(mmExit);

    mmTools = menuBar()->addMenu(QStringLiteral("Инструменты"));
    mmTools->setObjectName(QStringLiteral("mmTools"));
    mmTools->addAction(mmRun);
    mmPreview = Command(QStringLiteral("mmPreview"), QStringLiteral("Предпросмотр"),
                        QKeySequence(Qt::SHIFT | Qt::Key_F5), iRun, &TorvMain::ShowPreview);
    mmTools->addAction(mmPreview);
    mmUndo = Command(QStringLiteral("mmUndo"), QStringLiteral("Отменить последнюю обработку"), {}, {},
                     &TorvMain::UndoLastRun);
    mmTools->addAction(mmUndo);
    mmTools->addSeparator()->setObjectName(QStringLiteral("mmA"));
    mmTools->addAction(mmInfo);
    mmTools->addAction(mmSelect);
    mmTools->addAction(mmSetting);

    mmResume = menuBar()->addMenu(QStringLiteral("?"));
    mmResume->setObjectName(QStringLiteral("mmResume"));
    mmResume->addAction(mmHelp);
    mmResume->addAction(mmUpdate);
    mmResume->addAction(mmAbout);

    // The context menu shows the same shortcuts; they act through the main menu's items, so
    // its own items take their keys only while the menu is open.
    pmInfo = Command(QStringLiteral("pmInfo"), QStringLiteral("Информация о книге"), QKeySequence(Qt::CTRL | Qt::Key_I),
                     iInfo, &TorvMain::ShowBookInfo);
    pmSelect = Command(QStringLiteral("pmSelect"), QStringLiteral("Выбрать всё/оменить выбор"),
                       QKeySequence(Qt::CTRL | Qt::Key_A), iSelect, &TorvMain::SelectAll);
    pmDelete = Command(QStringLiteral("pmDelete"), QStringLiteral("Удалить из списка"), QKeySequence(Qt::Key_Delete),
                       CommandIcon(TCommandIcon::Remove), &TorvMain::RemoveFromList);
    pmRun = Command(QStringLiteral("pmRun"), QStringLiteral("Обработать"), QKeySequence(Qt::Key_F5), iRun,
                    &TorvMain::StartAutoProcessing);
    pmPreview = Command(QStringLiteral("pmPreview"), QStringLiteral("Предпросмотр"),
                        QKeySequence(Qt::SHIFT | Qt::Key_F5), iRun, &TorvMain::ShowPreview);
    pmSetting = Command(QStringLiteral("pmSetting"), QStringLiteral("Настройки"), {}, iSetting, &TorvMain::ShowSetting);
    pmExit = Command(QStringLiteral("pmExit"), QStringLiteral("Выход"), QKeySequence(Qt::ALT | Qt::Key_F4), {},
                     &TorvMain::ExitApp);
    pmVST = new QMenu(this);
    pmVST->setObjectName(QStringLiteral("pmVST"));
    for (QAction *a : {pmInfo, pmSelect, pmDelete, pmRun, pmPreview, pmSetting}) {
        a->setShortcutContext(Qt::WidgetShortcut);
        pmVST->addAction(a);
    }
    pmVST->addSeparator()->setObjectName(QStringLiteral("pmA"));
    pmExit->setShortcutContext(Qt::WidgetShortcut);
    pmVST->addAction(pmExit);
}

void TorvMain::CreateList()
{
    Model = new TFileListModel(this);
    VST = new TFileListView;
    VST->SetModel(Model);
    VST->setColumnWidth(lcCheck, 24);
    VST->setColumnWidth(lcFileName, 370);
    VST->setColumnWidth(lcFileSize, 80);

    connect(VST->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int logical) { RunCommand(this, [&] { VSTHeaderClick(logical); }); });
    // The panel follows the row the selection rests on, also when more rows are selected.
    connect(VST->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) { RunCommand(this, [&] { VSTChange(current.row()); }); });
    connect(VST, &TFileListView::InfoRequested, this, [this] { RunCommand(this, [this] { ShowBookInfo(); }); });
    connect(VST, &TFileListView::RemoveRequested, this, [this] { RunCommand(this, [this] { RemoveFromList(); }); });
    connect(VST, &TFileListView::MenuRequested, this, [this](const QPoint &at) { pmVST->exec(at); });
}

void TorvMain::CreatePanel()
{
    Splitter = new TSizeSplitter(this);
    Splitter->setObjectName(QStringLiteral("Splitter"));

    auto *listArea = new QWidget(Splitter);
    auto *listLayout = new QVBoxLayout(listArea);
    listLayout->setContentsMargins(3, 3, 1, 3);
    listLayout->addWidget(VST);

    pnSize = new QWidget(Splitter);
    pnSize->setObjectName(QStringLiteral("pnSize"));
    pnSize->installEventFilter(this);
    pnRight = new QFrame(pnSize);
    pnRight->setObjectName(QStringLiteral("pnRight"));
    static_cast<QFrame *>(pnRight)->setFrameStyle(QFrame::Box | QFrame::Plain);
    auto *sizeLayout = new QVBoxLayout(pnSize);
    sizeLayout->setContentsMargins(0, 3, 3, 3);
    sizeLayout->addWidget(pnRight);

    wb = new TBookInfoView(pnRight);
    wb->setObjectName(QStringLiteral("wb"));
    wb->setFrameShape(QFrame::NoFrame);
    wb->setAcceptDrops(false);
    wb->viewport()->setAcceptDrops(false);
    auto *rightLayout = new QVBoxLayout(pnRight);
    rightLayout->setContentsMargins(1, 1, 1, 1);
    rightLayout->addWidget(wb);

    Splitter->addWidget(listArea);
    Splitter->addWidget(pnSize);
    Splitter->setStretchFactor(0, 1);
    Splitter->setStretchFactor(1, 0);
    Splitter->setCollapsible(0, false);
    Splitter->setCollapsible(1, true);
    setCentralWidget(Splitter);
}

void TorvMain::CreateStatusBar()
{
    lblCount = new QLabel(kCountCaption);
    lblCount->setObjectName(QStringLiteral("lblCount"));
    lblCount->setFixedWidth(129);
    lblCurrentFile = new TElidedLabel;
    lblCurrentFile->setObjectName(QStringLiteral("lblCurrentFile"));
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->setSizeGripEnabled(true);
    statusBar()->addWidget(lblCount);
    statusBar()->addWidget(lblCurrentFile, 1);
}

// ---------------------------------------------------------------- start and close

void TorvMain::FormCreate(const QStringList &arguments)
{
    // The folders come from the executable, unless whoever made the window has set them.
    if (AppDir.isEmpty())
        SetUpFolders();
    ilSys[0] = FileTypeIcon(QStringLiteral(".zip"));
    ilSys[1] = FileTypeIcon(QStringLiteral(".fb2"));
    Model->SetFileIcon(ilSys[1]);

    LoadSetting();

    Model->Clear();
    ShowCount();
    // A path that fails stops the start-up list there, as with any command adding files.
    RunCommand(this, [&] {
        for (const QString &path : arguments)
            AddBook(path);
    });

    setAcceptDrops(true);
    Timer->start();
}

void TorvMain::showEvent(QShowEvent *e)
{
    if (!m_shown) {
        m_shown = true;
        // The first show places the window at the centre of the desktop (all monitors).
        if (!(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) {
            QRect desktop;
            for (const QScreen *s : QGuiApplication::screens())
                desktop |= s->geometry();
            if (!desktop.isEmpty())
                move(desktop.center() - QPoint(width() / 2, height() / 2));
        }
    }
    QMainWindow::showEvent(e);
    if (Splitter->PanelWidth() != m_panelWidth && m_panelWidth >= 0 && !m_panelApplied) {
        m_panelApplied = true;
        Splitter->SetPanelWidth(m_panelWidth);
    }
}

void TorvMain::closeEvent(QCloseEvent *e)
{
    if (m_running) {
        // The run stops at its next row; the window closes when it has cleaned up.
        CancelRequested = true;
        m_closeAfterRun = true;
        e->ignore();
        return;
    }
    if (!m_closed) {
        m_closed = true;
        FormClose();
    }
    e->accept();
}

void TorvMain::FormClose()
{
    // A config.ini that cannot be written is reported; the window still closes and the
    // scratch folder still goes.
    RunCommand(this, [this] { SaveSetting(); });
    InfoPanel->Stop();
    DeleteTempFolder();
    setAcceptDrops(false);
}

void TorvMain::ExitApp() { close(); }

void TorvMain::TimerTimer()
{
    Timer->stop();
    Updater->AppUpdater();
}

// ---------------------------------------------------------------- settings

void TorvMain::UpdateSetting()
{
    ::UpdateSetting();
    // Running on defaults without a word would look like lost settings; say it once, after the
    // window is up.
    const QString problem = SettingsReadProblem();
    if (!problem.isEmpty() && problem != m_settingsProblem)
        QTimer::singleShot(0, this, [this, problem] {
            QMessageBox::warning(
                this, QStringLiteral("Orvane"),
                QStringLiteral("Настройки не прочитаны, действуют настройки по умолчанию.\n%1").arg(problem));
        });
    m_settingsProblem = problem;
}

void TorvMain::LoadSetting()
{
    const TIniFile ini = ConfigFile();
    // 1 is the normal window, 0 the maximized one; any other value keeps the design's size.
    const int state = ini.ReadInteger(kForm, QStringLiteral("WinState"), 1);
    if (state == 0) {
        setWindowState(Qt::WindowMaximized);
    } else if (state == 1) {
        const int height = ini.ReadInteger(kForm, QStringLiteral("Height"), 700);
        const int width = ini.ReadInteger(kForm, QStringLiteral("Width"), 900);
        resize(width, height);
        // The first show centres the window on the desktop all the same.
        move(ini.ReadInteger(kForm, QStringLiteral("Left"), 240), ini.ReadInteger(kForm, QStringLiteral("Top"), 160));
        setWindowState(Qt::WindowNoState);
    }

    CreateDefaultFolders();

    m_panelWidth = ini.ReadInteger(kUser, QStringLiteral("SplitterA"), 320);
    UpdateSetting();

    VST->setColumnWidth(lcCheck, 24);
    VST->setColumnWidth(lcFileName, ini.ReadInteger(kUser, QStringLiteral("Column_2"), 380));
    VST->setColumnWidth(lcFileSize, ini.ReadInteger(kUser, QStringLiteral("Column_3"), 80));

    LoadAppVersion();
}

void TorvMain::SaveSetting()
{
    const TIniFile ini = ConfigFile();
    if (isMinimized()) {
        // A minimized window has no size worth keeping: the last one stays.
    } else if (isMaximized() || isFullScreen()) {
        ini.WriteInteger(kForm, QStringLiteral("WinState"), 0);
    } else {
        ini.WriteInteger(kForm, QStringLiteral("Width"), width());
        ini.WriteInteger(kForm, QStringLiteral("Height"), height());
        ini.WriteInteger(kForm, QStringLiteral("Left"), x());
        ini.WriteInteger(kForm, QStringLiteral("Top"), y());
        ini.WriteInteger(kForm, QStringLiteral("WinState"), 1);
    }
    ini.WriteInteger(kUser, QStringLiteral("Column_2"), VST->columnWidth(lcFileName));
    ini.WriteInteger(kUser, QStringLiteral("Column_3"), VST->columnWidth(lcFileSize));
    ini.WriteInteger(kUser, QStringLiteral("SplitterA"), m_shown ? Splitter->WantedPanelWidth() : m_panelWidth);
}

void TorvMain::DeleteTempFolder() { DeleteFolderTree(TempDir); }

// ---------------------------------------------------------------- the file list

void TorvMain::ShowCount()
{
    lblCount->setText(Model->rowCount() ? kCountCaption + QString::number(Model->rowCount()) : kCountCaption);
}

void TorvMain::AddBook(const QString &fName)
{
    // All rows of one path go in with one insertion; an archive that cannot be read raises its
    // error before anything is added, and the counter stays as it was.
    Model->AppendEntries(BookSourceRows(fName));
    ShowCount();
}

void TorvMain::FilesDropped(const QStringList &names)
{
    for (const QString &name : names)
        AddBook(name);
}

void TorvMain::dragEnterEvent(QDragEnterEvent *e)
{
    if (e->mimeData()->hasUrls())
        e->acceptProposedAction();
}

void TorvMain::dropEvent(QDropEvent *e)
{
    QStringList names;
    for (const QUrl &url : e->mimeData()->urls())
        if (url.isLocalFile())
            names.append(url.toLocalFile());
    e->acceptProposedAction();
    RunCommand(this, [&] { FilesDropped(names); });
}

void TorvMain::OpenFiles()
{
    const QStringList files = AskBookFiles(this);
    TMessagePump pump;
    for (const QString &file : files) {
        pump.Tick();
        AddBook(file);
    }
}

void TorvMain::OpenDirectory()
{
    const QString folder = AskBookFolder(this);
    if (folder.isEmpty())
        return;
    TBusyCursor busy;
    TMessagePump pump;
    for (const QString &path : FolderBookFiles(folder)) {
        pump.Tick();
        AddBook(path);
    }
}

void TorvMain::OpenDirectoryTree()
{
    const QString folder = AskBookFolder(this);
    if (folder.isEmpty())
        return;
    const TFolderTreeRows tree = TFolderTreeReader(this).Read(folder);
    if (tree.Stopped)
        return;
    Model->AppendEntries(tree.Rows);
    ShowCount();
    if (!tree.Failures.isEmpty())
        QMessageBox::warning(this, QStringLiteral("Orvane"), TFolderTreeReader::FailuresText(tree.Failures));
}

void TorvMain::ClearList()
{
    Model->Clear();
    ShowCount();
}

void TorvMain::RemoveFromList()
{
    const std::vector<int> selected = VST->SelectedRows();
    const std::vector<int> gone = Model->List().RemovableRows(selected, m_running ? m_runRow : TRunRows::NoRow);
    if (gone.size() < selected.size())
        QApplication::beep();  // rows a run has yet to reach stay
    if (gone.empty())
        return;
    Model->RemoveRows(gone);
    VST->SelectNear(gone.front());
    ShowCount();
}

void TorvMain::SelectAll()
{
    // Goes by the rows as they are, so that a list emptied or ticked by hand is never unticked
    // by a toggle that still thinks every row is ticked.
    AllChecked = Model->List().ChecksState() != Qt::Checked;
    Model->SetAllChecks(AllChecked ? Qt::Checked : Qt::Unchecked);
}

void TorvMain::VSTHeaderClick(int column)
{
    QHeaderView *header = VST->horizontalHeader();
    if (column == lcFileName || column == lcFileSize) {
        SortDirection = SortDirection == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
        m_sortColumn = column;
        Model->SortByColumn(column, SortDirection);
    } else if (column == lcCheck) {
        SelectAll();
    }
    // The glyph shows the last sort, whatever the header did on its own.
    header->setSortIndicator(m_sortColumn, SortDirection);
}

bool TorvMain::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == pnSize && e->type() == QEvent::Resize)
        pnSizeResize();
    return QMainWindow::eventFilter(watched, e);
}

void TorvMain::pnSizeResize()
{
    VST->setColumnWidth(lcFileName, qMax(16, VST->width() - VST->columnWidth(lcFileSize) - 48));
}

// ---------------------------------------------------------------- the run

void TorvMain::Buttons(bool enable)
{
    for (QToolButton *b : {btnOpenDir, btnRun, btnInfo, btnUpdate, btnSetting, btnHelp})
        b->setEnabled(enable);
}

int TorvMain::CheckCount() const { return Model->CheckedCount(); }

void TorvMain::btnCancelClick() { CancelRequested = true; }

void TorvMain::SetRunTitle(int percent)
{
    setWindowTitle(percent < 0 ? QStringLiteral("Orvane") : QStringLiteral("%1% - Orvane").arg(percent));
}

void TorvMain::StartAutoProcessing()
{
    if (m_running || TProcessingRun::IsRunning())
        throw EOrvane(TProcessingRun::RunAlreadyGoing());
    TfrmQwery dlg(this);
    switch (dlg.exec()) {
    case TfrmQwery::mrOk:
        UpdateSetting();
        if (!NothingTicked())
            BookProcessing();
        break;
    case TfrmQwery::mrPreview:
        UpdateSetting();
        ShowPreview();
        break;
    case TfrmQwery::mrSets: ShowSetting(); break;
    default: break;
    }
}

bool TorvMain::NothingTicked()
{
    if (CheckCount() > 0)
        return false;
    QMessageBox::information(this, QStringLiteral("Orvane"),
                             QStringLiteral("Не отмечено ни одной книги. Отметьте в списке книги, "
                                            "которые нужно обработать, и запустите обработку снова."));
    return true;
}

void TorvMain::ShowPreview()
{
    if (m_running || TProcessingRun::IsRunning())
        throw EOrvane(TProcessingRun::RunAlreadyGoing());
    if (NothingTicked())
        return;
    QSet<TRunRows::RowId> shown;
    {
        TfrmPreview dlg(this, Model->List());
        if (dlg.exec() != TfrmPreview::mrRun)
            return;
        shown = dlg.ShownRows();
    }
    BookProcessing(TRowSubset(Model->List(), shown));
}

void TorvMain::UndoLastRun()
{
    if (m_running || TProcessingRun::IsRunning())
        throw EOrvane(TProcessingRun::RunAlreadyGoing());
    // The rows that followed the run's books follow them back.
    Model->FollowUndo(::UndoLastRun(this).MovedBack);
}

void TorvMain::BookProcessing() { BookProcessing(Model->List()); }

void TorvMain::BookProcessing(const TRunRows &rows)
{
    if (m_running || TProcessingRun::IsRunning())
        throw EOrvane(TProcessingRun::RunAlreadyGoing());
    if (m_report)
        m_report->close();
    TRunReport report;
    std::exception_ptr failure;
    {
        m_running = true;
        CancelRequested = false;
        TfrmProgress progress(this);
        m_progress = &progress;
        connect(&progress, &TfrmProgress::CancelClicked, this, [this] { btnCancelClick(); });
        Buttons(false);
        // However the run ends: the progress window goes, the tool bar comes back, and a close
        // asked for during the run is carried out.
        const auto cleanup = qScopeGuard([&] {
            m_progress = nullptr;
            m_runRow = TRunRows::NoRow;
            progress.hide();
            SetRunTitle(-1);
            Buttons(true);
            m_running = false;
            if (m_closeAfterRun)
                QTimer::singleShot(0, this, &QWidget::close);
        });
        progress.show();
        SetRunTitle(0);

        TRunCallbacks callbacks;
        callbacks.RowInHand = [this](TRunRows::RowId row) { m_runRow = row; };
        callbacks.RowDone = [this](const TRowReport &r) {
            Model->NoteOutcome(r.Row, r.Outcome, r.OutputPath, r.Message);
        };
        callbacks.ProcessMessages = [] { QCoreApplication::processEvents(); };
        callbacks.CurrentPath = [&](const QString &path) {
            lblCurrentFile->SetFullText(path);
            progress.lblCaption->SetFullText(path);
        };
        callbacks.Progress = [&](int percent) {
            progress.Progress->setValue(percent);
            SetRunTitle(percent);
        };
        TRunJournal journal(JournalFolder());  // for "Отменить последнюю обработку"
        TRunOptions options;
        options.Journal = &journal;
        TProcessingRun run(rows, callbacks, options);
        try {
            run.Execute();
        } catch (...) {
            failure = std::current_exception();
        }
        report = run.Report();
    }
    Model->TakeRunReport(report);
    // Every run ends with its report, an error too; the error box then comes on top of it.
    if (!m_closeAfterRun) {
        m_report = new TfrmReport(report, this);
        m_report->setAttribute(Qt::WA_DeleteOnClose);
        m_report->show();
    }
    if (failure)
        std::rethrow_exception(failure);
}

// ---------------------------------------------------------------- other commands

void TorvMain::VSTChange(int row)
{
    InfoPanel->SelectionChanged(row >= 0 && row < Model->rowCount() ? &Model->Entry(row) : nullptr);
}

void TorvMain::ShowBookInfo()
{
    const int row = VST->currentIndex().row();
    InfoPanel->ShowCommand(row >= 0 && row < Model->rowCount() ? &Model->Entry(row) : nullptr);
}

void TorvMain::ShowSetting()
{
    TfrmSetting dlg(this);
    if (const int row = VST->currentIndex().row(); row >= 0 && row < Model->rowCount())
        dlg.SetPreviewBook(Model->Entry(row));
    if (dlg.exec() == TfrmSetting::mrOk)
        UpdateSetting();
}

void TorvMain::GetUpdate() { Updater->AppUpdater(); }

void TorvMain::ShowAbout()
{
    TfrmAbout about(this, AppVersion);
    about.exec();
}

void TorvMain::btnHelpClick() { ShowHelp(this, hcMain); }
