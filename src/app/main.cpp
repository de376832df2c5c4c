// The Mapwright editor. Every argument is a file to open, taken as if dropped on the window; when
// the editor is running already, the files go to it and this start ends.
#include "firstpaintprobe.h"
#include "startprefetch.h"
#include "shell/mainframe.h"
#include "shell/mapwrightapp.h"
#include "views/afterfirstframe.h"

#include <QApplication>
#include <QFontDatabase>

#include <fontconfig/fontconfig.h>

#include <thread>

int main(int argc, char** argv)
{
    QStringList named;
    for (int i = 1; i < argc; ++i)
        named << QString::fromLocal8Bit(argv[i]);
    CStartPrefetch prefetch(named);
    // Reading fontconfig's configuration and caches takes milliseconds that the connection to the
    // display leaves the other core idle for; Qt finds it done when it lists the fonts.
    std::thread fontconfigReady([] { FcInit(); });
    QApplication qt(argc, argv);
    fontconfigReady.join();
    // Qt's list of the fonts (thread-safe to build) is made beside the main window, which needs it
    // only once its first label is measured.
    std::jthread fontsListed([] { QFontDatabase::families(); });
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
    prefetch.Finish();
    return qt.exec();
}
