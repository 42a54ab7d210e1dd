#include "platform/PictureFile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSvgGenerator>
#include <algorithm>

#include "files/TextFile.h"
#include "platform/Host.h"
#include "platform/PdfFile.h"
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

void PaintOn(QPainter& painter, const std::vector<DrawOp>& ops, const PictureSpec& spec,
             double width, double height) {
    painter.fillRect(QRectF(0, 0, width, height), Qt::white);
    Replay(painter, ops, Centred(spec, width, height), spec.unitsPerPoint);
}

// False when the painter could not start or finish on the device.
bool Paint(QPaintDevice& device, const std::vector<DrawOp>& ops, const PictureSpec& spec,
           double width, double height) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    PaintOn(painter, ops, spec, width, height);
    return painter.end();
}

// The generator states the size in millimetres, which readers turn back
// into pixels at their own resolution (Qt's reader at 90 per inch, browsers
// at 96), so the picture came out smaller in some. Plain numbers are pixels
// to every reader.
void SizeInPixels(QByteArray& svg, int width, int height) {
    const qsizetype start = svg.indexOf("<svg");
    const qsizetype end = start < 0 ? -1 : svg.indexOf('>', start);
    if (end < 0) return;
    QString head = QString::fromUtf8(svg.mid(start, end - start));
    static const QRegularExpression kWidth(R"((?<![-\w])width="[^"]*")"), kHeight(R"((?<![-\w])height="[^"]*")");
    head.replace(kWidth, QString("width=\"%1\"").arg(width));
    head.replace(kHeight, QString("height=\"%1\"").arg(height));
    svg.replace(start, end - start, head.toUtf8());
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

    // The whole file is made in memory and handed to the checked replace,
    // so a full disk or a vanished folder is met with the system's reason
    // and an earlier file stays as it was.
    const double w = spec.pixelWidth, h = spec.pixelHeight;
    QByteArray bytes;
    switch (*format) {
        case PictureFormat::Png: {
            QImage image(spec.pixelWidth, spec.pixelHeight, QImage::Format_RGB32);
            if (image.isNull()) return Problem(name, "not enough memory for the picture");
            if (!Paint(image, ops, spec, w, h)) return Problem(name, "the picture could not be drawn");
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            if (!image.save(&buffer, "PNG")) return Problem(name, "the picture could not be encoded");
            break;
        }
        case PictureFormat::Svg: {
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            QSvgGenerator svg;
            svg.setOutputDevice(&buffer);
            svg.setSize(QSize(spec.pixelWidth, spec.pixelHeight));
            svg.setViewBox(QRectF(0, 0, w, h));
            svg.setResolution(96);
            svg.setTitle("Quendavore");
            if (!Paint(svg, ops, spec, w, h) || bytes.isEmpty())
                return Problem(name, "the picture could not be encoded");
            SizeInPixels(bytes, spec.pixelWidth, spec.pixelHeight);
            break;
        }
        case PictureFormat::Pdf: {
            const std::string problem = PaintPdf(
                bytes,
                [&](QPdfWriter& pdf) {
                    pdf.setCreator("Quendavore");
                    pdf.setResolution(96);
                    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
                    pdf.setPageSize(QPageSize(QSizeF(w * kPdfPointsPerPixel, h * kPdfPointsPerPixel),
                                              QPageSize::Point, QString(), QPageSize::ExactMatch));
                },
                [&](QPdfWriter& pdf, QPainter& painter) {
                    // The page as the writer lays it out, which may round the size.
                    PaintOn(painter, ops, spec, pdf.width(), pdf.height());
                    return true;
                });
            if (!problem.empty()) return Problem(name, QString::fromStdString(problem));
            break;
        }
    }
    const WriteResult written =
        ReplaceFileContents(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!written) return Problem(name, QString::fromStdString(written.error));
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
