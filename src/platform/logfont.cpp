#include "platform/logfont.h"

#include "platform/bytecodec.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QScreen>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace mapwright {
namespace {

// True when "i", "W" and "." advance alike: what the text pane's columns need. Fonts such as
// "Noto Sans Mono" have equal advances yet are not flagged fixed-pitch, so the flag is not asked.
bool HasEqualAdvances(const QFont& font)
{
    const QFontMetricsF metrics(font);
    const qreal narrow = metrics.horizontalAdvance(QLatin1Char('i'));
    return qFuzzyCompare(narrow, metrics.horizontalAdvance(QLatin1Char('W')))
        && qFuzzyCompare(narrow, metrics.horizontalAdvance(QLatin1Char('.')));
}

// The desktop's fixed font, or, where its glyphs advance unequally, the first installed family
// whose glyphs all advance alike: those flagged fixed-pitch first, then any.
QFont FixedPitchFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (HasEqualAdvances(font))
        return font;
    const QStringList families = QFontDatabase::families();
    for (const bool flaggedOnly : {true, false}) {
        for (const QString& family : families) {
            if (QFontDatabase::isPrivateFamily(family) || QFontDatabase::isFixedPitch(family) != flaggedOnly)
                continue;
            QFont candidate = font;
            candidate.setFamily(family);
            if (HasEqualAdvances(candidate))
                return candidate;
        }
    }
    return font;
}

constexpr int kFaceBytes = 32;
constexpr int kDefaultPointSize = 10;
// Far beyond any text a pane shows; keeps absurd stored heights from reaching the font engine.
constexpr std::int64_t kMaxPixelHeight = 1000;

void AppendInt32(QByteArray& bytes, std::int32_t value)
{
    const std::int32_t little = qToLittleEndian(value);
    bytes.append(reinterpret_cast<const char*>(&little), sizeof little);
}

std::int32_t ReadInt32(const char* data)
{
    return qFromLittleEndian<std::int32_t>(data);
}

int ValidDpi(int dpiY)
{
    return dpiY > 0 ? dpiY : 96;
}

QString FaceName(const CLogFontRecord& record)
{
    const std::size_t length = strnlen(record.lfFaceName, kFaceBytes);
    return DecodeBytes(std::string_view(record.lfFaceName, length));
}

// The UTF-8 bytes of family, cut to at most 31 bytes without splitting a character.
std::string FaceBytes(const QString& family)
{
    std::string bytes = EncodeText(family, ETextCodec::Utf8);
    if (bytes.size() < kFaceBytes)
        return bytes;
    std::size_t end = kFaceBytes - 1;
    while (end > 0 && (static_cast<unsigned char>(bytes[end]) & 0xC0) == 0x80)
        --end;
    bytes.resize(end);
    return bytes;
}

// The em height in pixels that the record's height stands for in font.
double EmPixels(std::int32_t height, const QFont& font, int dpiY)
{
    if (height == 0)
        return kDefaultPointSize * dpiY / 72.0;
    const double pixels = double(std::clamp<std::int64_t>(std::abs(std::int64_t(height)), 1, kMaxPixelHeight));
    if (height < 0)
        return pixels;
    // A positive height is the whole cell, leading included: scale it down to the em.
    QFont probe = font;
    probe.setPixelSize(100);
    const double cell = QFontMetricsF(probe).height();
    return cell > 0 ? pixels * 100.0 / cell : pixels;
}

}  // namespace

QByteArray LogFontToBytes(const CLogFontRecord& record)
{
    QByteArray bytes;
    bytes.reserve(kLogFontBytes);
    AppendInt32(bytes, record.lfHeight);
    AppendInt32(bytes, record.lfWidth);
    AppendInt32(bytes, record.lfEscapement);
    AppendInt32(bytes, record.lfOrientation);
    AppendInt32(bytes, record.lfWeight);
    for (std::uint8_t byte : {record.lfItalic, record.lfUnderline, record.lfStrikeOut, record.lfCharSet,
                              record.lfOutPrecision, record.lfClipPrecision, record.lfQuality,
                              record.lfPitchAndFamily})
        bytes.append(char(byte));
    bytes.append(record.lfFaceName, kFaceBytes);
    return bytes;
}

