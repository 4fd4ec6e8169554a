#include "frm_Main.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvane"));
    TorvMain w;
    w.show();
    return app.exec();
}
