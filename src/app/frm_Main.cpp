#include "frm_Main.h"

TorvMain::TorvMain(QWidget *parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Orvane"));
    resize(900, 700);
}
