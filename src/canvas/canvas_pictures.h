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
#include "canvas/scaled_picture.h"

namespace plazor {

// The 512 x 512 grey-and-white checkerboard under a transparent background.
QPixmap makeCheckerTile();

class CanvasPictures {
  public:
    CanvasPictures();

    const QPixmap& checkerTile() const { return checkerTile_; }

    // The encoded background picture, decoded when next drawn; empty data leaves none.
    void setBackground(const std::string& encoded);
    // The background picture decoded at the resolution `zoom` needs (once per step of zoom); null when
    // it cannot be read.
    const QImage& background(double zoom);

    // The size of paste layer `index`'s sample picture at `path`, from its header (the picture is
    // decoded when drawn, at the resolution its preview needs); invalid when it cannot be read.
    QSize sampleSize(std::size_t index, const std::string& path);
    // Whether the layer holds a sample picture now.
    bool hasSample(std::size_t index) const;
    // The scaled copy of the layer's sample for `preview` (in the picture's own pixels), made again
    // only when the preview changed; null when the picture cannot be decoded.
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
        QSize size;             // the picture's own size; invalid when it cannot be read
        ScaledPicture decoded;  // at the resolution the last preview needed
        QPixmap scaled;
        WindowRect scaledFor;
        SourceRegion scaledFrom;
    };

    QPixmap checkerTile_;
    std::string backgroundBytes_;
    ScaledPicture background_;
    double backgroundTried_ = 0;  // the scale last decoded at (0: not yet)
    std::vector<Sample> samples_;
    std::map<std::string, QImage> watermarks_;
    std::vector<std::string> sampleList_;
    std::size_t sampleLayerCount_ = 0;
    bool samplesValid_ = false;
};

}  // namespace plazor
