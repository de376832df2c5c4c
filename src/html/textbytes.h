// A page is 8-bit text: UTF-8 when every line is valid UTF-8, else Windows-1252, which gives
// every byte a character of its own. What the core needs of that to put characters into bytes.
#pragma once

#include "html/maplines.h"

#include <string>
#include <string_view>

namespace mapwright {

enum class EPageBytes { kUtf8, kWindows1252 };

// True when bytes are well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// How the characters of lines are written: UTF-8 when every line is valid UTF-8.
EPageBytes PageBytesOf(const CLines& lines);

// The characters of the bytes 0x80 to 0x9F in Windows-1252; the five bytes it leaves out keep
// their own value, so that every byte decodes to a character of its own.
extern const char16_t kWindows1252High[32];

// The Windows-1252 byte of character, or -1 when it has none.
int Windows1252Byte(char32_t character);

// Appends character as the bytes of page; false, appending nothing, when those bytes cannot hold it.
bool AppendCharacter(std::string& out, char32_t character, EPageBytes page);

}  // namespace mapwright
