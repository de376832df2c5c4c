// The picture changes, the map follows: scaling the areas, replacing the picture, and the map as
// an SVG overlay.
#include "document/mapdocument.h"
#include "document/prompt.h"
#include "html/pagenames.h"
#include "html/pathrules.h"
#include "html/svgoverlay.h"
#include "html/textbytes.h"
#include "model/areascale.h"

#include <new>

namespace mapwright {

std::optional<CLines> CMapDocument::ScaledLines(const CLines& lines, double fx, double fy, int width, int height,
                                                bool selectedOnly)
{
    try {
        CLines scaled = lines;
        bool any = false;
        for (const auto& area : Areas()) {
            if (selectedOnly && !IsSelected(*area))
                continue;
            any = true;
            const std::unique_ptr<CMapArea> copy = area->Clone();
            ScaleArea(*copy, fx, fy, width, height);
            const std::string coords = FormatCoords(*copy);
            CAttributeSet which;
            which[kAttrCoords] = true;
            const CAreaTagValues values{ShapeKeyword(copy->Shape()), coords, copy->m_strHref, copy->m_strTarget,
                                        copy->m_strAlt, copy->m_strStatusOver, copy->m_strStatusOut};
            RewriteAreaTag(scaled, m_page.strMapName, copy->m_nIndex, values, which);
        }
        if (!any)
            return std::nullopt;
        return scaled;
    } catch (const std::bad_alloc&) {
        ReportMemoryFailure();
        return std::nullopt;
    }
}

bool CMapDocument::ScaleAreas(double fx, double fy, bool selectedOnly, CView* sender)
{
    if (!IsScaleFactorAllowed(fx) || !IsScaleFactorAllowed(fy))
        return false;
    std::optional<CLines> scaled = ScaledLines(m_page.lines, fx, fy, m_picture.Width(), m_picture.Height(), selectedOnly);
    if (!scaled)
        return false;
    LinesChanging();
    m_page.lines = std::move(*scaled);
    FinishEdit(EEditSource::kCanvas, sender, EChangeKind::kEverything);
    return true;
}

std::string CMapDocument::PageFolder() const
{
    return GetPathName().empty() ? m_page.strImageDir : FolderOf(GetPathName());
}

bool CMapDocument::ReplacePicture(const std::string& imagePath, EAreaScaling scaling)
{
    CPrompt& prompt = Prompt();
    CPicture picture;
    prompt.SetBusy(true);
    const bool loaded = picture.Load(imagePath);
    prompt.SetBusy(false);
    if (!loaded) {
        const std::string reason = picture.Image() ? picture.Image()->FailureReason() : std::string();
        prompt.ShowDetailedMessage("Error: Can't open image file.", FileNameOf(imagePath) + ": " + reason);
        return false;
    }
    CLines lines = m_page.lines;
    if (!PointMappedImageAt(lines, RelativeReference(imagePath, PageFolder()))) {
        prompt.MessageBox("The page has no picture that uses a map.");
        return false;
    }
    const int width = picture.Width();
    const int height = picture.Height();
    ResizeMappedImage(lines, width, height);

    const int oldWidth = m_picture.Width();
    const int oldHeight = m_picture.Height();
    if ((width != oldWidth || height != oldHeight) && oldWidth > 0 && oldHeight > 0 && AreaCount() > 0 &&
        scaling != EAreaScaling::kKeep) {
        const double fx = static_cast<double>(width) / oldWidth;
        const double fy = static_cast<double>(height) / oldHeight;
        bool scale = scaling == EAreaScaling::kScale;
        if (scaling == EAreaScaling::kAsk) {
            std::string question = "Scale the areas to the new picture size?";
            if (FactorsDiffer(fx, fy))
                question += "\nCircles stay round: their radius follows the smaller change.";
            scale = prompt.AskYesNo(question);
        }
        if (scale) {
            std::optional<CLines> scaled = ScaledLines(lines, fx, fy, width, height, false);
            if (!scaled)
                return false;
            lines = std::move(*scaled);
        }
    }
    LinesChanging();
    m_page.lines = std::move(lines);
    m_picture = std::move(picture);
    m_page.strImagePath = imagePath;
    m_page.strImageName = imagePath;
    if (m_pImageChoice)
        m_pImageChoice->m_strLastImagePath = imagePath;
    FinishEdit(EEditSource::kCanvas, nullptr, EChangeKind::kEverything);
    return true;
}

std::string CMapDocument::SvgOverlay(const std::string& svgFolder, bool standalone) const
{
    const bool utf8 = PageBytesOf(m_page.lines) == EPageBytes::kUtf8;
    const std::string href = RelativeReference(m_page.strImagePath, svgFolder);
    CSvgOverlayOptions options;
    options.nWidth = m_picture.Width();
    options.nHeight = m_picture.Height();
    options.imageHref = href;
    options.bStandalone = standalone;
    options.bUtf8 = utf8;
    return WriteSvgOverlay(*this, options);
}

}  // namespace mapwright
