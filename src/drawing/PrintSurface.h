// Surfaces for printed documents: drawing that can start a new sheet and
// knows when the document is complete. The printouts draw on a
// SheetRecording; the Qt layer sends the finished sheets to the printer only
// once the whole document is composed, so nothing half-drawn ever reaches
// the printer.
#pragma once

#include <vector>

#include "drawing/RecordingSurface.h"

namespace qv {

class PrintSurface : public Surface {
public:
    // Ends the current sheet; what follows goes on a fresh one. Colours,
    // line width and font carry over, as on a printer.
    virtual void NewPage() = 0;
    // The document is complete; nothing is drawn after this.
    virtual void EndDoc() = 0;
};

// Where a sheet's logical coordinates go on the paper.
struct SheetLayout {
    enum Mapping {
        // The logical page (width x height) is scaled to the printable area
        // of whatever paper, keeping its proportions, and centred on it.
        FitToPaper,
        // Logical units are twips on the paper, with the origin `origin`
        // twips right of and below the printable area's top-left corner.
        Twips,
    };
    Mapping mapping = FitToPaper;
    double width = 0, height = 0;  // FitToPaper only
    double origin = 0;             // Twips only
    // Logical units per point of the fonts (the sheets are drawn in twips or
    // close to them).
    double unitsPerPoint = 20.0;
};

// Keeps every sheet as a display list.
class SheetRecording : public PrintSurface {
public:
    explicit SheetRecording(double unitsPerPoint = 20.0,
                            RecordingSurface::TextMeasure measure = {});

    void NewPage() override;
    void EndDoc() override;
    bool Ended() const { return ended_; }

    // Every sheet begun so far, the current one included.
    std::vector<std::vector<DrawOp>> Sheets() const;
    int SheetCount() const { return static_cast<int>(done_.size()) + (ended_ ? 0 : 1); }
    const RecordingSurface& Current() const { return page_; }

    void Clear() override { page_.Clear(); }
    void Line(double x1, double y1, double x2, double y2) override { page_.Line(x1, y1, x2, y2); }
    void LineTo(double x, double y) override { page_.LineTo(x, y); }
    void Box(double x1, double y1, double x2, double y2) override { page_.Box(x1, y1, x2, y2); }
    void FillBox(double x1, double y1, double x2, double y2) override {
        page_.FillBox(x1, y1, x2, y2);
    }
    void Clip(double x1, double y1, double x2, double y2) override { page_.Clip(x1, y1, x2, y2); }
    void Unclip() override { page_.Unclip(); }
    void Circle(double cx, double cy, double radius, double startRad, double endRad,
                double aspect) override {
        page_.Circle(cx, cy, radius, startRad, endRad, aspect);
    }
    void SetLineWidth(double width) override { page_.SetLineWidth(width); }
    void SetColour(Colour c) override { page_.SetColour(c); }
    void SetTextColour(Colour c) override { page_.SetTextColour(c); }
    void SetFont(const FontSpec& font) override { page_.SetFont(font); }
    const FontSpec& Font() const override { return page_.Font(); }
    void Text(double x, double y, const std::string& text) override { page_.Text(x, y, text); }
    double TextWidth(const std::string& text) const override { return page_.TextWidth(text); }
    double TextHeight() const override { return page_.TextHeight(); }

private:
    RecordingSurface page_;
    std::vector<std::vector<DrawOp>> done_;
    bool ended_ = false;
};

}  // namespace qv
