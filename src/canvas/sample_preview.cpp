#include "canvas/sample_preview.h"

#include <cmath>

#include "render/placement_geometry.h"

namespace plazor {
namespace {

int trunc(double value) {
    return static_cast<int>(std::trunc(value));
}

// The custom style's sizes and offsets are template pixels: at window scale they grow with the zoom.
Customize zoomed(const Customize& c, double zoom) {
    Customize z = c;
    z.width = c.width > 0 ? trunc(c.width * zoom) : 0;
    z.height = c.height > 0 ? trunc(c.height * zoom) : 0;
    z.left = trunc(c.left * zoom);
    z.top = trunc(c.top * zoom);
    return z;
}

}  // namespace

std::vector<std::string> samplePictures(const std::vector<std::string>& sources, LoadMode mode,
                                        std::size_t pasteLayerCount) {
    if (mode == kPictureListMode) return sources;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        Batch batch = batchAt(sources, mode, pasteLayerCount, i);
        if (!batch.pictures.empty()) return std::move(batch.pictures);
    }
    return {};
}

std::optional<SamplePreview> samplePreview(const ViewMapping& mapping, const PasteLayer& layer,
                                           int pictureWidth, int pictureHeight) {
    const double z = mapping.zoom;
    SlotRect slot{trunc(layer.x * z + mapping.x.origin), trunc(layer.y * z + mapping.y.origin),
                  trunc(layer.width * z), trunc(layer.height * z)};
    if (slot.width < 0) {
        slot.x += slot.width;
        slot.width = -slot.width;
    }
    if (slot.height < 0) {
        slot.y += slot.height;
        slot.height = -slot.height;
    }
    const PixelSize zoomedPicture{trunc(z * pictureWidth), trunc(z * pictureHeight)};
    const auto plan = planPlacement(slot, zoomedPicture, layer.overflowStyle, zoomed(layer.customize, z));
    if (!plan) return std::nullopt;

    const PixelSize drawn = plan->resize.value_or(zoomedPicture);
    const CropRect part = plan->crop.value_or(CropRect{0, 0, drawn.width, drawn.height});
    // The drawn part back in the picture's own pixels.
    const double fx = static_cast<double>(pictureWidth) / drawn.width;
    const double fy = static_cast<double>(pictureHeight) / drawn.height;
    return SamplePreview{{plan->x, plan->y, plan->x + part.width, plan->y + part.height},
                         {part.x * fx, part.y * fy, part.width * fx, part.height * fy}};
}

}  // namespace plazor
