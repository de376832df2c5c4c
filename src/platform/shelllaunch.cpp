#include "platform/shelllaunch.h"

#include <QDesktopServices>
#include <QFile>
#include <QProcess>
#include <QUrl>

namespace mapwright {

namespace {

QString DecodePath(const std::string& path)
{
    return QFile::decodeName(QByteArray(path.data(), qsizetype(path.size())));
}

}  // namespace

bool OpenWithDefaultApplication(const std::string& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(DecodePath(path)));
}

bool StartProgram(const std::string& program, const std::string& argument)
{
    if (program.empty())
        return false;
    return QProcess::startDetached(DecodePath(program), {DecodePath(argument)});
}

}  // namespace mapwright
