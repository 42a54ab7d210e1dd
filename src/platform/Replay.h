// Painting a recorded picture with QPainter.
//
// Pictures are recorded in logical units (twips, or a page's own drawing
// units) on a RecordingSurface; this file turns that display list into
// pixels on a window, an image or a printer page.
//
// Mapping: one uniform scale for x and y, so circles stay round and the
// page's proportions are kept. The logical origin sits at the device's
// top-left corner; when the device has a different aspect ratio the spare
// room is at the right or at the bottom. Anchoring at the top-left keeps the
// mapping of the mouse, the controls and the drawing trivially the same, and
// pictures that reach past the page (a background gradient, a dragged chart)
// simply carry on into the spare room.
//
// Line widths: width w means w device pixels at the reference scale of one
// pixel per 0.75 pt (15 twips), and grows in proportion on larger windows and
// on printers. It never drops below w pixels, so on small windows width 1 is
// still a crisp one-pixel line and width 2 stays visibly thicker. Widths
// below 1 draw as 1.
//
// Arcs on an ellipse (aspect other than 1) measure their angles on the circle
// before it is squashed, so an arc from 0 to pi/2 always runs from the right
// end of the horizontal half-axis to the top of the vertical one. An aspect
// of 0 or less draws a circle.
#pragma once

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QTransform>
#include <optional>
#include <vector>

#include "drawing/RecordingSurface.h"

class QPainter;

namespace qv {

// 0x00BBGGRR to a Qt colour, and back.
QColor ToQColor(Colour c);
Colour FromQColor(const QColor& c);

// Logical units to device pixels: device = logical * scale + offset.
struct PageTransform {
    double scale = 1.0;
    double offsetX = 0.0, offsetY = 0.0;

    // The largest uniform scale that shows the whole logical area on the
    // device, anchored at the top-left.
    static PageTransform Fit(double logicalWidth, double logicalHeight, double deviceWidth,
                             double deviceHeight);

    QPointF ToDevice(QPointF logical) const;
    QPointF ToLogical(QPointF device) const;
    QRectF ToDevice(const QRectF& logical) const;
    QTransform ToQTransform() const;
};

// Pen width in device pixels for a surface line width (see the rule above).
// unitsPerPoint is the surface's logical units per point (20 for twips).
double PenPixels(double width, double scale, double unitsPerPoint = 20.0);

// The Qt font for a surface font, sized in logical units (its pixel size is
// the point size times unitsPerPoint), unhinted so that it measures the same
// at every scale.
QFont LogicalFont(const FontSpec& spec, double unitsPerPoint = 20.0);

// Text metrics in logical units, from the real font. Needs a QGuiApplication.
double QtTextWidth(const FontSpec& spec, const std::string& text, double unitsPerPoint = 20.0);
double QtTextHeight(const FontSpec& spec, double unitsPerPoint = 20.0);
// Makes the surface's TextWidth and TextHeight use the real font metrics.
void UseQtTextMetrics(RecordingSurface& surface);

// Paints a display list. A Clear op fills the whole paint device white and
// ends any clip; a Clip op confines what follows to its box until Unclip.
// A clip the painter already has stays: the list's clips only narrow it.
// Antialiasing is switched on; the painter's state is restored afterwards.
void Replay(QPainter& painter, const std::vector<DrawOp>& ops, const PageTransform& transform,
            double unitsPerPoint = 20.0);
// The same, leaving out what lies wholly outside `visible` (device pixels):
// for repainting a part of a picture under a clip to that part, where the
// ops left out could not have touched a pixel.
void Replay(QPainter& painter, const std::vector<DrawOp>& ops, const PageTransform& transform,
            double unitsPerPoint, const QRectF& visible);

// Every device pixel an op can touch lies inside this box: its line width,
// caps, antialiasing and a text's overhang included. None for an op that may
// touch any pixel or change how the others draw (a Clear).
std::optional<QRectF> DeviceBounds(const DrawOp& op, const PageTransform& transform,
                                   double unitsPerPoint = 20.0);

}  // namespace qv
