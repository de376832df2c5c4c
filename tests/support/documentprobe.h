// What tests and benchmarks set in a document that only opening a page on disk would set: the
// picture's names, and lines changed without reading the areas again (what a tool meets when the
// text changed under a gesture).
#pragma once

#include "document/mapdocument.h"

namespace mapwright {

struct CMapDocumentProbe {
    static void ReplaceLinesUnread(CMapDocument& doc, CLines lines) { doc.m_page.lines = std::move(lines); }
    static void SetImagePath(CMapDocument& doc, std::string path, std::string name = {})
    {
        doc.m_page.strImagePath = std::move(path);
        doc.m_page.strImageName = std::move(name);
    }
};

}  // namespace mapwright
