// A document is 8-bit text. For display it is decoded once: as UTF-8 when the whole text is valid
// UTF-8, otherwise as Latin-1, which maps every byte to one character and back unchanged.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace mapwright {

enum class ETextCodec {
    Utf8,    // the bytes were valid UTF-8
    Latin1,  // any other bytes, one character each
};

// Returns the codec that decodes bytes without loss.
ETextCodec DetectCodec(std::string_view bytes);

// Decodes bytes with codec.
QString DecodeBytes(std::string_view bytes, ETextCodec codec);

// Decodes bytes with the codec that DetectCodec chooses for them.
QString DecodeBytes(std::string_view bytes);

// Encodes text with codec; characters that Latin-1 cannot hold become '?'.
std::string EncodeText(const QString& text, ETextCodec codec);

}  // namespace mapwright
