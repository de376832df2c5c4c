// A drawing surface that draws nothing and logs every call with its exact arguments, one text
// per call ("MoveTo(3,4)", "SetROP2(R2_NOT)", "SelectPen(PS_SOLID,2,#ffffff)"), while keeping the
// state a real surface keeps so that every call returns what a device context would.
#pragma once

#include "model/drawsurface.h"

#include <string>
#include <vector>

namespace mapwright {

class CRecordingSurface : public CDrawSurface {
public:
    int SetROP2(int rop) override;
    int SetBkMode(int mode) override;
    CScreenPoint SetBrushOrg(int x, int y) override;
    CPen SelectPen(const CPen& pen) override;
    CBrush SelectBrush(const CBrush& brush) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Arc(int left, int top, int right, int bottom, int startX, int startY, int endX, int endY) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void Polygon(const CScreenPoint* points, std::size_t count) override;

    // Empties the log; the state stays.
    void ClearCalls() { m_calls.clear(); }

    std::vector<std::string> m_calls;
    int m_nRop = R2_COPYPEN;
    int m_nBkMode = OPAQUE;
    CScreenPoint m_brushOrg;
    CScreenPoint m_position;
    CPen m_pen;
    CBrush m_brush;
};

// Returns the log text of a pen: "PS_SOLID,2,#ffffff" (colour as red, green, blue).
std::string DescribePen(const CPen& pen);

// Returns the log text of a brush: "BS_HATCHED,HS_DIAGCROSS,#00ff00".
std::string DescribeBrush(const CBrush& brush);

}  // namespace mapwright
