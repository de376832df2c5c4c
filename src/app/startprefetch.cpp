#include "startprefetch.h"

#include "html/fileops.h"
#include "html/pagenames.h"
#include "html/pathrules.h"
#include "image/prefetch.h"
#include "shell/droppedfile.h"
#include "shell/instancechannel.h"

#include <QFile>
#include <QFileInfo>

namespace {

// Larger pages are read only once, when they are opened.
constexpr qint64 kLargestPageRead = 64 * 1024 * 1024;

std::string PathBytes(const QString& path)
{
    const QByteArray bytes = QFile::encodeName(QFileInfo(path).absoluteFilePath());
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

void PrefetchPictureOfPage(const std::string& page)
{
    std::string bytes;
    std::string error;
    if (!mapwright::ReadFileBytes(page, bytes, error))
        return;
    const std::string image = mapwright::FindPageNames(mapwright::SplitLines(bytes)).strImageName;
    if (image.empty())
        return;
    mapwright::PrefetchDecode(mapwright::IsAbsoluteReference(image) ? image : mapwright::FolderOf(page) + image);
}

}  // namespace

CStartPrefetch::CStartPrefetch(const QStringList& files)
{
    // A running editor would take the files, and this start would only wait for its decoders.
    if (QFileInfo::exists(mapwright::CInstanceChannel::DefaultServerName()))
        return;
    for (const QString& file : files) {
        const QFileInfo info(file);
        if (!info.isFile())
            continue;
        const std::string path = PathBytes(file);
        if (mapwright::IsDroppedImage(path))
            mapwright::PrefetchDecode(path);
        else if (info.size() <= kLargestPageRead)
            m_pageReaders.emplace_back(PrefetchPictureOfPage, path);
    }
}

CStartPrefetch::~CStartPrefetch()
{
    Finish();
}

void CStartPrefetch::Finish()
{
    m_pageReaders.clear();  // joins them, so each has asked for its picture
    mapwright::DropPrefetched();
}
