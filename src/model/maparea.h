// One clickable area of an image map: its geometry in image pixels, its six attribute texts and
// its points (the eight drag handles of a rectangle or circle, or the vertices of a polygon).
// The shape is the class; Shape() names it, and VisitArea hands code the area as its own class.
#pragma once

#include "model/drawsurface.h"

#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace mapwright {

// Handle codes run clockwise from the top-left corner; corners end in 0, edge midpoints in 5.
enum EHandleCode : int {
    kHandleTopLeft = 10,
    kHandleTop = 15,
    kHandleTopRight = 20,
    kHandleRight = 25,
    kHandleBottomRight = 30,
    kHandleBottom = 35,
    kHandleBottomLeft = 40,
    kHandleLeft = 45,
    kPolygonVertex = 100,
};

// Where each handle stands in a rectangle's point list.
enum ERectHandleIndex : int {
    kRectTopLeftIndex = 0,
    kRectTopRightIndex = 1,
    kRectBottomRightIndex = 2,
    kRectBottomLeftIndex = 3,
    kRectTopIndex = 4,
    kRectRightIndex = 5,
    kRectBottomIndex = 6,
    kRectLeftIndex = 7,
};

// Where each handle stands in a circle's point list: the edges first, then the corners.
enum ECircleHandleIndex : int {
    kCircleTopIndex = 0,
    kCircleRightIndex = 1,
    kCircleBottomIndex = 2,
    kCircleLeftIndex = 3,
    kCircleTopLeftIndex = 4,
    kCircleTopRightIndex = 5,
    kCircleBottomRightIndex = 6,
    kCircleBottomLeftIndex = 7,
};

// The kinds of area, in the order a click picks them where they overlap.
enum class EAreaShape { kRectangle, kCircle, kPolygon };

class CAreaPoint {
public:
    CAreaPoint() = default;
    CAreaPoint(int px, int py, int code = kPolygonVertex) : x(px), y(py), m_nCode(code) {}
    bool operator==(const CAreaPoint&) const = default;

    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t m_nCode = 0;
};

// Returns value raised to 0 when negative, then lowered to size - 1 when beyond.
int ClampToImage(int value, int size);

// Returns offset reduced so that value + offset stays in 0..size - 1.
int ReduceOffset(int offset, int value, int size);

// An offset in image pixels, as MoveBy really applied it.
struct COffset {
    int dx = 0;
    int dy = 0;
    bool operator==(const COffset&) const = default;
};

// The smallest box of picture pixels that holds an area's geometry, edges included.
struct CAreaBounds {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const CAreaBounds&) const = default;
};

class CMapArea {
public:
    virtual ~CMapArea() = default;

    virtual EAreaShape Shape() const = 0;
    // A deep copy of the area.
    virtual std::unique_ptr<CMapArea> Clone() const = 0;
    // Copies number, texts, points and geometry of other, which must be of the same shape.
    virtual void CopyValuesFrom(const CMapArea& other) = 0;
    // True when picture pixel (x, y) lies in the area.
    virtual bool HitTest(int x, int y) const = 0;
    virtual CAreaBounds Bounds() const = 0;
    // Moves the area by at most (dx, dy) keeping it inside the image, handles included; returns
    // the offset applied.
    virtual COffset MoveWithHandles(int dx, int dy, int imageWidth, int imageHeight) = 0;
    // The part of (dx, dy) that MoveWithHandles would apply, moving nothing.
    virtual COffset AllowedMove(int dx, int dy, int imageWidth, int imageHeight) const = 0;
    // Draws the outline with the current pen, inverting unless keepRop; screen = zoom x v + zoom/2 - scroll.
    virtual void DrawOutline(CDrawSurface& dc, bool keepRop, double zoom, int scrollX, int scrollY) const = 0;
    // Fills with a diagonal-cross hatch of colour fixed to the image, inverting unless keepRop.
    virtual void DrawHatched(CDrawSurface& dc, COLORREF colour, bool keepRop, double zoom, int scrollX,
                             int scrollY) const = 0;

