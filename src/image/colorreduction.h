// Reduction of true-colour pixels to a colour map chosen for them: a histogram of the colours is
// cut into boxes (median cut), each box's mean colour becomes an entry, and the pixels are
// dithered onto the map (Floyd-Steinberg). The JPEG decoder uses it for pictures libjpeg's own
// two-pass reduction cannot take, since that one accepts RGB output only.
#pragma once

#include "image/decodedimage.h"

#include <cstddef>
#include <cstdint>

namespace mapwright {

// Maps width × height pixels of rgb (red, green, blue; rows rgbRowBytes apart) to at most
// maxColors colours (clamped to 1..kColorTableSize) written to colors, and writes one colour index
// a pixel to indices (rows indexRowBytes apart; bytes past width are left alone). Returns the
// number of colours, or 0 when the picture is empty or memory for the working tables is short.
int ReduceColors(const std::uint8_t* rgb, std::size_t rgbRowBytes, std::int32_t width, std::int32_t height,
                 int maxColors, std::uint8_t* indices, std::size_t indexRowBytes, CRgbColor* colors);

}  // namespace mapwright
