// Reading a recorded drawing back.
#pragma once

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "drawing/PageLimits.h"
#include "drawing/RecordingSurface.h"

namespace qv::test {

inline std::vector<DrawOp> OpsOf(const std::vector<DrawOp>& ops, DrawOp::Kind kind) {
    std::vector<DrawOp> out;
    std::copy_if(ops.begin(), ops.end(), std::back_inserter(out), [&](const DrawOp& op) { return op.kind == kind; });
    return out;
}
inline std::vector<DrawOp> OpsOf(const RecordingSurface& g, DrawOp::Kind kind) { return OpsOf(g.Ops(), kind); }

inline std::vector<DrawOp> TextsAt(const RecordingSurface& g, const std::string& text) {
    auto out = OpsOf(g, DrawOp::Text);
    std::erase_if(out, [&](const DrawOp& op) { return op.text != text; });
    return out;
}

// The first text op reading `text`, or null.
inline const DrawOp* FindText(const std::vector<DrawOp>& ops, const std::string& text) {
    const auto it = std::find_if(ops.begin(), ops.end(), [&](const DrawOp& op) { return op.kind == DrawOp::Text && op.text == text; });
    return it == ops.end() ? nullptr : &*it;
}

// Lines and circles drawn in a colour starting in the x range [from, to).
inline long StrokesIn(const RecordingSurface& g, Colour c, double from, double to) {
    return std::count_if(g.Ops().begin(), g.Ops().end(), [&](const DrawOp& op) {
        return (op.kind == DrawOp::Line || op.kind == DrawOp::Circle) && op.colour == c &&
               op.x1 >= from && op.x1 < to;
    });
}

// Every coordinate finite and within the box the chart draws in (a NaN
// fails the comparison too).
inline bool OnThePage(const std::vector<DrawOp>& ops) {
    return std::all_of(ops.begin(), ops.end(), [](const DrawOp& op) {
        return std::fabs(op.x1) <= kPageLimit && std::fabs(op.y1) <= kPageLimit &&
               std::fabs(op.x2) <= kPageLimit && std::fabs(op.y2) <= kPageLimit;
    });
}

}  // namespace qv::test
