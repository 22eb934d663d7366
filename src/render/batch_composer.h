// Composing one batch: base canvas, background, the batch's pictures in their slots, watermarks.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "render/batch_output.h"
#include "render/decode_mode.h"
#include "template/document.h"
#include "util/magick.h"

namespace plazor {

// What every batch of a run shares, decoded once: the background picture and the watermarks.
// Batches take clones, so workers never share a picture they change.
class RunPictures {
  public:
    explicit RunPictures(const Document& doc);

    // A copy of the decoded background picture (picture backgrounds), or nothing.
    Wand background() const;
    // A copy of watermark i, or nothing when it could not be read.
    Wand watermark(std::size_t i) const;

  private:
    mutable std::mutex mutex_;  // cloning reads the shared pictures' reference counts
    Wand background_;
    std::vector<Wand> watermarks_;
};

// Renders one batch; `pictures[k]` goes to paste layer k, decoded as `mode` says. Returns the finished
// picture, or nothing when the stop flag was seen.
Wand composeBatch(const Document& doc, const RunPictures& shared, const std::vector<std::string>& pictures,
                  DecodeMode mode, const std::atomic<int>& stop, const InfoSink& info);

}  // namespace plazor
