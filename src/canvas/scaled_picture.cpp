#include "canvas/scaled_picture.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QString>

#include <cmath>
#include <filesystem>
#include <system_error>

#include "util/picture_limits.h"

namespace plazor {
namespace {

constexpr double kSmallestScale = 1.0 / 64;
// Qt refuses to decode more than 128 MB by default; the program's own picture limit is the bound here.
constexpr int kAllocationLimitMB = 512;

ScaledPicture decode(QImageReader& reader, double scale) {
    reader.setAllocationLimit(kAllocationLimitMB);
    ScaledPicture picture;
    picture.fullSize = reader.size();
    if (picture.fullSize.isValid() &&
        !pictureWithinLimits(picture.fullSize.width(), picture.fullSize.height())) {
        return {};
    }
    if (picture.fullSize.isValid() && scale < 1) {
        reader.setScaledSize(
            QSize(std::max(1, static_cast<int>(std::ceil(picture.fullSize.width() * scale))),
                  std::max(1, static_cast<int>(std::ceil(picture.fullSize.height() * scale)))));
    } else {
        scale = 1;
    }
    picture.image = reader.read();
    if (picture.image.isNull()) return {};
    if (!picture.fullSize.isValid()) picture.fullSize = picture.image.size();
    picture.scale = scale;
    return picture;
}

// Only regular files are opened: a pipe named like a picture would block the window.
bool isRegularFile(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

}  // namespace

double decodeScaleFor(double needed) {
    double scale = 1;
    while (scale / 2 >= needed && scale / 2 >= kSmallestScale)
        scale /= 2;
    return scale;
}

QSize pictureFileSize(const std::string& path) {
    if (!isRegularFile(path)) return {};
    QImageReader reader(QString::fromStdString(path));
    return reader.size();
}

ScaledPicture decodeScaledFile(const std::string& path, double scale) {
    if (!isRegularFile(path)) return {};
    QImageReader reader(QString::fromStdString(path));
    return decode(reader, scale);
}

ScaledPicture decodeScaledBytes(const std::string& bytes, double scale) {
    if (bytes.empty()) return {};
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return decode(reader, scale);
}

}  // namespace plazor
