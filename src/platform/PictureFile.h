// Picture files from display lists: the same pictures as on the screen and
// the printer, as PNG, SVG or PDF, chosen by the file's extension.
//
// The logical picture (width x height units) is fitted into the requested
// pixel size with one uniform scale and centred; the rest is white. SVG keeps
// texts as text and carries a viewBox of the pixel size; a PDF page is the
// pixel size at 96 pixels per inch. Every file is made whole in memory (a
// PDF checked for its trailer) and then written through the checked
// replace, so a failure names the system's reason and keeps an earlier file.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "drawing/RecordingSurface.h"

namespace qv {

enum class PictureFormat { Png, Svg, Pdf };

// By the extension, in any case; nullopt for anything else.
std::optional<PictureFormat> PictureFormatOf(const std::string& path);

struct PictureSpec {
    double logicalWidth = 0, logicalHeight = 0;
    int pixelWidth = 0, pixelHeight = 0;
    double unitsPerPoint = 20.0;
};

// The largest picture size accepted (pixels per side): beyond it a PNG
// would need gigabytes.
inline constexpr int kMaxPicturePixels = 20000;

// Writes the picture; returns an empty string on success, else what went
// wrong, in words for the user: "Could not write NAME: reason". Needs a QGuiApplication.
std::string WritePictureFile(const std::string& path, const std::vector<DrawOp>& ops,
                             const PictureSpec& spec);

class Host;

// "Save picture": the save dialog, then the picture at one pixel per 10
// logical units in the format of the chosen name's extension (a name without
// one becomes a PNG). A failure, or a name with another extension, is
// reported in a message box. True when the file was written.
bool SavePicture(Host& host, const std::vector<DrawOp>& ops, double logicalWidth,
                 double logicalHeight, const std::string& suggestedName);

// The filter of the "Save picture" dialog.
inline constexpr char kPictureFilter[] =
    "PNG picture (*.png)|*.png|SVG picture (*.svg)|*.svg|PDF document (*.pdf)|*.pdf";

}  // namespace qv
