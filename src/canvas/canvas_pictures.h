// The pictures the canvas draws: the checker tile, the decoded background picture, the sample picture
// of each paste layer with its scaled copy as last drawn, and the decoded watermark pictures. Pictures
// that cannot be read are simply absent.
#pragma once

#include <QImage>
#include <QPixmap>

#include <map>
#include <string>
#include <vector>

#include "canvas/sample_preview.h"

namespace plazor {

// The 512 x 512 grey-and-white checkerboard under a transparent background.
QPixmap makeCheckerTile();

class CanvasPictures {
  public:
    CanvasPictures();

    const QPixmap& checkerTile() const { return checkerTile_; }

    // Decodes the encoded background picture; empty or unreadable data leaves none.
    void setBackground(const std::string& encoded);
    const QImage& background() const { return background_; }

    // The sample picture of paste layer `index`, read from `path` when the layer has none yet (or had
    // one from another path); null when it cannot be read.
    const QImage& sample(std::size_t index, const std::string& path);
    // Whether the layer holds a sample picture now.
    bool hasSample(std::size_t index) const;
    // The scaled copy of the layer's sample for `preview`, made again only when the preview changed.
    const QPixmap& scaledSample(std::size_t index, const SamplePreview& preview);
    // Drops the sample pictures and scaled copies of the layers from `index` on.
    void releaseSamples(std::size_t fromIndex);
    // Drops one layer's scaled copy, so its next paint scales the picture again.
    void dropScaled(std::size_t index);

    // The watermark picture at `path`, decoded on first use; null when it cannot be read.
    const QImage& watermark(const std::string& path);
    void dropWatermark(const std::string& path);

    // The sample pictures of the current source list, kept until the sources change.
    const std::vector<std::string>& samples(const std::vector<std::string>& sources, LoadMode mode,
                                            std::size_t pasteLayerCount);
    void dropSamples() { samplesValid_ = false; }

  private:
    struct Sample {
        std::string path;
        QImage image;
        QPixmap scaled;
        WindowRect scaledFor;
        SourceRegion scaledFrom;
    };

    QPixmap checkerTile_;
    QImage background_;
    std::vector<Sample> samples_;
    std::map<std::string, QImage> watermarks_;
    std::vector<std::string> sampleList_;
    std::size_t sampleLayerCount_ = 0;
    bool samplesValid_ = false;
};

}  // namespace plazor
