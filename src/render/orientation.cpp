#include "render/orientation.h"

#include <algorithm>

namespace plazor {

bool orientationSwapsAxes(int orientation) {
    return orientation >= 5 && orientation <= 8;
}

Pixels8 turnUpright(Pixels8 source, int orientation) {
    if (orientation < 2 || orientation > 8) return source;
    const int w = source.width, h = source.height, c = source.channels;
    const bool swap = orientationSwapsAxes(orientation);
    Pixels8 out(swap ? h : w, swap ? w : h, c);
    for (int oy = 0; oy < out.height; ++oy) {
        std::uint8_t* o = out.row(oy);
        for (int ox = 0; ox < out.width; ++ox, o += c) {
            int sx = ox, sy = oy;
            switch (orientation) {
                case 2:
                    sx = w - 1 - ox;
                    break;  // mirrored
                case 3:
                    sx = w - 1 - ox;
                    sy = h - 1 - oy;
                    break;  // half a turn
                case 4:
                    sy = h - 1 - oy;
                    break;  // upside down
                case 5:
                    sx = oy;
                    sy = ox;
                    break;  // transposed
                case 6:
                    sx = oy;
                    sy = h - 1 - ox;
                    break;  // stored a quarter anticlockwise
                case 7:
                    sx = w - 1 - oy;
                    sy = h - 1 - ox;
                    break;  // transversed
                default:
                    sx = w - 1 - oy;
                    sy = ox;
                    break;  // 8: stored a quarter clockwise
            }
            std::copy_n(source.row(sy) + static_cast<std::size_t>(sx) * c, c, o);
        }
    }
    return out;
}

}  // namespace plazor
