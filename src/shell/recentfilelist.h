// The recent-file list of the File menu: the last four documents opened or saved, newest first.
#pragma once

#include <QString>
#include <QStringList>

namespace mapwright {

class CRecentFileList {
public:
    static constexpr int kSize = 4;

    // Puts path first; an entry for the same file moves up rather than appearing twice.
    void Add(const QString& path);
    // Removes entry index; nothing when there is none.
    void Remove(int index);
    const QStringList& Paths() const { return m_paths; }

    // Takes paths as stored, newest first; the first four distinct ones count.
    void SetPaths(const QStringList& paths);

    // The menu text of entry index: "&N " and the path, long paths shortened in the middle.
    QString MenuText(int index) const;

private:
    QStringList m_paths;
};

}  // namespace mapwright
