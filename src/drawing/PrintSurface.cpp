#include "drawing/PrintSurface.h"

#include <utility>

namespace qv {

SheetRecording::SheetRecording(double unitsPerPoint, RecordingSurface::TextMeasure measure)
    : page_(unitsPerPoint, std::move(measure)) {}

void SheetRecording::NewPage() {
    if (ended_) return;
    done_.push_back(page_.Ops());
    page_.Reset();
}

void SheetRecording::EndDoc() {
    if (ended_) return;
    done_.push_back(page_.Ops());
    page_.Reset();
    ended_ = true;
}

std::vector<std::vector<DrawOp>> SheetRecording::Sheets() const {
    std::vector<std::vector<DrawOp>> sheets = done_;
    if (!ended_) sheets.push_back(page_.Ops());
    return sheets;
}

}  // namespace qv