    // Deletes every point.
    virtual void ClearPoints() { m_points.clear(); }

    // Draws a handle square for every point, white pen and, from zoom 1 up, black pen; pen restored.
    void DrawHandles(CDrawSurface& dc, double zoom, int scrollX, int scrollY) const;

    std::int32_t m_nIndex = 0;
    std::string m_strHref;
    std::string m_strAlt;
    std::string m_strStatusOut;
    std::string m_strStatusOver;
    std::string m_strTarget;
    // The TITLE attribute: the tooltip browsers show over the area.
    std::string m_strTitle;
    std::vector<CAreaPoint> m_points;

protected:
    CMapArea() = default;
    CMapArea(const CMapArea&) = default;
    CMapArea& operator=(const CMapArea&) = default;
    // Copies the number, the six texts and the points.
    void CopyBaseFrom(const CMapArea& other);
};

class CRectArea final : public CMapArea {
public:
    CAreaBounds Bounds() const override;
    EAreaShape Shape() const override { return EAreaShape::kRectangle; }
    std::unique_ptr<CMapArea> Clone() const override { return std::make_unique<CRectArea>(*this); }
    void CopyValuesFrom(const CMapArea& other) override { CopyFrom(static_cast<const CRectArea&>(other)); }
    COffset MoveWithHandles(int dx, int dy, int imageWidth, int imageHeight) override;
    COffset AllowedMove(int dx, int dy, int imageWidth, int imageHeight) const override;
    // Deep copy of other: fields, texts and points.
    void CopyFrom(const CRectArea& other);
    // True when left <= x <= right and top <= y <= bottom.
    bool HitTest(int x, int y) const override;
    // Rebuilds the eight handles: corners 10, 20, 30, 40, then edges 15, 25, 35, 45.
    void BuildHandles();
    // Drags handle index handle to (newX, newY) inside a W x H image; activeHandle follows the cursor.
    void ResizeByHandle(int handle, int newX, int newY, int imageWidth, int imageHeight, int& activeHandle);
    // Moves the rectangle by at most (dx, dy) keeping it inside the image; returns the offset applied.
    // The handles stay where they were; the caller rebuilds them.
    COffset MoveBy(int dx, int dy, int imageWidth, int imageHeight);
    // Draws the outline with the current pen, inverting unless keepRop; screen = zoom x v + zoom/2 - scroll.
    void DrawOutline(CDrawSurface& dc, bool keepRop, double zoom, int scrollX, int scrollY) const override;
    // Fills with a diagonal-cross hatch of colour fixed to the image, inverting unless keepRop.
    void DrawHatched(CDrawSurface& dc, COLORREF colour, bool keepRop, double zoom, int scrollX,
                     int scrollY) const override;

    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

class CCircleArea final : public CMapArea {
public:
    CAreaBounds Bounds() const override;
    EAreaShape Shape() const override { return EAreaShape::kCircle; }
    std::unique_ptr<CMapArea> Clone() const override { return std::make_unique<CCircleArea>(*this); }
    void CopyValuesFrom(const CMapArea& other) override { CopyFrom(static_cast<const CCircleArea&>(other)); }
    COffset MoveWithHandles(int dx, int dy, int imageWidth, int imageHeight) override;
    COffset AllowedMove(int dx, int dy, int imageWidth, int imageHeight) const override;
    // Deep copy of other: fields, texts and points.
    void CopyFrom(const CCircleArea& other);
    // True when the point lies inside or on the rim.
    bool HitTest(int px, int py) const override;
    // Rebuilds the eight handles: edges 15, 25, 35, 45 first, then corners at 0.707 x radius.
    void BuildHandles();
    // Drags handle index handle to (newX, newY); (fixedX, fixedY) is the opposite point of a corner drag.
    void ResizeByHandle(int handle, int newX, int newY, int imageWidth, int imageHeight, int& activeHandle,
                        int fixedX, int fixedY);
    // Moves the centre by at most (dx, dy) keeping it inside the image (the rim may leave it) and
    // rebuilds the handles; returns the offset applied.
    COffset MoveBy(int dx, int dy, int imageWidth, int imageHeight);
    // Draws the outline with the current pen, inverting unless keepRop; screen = zoom x v + zoom/2 - scroll.
    void DrawOutline(CDrawSurface& dc, bool keepRop, double zoom, int scrollX, int scrollY) const override;
    // Fills with a diagonal-cross hatch of colour fixed to the image, inverting unless keepRop.
    void DrawHatched(CDrawSurface& dc, COLORREF colour, bool keepRop, double zoom, int scrollX,
                     int scrollY) const override;