std::optional<CLogFontRecord> LogFontFromBytes(QByteArrayView bytes)
{
    if (bytes.size() != kLogFontBytes)
        return std::nullopt;
    const char* data = bytes.data();
    CLogFontRecord record;
    record.lfHeight = ReadInt32(data);
    record.lfWidth = ReadInt32(data + 4);
    record.lfEscapement = ReadInt32(data + 8);
    record.lfOrientation = ReadInt32(data + 12);
    record.lfWeight = ReadInt32(data + 16);
    record.lfItalic = std::uint8_t(data[20]);
    record.lfUnderline = std::uint8_t(data[21]);
    record.lfStrikeOut = std::uint8_t(data[22]);
    record.lfCharSet = std::uint8_t(data[23]);
    record.lfOutPrecision = std::uint8_t(data[24]);
    record.lfClipPrecision = std::uint8_t(data[25]);
    record.lfQuality = std::uint8_t(data[26]);
    record.lfPitchAndFamily = std::uint8_t(data[27]);
    std::memcpy(record.lfFaceName, data + 28, kFaceBytes);
    record.lfFaceName[kFaceBytes - 1] = '\0';
    return record;
}

int ScreenDpiY()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? qRound(screen->logicalDotsPerInchY()) : 96;
}

CLogFontRecord DefaultViewerLogFont(int dpiY)
{
    CLogFontRecord record;
    record.lfHeight = -(ValidDpi(dpiY) * kDefaultPointSize * 10 / 720);
    record.lfCharSet = kDefaultCharSet;
    std::strcpy(record.lfFaceName, "Courier");
    return record;
}

QFont FontFromLogFont(const CLogFontRecord& record, int dpiY)
{
    dpiY = ValidDpi(dpiY);
    const QString face = FaceName(record);
    QFont font;
    if (!face.isEmpty() && QFontDatabase::hasFamily(face))
        font.setFamily(face);
    else
        font = FixedPitchFont();
    if (record.lfPitchAndFamily & kFixedPitch)
        font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(EmPixels(record.lfHeight, font, dpiY) * 72.0 / dpiY);
    // Weight 0 means "any"; the scale otherwise runs from 1 to 1000 like QFont's.
    font.setWeight(record.lfWeight <= 0 ? QFont::Normal : QFont::Weight(std::min(record.lfWeight, 1000)));
    font.setItalic(record.lfItalic != 0);
    font.setUnderline(record.lfUnderline != 0);
    font.setStrikeOut(record.lfStrikeOut != 0);
    return font;
}

CLogFontRecord LogFontFromFont(const QFont& font, int dpiY)
{
    dpiY = ValidDpi(dpiY);
    CLogFontRecord record;
    const double pixels = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * dpiY / 72.0;
    record.lfHeight = -std::max(1, int(std::lround(pixels)));
    record.lfWeight = font.weight();
    record.lfItalic = font.italic() ? 1 : 0;
    record.lfUnderline = font.underline() ? 1 : 0;
    record.lfStrikeOut = font.strikeOut() ? 1 : 0;
    record.lfCharSet = kDefaultCharSet;
    if (QFontInfo(font).fixedPitch())
        record.lfPitchAndFamily = kFixedPitch | kFamilyModern;
    const std::string face = FaceBytes(font.family());
    std::memcpy(record.lfFaceName, face.data(), face.size());
    return record;
}

void ApplyViewerLogFont(CAppSettings& settings, const CLogFontRecord& record, int dpiY)
{
    settings.m_viewerLogFont = record;
    settings.m_viewFont = FontFromLogFont(record, dpiY);
    settings.m_bHasViewFont = true;
}

}  // namespace mapwright
