// Where the settings live between runs: QSettings of organization "Quillon", application
// "Mapwright". The program's own values are in the group "2.0" (colours as 4 little-endian bytes,
// the font as its 60-byte record); the window placement, the bar state and the recent files are
// in its subgroup "Mapwright". A value that is missing, or of the wrong type or size, is not read:
// the value in memory stays.
#pragma once

#include "platform/appsettings.h"

#include <QByteArray>
#include <QRect>
#include <QSettings>
#include <QStringList>

#include <optional>

namespace mapwright {

// The main window's placement as stored: its normal rectangle, and whether it was maximized.
struct CStoredPlacement {
    std::optional<QRect> m_rcNormal;  // only when "Pos" held exactly 16 bytes
    bool m_bMaximized = false;
};

class CSettingsStore {
public:
    static constexpr int kRecentFiles = 4;

    // The user's own store.
    CSettingsStore();
    // The store in an INI file at path, for tests and tools.
    explicit CSettingsStore(const QString& path);

    // Reads every valid stored value into settings; a new font record also remakes the view font.
    void LoadSettings(CAppSettings& settings);
    // Writes the five values; returns false when the store could not be written.
    bool SaveSettings(const CAppSettings& settings);

    CStoredPlacement LoadPlacement();
    // Writes the normal rectangle (right and bottom one past the edge) and the maximized flag.
    void SavePlacement(const QRect& normal, bool maximized);

    // The stored bar state (QMainWindow::saveState), empty when none.
    QByteArray LoadBarState();
    void SaveBarState(const QByteArray& state);

    // The recent files, most recent first, at most four, without empty entries.
    QStringList LoadRecentFiles();
    void SaveRecentFiles(const QStringList& files);

    // Writes pending changes; returns false when the store could not be written.
    bool Sync();

private:
    QSettings m_settings;
};

}  // namespace mapwright
