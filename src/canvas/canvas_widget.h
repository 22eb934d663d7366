// The canvas: the editing view of the template at the editor's zoom, with scroll bars. It paints from
// the document and the editor state; under the mouse and the keys it converts Qt's events into
// template pixels for CanvasInteraction and carries out what that returns. The geometry lives in
// plain functions (canvas_geometry.h, sample_preview.h).
#pragma once

#include <QAbstractScrollArea>

#include <functional>
#include <memory>

#include "canvas/canvas_geometry.h"
#include "canvas/canvas_interaction.h"
#include "canvas/canvas_painter.h"
#include "canvas/canvas_pictures.h"
#include "canvas/layer_rows.h"

namespace plazor {

class Document;
class EditorState;

// What the canvas asks of the main window.
struct CanvasHooks {
    // The layer lists; without them the canvas selects nothing.
    std::unique_ptr<LayerRows> rows;
    // The rows of the current or selected layers and the size read-out.
    std::function<void()> updateLists;
    // Every slice row, after the slices were put in order again.
    std::function<void()> rewriteSliceRows;
    // Status part 1.
    std::function<void(const QString&)> showCursorText;
    std::function<void()> chooseWatermarkPicture;
    std::function<void(const ContextMenuPlan&, const QPoint& globalPos)> showContextMenu;
};

class Canvas : public QAbstractScrollArea, private LayerRows {
    Q_OBJECT

  public:
    // `switches` reads the layer blocks' check boxes, `loadMode` the source folder's load mode.
    Canvas(Document& doc, EditorState& state, std::function<CanvasSwitches()> switches,
           std::function<LoadMode()> loadMode, QWidget* parent = nullptr);
    ~Canvas() override;

    void setHooks(CanvasHooks hooks);
    CanvasInteraction& interaction() { return interaction_; }
    // The context menu's alignment items.
    void align(AlignEdge edge);
    // A new or opened template: both scroll positions back to 0, no gesture under way.
    void resetView();

    // The mapping between template and window pixels as the next paint uses it.
    ViewMapping mapping() const;

    // The background changed: decode its picture again and recompute the scroll bars, keeping their
    // positions where the new range allows.
    void refreshBackground();
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
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool viewportEvent(QEvent* event) override;

  private:
    void updateScrollBars();
    void storeScrollPositions();
    PointerInput pointerOf(const QMouseEvent& event);
    void carryOut(const CanvasActions& actions, const PointerInput* pointer = nullptr);
    void updateCursor();

    void clear(LayerKind kind) override;
    void select(LayerKind kind, int row) override;
    void deselect(LayerKind kind, int row) override;
    void reveal(LayerKind kind, int row) override;

    Document& doc_;
    EditorState& state_;
    std::function<CanvasSwitches()> switches_;
    std::function<LoadMode()> loadMode_;
    CanvasPictures pictures_;
    CanvasHooks hooks_;
    CanvasInteraction interaction_;
    bool spaceHeld_ = false;
    bool selectingRows_ = false;
};

}  // namespace plazor
