// The drawing surface every picture in the program is drawn on: the chart,
// the schematics, the opening page's decorations and the printed sheets.
// Positions are in the surface's own logical units (twips on the Analysis
// page and the printer, drawing units on the Design page), x to the right and
// y downwards. The Qt layer replays what is drawn here; nothing above it sees
// Qt.
#pragma once

#include <cstdint>
#include <string>

namespace qv {

// 24-bit colour held as 0x00BBGGRR, red in the low byte.
using Colour = std::uint32_t;

constexpr Colour Rgb(int r, int g, int b) {
    return static_cast<Colour>(r & 0xFF) | (static_cast<Colour>(g & 0xFF) << 8) |
           (static_cast<Colour>(b & 0xFF) << 16);
}
constexpr int RedOf(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }

inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kWhite = 0xFFFFFF;

struct FontSpec {
    std::string name = "Arial";
    double sizePt = 8.0;  // points; one point is 20 twips
    bool bold = false;
    bool operator==(const FontSpec&) const = default;
};

class Surface {
public:
    virtual ~Surface() = default;

    // Wipes the whole surface to white and forgets the last point.
    virtual void Clear() = 0;

    // A straight line in the current colour and width; the end becomes the
    // last point. A line from a point to itself is a dot.
    virtual void Line(double x1, double y1, double x2, double y2) = 0;
    // Continues the polyline from the last point.
    virtual void LineTo(double x, double y) = 0;

    virtual void Box(double x1, double y1, double x2, double y2) = 0;      // outline
    virtual void FillBox(double x1, double y1, double x2, double y2) = 0;  // filled

    // From now on only what falls inside the box is drawn, until Unclip or
    // Clear; a second Clip replaces the first. A picture confined to its own
    // area (the zoomed chart) cannot spill over its neighbours.
    virtual void Clip(double x1, double y1, double x2, double y2) = 0;
    virtual void Unclip() = 0;

    // Circle or arc in the current colour and width. Angles in radians,
    // counter-clockwise from +x as seen on screen; a full circle when start
    // and end are equal. Aspect is height / width: above 1 the radius is the
    // vertical half-axis, below 1 the horizontal one. The centre becomes the
    // last point.
    virtual void Circle(double cx, double cy, double radius, double startRad = 0,
                        double endRad = 0, double aspect = 1.0) = 0;

    virtual void SetLineWidth(double width) = 0;  // 1 = the thinnest line
    virtual void SetColour(Colour c) = 0;         // lines, boxes, circles
    virtual void SetTextColour(Colour c) = 0;
    virtual void SetFont(const FontSpec& font) = 0;
    virtual const FontSpec& Font() const = 0;  // the current font

    // Text with its top-left corner at (x, y), in the current font and text
    // colour.
    virtual void Text(double x, double y, const std::string& text) = 0;
    // Width and height of a text in the current font, in logical units.
    virtual double TextWidth(const std::string& text) const = 0;
    virtual double TextHeight() const = 0;
};

}  // namespace qv
