// The canvas: the editing view of the template at the editor's zoom, with scroll bars. It paints from
// the document and the editor state and forwards nothing to the template; the geometry lives in plain
// functions (canvas_geometry.h, sample_preview.h).
#pragma once

#include <QAbstractScrollArea>

#include <functional>

#include "canvas/canvas_geometry.h"
#include "canvas/canvas_painter.h"
#include "canvas/canvas_pictures.h"

namespace plazor {

class Document;
class EditorState;

class Canvas : public QAbstractScrollArea {
    Q_OBJECT

  public:
    // `switches` reads the layer blocks' check boxes, `loadMode` the source folder's load mode.
    Canvas(const Document& doc, EditorState& state, std::function<CanvasSwitches()> switches,
           std::function<LoadMode()> loadMode, QWidget* parent = nullptr);

    // The mapping between template and window pixels as the next paint uses it.
    ViewMapping mapping() const;

    // The background changed: decode its picture again and recompute the scroll bars, keeping their
    // positions where the new range allows.
    void refreshBackground();
    // Both scroll positions back to 0.
    void resetScroll();
    // Scrolls so that the layer is visible.
    void scrollIntoView(LayerKind kind, int index);
    // Sample pictures of the paste layers from `fromIndex` on are read again at the next paint.
    void releaseSamples(int fromIndex);
    // The layer's look changed: what was cached for it is dropped.
    void dropLayerCache(LayerKind kind, int index);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

  private:
    void updateScrollBars();
    void storeScrollPositions();

    const Document& doc_;
    EditorState& state_;
    std::function<CanvasSwitches()> switches_;
    std::function<LoadMode()> loadMode_;
    CanvasPictures pictures_;
};

}  // namespace plazor
