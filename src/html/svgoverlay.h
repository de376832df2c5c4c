// An SVG overlay for a page shown at any width: the picture with one link per area over it, in
// a viewBox of the picture's size, so the links scale with the picture.
#pragma once

#include "model/arealist.h"

#include <string>
#include <string_view>

namespace mapwright {

struct CSvgOverlayOptions {
    int nWidth = 0;
    int nHeight = 0;
    // The picture as the SVG refers to it (relative to the SVG file), as raw bytes.
    std::string_view imageHref;
    // A file of its own: the XML prologue first. Without it, markup to paste into a page.
    bool bStandalone = true;
    // The page's bytes are UTF-8 throughout; otherwise they are read as Windows-1252.
    bool bUtf8 = true;
};

// Writes the overlay of areas: each as a link around its shape, named by its alternate text,
// written last to first so the first area in text order is on top, as an image map picks it.
std::string WriteSvgOverlay(const CAreaList& areas, const CSvgOverlayOptions& options);

// An area's text (as the reader gives it) as XML character data: read as UTF-8 when the whole of
// it is valid UTF-8 and as Windows-1252 otherwise (where a numeric reference stands for a
// character those bytes cannot hold), then &, <, > and both quotes escaped.
std::string XmlText(std::string_view text, bool utf8);

}  // namespace mapwright
