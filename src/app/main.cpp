// The Mapwright editor. Every argument is a file to open, taken as if dropped on the window; when
// the editor is running already, the files go to it and this start ends.
#include "firstpaintprobe.h"
#include "shell/mainframe.h"
#include "shell/mapwrightapp.h"
#include "views/afterfirstframe.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication qt(argc, argv);
    InstallFirstPaintProbeIfAsked();
    mapwright::CMapwrightApp app;
    const QStringList files = QApplication::arguments().mid(1);
    if (app.HandOverToRunningEditor(files))
        return 0;
    if (!app.InitInstance())
        return 1;
    // What the first frame does not show waits until it is out.
    mapwright::afterfirstframe::HoldUntilPainted(app.MainFrame());
    app.OnShellOpen(files);
    return qt.exec();
}
