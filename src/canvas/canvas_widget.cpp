#include "canvas/canvas_widget.h"

#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cstdlib>

#include "canvas/editor_state.h"
#include "template/document.h"

namespace plazor {
namespace {

constexpr int kInitialWidth = 760;
constexpr int kInitialHeight = 580;

void applyRange(QScrollBar& bar, const ScrollRange& range) {
    bar.setRange(0, range.maxPosition());
    bar.setPageStep(range.visible ? range.page : 0);
    // A line step is a hundredth of the range, and at least one pixel.
    bar.setSingleStep(range.maximum / 100 + 1);
}

}  // namespace

Canvas::Canvas(const Document& doc, EditorState& state, std::function<CanvasSwitches()> switches,
               std::function<LoadMode()> loadMode, QWidget* parent)
    : QAbstractScrollArea(parent),
      doc_(doc),
      state_(state),
      switches_(std::move(switches)),
      loadMode_(std::move(loadMode)) {
    setObjectName(QStringLiteral("Preview"));
    setWindowTitle(tr("效果预览"));
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::ArrowCursor);
    // Every paint covers the whole viewport, so the system need not clear it first.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    resize(kInitialWidth, kInitialHeight);
    pictures_.setBackground(doc_.background.pictureData);

    connect(&state_, &EditorState::repaintRequested, viewport(), qOverload<>(&QWidget::update));
    connect(&state_, &EditorState::canvasResizeRequested, this, &Canvas::refreshBackground);
    connect(&state_, &EditorState::scrollResetRequested, this, &Canvas::resetScroll);
    connect(&state_, &EditorState::scrollIntoViewRequested, this, &Canvas::scrollIntoView);
    connect(&state_, &EditorState::previewsInvalidated, this, &Canvas::releaseSamples);
    connect(&state_, &EditorState::layerAppearanceChanged, this, &Canvas::dropLayerCache);
    updateScrollBars();
}

ViewMapping Canvas::mapping() const {
    const QSize client = viewport()->size();
    return makeMapping(client.width(), client.height(), doc_.background.width, doc_.background.height,
                       state_.zoom, horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void Canvas::refreshBackground() {
    pictures_.setBackground(doc_.background.kind == kPictureBackground ? doc_.background.pictureData
                                                                       : std::string());
    updateScrollBars();
    viewport()->update();
}

void Canvas::resetScroll() {
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    storeScrollPositions();
    viewport()->update();
}

void Canvas::scrollIntoView(LayerKind kind, int index) {
    if (index < 0) return;
    const auto at = static_cast<std::size_t>(index);
    int x = 0, y = 0, width = 0, height = 0;
    if (kind == LayerKind::Paste && at < doc_.pasteLayers.size()) {
        const PasteLayer& l = doc_.pasteLayers[at];
        if (!l.isPlaced()) return;
        // A layer being drawn leftwards or upwards is normalised first.
        x = l.width < 0 ? l.x + l.width : l.x;
        y = l.height < 0 ? l.y + l.height : l.y;
        width = std::abs(l.width);
        height = std::abs(l.height);
    } else if (kind == LayerKind::Watermark && at < doc_.watermarks.size()) {
        const WatermarkLayer& w = doc_.watermarks[at];
        x = w.x;
        y = w.y;
        width = w.width;
        height = w.height;
    } else if (kind == LayerKind::Slice && at < doc_.slices.size()) {
        if (doc_.slices[at].y < 0) return;
        y = doc_.slices[at].y;
    } else {
        return;
    }
    const QSize client = viewport()->size();
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    // A slice spans the whole width: only the vertical position follows it.
    if (kind != LayerKind::Slice)
        h->setValue(scrollToShow(h->value(), x, width, state_.zoom, client.width(), h->maximum()));
    v->setValue(scrollToShow(v->value(), y, height, state_.zoom, client.height(), v->maximum()));
    viewport()->update();
}

void Canvas::releaseSamples(int fromIndex) {
    pictures_.releaseSamples(static_cast<std::size_t>(std::max(fromIndex, 0)));
    viewport()->update();
}

void Canvas::dropLayerCache(LayerKind kind, int index) {
    if (index < 0) return;
    const auto at = static_cast<std::size_t>(index);
    if (kind == LayerKind::Paste) pictures_.dropScaled(at);
    if (kind == LayerKind::Watermark && at < doc_.watermarks.size())
        pictures_.dropWatermark(doc_.watermarks[at].path);
    viewport()->update();
}

void Canvas::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const QSize client = viewport()->size();
    const CanvasScene scene{doc_,        state_.sources, loadMode_(),    state_.current, state_.mode,
                            switches_(), mapping(),      client.width(), client.height()};
    paintCanvas(painter, scene, pictures_);
}

void Canvas::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void Canvas::scrollContentsBy(int, int) {
    storeScrollPositions();
    viewport()->update();
}

void Canvas::updateScrollBars() {
    const QSize client = viewport()->size();
    applyRange(*horizontalScrollBar(), scrollRange(client.width(), doc_.background.width, state_.zoom));
    applyRange(*verticalScrollBar(), scrollRange(client.height(), doc_.background.height, state_.zoom));
    storeScrollPositions();
}

void Canvas::storeScrollPositions() {
    state_.scrollX = horizontalScrollBar()->value();
    state_.scrollY = verticalScrollBar()->value();
}

}  // namespace plazor
