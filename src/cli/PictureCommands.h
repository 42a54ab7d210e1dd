// quendavore-calc chart and plot: the Analysis page's chart and the plot
// against frequency as PNG, SVG or PDF files. Composing the picture is plain
// C++; painting it into a file needs a graphics library, which the program
// hands in as a PictureWriter where it is built with Qt.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "drawing/RecordingSurface.h"

namespace qv {

class PictureWriter {
public:
    virtual ~PictureWriter() = default;
    // Gives the surface the real font metrics the file will be drawn with.
    virtual void PrepareSurface(RecordingSurface& surf) = 0;
    // Writes the display list of a logicalWidth x logicalHeight picture as
    // a pixelWidth x pixelHeight picture; "" on success, else the problem.
    virtual std::string Write(const std::string& path, const std::vector<DrawOp>& ops,
                              double logicalWidth, double logicalHeight, int pixelWidth,
                              int pixelHeight) = 0;
};

namespace calc_tool {

bool IsPictureCommand(const std::string& command);

// Runs `chart` or `plot` (args[0]). Without a writer it ends with a Problem
// saying this build draws no pictures. Bad arguments, unreadable files and
// unwritable pictures throw Problem.
int PictureCommand(const std::vector<std::string>& args, PictureWriter* writer);

}  // namespace calc_tool
}  // namespace qv
