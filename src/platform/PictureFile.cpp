#include "platform/PictureFile.h"

#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <algorithm>

#include "platform/Host.h"
#include "platform/Replay.h"

namespace qv {

namespace {

constexpr double kPdfPointsPerPixel = 0.75;  // 96 pixels per inch

// The picture fitted and centred on a device of the given size.
PageTransform Centred(const PictureSpec& spec, double deviceWidth, double deviceHeight) {
    PageTransform t =
        PageTransform::Fit(spec.logicalWidth, spec.logicalHeight, deviceWidth, deviceHeight);
    t.offsetX = (deviceWidth - spec.logicalWidth * t.scale) / 2;
    t.offsetY = (deviceHeight - spec.logicalHeight * t.scale) / 2;
    return t;
}

void Paint(QPaintDevice& device, const std::vector<DrawOp>& ops, const PictureSpec& spec,
           double width, double height) {
    QPainter painter(&device);
    painter.fillRect(QRectF(0, 0, width, height), Qt::white);
    Replay(painter, ops, Centred(spec, width, height), spec.unitsPerPoint);
}

std::string Problem(const QString& path, const QString& what) {
    return ("Could not write " + path + ": " + what).toStdString();
}

}  // namespace

std::optional<PictureFormat> PictureFormatOf(const std::string& path) {
    const QString suffix = QFileInfo(QString::fromStdString(path)).suffix().toLower();
    if (suffix == "png") return PictureFormat::Png;
    if (suffix == "svg") return PictureFormat::Svg;
    if (suffix == "pdf") return PictureFormat::Pdf;
    return std::nullopt;
}

std::string WritePictureFile(const std::string& path, const std::vector<DrawOp>& ops,
                             const PictureSpec& spec) {
    const QString name = QString::fromStdString(path);
    const std::optional<PictureFormat> format = PictureFormatOf(path);
    if (!format) return Problem(name, "the name must end in .png, .svg or .pdf");
    if (spec.pixelWidth < 1 || spec.pixelHeight < 1 || spec.pixelWidth > kMaxPicturePixels ||
        spec.pixelHeight > kMaxPicturePixels || !(spec.logicalWidth > 0) ||
        !(spec.logicalHeight > 0))
        return Problem(name, "the picture size is out of range");

    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly)) return Problem(name, file.errorString());
    const double w = spec.pixelWidth, h = spec.pixelHeight;
    bool painted = true;
    switch (*format) {
        case PictureFormat::Png: {
            QImage image(spec.pixelWidth, spec.pixelHeight, QImage::Format_RGB32);
            if (image.isNull()) return Problem(name, "not enough memory for the picture");
            Paint(image, ops, spec, w, h);
            painted = image.save(&file, "PNG");
            break;
        }
        case PictureFormat::Svg: {
            QSvgGenerator svg;
            svg.setOutputDevice(&file);
            svg.setSize(QSize(spec.pixelWidth, spec.pixelHeight));
            svg.setViewBox(QRectF(0, 0, w, h));
            svg.setResolution(96);
            svg.setTitle("Quendavore");
            Paint(svg, ops, spec, w, h);
            break;
        }
        case PictureFormat::Pdf: {
            QPdfWriter pdf(&file);
            pdf.setCreator("Quendavore");
            pdf.setResolution(96);
            pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
            pdf.setPageSize(QPageSize(QSizeF(w * kPdfPointsPerPixel, h * kPdfPointsPerPixel),
                                      QPageSize::Point, QString(), QPageSize::ExactMatch));
            // The page as the writer lays it out, which may round the size.
            Paint(pdf, ops, spec, pdf.width(), pdf.height());
            break;
        }
    }
    if (!painted || file.error() != QFileDevice::NoError) {
        const QString why = file.errorString();
        file.cancelWriting();
        return Problem(name, why.isEmpty() ? "the picture could not be encoded" : why);
    }
    if (!file.commit()) return Problem(name, file.errorString());
    return {};
}

bool SavePicture(Host& host, const std::vector<DrawOp>& ops, double logicalWidth,
                 double logicalHeight, const std::string& suggestedName) {
    FileDialogRequest request;
    request.title = "Save picture";
    request.filter = kPictureFilter;
    request.initialName = suggestedName;
    std::optional<std::string> path = host.SaveFileName(request);
    if (!path) return false;
    if (QFileInfo(QString::fromStdString(*path)).suffix().isEmpty()) *path += ".png";
    if (!PictureFormatOf(*path)) {
        host.ShowMessage("A picture's name must end in .png, .svg or .pdf; nothing was saved.");
        return false;
    }
    PictureSpec spec;
    spec.logicalWidth = logicalWidth;
    spec.logicalHeight = logicalHeight;
    spec.pixelWidth = static_cast<int>(logicalWidth / 10);
    spec.pixelHeight = static_cast<int>(logicalHeight / 10);
    const std::string problem = WritePictureFile(*path, ops, spec);
    if (!problem.empty()) {
        host.ShowMessage(problem + "; nothing was saved.");
        return false;
    }
    return true;
}

}  // namespace qv
