#include "platform/Replay.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QLineF>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

namespace qv {

QColor ToQColor(Colour c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

Colour FromQColor(const QColor& c) { return Rgb(c.red(), c.green(), c.blue()); }

PageTransform PageTransform::Fit(double logicalWidth, double logicalHeight, double deviceWidth,
                                 double deviceHeight) {
    PageTransform t;
    if (logicalWidth <= 0 || logicalHeight <= 0) return t;
    t.scale = std::max(0.0, std::min(deviceWidth / logicalWidth, deviceHeight / logicalHeight));
    return t;
}

QPointF PageTransform::ToDevice(QPointF p) const {
    return {p.x() * scale + offsetX, p.y() * scale + offsetY};
}

QPointF PageTransform::ToLogical(QPointF p) const {
    if (scale <= 0) return {};
    return {(p.x() - offsetX) / scale, (p.y() - offsetY) / scale};
}

QRectF PageTransform::ToDevice(const QRectF& r) const {
    return {ToDevice(r.topLeft()), QSizeF(r.width() * scale, r.height() * scale)};
}

QTransform PageTransform::ToQTransform() const {
    return QTransform(scale, 0, 0, scale, offsetX, offsetY);
}

double PenPixels(double width, double scale, double unitsPerPoint) {
    const double referencePixel = 0.75 * unitsPerPoint;  // 15 twips
    return std::max(width, 1.0) * std::max(1.0, scale * referencePixel);
}

QFont LogicalFont(const FontSpec& spec, double unitsPerPoint) {
    QFont f(QString::fromStdString(spec.name));
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(spec.sizePt * unitsPerPoint))));
    f.setBold(spec.bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

namespace {
// Resolving a font is far dearer than measuring or drawing a short text, and
// a redraw uses two or three fonts for hundreds of texts: keep the last one.
struct ResolvedFont {
    FontSpec spec;
    double unitsPerPoint = 0;
    QFont font;
    std::optional<QFontMetricsF> metrics;

    const ResolvedFont& For(const FontSpec& s, double upp) {
        if (!metrics || !(s == spec) || upp != unitsPerPoint) {
            spec = s;
            unitsPerPoint = upp;
            font = LogicalFont(s, upp);
            metrics.emplace(font);
        }
        return *this;
    }
};

ResolvedFont& MeasuringFont() {
    static ResolvedFont cache;  // the user-interface thread only
    return cache;
}
}  // namespace

double QtTextWidth(const FontSpec& spec, const std::string& text, double unitsPerPoint) {
    return MeasuringFont().For(spec, unitsPerPoint).metrics->horizontalAdvance(
        QString::fromStdString(text));
}

double QtTextHeight(const FontSpec& spec, double unitsPerPoint) {
    return MeasuringFont().For(spec, unitsPerPoint).metrics->height();
}

void UseQtTextMetrics(RecordingSurface& surface) {
    const double upp = surface.UnitsPerPoint();
    surface.SetTextMeasure(
        [upp](const FontSpec& f, const std::string& t) { return QtTextWidth(f, t, upp); });
    surface.SetHeightMeasure([upp](const FontSpec& f) { return QtTextHeight(f, upp); });
}

namespace {

QPen MakePen(const DrawOp& op, double scale, double unitsPerPoint, Qt::PenJoinStyle join) {
    // The painter draws in logical units, so the pixel width is divided back.
    QPen pen(ToQColor(op.colour), PenPixels(op.width, scale, unitsPerPoint) / scale,
             Qt::SolidLine, Qt::RoundCap, join);
    return pen;
}

void DrawCircle(QPainter& p, const DrawOp& op) {
    const double r = std::abs(op.x2);
    double rx = r, ry = r;
    if (op.aspect > 1) rx = r / op.aspect;      // radius is the vertical half-axis
    else if (op.aspect > 0) ry = r * op.aspect;  // radius is the horizontal half-axis
    if (r == 0) {
        p.drawPoint(QPointF(op.x1, op.y1));
        return;
    }
    const QRectF box(op.x1 - rx, op.y1 - ry, 2 * rx, 2 * ry);
    if (op.startRad == op.endRad) {
        p.drawEllipse(box);
        return;
    }
    constexpr double kTwoPi = 2 * std::numbers::pi;
    double span = std::fmod(op.endRad - op.startRad, kTwoPi);
    if (span <= 0) span += kTwoPi;
    constexpr double kDeg = 180.0 / std::numbers::pi;
    // Qt's angles, like ours, run counter-clockwise on screen; a path keeps
    // fractions of a degree, which matter on a large zoomed chart.
    QPainterPath path;
    path.arcMoveTo(box, op.startRad * kDeg);
    path.arcTo(box, op.startRad * kDeg, span * kDeg);
    p.drawPath(path);
}

// Runs of at least this many joined lines are curves (see Replay).
constexpr std::size_t kCurveRun = 16;

// True when `next` is a line that starts where `line` ends, in the same pen.
bool ContinuesLine(const DrawOp& line, const DrawOp& next) {
    return next.kind == DrawOp::Line && next.x1 == line.x2 && next.y1 == line.y2 &&
           next.colour == line.colour && next.width == line.width;
}

}  // namespace

std::optional<QRectF> DeviceBounds(const DrawOp& op, const PageTransform& t, double unitsPerPoint) {
    QRectF box;
    double pad = 2;  // antialiasing reaches into the next pixel
    switch (op.kind) {
        case DrawOp::Line:
        case DrawOp::Box:
        case DrawOp::FillBox:
            box = QRectF(QPointF(op.x1, op.y1), QPointF(op.x2, op.y2)).normalized();
            // Half the pen each side, and a square cap's half again at an end.
            if (op.kind != DrawOp::FillBox) pad += PenPixels(op.width, t.scale, unitsPerPoint);
            break;
        case DrawOp::Circle: {
            const double r = std::abs(op.x2);
            box = QRectF(op.x1 - r, op.y1 - r, 2 * r, 2 * r);
            pad += PenPixels(op.width, t.scale, unitsPerPoint);
            break;
        }
        case DrawOp::Text: {
            // Its advance and line, and half an em round them for glyphs
            // that overhang (italics, accents).
            const double em = op.font.sizePt * unitsPerPoint;
            box = QRectF(op.x1 - em / 2, op.y1 - em / 2,
                         QtTextWidth(op.font, op.text, unitsPerPoint) + em,
                         QtTextHeight(op.font, unitsPerPoint) + em);
            break;
        }
        default:
            return std::nullopt;
    }
    return t.ToDevice(box).adjusted(-pad, -pad, pad, pad);
}

void Replay(QPainter& painter, const std::vector<DrawOp>& ops, const PageTransform& transform,
            double unitsPerPoint) {
    Replay(painter, ops, transform, unitsPerPoint, QRectF());
}

void Replay(QPainter& painter, const std::vector<DrawOp>& ops, const PageTransform& transform,
            double unitsPerPoint, const QRectF& visible) {
    if (transform.scale <= 0) return;
    const bool culling = !visible.isNull();
    auto outside = [&](const DrawOp& op) {
        if (!culling) return false;
        const std::optional<QRectF> box = DeviceBounds(op, transform, unitsPerPoint);
        return box && !box->intersects(visible);
    };
    // The same test for the lines of a curve, which share one pen: in
    // logical units, without building boxes.
    const QRectF seen = culling ? QRectF(transform.ToLogical(visible.topLeft()),
                                         transform.ToLogical(visible.bottomRight()))
                                : QRectF();
    auto lineOutside = [&](const DrawOp& op, double pad) {
        return culling && (std::max(op.x1, op.x2) + pad < seen.left() ||
                           std::min(op.x1, op.x2) - pad > seen.right() ||
                           std::max(op.y1, op.y2) + pad < seen.top() ||
                           std::min(op.y1, op.y2) - pad > seen.bottom());
    };
    // A clip the painter comes with (the part of a window being painted
    // again) stays in force: the list's own clips only narrow it.
    const bool entryClipped = painter.hasClipping();
    const QRegion entryClip = entryClipped ? painter.clipRegion() : QRegion();
    const QTransform entryTransform = painter.transform();
    auto keepEntryClip = [&] {
        if (!entryClipped) return;
        painter.setTransform(entryTransform);
        painter.setClipRegion(entryClip, Qt::IntersectClip);
        painter.setTransform(transform.ToQTransform());
    };
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setTransform(transform.ToQTransform());
    const double s = transform.scale;
    std::vector<QLineF> segments;
    ResolvedFont textFont;
    for (std::size_t i = 0; i < ops.size(); ++i) {
        const DrawOp& op = ops[i];
        if (op.kind != DrawOp::Line && outside(op)) continue;
        switch (op.kind) {
            case DrawOp::Clear: {
                painter.setClipping(false);
                keepEntryClip();
                painter.save();
                painter.resetTransform();
                const QPaintDevice* dev = painter.device();
                painter.fillRect(QRect(0, 0, dev->width(), dev->height()), ToQColor(op.colour));
                painter.restore();
                break;
            }
            case DrawOp::Line: {
                // A long run of lines that continue each other in one pen is
                // a curve stepped by a few degrees (a grid circle, the rim,
                // an element arc). Its segments go to the painter in one
                // call with square caps, which Qt rasterises directly instead
                // of through its general stroker, several times faster for
                // antialiased lines wider than a pixel; the caps overlap at
                // each joint, so the curve stays closed and looks the same.
                std::size_t last = i;
                while (last + 1 < ops.size() && ContinuesLine(ops[last], ops[last + 1])) ++last;
                if (last - i + 1 >= kCurveRun) {
                    QPen pen = MakePen(op, s, unitsPerPoint, Qt::RoundJoin);
                    pen.setCapStyle(Qt::SquareCap);
                    painter.setPen(pen);
                    segments.clear();
                    // DeviceBounds' margin, in logical units.
                    const double pad = (2 + PenPixels(op.width, s, unitsPerPoint)) / s;
                    for (std::size_t j = i; j <= last; ++j)
                        if (!lineOutside(ops[j], pad))
                            segments.emplace_back(ops[j].x1, ops[j].y1, ops[j].x2, ops[j].y2);
                    painter.drawLines(segments.data(), static_cast<int>(segments.size()));
                    i = last;
                    break;
                }
                if (outside(op)) break;
                painter.setPen(MakePen(op, s, unitsPerPoint, Qt::RoundJoin));
                painter.drawLine(QPointF(op.x1, op.y1), QPointF(op.x2, op.y2));
                break;
            }
            case DrawOp::Box:
                painter.setPen(MakePen(op, s, unitsPerPoint, Qt::MiterJoin));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(QRectF(QPointF(op.x1, op.y1), QPointF(op.x2, op.y2)).normalized());
                break;
            case DrawOp::FillBox:
                painter.fillRect(QRectF(QPointF(op.x1, op.y1), QPointF(op.x2, op.y2)).normalized(),
                                 ToQColor(op.colour));
                break;
            case DrawOp::Circle:
                painter.setPen(MakePen(op, s, unitsPerPoint, Qt::RoundJoin));
                painter.setBrush(Qt::NoBrush);
                DrawCircle(painter, op);
                break;
            case DrawOp::Clip:
                painter.setClipRect(QRectF(QPointF(op.x1, op.y1), QPointF(op.x2, op.y2)).normalized());
                keepEntryClip();
                break;
            case DrawOp::Unclip:
                painter.setClipping(false);
                keepEntryClip();
                break;
            case DrawOp::Text: {
                const ResolvedFont& f = textFont.For(op.font, unitsPerPoint);
                painter.setFont(f.font);
                painter.setPen(ToQColor(op.colour));
                const double ascent = f.metrics->ascent();
                painter.drawText(QPointF(op.x1, op.y1 + ascent), QString::fromStdString(op.text));
                break;
            }
        }
    }
    painter.restore();
}

}  // namespace qv
