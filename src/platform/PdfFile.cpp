#include "platform/PdfFile.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

namespace qv {

bool PdfComplete(const QByteArray& bytes) {
    qsizetype end = bytes.size();
    while (end > 0 && (bytes[end - 1] == '\n' || bytes[end - 1] == '\r' || bytes[end - 1] == ' '))
        --end;
    static const QByteArray trailer = "%%EOF";
    return bytes.startsWith("%PDF-") && end >= trailer.size() &&
           bytes.mid(end - trailer.size(), trailer.size()) == trailer;
}

std::string PaintPdf(QByteArray& bytes, const std::function<void(QPdfWriter&)>& setUp,
                     const std::function<bool(QPdfWriter&, QPainter&)>& paint) {
    bytes.clear();
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly)) return "the document could not be started";
    bool painted = false;
    {
        // The writer emits its trailer when it goes out of use, so it is
        // done with before the bytes are judged.
        QPdfWriter pdf(&buffer);
        setUp(pdf);
        QPainter painter;
        if (!painter.begin(&pdf)) return "the document could not be started";
        painted = paint(pdf, painter);
        painted = painter.end() && painted;
    }
    buffer.close();
    if (!painted) return "a page could not be drawn";
    if (!PdfComplete(bytes)) return "the document was left incomplete";
    return {};
}

}  // namespace qv
