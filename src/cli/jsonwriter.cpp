#include "cli/jsonwriter.h"

#include <cstdio>

namespace mapwright {

bool IsValidUtf8(std::string_view bytes)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        int length;
        unsigned minimum;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xc2 && lead <= 0xdf) {
            length = 2, minimum = 0x80;
        } else if (lead >= 0xe0 && lead <= 0xef) {
            length = 3, minimum = 0x800;
        } else if (lead >= 0xf0 && lead <= 0xf4) {
            length = 4, minimum = 0x10000;
        } else {
            return false;
        }
        if (i + length > bytes.size())
            return false;
        unsigned value = lead & (0xff >> (length + 1));
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xc0) != 0x80)
                return false;
            value = value << 6 | (next & 0x3f);
        }
        if (value < minimum || value > 0x10ffff || (value >= 0xd800 && value <= 0xdfff))
            return false;
        i += length;
    }
    return true;
}

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
