// A document is 8-bit text. For display it is decoded once: as UTF-8 when the whole text is valid
// UTF-8, otherwise as Windows-1252, which maps every byte to one character and back. Text decoded
// and encoded again with the same codec gives back every byte, a UTF-8 byte-order mark included.
#pragma once

#include "html/textbytes.h"

#include <QString>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mapwright {

enum class ETextCodec {
    Utf8,         // the bytes were valid UTF-8
    Windows1252,  // any other bytes; the five bytes Windows-1252 leaves out stand for U+0081 and the like
};

// Returns the codec that decodes bytes without loss.
ETextCodec DetectCodec(std::string_view bytes);

// Returns the codec that decodes the lines of a page without loss: UTF-8 when every line is valid.
ETextCodec DetectCodec(const std::vector<std::string>& lines);

// Decodes bytes with codec; a leading byte-order mark stays in the text as U+FEFF.
QString DecodeBytes(std::string_view bytes, ETextCodec codec);

// Decodes bytes with the codec that DetectCodec chooses for them.
QString DecodeBytes(std::string_view bytes);

// Encodes text with codec. A character that Windows-1252 cannot hold becomes its HTML numeric
// character reference ("&#8364;" style), so page text typed by the user is never lost.
std::string EncodeText(const QString& text, ETextCodec codec);

// Text as EncodeText writes it with codec and DecodeBytes reads it back: a character that codec
// cannot hold becomes what it is written as.
QString WrittenText(const QString& text, ETextCodec codec);

// True when every character of text, or every byte of bytes, is ASCII, which every codec reads
// and writes alike.
bool IsAscii(const QString& text);
bool IsAscii(std::string_view bytes);

// Length in UTF-16 code units of bytes decoded with codec.
qsizetype DecodedLength(std::string_view bytes, ETextCodec codec);

// Byte position in bytes of the character at UTF-16 position in their decoded text; a position
// at or past the end gives the size.
std::size_t BytePosition(std::string_view bytes, ETextCodec codec, qsizetype position);

}  // namespace mapwright
