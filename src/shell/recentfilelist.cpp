#include "shell/recentfilelist.h"

#include <QFileInfo>
#include <QSettings>

namespace mapwright {

namespace {

constexpr qsizetype kMaxShownLength = 60;

QString ValueName(int index)
{
    return QStringLiteral("File%1").arg(index + 1);
}

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

void CRecentFileList::Load(QSettings& settings)
{
    m_paths.clear();
    settings.beginGroup("Recent File List");
    for (int i = 0; i < kSize; ++i) {
        const QVariant value = settings.value(ValueName(i));
        if (value.typeId() == QMetaType::QString && !value.toString().isEmpty()
            && !m_paths.contains(value.toString()))
            m_paths.append(value.toString());
    }
    settings.endGroup();
}

void CRecentFileList::Save(QSettings& settings) const
{
    settings.beginGroup("Recent File List");
    for (int i = 0; i < kSize; ++i) {
        if (i < m_paths.size())
            settings.setValue(ValueName(i), m_paths[i]);
        else
            settings.remove(ValueName(i));
    }
    settings.endGroup();
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
