// A surface that keeps what is drawn as a display list in logical units.
// Tests inspect the list; the Qt layer replays it with QPainter, scaled to the
// window or to the printer page.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "drawing/Surface.h"

namespace qv {

struct DrawOp {
    enum Kind { Clear, Line, Box, FillBox, Circle, Text, Clip, Unclip };
    Kind kind = Line;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // Circle: x1,y1 centre, x2 radius; Clip: the box
    double startRad = 0, endRad = 0, aspect = 1;
    double width = 1;
    Colour colour = kBlack;  // line colour, or text colour for Text
    FontSpec font;           // Text only
    std::string text;        // Text only
    bool operator==(const DrawOp&) const = default;
};

class RecordingSurface : public Surface {
public:
    // Measures a text in logical units; the Qt layer supplies real font
    // metrics. Without one, a plain estimate is used (half the font size per
    // character), good enough for tests of positions.
    using TextMeasure = std::function<double(const FontSpec&, const std::string&)>;
    // Height of a line of text in a font, in logical units; without one, 1.2
    // times the font size is used.
    using HeightMeasure = std::function<double(const FontSpec&)>;

    // unitsPerPoint: logical units per typographic point (20 for twips).
    explicit RecordingSurface(double unitsPerPoint = 20.0, TextMeasure measure = {});

    void Clear() override;
    void Line(double x1, double y1, double x2, double y2) override;
    void LineTo(double x, double y) override;
    void Box(double x1, double y1, double x2, double y2) override;
    void FillBox(double x1, double y1, double x2, double y2) override;
    void Clip(double x1, double y1, double x2, double y2) override;
    void Unclip() override;
    void Circle(double cx, double cy, double radius, double startRad, double endRad,
                double aspect) override;
    void SetLineWidth(double width) override;
    void SetColour(Colour c) override;
    void SetTextColour(Colour c) override;
    void SetFont(const FontSpec& font) override;
    const FontSpec& Font() const override { return font_; }
    void Text(double x, double y, const std::string& text) override;
    double TextWidth(const std::string& text) const override;
    double TextHeight() const override;

    const std::vector<DrawOp>& Ops() const { return ops_; }
    double UnitsPerPoint() const { return unitsPerPoint_; }
    void SetTextMeasure(TextMeasure measure) { measure_ = std::move(measure); }
    void SetHeightMeasure(HeightMeasure measure) { heightMeasure_ = std::move(measure); }
    // Forgets the list without recording a Clear.
    void Reset();

    double LastX() const { return lastX_; }
    double LastY() const { return lastY_; }
    Colour CurrentColour() const { return colour_; }
    double CurrentLineWidth() const { return width_; }

private:
    void Push(DrawOp op);
    void Stroke(DrawOp::Kind kind, double x1, double y1, double x2, double y2, double endX,
                double endY);

    std::vector<DrawOp> ops_;
    double unitsPerPoint_;
    TextMeasure measure_;
    HeightMeasure heightMeasure_;
    double lastX_ = 0, lastY_ = 0;
    double width_ = 1;
    Colour colour_ = kBlack;
    Colour textColour_ = kBlack;
    FontSpec font_;
};

}  // namespace qv
