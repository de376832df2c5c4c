#include "platform/bytecodec.h"

#include <QStringDecoder>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace mapwright {
namespace {

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
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
    return std::all_of(bytes.begin(), bytes.end(), [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
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
