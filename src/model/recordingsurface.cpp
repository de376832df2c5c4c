#include "model/recordingsurface.h"

#include <cstdio>
#include <initializer_list>

namespace mapwright {

namespace {

std::string RopName(int rop)
{
    switch (rop) {
    case R2_NOT: return "R2_NOT";
    case R2_COPYPEN: return "R2_COPYPEN";
    default: return std::to_string(rop);
    }
}

std::string BkModeName(int mode)
{
    switch (mode) {
    case TRANSPARENT: return "TRANSPARENT";
    case OPAQUE: return "OPAQUE";
    default: return std::to_string(mode);
    }
}

std::string ColourText(COLORREF colour)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", RedOf(colour), GreenOf(colour), BlueOf(colour));
    return text;
}

std::string Numbers(std::initializer_list<int> values)
{
    std::string text;
    for (int value : values) {
        if (!text.empty())
            text += ',';
        text += std::to_string(value);
    }
    return text;
}

}  // namespace

std::string DescribePen(const CPen& pen)
{
    const std::string style = pen.m_nStyle == PS_SOLID  ? "PS_SOLID"
                              : pen.m_nStyle == PS_NULL ? "PS_NULL"
                                                        : std::to_string(pen.m_nStyle);
    return style + "," + std::to_string(pen.m_nWidth) + "," + ColourText(pen.m_clrColor);
}

std::string DescribeBrush(const CBrush& brush)
{
    switch (brush.m_nStyle) {
    case BS_SOLID: return "BS_SOLID," + ColourText(brush.m_clrColor);
    case BS_NULL: return "BS_NULL";
    case BS_HATCHED: {
        const std::string hatch = brush.m_nHatch == HS_DIAGCROSS ? "HS_DIAGCROSS" : std::to_string(brush.m_nHatch);
        return "BS_HATCHED," + hatch + "," + ColourText(brush.m_clrColor);
    }
    default: return std::to_string(brush.m_nStyle);
    }
}

int CRecordingSurface::SetROP2(int rop)
{
    m_calls.push_back("SetROP2(" + RopName(rop) + ")");
    const int previous = m_nRop;
    m_nRop = rop;
    return previous;
}

int CRecordingSurface::SetBkMode(int mode)
{
    m_calls.push_back("SetBkMode(" + BkModeName(mode) + ")");
    const int previous = m_nBkMode;
    m_nBkMode = mode;
    return previous;
}

CScreenPoint CRecordingSurface::SetBrushOrg(int x, int y)
{
    m_calls.push_back("SetBrushOrg(" + Numbers({x, y}) + ")");
    const CScreenPoint previous = m_brushOrg;
    m_brushOrg = {x, y};
    return previous;
}

CPen CRecordingSurface::SelectPen(const CPen& pen)
{
    m_calls.push_back("SelectPen(" + DescribePen(pen) + ")");
    const CPen previous = m_pen;
    m_pen = pen;
    return previous;
}

CBrush CRecordingSurface::SelectBrush(const CBrush& brush)
{
    m_calls.push_back("SelectBrush(" + DescribeBrush(brush) + ")");
    const CBrush previous = m_brush;
    m_brush = brush;
    return previous;
}

void CRecordingSurface::MoveTo(int x, int y)
{
    m_calls.push_back("MoveTo(" + Numbers({x, y}) + ")");
    m_position = {x, y};
}

void CRecordingSurface::LineTo(int x, int y)
{
    m_calls.push_back("LineTo(" + Numbers({x, y}) + ")");
    m_position = {x, y};
}

void CRecordingSurface::Arc(int left, int top, int right, int bottom, int startX, int startY, int endX, int endY)
{
    m_calls.push_back("Arc(" + Numbers({left, top, right, bottom, startX, startY, endX, endY}) + ")");
}

void CRecordingSurface::Ellipse(int left, int top, int right, int bottom)
{
    m_calls.push_back("Ellipse(" + Numbers({left, top, right, bottom}) + ")");
}

void CRecordingSurface::Rectangle(int left, int top, int right, int bottom)
{
    m_calls.push_back("Rectangle(" + Numbers({left, top, right, bottom}) + ")");
}

void CRecordingSurface::Polygon(const CScreenPoint* points, std::size_t count)
{
    std::string text = "Polygon(";
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0)
            text += ' ';
        text += Numbers({points[i].x, points[i].y});
    }
    m_calls.push_back(text + ")");
}

}  // namespace mapwright
