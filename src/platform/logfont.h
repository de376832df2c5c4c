// The stored 60-byte font record: its exact bytes, and its conversion to and from QFont. A
// negative height is the character height in pixels, a positive one the cell height, both at the
// screen's vertical dots per inch.
#pragma once

#include "platform/appsettings.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFont>

#include <optional>

namespace mapwright {

constexpr int kLogFontBytes = 60;
constexpr std::uint8_t kDefaultCharSet = 1;
constexpr std::uint8_t kFixedPitch = 0x01;
constexpr std::uint8_t kFamilyModern = 0x30;

// The record's bytes in its platform layout: little-endian fields, then the face name.
QByteArray LogFontToBytes(const CLogFontRecord& record);
// Reads a record from exactly 60 bytes; nothing for any other size. The face name always ends in a zero.
std::optional<CLogFontRecord> LogFontFromBytes(QByteArrayView bytes);

// The vertical dots per inch of the primary screen, 96 without one.
int ScreenDpiY();

// The default text-pane font: 10-point "Courier", its height -trunc(dpiY * 100 / 720).
CLogFontRecord DefaultViewerLogFont(int dpiY);

// The font a record describes. A face the system lacks becomes its fixed-pitch font, since the
// record serves a pane of HTML text.
QFont FontFromLogFont(const CLogFontRecord& record, int dpiY);
// The record of font: character height, weight, italic, underline, strike-out, face name (cut to
// 31 bytes at a character boundary), the default character set and the pitch of the face.
CLogFontRecord LogFontFromFont(const QFont& font, int dpiY);

// Makes record the text-pane font of settings, with the view font made from it.
void ApplyViewerLogFont(CAppSettings& settings, const CLogFontRecord& record, int dpiY);

}  // namespace mapwright