    std::int32_t radius = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
};

class CPolyArea final : public CMapArea {
public:
    CAreaBounds Bounds() const override;
    EAreaShape Shape() const override { return EAreaShape::kPolygon; }
    std::unique_ptr<CMapArea> Clone() const override { return std::make_unique<CPolyArea>(*this); }
    void CopyValuesFrom(const CMapArea& other) override { CopyFrom(static_cast<const CPolyArea&>(other)); }
    COffset MoveWithHandles(int dx, int dy, int imageWidth, int imageHeight) override;
    COffset AllowedMove(int dx, int dy, int imageWidth, int imageHeight) const override;
    // Deep copy of other: texts and vertices.
    void CopyFrom(const CPolyArea& other);
    // Even-odd pixel test of a polygon region; right and bottom boundary pixels are outside.
    bool HitTest(int x, int y) const override;
    // Moves every vertex by the largest part of (dx, dy) that keeps all inside; returns it.
    COffset MoveBy(int dx, int dy, int imageWidth, int imageHeight);
    // Moves vertex index to (newX, newY) clamped into the image.
    void MoveVertex(int index, int newX, int newY, int imageWidth, int imageHeight);
    // Inserts a vertex before index (0..size) at (x, y) clamped into the image; false when index
    // is out of range.
    bool InsertVertex(int index, int x, int y, int imageWidth, int imageHeight);
    // Deletes vertex index; false when there is none or fewer than kMinVertices would be left.
    static constexpr int kMinVertices = 3;
    bool DeleteVertex(int index);
    // The edge (from vertex i to the next, the last one closing the outline) that passes within
    // reach picture pixels of (x, y), the nearest one; -1 when none does.
    int EdgeNear(double x, double y, double reach) const;
    // Draws the outline with the current pen, inverting unless keepRop; screen = zoom x v + zoom/2 - scroll.
    void DrawOutline(CDrawSurface& dc, bool keepRop, double zoom, int scrollX, int scrollY) const override;
    // Fills with a diagonal-cross hatch of colour fixed to the image, inverting unless keepRop.
    void DrawHatched(CDrawSurface& dc, COLORREF colour, bool keepRop, double zoom, int scrollX,
                     int scrollY) const override;
};

// Calls visit with area as its own class (const kept) and returns what visit returns.
template <class Area, class Visitor>
decltype(auto) VisitArea(Area& area, Visitor&& visit)
{
    constexpr bool kConst = std::is_const_v<Area>;
    using Rect = std::conditional_t<kConst, const CRectArea, CRectArea>;
    using Circle = std::conditional_t<kConst, const CCircleArea, CCircleArea>;
    using Poly = std::conditional_t<kConst, const CPolyArea, CPolyArea>;
    switch (area.Shape()) {
    case EAreaShape::kRectangle: return visit(static_cast<Rect&>(area));
    case EAreaShape::kCircle: return visit(static_cast<Circle&>(area));
    case EAreaShape::kPolygon: break;
    }
    return visit(static_cast<Poly&>(area));
}

}  // namespace mapwright
