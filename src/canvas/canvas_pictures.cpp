#include "canvas/canvas_pictures.h"

#include <QByteArray>
#include <QPainter>
#include <QString>

namespace plazor {
namespace {

constexpr int kCheckerSquare = 8;

bool sameRegion(const SourceRegion& a, const SourceRegion& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

QImage readPicture(const std::string& path) {
    return QImage(QString::fromStdString(path));
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
    background_ = encoded.empty() ? QImage()
                                  : QImage::fromData(QByteArray::fromRawData(
                                        encoded.data(), static_cast<qsizetype>(encoded.size())));
}

const QImage& CanvasPictures::sample(std::size_t index, const std::string& path) {
    if (index >= samples_.size()) samples_.resize(index + 1);
    Sample& s = samples_[index];
    if (s.image.isNull() || s.path != path) {
        s = Sample{path, readPicture(path), {}, {}, {}};
    }
    return s.image;
}

bool CanvasPictures::hasSample(std::size_t index) const {
    return index < samples_.size() && !samples_[index].image.isNull();
}

const QPixmap& CanvasPictures::scaledSample(std::size_t index, const SamplePreview& preview) {
    Sample& s = samples_.at(index);
    if (s.scaled.isNull() || !(s.scaledFor == preview.target) || !sameRegion(s.scaledFrom, preview.source)) {
        QPixmap scaled(preview.target.width(), preview.target.height());
        scaled.fill(Qt::transparent);
        QPainter painter(&scaled);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        const SourceRegion& r = preview.source;
        painter.drawImage(QRectF(0, 0, scaled.width(), scaled.height()), s.image,
                          QRectF(r.x, r.y, r.width, r.height));
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
    if (found == watermarks_.end()) found = watermarks_.emplace(path, readPicture(path)).first;
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
