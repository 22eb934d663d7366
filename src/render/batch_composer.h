// Composing one batch: base canvas, background, the batch's pictures in their slots, watermarks.
#pragma once

#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "render/batch_output.h"
#include "render/decode_mode.h"
#include "render/pixels8.h"
#include "render/watermark_cache.h"
#include "template/document.h"
#include "util/magick.h"

namespace plazor {

// What every batch of a run shares: the background picture, decoded once, and the watermark
// pictures, decoded once per distinct path. Batches take copies, so workers never share a picture
// they change. Batches are composed on 8-bit canvases.
class RunPictures {
  public:
    // Watermarks beyond `watermarkBytes` of decoded pictures are decoded again when next used.
    RunPictures(const Document& doc, std::uint64_t watermarkBytes);

    // The decoded background picture (picture backgrounds), or nothing.
    const std::optional<Pixels8>& background() const { return background_; }
    // A copy of the picture at `path`, or nothing when it could not be read.
    Wand watermark(const std::string& path) const;

    const WatermarkCache& watermarks() const { return watermarks_; }

  private:
    std::optional<Pixels8> background_;
    mutable WatermarkCache watermarks_;
};

struct ComposedBatch {
    std::optional<Pixels8>
        picture;           // the finished picture; empty when stopped or when no canvas could be made
    bool stopped = false;  // the stop flag was seen
};

// Renders one batch; `pictures[k]` goes to paste layer k, decoded as `mode` says. A canvas the library
// cannot make gives one info line and no picture.
ComposedBatch composeBatch(const Document& doc, const RunPictures& shared,
                           const std::vector<std::string>& pictures, DecodeMode mode,
                           const std::atomic<int>& stop, const InfoSink& info);

}  // namespace plazor
