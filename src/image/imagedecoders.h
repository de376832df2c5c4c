// The three file decoders behind CDecodedImage::Decode and the buffer rules they share.
// Each decoder returns true and fills picture on success; on failure it returns false having
// released every file, library structure and buffer it took.
#pragma once

#include "image/decodedimage.h"

#include <cstddef>
#include <cstdint>

namespace mapwright {

// Sets rowBytes to the padded row length of width pixels of bytesPerPixel bytes; returns false
// when the picture is empty or beyond kMaxImageSide or kMaxPixelBytes.
bool PlanPixelBuffer(std::int64_t width, std::int64_t height, int bytesPerPixel,
                     std::size_t& rowBytes);

// Allocates rowBytes × height bytes without initialising them; null when memory is short.
CPixelBuffer AllocatePixelBuffer(std::size_t rowBytes, std::int32_t height);

// Zeroes the padding of every row after the first usedBytes bytes.
void ClearRowPadding(std::uint8_t* bits, std::size_t rowBytes, std::size_t usedBytes,
                     std::int32_t height);

bool DecodeGifFile(const char* path, CDecodedPicture& picture);
bool DecodeJpegFile(const char* path, CDecodedPicture& picture);
bool DecodePngFile(const char* path, CDecodedPicture& picture);

}  // namespace mapwright
