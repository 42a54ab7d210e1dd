// Pixel checks shared by the rendering tests.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cmath>
#include <string>

namespace qv::test {

// True when any pixel within `radius` of p is clearly not white.
inline bool Inked(const QImage& img, QPointF p, int radius = 1) {
    const int cx = static_cast<int>(std::floor(p.x())), cy = static_cast<int>(std::floor(p.y()));
    for (int y = cy - radius; y <= cy + radius; ++y)
        for (int x = cx - radius; x <= cx + radius; ++x) {
            if (!img.valid(x, y)) continue;
            const QColor c = img.pixelColor(x, y);
            if (c.red() < 200 || c.green() < 200 || c.blue() < 200) return true;
        }
    return false;
}

// Ink along row y between x0 and x1, in pixels' worth: a black pixel counts
// 1, a half-covered antialiased one about 0.5.
inline double InkAlongRow(const QImage& img, int y, int x0, int x1) {
    double ink = 0;
    for (int x = x0; x <= x1; ++x) {
        const QColor c = img.pixelColor(x, y);
        ink += (255 - std::min({c.red(), c.green(), c.blue()})) / 255.0;
    }
    return ink;
}

inline std::string SizeName(const ::testing::TestParamInfo<QSize>& info) {
    return std::to_string(info.param.width()) + "x" + std::to_string(info.param.height());
}

}  // namespace qv::test
