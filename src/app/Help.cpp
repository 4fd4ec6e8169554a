#include "Help.h"

#include "config/FolderLayout.h"
#include "config/Folders.h"

#include <QApplication>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

namespace {

QString HelpFolder()
{
    return HelpDir.isEmpty() ? FindDataDir(QCoreApplication::applicationDirPath()) + QStringLiteral("help/") : HelpDir;
}

// One help window for the whole program, raised again on every call.
QPointer<QWidget> g_helpWindow;

}  // namespace

QString HelpPagePath(int context) { return HelpFolder() + QString::number(context) + QStringLiteral(".html"); }

void ShowHelp(QWidget *parent, int context)
{
    // The help window belongs to the open modal dialog when there is one (otherwise the dialog
    // would block it), else to the main window, so that it closes with the program.
    QWidget *owner = QApplication::activeModalWidget();
    if (!owner && parent) {
        owner = parent->window();
        while (owner->parentWidget())
            owner = owner->parentWidget()->window();
    }
    if (QWidget *open = g_helpWindow; open && open->parentWidget() != owner) {
        open->close();
        g_helpWindow = nullptr;
    }
    if (!g_helpWindow) {
        auto *w = new QWidget(owner, Qt::Window);
        w->setObjectName(QStringLiteral("HelpWindow"));
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->setWindowTitle(QStringLiteral("Справка - Orvane"));
        auto *browser = new QTextBrowser(w);
        browser->setObjectName(QStringLiteral("HelpBrowser"));
        browser->setOpenExternalLinks(true);
        auto *layout = new QVBoxLayout(w);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(browser);
        w->resize(720, 600);
        g_helpWindow = w;
    }
    auto *browser = g_helpWindow->findChild<QTextBrowser *>(QStringLiteral("HelpBrowser"));
    const QString page = HelpPagePath(context);
    if (QFileInfo::exists(page))
        browser->setSource(QUrl::fromLocalFile(page));
    else
        browser->setPlainText(QStringLiteral("Раздел справки %1 не найден:\n%2").arg(context).arg(page));
    g_helpWindow->show();
    g_helpWindow->raise();
    g_helpWindow->activateWindow();
}
