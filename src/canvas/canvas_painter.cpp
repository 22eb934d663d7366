#include "canvas/canvas_painter.h"

#include <QPainter>
#include <QPen>

#include "canvas/canvas_pictures.h"
#include "canvas/sample_preview.h"
#include "template/document.h"

namespace plazor {
namespace {

QRect toQRect(const WindowRect& r) {
    return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

// Every pen is one pixel wide; the dotted ones alternate one pixel on, one off.
QPen dottedPen(const QColor& colour) {
    QPen pen(colour, 1);
    pen.setDashPattern({1.0, 1.0});
    return pen;
}

// A hollow rectangle whose 1-pixel border covers the first and the last column and row of `r`.
void drawOutline(QPainter& painter, const WindowRect& r, const QPen& pen) {
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(r.left, r.top, r.width() - 1, r.height() - 1);
}

class CanvasPaint {
  public:
    CanvasPaint(QPainter& painter, const CanvasScene& scene, CanvasPictures& pictures)
        : p_(painter), s_(scene), doc_(scene.doc), pictures_(pictures), m_(scene.mapping) {}

    void run() {
        p_.fillRect(0, 0, s_.clientWidth, s_.clientHeight, Qt::white);
        const WindowRect background = m_.backgroundRect();
        drawOutline(p_, outlineRect(background), QPen(kOutlineColour, 1));
        if (doc_.background.transparent) drawChecker(background);
        if (s_.switches.showPictures) drawSamples(kBelowBackground);
        drawBackground(background);
        if (s_.switches.showPictures) drawSamples(kAboveBackground);
        if (s_.switches.watermarksOn) drawWatermarks();
        drawOverlay();
    }

  private:
    void drawChecker(const WindowRect& background) {
        for (const WindowRect& tile : checkerTiles(background))
            p_.drawPixmap(tile.left, tile.top, pictures_.checkerTile(), 0, 0, tile.width(), tile.height());
    }

    void drawBackground(const WindowRect& background) {
        if (doc_.background.kind == kPictureBackground) {
            if (!pictures_.background().isNull()) p_.drawImage(toQRect(background), pictures_.background());
        } else if (!doc_.background.transparent) {
            p_.fillRect(toQRect(background), colourFromTemplate(doc_.background.colour));
        }
    }

    void drawSamples(unsigned level) {
        const auto& samples = pictures_.samples(s_.sources, s_.loadMode, doc_.pasteLayers.size());
        for (std::size_t i = 0; i < doc_.pasteLayers.size(); ++i) {
            const PasteLayer& layer = doc_.pasteLayers[i];
            if (i >= samples.size()) break;
            const QImage& image = pictures_.sample(i, samples[i]);
            if (image.isNull() || layer.level != level || !layer.isPlaced()) continue;
            const auto preview = samplePreview(m_, layer, image.width(), image.height());
            if (!preview) continue;
            p_.drawPixmap(preview->target.left, preview->target.top, pictures_.scaledSample(i, *preview));
        }
    }

    void drawWatermarks() {
        const double z = m_.zoom;
        for (const WatermarkLayer& w : doc_.watermarks) {
            if (w.x == -1 || w.path.empty()) continue;
            const QImage& image = pictures_.watermark(w.path);
            if (image.isNull()) continue;
            p_.drawImage(QRectF(w.x * z + m_.x.origin, w.y * z + m_.y.origin, w.width * z, w.height * z),
                         image);
        }
    }

    bool inBandOrMultiple() const {
        return s_.mode == CanvasMode::BandDragging || s_.mode == CanvasMode::MultipleSelection;
    }

    bool sliceShown(const Slice& slice) const { return slice.y > 0 && slice.y < doc_.background.height; }

    void drawSliceLine(const Slice& slice, const QPen& pen) {
        const int row = m_.toWindow(0, slice.y).y;
        p_.setPen(pen);
        // The line ends one pixel before the background's right edge.
        p_.drawLine(m_.x.origin, row, m_.x.end - 1, row);
    }

    WindowRect pasteRect(const PasteLayer& l) const { return m_.layerRect(l.x, l.y, l.width, l.height); }
    WindowRect watermarkRect(const WatermarkLayer& w) const {
        return m_.layerRect(w.x, w.y, w.width, w.height);
    }

    void drawOverlay() {
        const QPen outline = dottedPen(kOutlineColour);
        const QPen selection = dottedPen(kSelectionColour);
        const CurrentLayer& current = s_.current;

        for (std::size_t i = 0; i < doc_.pasteLayers.size(); ++i) {
            const PasteLayer& l = doc_.pasteLayers[i];
            if (!l.isPlaced() || l.selected) continue;
            if (!pictures_.hasSample(i) || s_.switches.showPasteAreas)
                drawOutline(p_, outlineRect(pasteRect(l)), outline);
        }
        if (s_.switches.watermarksOn && s_.switches.showWatermarkAreas) {
            for (std::size_t i = 0; i < doc_.watermarks.size(); ++i) {
                const WatermarkLayer& w = doc_.watermarks[i];
                if (w.x == -1 || isCurrent(LayerKind::Watermark, i)) continue;
                drawOutline(p_, outlineRect(watermarkRect(w)), outline);
            }
        }
        if (s_.switches.slicesOn) {
            for (std::size_t i = 0; i < doc_.slices.size(); ++i) {
                if (sliceShown(doc_.slices[i]) && !isCurrent(LayerKind::Slice, i))
                    drawSliceLine(doc_.slices[i], outline);
            }
        }
        if (inBandOrMultiple()) {
            for (const PasteLayer& l : doc_.pasteLayers) {
                if (l.isPlaced() && l.selected) drawOutline(p_, outlineRect(pasteRect(l)), selection);
            }
        }
        if (current.is(LayerKind::Paste) && current.index < static_cast<int>(doc_.pasteLayers.size())) {
            const PasteLayer& l = doc_.pasteLayers[static_cast<std::size_t>(current.index)];
            if (l.isPlaced()) {
                drawOutline(p_, outlineRect(pasteRect(l)), selection);
                drawHandles(pasteRect(l));
            }
        }
        if (s_.switches.watermarksOn && current.is(LayerKind::Watermark) &&
            current.index < static_cast<int>(doc_.watermarks.size())) {
            const WatermarkLayer& w = doc_.watermarks[static_cast<std::size_t>(current.index)];
            if (w.x != -1) drawOutline(p_, outlineRect(watermarkRect(w)), selection);
        }
        if (s_.switches.slicesOn && current.is(LayerKind::Slice) &&
            current.index < static_cast<int>(doc_.slices.size())) {
            const Slice& slice = doc_.slices[static_cast<std::size_t>(current.index)];
            if (sliceShown(slice)) drawSliceLine(slice, selection);
        }
        if (s_.mode == CanvasMode::BandDragging) {
            const CanvasPoint from = s_.bandFrom, to = s_.bandTo;
            drawOutline(p_, m_.layerRect(from.x, from.y, to.x - from.x, to.y - from.y), outline);
        }
    }

    void drawHandles(const WindowRect& rect) {
        for (const WindowRect& h : handleRects(rect)) {
            p_.fillRect(toQRect(h), Qt::white);
            drawOutline(p_, h, QPen(Qt::black, 1));
        }
    }

    bool isCurrent(LayerKind kind, std::size_t index) const {
        return s_.current.is(kind) && static_cast<std::size_t>(s_.current.index) == index;
    }

    QPainter& p_;
    const CanvasScene& s_;
    const Document& doc_;
    CanvasPictures& pictures_;
    const ViewMapping& m_;
};

}  // namespace

QColor colourFromTemplate(std::uint32_t colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

void paintCanvas(QPainter& painter, const CanvasScene& scene, CanvasPictures& pictures) {
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setRenderHint(QPainter::Antialiasing, false);
    CanvasPaint(painter, scene, pictures).run();
}

}  // namespace plazor
