// The picture writer of the quendavore-calc built with Qt: the platform
// layer's picture files, with a QGuiApplication on the offscreen platform
// made when the first picture needs one, so the tool runs without any
// display and its other commands never start Qt at all.
#pragma once

#include <memory>

#include "cli/PictureCommands.h"

class QGuiApplication;

namespace qv {

class QtPictureWriter : public PictureWriter {
public:
    QtPictureWriter();
    ~QtPictureWriter() override;
    void PrepareSurface(RecordingSurface& surf) override;
    std::string Write(const std::string& path, const std::vector<DrawOp>& ops,
                      double logicalWidth, double logicalHeight, int pixelWidth,
                      int pixelHeight) override;

private:
    void EnsureApplication();
    std::unique_ptr<QGuiApplication> app_;
};

}  // namespace qv
