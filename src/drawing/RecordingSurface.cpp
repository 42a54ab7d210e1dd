#include "drawing/RecordingSurface.h"

#include <cmath>
#include <utility>

#include "drawing/PageLimits.h"

namespace qv {
namespace {
// Whatever a caller computed, the display list holds only finite numbers.
double Finite(double v) {
    if (std::isnan(v)) return 0;
    if (v > kSurfaceLimit) return kSurfaceLimit;
    if (v < -kSurfaceLimit) return -kSurfaceLimit;
    return v;
}
}  // namespace

RecordingSurface::RecordingSurface(double unitsPerPoint, TextMeasure measure)
    : unitsPerPoint_(unitsPerPoint), measure_(std::move(measure)) {}

void RecordingSurface::Push(DrawOp op) {
    op.x1 = Finite(op.x1);
    op.y1 = Finite(op.y1);
    op.x2 = Finite(op.x2);
    op.y2 = Finite(op.y2);
    op.startRad = Finite(op.startRad);
    op.endRad = Finite(op.endRad);
    op.aspect = Finite(op.aspect);
    ops_.push_back(std::move(op));
}

void RecordingSurface::Reset() {
    ops_.clear();
    lastX_ = lastY_ = 0;
}

void RecordingSurface::Clear() {
    ops_.clear();
    DrawOp op;
    op.kind = DrawOp::Clear;
    op.colour = kWhite;
    ops_.push_back(op);
    lastX_ = lastY_ = 0;
}

// Lines, boxes and circles: one op in the current pen; (x2, y2), or the
// centre of a circle, becomes the last point.
void RecordingSurface::Stroke(DrawOp::Kind kind, double x1, double y1, double x2, double y2,
                              double endX, double endY) {
    DrawOp op;
    op.kind = kind;
    op.x1 = x1;
    op.y1 = y1;
    op.x2 = x2;
    op.y2 = y2;
    op.width = width_;
    op.colour = colour_;
    Push(std::move(op));
    lastX_ = Finite(endX);
    lastY_ = Finite(endY);
}

void RecordingSurface::Line(double x1, double y1, double x2, double y2) {
    Stroke(DrawOp::Line, x1, y1, x2, y2, x2, y2);
}

void RecordingSurface::LineTo(double x, double y) { Line(lastX_, lastY_, x, y); }

void RecordingSurface::Box(double x1, double y1, double x2, double y2) {
    Stroke(DrawOp::Box, x1, y1, x2, y2, x2, y2);
}

void RecordingSurface::FillBox(double x1, double y1, double x2, double y2) {
    Stroke(DrawOp::FillBox, x1, y1, x2, y2, x2, y2);
}

void RecordingSurface::Clip(double x1, double y1, double x2, double y2) {
    DrawOp op;
    op.kind = DrawOp::Clip;
    op.x1 = x1;
    op.y1 = y1;
    op.x2 = x2;
    op.y2 = y2;
    Push(op);
}

void RecordingSurface::Unclip() {
    DrawOp op;
    op.kind = DrawOp::Unclip;
    Push(op);
}

void RecordingSurface::Circle(double cx, double cy, double radius, double startRad,
                              double endRad, double aspect) {
    Stroke(DrawOp::Circle, cx, cy, radius, 0, cx, cy);
    DrawOp& op = ops_.back();
    op.startRad = Finite(startRad);
    op.endRad = Finite(endRad);
    op.aspect = Finite(aspect);
}

void RecordingSurface::SetLineWidth(double width) { width_ = width; }
void RecordingSurface::SetColour(Colour c) { colour_ = c & 0xFFFFFF; }
void RecordingSurface::SetTextColour(Colour c) { textColour_ = c & 0xFFFFFF; }
void RecordingSurface::SetFont(const FontSpec& font) { font_ = font; }

void RecordingSurface::Text(double x, double y, const std::string& text) {
    DrawOp op;
    op.kind = DrawOp::Text;
    op.x1 = x;
    op.y1 = y;
    op.colour = textColour_;
    op.font = font_;
    op.text = text;
    Push(op);
    lastX_ = Finite(x + TextWidth(text));
    lastY_ = Finite(y);
}

double RecordingSurface::TextWidth(const std::string& text) const {
    if (measure_) return measure_(font_, text);
    return 0.5 * font_.sizePt * unitsPerPoint_ * static_cast<double>(text.size());
}

double RecordingSurface::TextHeight() const {
    if (heightMeasure_) return heightMeasure_(font_);
    return 1.2 * font_.sizePt * unitsPerPoint_;
}

}  // namespace qv
