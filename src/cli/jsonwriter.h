// A small JSON emitter for mapwright-cli. Document bytes become UTF-8 JSON strings: decoded as
// UTF-8 when the whole text is valid UTF-8, otherwise each byte as one Latin-1 character.
#pragma once

#include "html/textbytes.h"

#include <string>
#include <string_view>

namespace mapwright {

// Returns bytes as a quoted JSON string, decoded as UTF-8 when asUtf8 (the bytes must then be
// valid UTF-8) or else one Latin-1 character per byte; control characters, quotes and
// backslashes are escaped.
std::string JsonString(std::string_view bytes, bool asUtf8);

// As above, decoded as UTF-8 exactly when the bytes are valid UTF-8.
std::string JsonString(std::string_view bytes);

}  // namespace mapwright
