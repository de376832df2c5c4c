#include "html/textbytes.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>

namespace mapwright {

const char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

namespace {

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// Length of the UTF-8 sequence that starts at bytes[i] when it is well-formed, else 0.
std::size_t Utf8SequenceLength(std::string_view bytes, std::size_t i)
{
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = at(i);
    std::size_t length = 0;
    unsigned char secondLow = 0x80;
    unsigned char secondHigh = 0xBF;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            secondLow = 0xA0;  // shorter forms are overlong
        if (lead == 0xED)
            secondHigh = 0x9F;  // D800 to DFFF are surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            secondLow = 0x90;
        if (lead == 0xF4)
            secondHigh = 0x8F;  // nothing past U+10FFFF
    } else {
        return 0;
    }
    if (bytes.size() - i < length || at(i + 1) < secondLow || at(i + 1) > secondHigh)
        return 0;
    for (std::size_t k = 2; k < length; ++k) {
        if (!IsContinuation(at(i + k)))
            return 0;
    }
    return length;
}

bool HasHighByte(std::string_view bytes)
{
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + i, 8);
        if (word & 0x8080808080808080ULL)
            return true;
    }
    for (; i < bytes.size(); ++i) {
        if (static_cast<unsigned char>(bytes[i]) >= 0x80)
            return true;
    }
    return false;
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

bool IsValidUtf8(std::string_view bytes)
{
    if (!HasHighByte(bytes))
        return true;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = Utf8SequenceLength(bytes, i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

EPageBytes PageBytesOf(const CLines& lines)
{
    // A line end is ASCII and never inside a UTF-8 sequence, so the page is valid when its lines are.
    const bool utf8 = std::all_of(lines.begin(), lines.end(), [](const std::string& line) { return IsValidUtf8(line); });
    return utf8 ? EPageBytes::kUtf8 : EPageBytes::kWindows1252;
}

int Windows1252Byte(char32_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return static_cast<int>(character);
    const auto* found = std::find(std::begin(kWindows1252High), std::end(kWindows1252High), character);
    if (found == std::end(kWindows1252High))
        return -1;
    return 0x80 + static_cast<int>(found - std::begin(kWindows1252High));
}

bool AppendCharacter(std::string& out, char32_t character, EPageBytes page)
{
    if (page == EPageBytes::kUtf8) {
        AppendUtf8(out, character);
        return true;
    }
    const int byte = Windows1252Byte(character);
    if (byte < 0)
        return false;
    out += static_cast<char>(byte);
    return true;
}

}  // namespace mapwright
