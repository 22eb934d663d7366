// Pictures the canvas decodes at the resolution the zoom needs rather than in full: a 48-megapixel
// photo shown in a small slot is read at an eighth of its size (a scaled JPEG read is also far
// faster), and a large background once per step of zoom. Pictures beyond the program's picture
// limits are not decoded at all.
#pragma once

#include <QImage>
#include <QSize>

#include <string>

namespace plazor {

struct ScaledPicture {
    QImage image;    // decoded at `scale` of the full size; null when the picture cannot be read
    QSize fullSize;  // the picture's own size
    double scale = 0;
};

// The scale to decode at so that each shown pixel has a decoded one: 1 when `needed` is 1 or more,
// else the smallest power-of-two fraction (down to 1/64) that is not below `needed`.
double decodeScaleFor(double needed);

// The picture's own size from its header; invalid when it cannot be read.
QSize pictureFileSize(const std::string& path);

// Decodes the picture in the file, or in `bytes`, at `scale` (see decodeScaleFor).
ScaledPicture decodeScaledFile(const std::string& path, double scale);
ScaledPicture decodeScaledBytes(const std::string& bytes, double scale);

}  // namespace plazor
