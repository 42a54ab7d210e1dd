// Reading a recorded drawing back, and setting up networks to draw.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "drawing/RecordingSurface.h"
#include "session/Stages.h"

namespace qv::test {

inline std::vector<DrawOp> OpsOf(const RecordingSurface& g, DrawOp::Kind kind) {
    std::vector<DrawOp> out;
    std::copy_if(g.Ops().begin(), g.Ops().end(), std::back_inserter(out),
                 [&](const DrawOp& op) { return op.kind == kind; });
    return out;
}

inline std::vector<DrawOp> TextsAt(const RecordingSurface& g, const std::string& text) {
    auto out = OpsOf(g, DrawOp::Text);
    std::erase_if(out, [&](const DrawOp& op) { return op.text != text; });
    return out;
}

// Lines and circles drawn in a colour starting in the x range [from, to).
inline long StrokesIn(const RecordingSurface& g, Colour c, double from, double to) {
    return std::count_if(g.Ops().begin(), g.Ops().end(), [&](const DrawOp& op) {
        return (op.kind == DrawOp::Line || op.kind == DrawOp::Circle) && op.colour == c &&
               op.x1 >= from && op.x1 < to;
    });
}

}  // namespace qv::test
