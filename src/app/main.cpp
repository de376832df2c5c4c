// The Mapwright editor. The command line is not examined: the editor starts with no document.
#include "shell/vavedidivovapp.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication qt(argc, argv);
    mapwright::CVavedIdivovApp app;
    if (!app.InitInstance())
        return 1;
    return qt.exec();
}
