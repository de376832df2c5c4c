#include "shell/recentfilelist.h"

#include <QFileInfo>

namespace mapwright {

namespace {

constexpr qsizetype kMaxShownLength = 60;

}  // namespace

void CRecentFileList::Add(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_paths.removeAll(absolute);
    m_paths.prepend(absolute);
    while (m_paths.size() > kSize)
        m_paths.removeLast();
}

void CRecentFileList::Remove(int index)
{
    if (index >= 0 && index < m_paths.size())
        m_paths.removeAt(index);
}

void CRecentFileList::SetPaths(const QStringList& paths)
{
    m_paths.clear();
    for (const QString& path : paths) {
        if (!path.isEmpty() && !m_paths.contains(path) && m_paths.size() < kSize)
            m_paths.append(path);
    }
}

QString CRecentFileList::MenuText(int index) const
{
    QString path = m_paths.value(index);
    if (path.size() > kMaxShownLength) {
        const qsizetype keep = (kMaxShownLength - 3) / 2;
        path = path.left(keep) + "..." + path.right(keep);
    }
    path.replace('&', "&&");
    return QStringLiteral("&%1 %2").arg(index + 1).arg(path);
}

}  // namespace mapwright
