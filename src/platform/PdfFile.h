// PDF documents are painted into memory and put on the disk only whole: the
// painter must finish without an error and the document must end with its
// "%%EOF" trailer before the checked replace (files/TextFile.h) writes it, so
// a full disk or a failed page never leaves a truncated PDF in place of an
// earlier file.
#pragma once

#include <QByteArray>
#include <functional>
#include <string>

class QPainter;
class QPdfWriter;

namespace qv {

// True when `bytes` is a whole PDF document: not empty, starting with its
// header and ending with its trailer (line ends after it allowed).
bool PdfComplete(const QByteArray& bytes);

// A PDF document in `bytes`: `setUp` sizes the writer, `paint` draws every
// page on the open painter and says whether each page went out. Returns an
// empty string when the document is complete, else what went wrong.
std::string PaintPdf(QByteArray& bytes, const std::function<void(QPdfWriter&)>& setUp,
                     const std::function<bool(QPdfWriter&, QPainter&)>& paint);

}  // namespace qv
