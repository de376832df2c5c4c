#include "platform/bytecodec.h"

#include <QStringDecoder>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace mapwright {
namespace {

// The characters of the bytes 0x80 to 0x9F in Windows-1252; the five bytes it leaves out keep
// their own value, so that every byte decodes to a character of its own.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

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

// The Windows-1252 byte of character, or -1 when it has none.
int Windows1252Byte(char16_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return character;
    const auto* found = std::find(std::begin(kWindows1252High), std::end(kWindows1252High), character);
    if (found == std::end(kWindows1252High))
        return -1;
    return 0x80 + static_cast<int>(found - std::begin(kWindows1252High));
}

void AppendCharacterReference(std::string& out, char32_t codePoint)
{
    out += "&#";
    out += std::to_string(static_cast<std::uint32_t>(codePoint));
    out += ';';
}

std::string EncodeWindows1252(const QString& text)
{
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        const int byte = Windows1252Byte(unit);
        if (byte >= 0) {
            out += static_cast<char>(byte);
        } else if (QChar::isHighSurrogate(unit) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            AppendCharacterReference(out, QChar::surrogateToUcs4(unit, text[i + 1].unicode()));
            ++i;
        } else {
            AppendCharacterReference(out, QChar::isSurrogate(unit) ? char32_t(QChar::ReplacementCharacter) : char32_t(unit));
        }
    }
    return out;
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

ETextCodec DetectCodec(std::string_view bytes)
{
    return IsValidUtf8(bytes) ? ETextCodec::Utf8 : ETextCodec::Windows1252;
}

ETextCodec DetectCodec(const std::vector<std::string>& lines)
{
    // A line end is ASCII and never inside a UTF-8 sequence, so the page is valid when its lines are.
    for (const std::string& line : lines) {
        if (!IsValidUtf8(line))
            return ETextCodec::Windows1252;
    }
    return ETextCodec::Utf8;
}

QString DecodeBytes(std::string_view bytes, ETextCodec codec)
{
    const auto size = static_cast<qsizetype>(bytes.size());
    if (codec == ETextCodec::Utf8) {
        // Without ConvertInitialBom the decoder would drop a leading byte-order mark.
        QStringDecoder decoder(QStringConverter::Utf8,
                               QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
        return decoder.decode(QByteArrayView(bytes.data(), size));
    }
    QString text(size, Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        *out++ = QChar(value >= 0x80 && value < 0xA0 ? kWindows1252High[value - 0x80] : char16_t(value));
    }
    return text;
}

QString DecodeBytes(std::string_view bytes)
{
    return DecodeBytes(bytes, DetectCodec(bytes));
}

std::string EncodeText(const QString& text, ETextCodec codec)
{
    if (codec == ETextCodec::Windows1252)
        return EncodeWindows1252(text);
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString WrittenText(const QString& text, ETextCodec codec)
{
    return DecodeBytes(EncodeText(text, codec), codec);
}

bool IsAscii(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar character) { return character.unicode() < 0x80; });
}

bool IsAscii(std::string_view bytes)
{
    return !HasHighByte(bytes);
}

qsizetype DecodedLength(std::string_view bytes, ETextCodec codec)
{
    if (codec == ETextCodec::Windows1252)
        return static_cast<qsizetype>(bytes.size());
    qsizetype units = 0;
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        if (!IsContinuation(value))
            units += value >= 0xF0 ? 2 : 1;  // four-byte sequences are surrogate pairs
    }
    return units;
}

std::size_t BytePosition(std::string_view bytes, ETextCodec codec, qsizetype position)
{
    if (position <= 0)
        return 0;
    if (codec == ETextCodec::Windows1252)
        return std::min(static_cast<std::size_t>(position), bytes.size());
    qsizetype units = 0;
    std::size_t i = 0;
    while (i < bytes.size() && units < position) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        units += lead >= 0xF0 ? 2 : 1;
        ++i;
        while (i < bytes.size() && IsContinuation(static_cast<unsigned char>(bytes[i])))
            ++i;
    }
    return i;
}

}  // namespace mapwright
