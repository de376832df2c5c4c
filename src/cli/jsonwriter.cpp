#include "cli/jsonwriter.h"

#include <cstdio>

namespace mapwright {

std::string JsonString(std::string_view bytes)
{
    return JsonString(bytes, IsValidUtf8(bytes));
}

std::string JsonString(std::string_view bytes, bool asUtf8)
{
    std::string json = "\"";
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            json += escaped;
        } else if (byte >= 0x80 && !asUtf8) {
            json += static_cast<char>(0xc0 | (byte >> 6));
            json += static_cast<char>(0x80 | (byte & 0x3f));
        } else {
            json += c;
        }
    }
    json += '"';
    return json;
}

}  // namespace mapwright
