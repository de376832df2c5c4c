// The JSON that mapwright-cli prints for an opened or edited document.
#pragma once

#include <string>

namespace mapwright {

class CDecodedImage;
class CMapDocument;

// Returns the document's names, size, state, undo position and areas in tag order as JSON.
std::string DocumentJson(CMapDocument& doc);

// Returns what decoding an image gave as JSON: ok, format, size, bit count, row bytes, colours,
// palette entries and the SHA-256 of the whole pixel buffer.
std::string DecodedImageJson(const CDecodedImage& image, bool ok);

}  // namespace mapwright
