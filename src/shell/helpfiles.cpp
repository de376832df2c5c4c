#include "shell/helpfiles.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace mapwright {

QString UserManualPath()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    for (const char* relative : {"/../share/doc/mapwright/manual.html", "/../share/mapwright/manual.html",
                                 "/../doc/manual.html", "/../../doc/manual.html"}) {
        const QFileInfo candidate(programFolder + relative);
        if (candidate.isFile())
            return candidate.canonicalFilePath();
    }
    return {};
}

bool OpenUserManual()
{
    const QString path = UserManualPath();
    return !path.isEmpty() && QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace mapwright
