#include "platform/tempfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace mapwright {

std::string TempFolder()
{
    // Qt gives an empty text for a TMPDIR that does not exist; "" + '/' would be the root folder.
    const QString folder = QDir::tempPath();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return {};
    const QByteArray encoded = QFile::encodeName(folder);
    std::string path(encoded.constData(), std::size_t(encoded.size()));
    if (path.back() != '/')
        path += '/';
    return path;
}

}  // namespace mapwright
