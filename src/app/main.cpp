#include "AppErrors.h"
#include "AppIcon.h"
#include "CloseOnSignal.h"
#include "QtRussian.h"
#include "frm_Main.h"
#include "globals/ProcessMemory.h"

#include <QApplication>
#include <QIcon>

namespace {

// The last guard: an exception that escapes an event handler without its own guard is shown
// like any other error, and the program goes on.
class TOrvApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject *receiver, QEvent *event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (...) {
            ShowErrorBox(activeWindow(), CurrentExceptionText());
            return false;
        }
    }
};

}  // namespace

int main(int argc, char *argv[])
{
    KeepFreedMemory();
    TOrvApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvane"));
    QApplication::setDesktopFileName(AppDesktopId());
    QApplication::setWindowIcon(AppIcon());
    QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));

    LoadQtRussian();

    TorvMain orvMain(QApplication::arguments().mid(1));
    orvMain.show();
    CloseWindowsOnSignal();
    return app.exec();
}
