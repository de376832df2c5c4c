// What tests and benchmarks set in a document that only opening a page on disk would set: the
// picture's names and pixels, and lines changed without reading the areas again (what a tool meets when the
// text changed under a gesture).
#pragma once

#include "document/mapdocument.h"

namespace mapwright {

struct CMapDocumentProbe {
    // Where the document believes the map and its tags stand, when it keeps that.
    static const std::optional<CMapLayout>& Layout(const CMapDocument& doc) { return doc.m_layout; }
    // Sets the two view switches and the tool as their commands would.
    static void Show(CMapDocument& doc, bool hatch, bool handles)
    {
        if (doc.Display().bHatch != hatch)
            doc.OnHatchAreas();
        if (doc.Display().bShowHandles != handles)
            doc.OnDragHandles();
    }
    static void UseTool(CMapDocument& doc, ETool tool)
    {
        doc.m_display.nTool = tool;
        doc.m_display.bZoomMode = tool == kToolZoom;
    }
    static void ReplaceLinesUnread(CMapDocument& doc, CLines lines)
    {
        doc.LinesChanging();
        doc.m_page.lines = std::move(lines);
    }
    // The decoded picture itself, to decode another file into the same object.
    static CDecodedImage* MutableImage(CMapDocument& doc) { return doc.m_picture.m_pImage.get(); }
    static void SetImagePath(CMapDocument& doc, std::string path, std::string name = {})
    {
        doc.m_page.strImagePath = std::move(path);
        doc.m_page.strImageName = std::move(name);
    }
};

}  // namespace mapwright
