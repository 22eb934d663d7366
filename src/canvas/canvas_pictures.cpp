#include "canvas/canvas_pictures.h"

#include <QByteArray>
#include <QPainter>
#include <QString>

#include <algorithm>

namespace plazor {
namespace {

constexpr int kCheckerSquare = 8;

bool sameRegion(const SourceRegion& a, const SourceRegion& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

// Window pixels per picture pixel that a preview shows.
double neededScale(const SamplePreview& preview) {
    const double x = preview.source.width > 0 ? preview.target.width() / preview.source.width : 1;
    const double y = preview.source.height > 0 ? preview.target.height() / preview.source.height : 1;
    return std::max(x, y);
}

}  // namespace

QPixmap makeCheckerTile() {
    QImage tile(kCheckerTileSize, kCheckerTileSize, QImage::Format_RGB32);
    const QRgb grey = qRgb(204, 204, 204);
    const QRgb white = qRgb(255, 255, 255);
    for (int y = 0; y < tile.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(tile.scanLine(y));
        for (int x = 0; x < tile.width(); ++x)
            row[x] = ((x / kCheckerSquare + y / kCheckerSquare) % 2 == 0) ? white : grey;
    }
    return QPixmap::fromImage(tile);
}

CanvasPictures::CanvasPictures() : checkerTile_(makeCheckerTile()) {}

void CanvasPictures::setBackground(const std::string& encoded) {
    if (encoded == backgroundBytes_ && backgroundTried_ != 0) return;
    backgroundBytes_ = encoded;
    background_ = {};
    backgroundTried_ = 0;
}

const QImage& CanvasPictures::background(double zoom) {
    const double scale = decodeScaleFor(zoom);
    if (scale != backgroundTried_) {
        background_ = {};  // the old resolution goes first, so two are never held at once
        background_ = decodeScaledBytes(backgroundBytes_, scale);
        backgroundTried_ = scale;
    }
    return background_.image;
}

QSize CanvasPictures::sampleSize(std::size_t index, const std::string& path) {
    if (index >= samples_.size()) samples_.resize(index + 1);
    Sample& s = samples_[index];
    if (!s.size.isValid() || s.path != path) s = Sample{path, pictureFileSize(path), {}, {}, {}, {}};
    return s.size;
}

bool CanvasPictures::hasSample(std::size_t index) const {
    return index < samples_.size() && samples_[index].size.isValid();
}

const QPixmap& CanvasPictures::scaledSample(std::size_t index, const SamplePreview& preview) {
    Sample& s = samples_.at(index);
    const double scale = decodeScaleFor(neededScale(preview));
    if (s.decoded.image.isNull() || s.decoded.scale < scale) {
        s.decoded = {};
        s.decoded = decodeScaledFile(s.path, scale);
        s.scaled = QPixmap();
        if (s.decoded.image.isNull()) {
            s.size = QSize();  // unreadable after all: the layer shows no picture
            return s.scaled;
        }
    }
    if (s.scaled.isNull() || !(s.scaledFor == preview.target) || !sameRegion(s.scaledFrom, preview.source)) {
        QPixmap scaled(preview.target.width(), preview.target.height());
        scaled.fill(Qt::transparent);
        QPainter painter(&scaled);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        // The region is in the picture's own pixels; the decoded image may be smaller.
        const double fx = static_cast<double>(s.decoded.image.width()) / s.size.width();
        const double fy = static_cast<double>(s.decoded.image.height()) / s.size.height();
        const SourceRegion& r = preview.source;
        painter.drawImage(QRectF(0, 0, scaled.width(), scaled.height()), s.decoded.image,
                          QRectF(r.x * fx, r.y * fy, r.width * fx, r.height * fy));
        painter.end();
        s.scaled = std::move(scaled);
        s.scaledFor = preview.target;
        s.scaledFrom = preview.source;
    }
    return s.scaled;
}

void CanvasPictures::releaseSamples(std::size_t fromIndex) {
    if (fromIndex < samples_.size()) samples_.resize(fromIndex);
    samplesValid_ = false;
}

void CanvasPictures::dropScaled(std::size_t index) {
    if (index < samples_.size()) samples_[index].scaled = QPixmap();
}

const QImage& CanvasPictures::watermark(const std::string& path) {
    auto found = watermarks_.find(path);
    if (found == watermarks_.end()) found = watermarks_.emplace(path, decodeScaledFile(path, 1).image).first;
    return found->second;
}

void CanvasPictures::dropWatermark(const std::string& path) {
    watermarks_.erase(path);
}

const std::vector<std::string>& CanvasPictures::samples(const std::vector<std::string>& sources,
                                                        LoadMode mode, std::size_t pasteLayerCount) {
    // A sub-folder's pictures are limited to the number of paste layers, so that number keys the list too.
    if (!samplesValid_ || sampleLayerCount_ != pasteLayerCount) {
        sampleList_ = samplePictures(sources, mode, pasteLayerCount);
        sampleLayerCount_ = pasteLayerCount;
        samplesValid_ = true;
    }
    return sampleList_;
}

}  // namespace plazor
