// The drawing context the areas draw on, in the terms of a GDI device context: a current pen,
// brush, raster operation, background mode and brush origin, a current position for MoveTo and
// LineTo, and the figures Arc, Ellipse, Rectangle and Polygon. Coordinates are screen pixels.
// Pens and brushes are plain values: selecting one returns the previous one, which the caller
// selects again to restore it (so "create, select, restore, delete" needs no handles).
#pragma once

#include <cstddef>
#include <cstdint>

namespace mapwright {

using COLORREF = std::uint32_t;  // red in the low byte, then green, then blue, then zero

// Packs red, green and blue (0..255 each) into a COLORREF.
constexpr COLORREF MakeRgb(int red, int green, int blue)
{
    return static_cast<COLORREF>((red & 0xff) | ((green & 0xff) << 8) | ((blue & 0xff) << 16));
}
constexpr int RedOf(COLORREF colour) { return static_cast<int>(colour & 0xff); }
constexpr int GreenOf(COLORREF colour) { return static_cast<int>((colour >> 8) & 0xff); }
constexpr int BlueOf(COLORREF colour) { return static_cast<int>((colour >> 16) & 0xff); }

// Raster operations, with the values GDI gives them.
enum ERasterOp : int {
    R2_NOT = 6,       // every pixel drawn is inverted; the colours of pen and brush do not matter
    R2_COPYPEN = 13,  // pixels take the colour of the pen or brush
};

// Background modes: whether the gaps of a hatch pattern are filled.
enum EBackgroundMode : int {
    TRANSPARENT = 1,  // gaps keep what lies beneath
    OPAQUE = 2,       // gaps are filled with white, the default background colour
};

enum EPenStyle : int {
    PS_SOLID = 0,
    PS_NULL = 5,  // draws nothing
};

enum EBrushStyle : int {
    BS_SOLID = 0,
    BS_NULL = 1,  // fills nothing
    BS_HATCHED = 2,
};

enum EHatchStyle : int {
    HS_DIAGCROSS = 5,  // crossed diagonal lines on an 8 x 8 pattern
};

struct CScreenPoint {
    int x = 0;
    int y = 0;
    bool operator==(const CScreenPoint&) const = default;
};

// A logical pen; width 0 and 1 both draw one pixel wide.
struct CPen {
    int m_nStyle = PS_SOLID;
    int m_nWidth = 0;
    COLORREF m_clrColor = MakeRgb(0, 0, 0);
    bool operator==(const CPen&) const = default;
};

// A logical brush; m_nHatch counts only for BS_HATCHED.
struct CBrush {
    int m_nStyle = BS_SOLID;
    int m_nHatch = HS_DIAGCROSS;
    COLORREF m_clrColor = MakeRgb(255, 255, 255);
    bool operator==(const CBrush&) const = default;
};

// Returns a solid pen of the given width and colour.
constexpr CPen MakeSolidPen(int width, COLORREF colour) { return CPen{PS_SOLID, width, colour}; }

// Returns a hatch brush of the given style and colour.
constexpr CBrush MakeHatchBrush(int hatch, COLORREF colour) { return CBrush{BS_HATCHED, hatch, colour}; }

// A fresh surface starts as a GDI device context does: black one-pixel pen, white solid brush,
// R2_COPYPEN, OPAQUE, brush origin and current position at (0, 0).
class CDrawSurface {
public:
    virtual ~CDrawSurface() = default;

    // Sets the raster operation for everything drawn next; returns the previous one.
    virtual int SetROP2(int rop) = 0;
    // Sets the background mode; returns the previous one.
    virtual int SetBkMode(int mode) = 0;
    // Sets the screen point where the brush pattern starts; returns the previous origin.
    virtual CScreenPoint SetBrushOrg(int x, int y) = 0;
    // Makes pen the current pen; returns the previous one.
    virtual CPen SelectPen(const CPen& pen) = 0;
    // Makes brush the current brush; returns the previous one.
    virtual CBrush SelectBrush(const CBrush& brush) = 0;
    // Sets the current position without drawing.
    virtual void MoveTo(int x, int y) = 0;
    // Draws with the pen from the current position up to, not including, (x, y), which becomes current.
    virtual void LineTo(int x, int y) = 0;
    // Draws with the pen the part of the ellipse in the box from the radial through (startX, startY)
    // counter-clockwise to the radial through (endX, endY); equal radials draw the whole ellipse.
    virtual void Arc(int left, int top, int right, int bottom, int startX, int startY, int endX,
                     int endY) = 0;
    // Fills with the brush and outlines with the pen the ellipse in the box; right and bottom excluded.
    virtual void Ellipse(int left, int top, int right, int bottom) = 0;
    // Fills with the brush and outlines with the pen the box; right and bottom edges excluded.
    virtual void Rectangle(int left, int top, int right, int bottom) = 0;
    // Fills with the brush (alternate rule) and outlines with the pen the closed polygon.
    virtual void Polygon(const CScreenPoint* points, std::size_t count) = 0;
};

}  // namespace mapwright
