// A paste layer with a slot and an overflow style, as the placement tests build them.
#pragma once

#include "template/document.h"

namespace plazor::testing {

inline PasteLayer layerAt(int x, int y, int w, int h, unsigned style, const Customize& c = {}) {
    PasteLayer layer;
    layer.x = x;
    layer.y = y;
    layer.width = w;
    layer.height = h;
    layer.overflowStyle = style;
    layer.customize = c;
    return layer;
}

}  // namespace plazor::testing
