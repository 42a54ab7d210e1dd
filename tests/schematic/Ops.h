// Reading a recorded drawing back: which lines, texts and boxes it holds.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "drawing/RecordingSurface.h"

namespace qv::test {

inline std::vector<DrawOp> OpsOf(const RecordingSurface& g, DrawOp::Kind kind) {
    std::vector<DrawOp> out;
    for (const auto& op : g.Ops())
        if (op.kind == kind) out.push_back(op);
    return out;
}

inline std::vector<DrawOp> TextsAt(const RecordingSurface& g, const std::string& text) {
    std::vector<DrawOp> out;
    for (const auto& op : OpsOf(g, DrawOp::Text))
        if (op.text == text) out.push_back(op);
    return out;
}

inline bool HasText(const RecordingSurface& g, const std::string& text) {
    return !TextsAt(g, text).empty();
}

// Strokes (lines and circles) drawn in a colour, in the x range [from, to).
inline int StrokesIn(const RecordingSurface& g, Colour c, double from, double to) {
    return static_cast<int>(std::count_if(g.Ops().begin(), g.Ops().end(), [&](const DrawOp& op) {
        return (op.kind == DrawOp::Line || op.kind == DrawOp::Circle) && op.colour == c &&
               op.x1 >= from && op.x1 < to;
    }));
}

}  // namespace qv::test
