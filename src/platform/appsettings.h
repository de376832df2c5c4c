// The process-wide settings that the canvas, the text pane, the Settings dialog and the browser
// test read: the two area colours, the browser choice and the text pane's font. The application
// loads and saves them; everything else reads them here.
#pragma once

#include <QFont>

#include <cstdint>
#include <string>

namespace mapwright {

// A colour as stored: red, green and blue in the low three bytes from the least significant.
using CColorRef = std::uint32_t;

constexpr CColorRef MakeColorRef(int red, int green, int blue)
{
    return static_cast<CColorRef>(red & 0xFF) | static_cast<CColorRef>(green & 0xFF) << 8 |
           static_cast<CColorRef>(blue & 0xFF) << 16;
}

// The stored font record: five signed 32-bit fields, eight single bytes and a 32-byte face name
// ending in a zero, 60 bytes in all.
struct CLogFontRecord {
    std::int32_t lfHeight = 0;
    std::int32_t lfWidth = 0;
    std::int32_t lfEscapement = 0;
    std::int32_t lfOrientation = 0;
    std::int32_t lfWeight = 0;
    std::uint8_t lfItalic = 0;
    std::uint8_t lfUnderline = 0;
    std::uint8_t lfStrikeOut = 0;
    std::uint8_t lfCharSet = 0;
    std::uint8_t lfOutPrecision = 0;
    std::uint8_t lfClipPrecision = 0;
    std::uint8_t lfQuality = 0;
    std::uint8_t lfPitchAndFamily = 0;
    char lfFaceName[32] = {};
};
static_assert(sizeof(CLogFontRecord) == 60, "the stored font record is 60 bytes");

// The grid step's default and its range in the Settings dialog and the stored settings.
constexpr std::int32_t kDefaultGridStep = 10;
constexpr std::int32_t kMinGridStep = 2;
constexpr std::int32_t kMaxGridStep = 1000;

struct CAppSettings {
    // The grid step the canvas tools snap to: 0 while snapping is off.
    int SnapStep() const { return m_bSnapToGrid ? m_nGridStep : 0; }
    CColorRef m_clrActive = MakeColorRef(255, 0, 0);   // ActiveColor: the selected area
    CColorRef m_clrPassive = MakeColorRef(0, 255, 0);  // PassiveColor: every other area
    std::int32_t m_bUseDefaultBrowser = 1;             // UseDefaultBrowser
    std::string m_strBrowserPath;                      // BrowserPath
    CLogFontRecord m_viewerLogFont;                    // ViewerLogFont
    std::int32_t m_bShowGrid = 0;                      // ShowGrid: grid lines over the picture
    std::int32_t m_bSnapToGrid = 0;                    // SnapToGrid: gestures land on grid points
    std::int32_t m_nGridStep = kDefaultGridStep;       // GridStep: picture pixels between grid lines
    bool m_bHasViewFont = false;                       // whether m_viewFont was made yet
    QFont m_viewFont;                                  // the view font, made from m_viewerLogFont
};

// The one set of settings of the running program.
CAppSettings& AppSettings();

}  // namespace mapwright
