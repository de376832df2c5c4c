// Pictures decoded ahead of need. A start that knows which pictures it is about to open decodes
// them on threads of their own while its window is built; CDecodedImage::Decode then takes the
// finished picture instead of reading the file again.
#pragma once

#include "image/decodedimage.h"

#include <string>

namespace mapwright {

// Starts decoding the file at path on a thread of its own, unless that is under way already.
void PrefetchDecode(const std::string& path);
// Takes the prefetched picture of path, waiting for its decoder, when one was started, it
// succeeded, and the file is still the one it read (same size, time and inode). False otherwise;
// either way path is no longer prefetched.
bool TakePrefetched(const std::string& path, CDecodedPicture& picture);
// Forgets every prefetched picture nobody took; their decoders finish on their own.
void DropPrefetched();

}  // namespace mapwright
