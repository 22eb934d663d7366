#include "canvas/canvas_widget.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScopedValueRollback>
#include <QScrollBar>

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "canvas/editor_state.h"
#include "template/document.h"
#include "util/window_names.h"

// The cursors live in a static library: their resource must be registered explicitly.
static void registerCanvasCursors() {
    Q_INIT_RESOURCE(canvas_cursors);
}

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

QCursor cursorOf(CanvasCursor cursor) {
    switch (cursor) {
        case CanvasCursor::Move:
            return Qt::SizeAllCursor;
        case CanvasCursor::ResizeNwSe:
            return Qt::SizeFDiagCursor;
        case CanvasCursor::ResizeNeSw:
            return Qt::SizeBDiagCursor;
        case CanvasCursor::ResizeWestEast:
            return Qt::SizeHorCursor;
        case CanvasCursor::ResizeNorthSouth:
            return Qt::SizeVerCursor;
        case CanvasCursor::Cross:
            return Qt::CrossCursor;
        case CanvasCursor::Hand: {
            // The program's own 32 x 32 hand, read once; its hot spot is the palm's centre.
            static const QCursor hand = [] {
                registerCanvasCursors();
                return QCursor(QPixmap(QStringLiteral(":/canvas/hand.png")), 15, 15);
            }();
            return hand;
        }
        case CanvasCursor::Arrow:
            break;
    }
    return Qt::ArrowCursor;
}

std::optional<CanvasKey> canvasKey(int key) {
    switch (key) {
        case Qt::Key_Space:
            return CanvasKey::Space;
        case Qt::Key_Left:
            return CanvasKey::Left;
        case Qt::Key_Up:
            return CanvasKey::Up;
        case Qt::Key_Right:
            return CanvasKey::Right;
        case Qt::Key_Down:
            return CanvasKey::Down;
        case Qt::Key_Control:
            return CanvasKey::Control;
        default:
            return std::nullopt;
    }
}

}  // namespace

Canvas::Canvas(Document& doc, EditorState& state, std::function<CanvasSwitches()> switches,
               std::function<LoadMode()> loadMode, QWidget* parent)
    : QAbstractScrollArea(parent),
      doc_(doc),
      state_(state),
      switches_(std::move(switches)),
      loadMode_(std::move(loadMode)),
      interaction_(doc, state.mode, state.current, state.history, *this) {
    setObjectName(QString::fromUtf8(window_names::kCanvasClass));
    setWindowTitle(tr("效果预览"));
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::ArrowCursor);
    viewport()->setMouseTracking(true);
    // Every scroll request gives the canvas the focus.
    for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()})
        connect(bar, &QAbstractSlider::actionTriggered, this, [this] { setFocus(Qt::OtherFocusReason); });
    // Every paint covers the whole viewport, so the system need not clear it first.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    resize(kInitialWidth, kInitialHeight);
    pictures_.setBackground(doc_.background.pictureData);

    connect(&state_, &EditorState::repaintRequested, viewport(), qOverload<>(&QWidget::update));
    connect(&state_, &EditorState::canvasResizeRequested, this, &Canvas::refreshBackground);
    connect(&state_, &EditorState::viewResetRequested, this, &Canvas::resetView);
    connect(&state_, &EditorState::scrollIntoViewRequested, this, &Canvas::scrollIntoView);
    connect(&state_, &EditorState::previewsInvalidated, this, &Canvas::releaseSamples);
    connect(&state_, &EditorState::layerAppearanceChanged, this, &Canvas::dropLayerCache);
    updateScrollBars();
}

Canvas::~Canvas() = default;

void Canvas::setHooks(CanvasHooks hooks) {
    hooks_ = std::move(hooks);
}

void Canvas::align(AlignEdge edge) {
    carryOut(interaction_.align(edge));
}

void Canvas::resetView() {
    interaction_.reset();
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    storeScrollPositions();
    updateCursor();
    viewport()->update();
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

void Canvas::scrollIntoView(LayerKind kind, int index) {
    // A layer picked on the canvas is under the pointer already; scrolling would move it mid-drag.
    if (index < 0 || selectingRows_) return;
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
    const InteractionState& s = interaction_.state();
    const CanvasScene scene{doc_,        state_.sources, loadMode_(),    state_.current,  state_.mode,
                            switches_(), mapping(),      client.width(), client.height(), s.anchor,
                            s.farEdge};
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

PointerInput Canvas::pointerOf(const QMouseEvent& event) {
    const CanvasSwitches switches = switches_();
    interaction_.setView({state_.zoom, {switches.watermarksOn, switches.slicesOn}});
    const QPoint pos = event.position().toPoint();
    const QPoint screen = event.globalPosition().toPoint();
    const WindowPoint at = mapping().toTemplate(pos.x(), pos.y());
    PointerInput p;
    p.at = {at.x, at.y};
    p.client = {pos.x(), pos.y()};
    p.screen = {screen.x(), screen.y()};
    p.shift = event.modifiers().testFlag(Qt::ShiftModifier);
    p.ctrl = event.modifiers().testFlag(Qt::ControlModifier);
    p.leftHeld = event.buttons().testFlag(Qt::LeftButton);
    return p;
}

void Canvas::carryOut(const CanvasActions& a, const PointerInput* pointer) {
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    if (a.autoScroll && pointer) {
        // A drag at or past an edge of the window scrolls a step that way.
        const QSize client = viewport()->size();
        if (pointer->client.x >= client.width()) h->setValue(h->value() + h->singleStep());
        if (pointer->client.x < 0) h->setValue(h->value() - h->singleStep());
        if (pointer->client.y >= client.height()) v->setValue(v->value() + v->singleStep());
        if (pointer->client.y < 0) v->setValue(v->value() - v->singleStep());
    }
    if (a.scrollBy.x != 0) h->setValue(h->value() + a.scrollBy.x);
    if (a.scrollBy.y != 0) v->setValue(v->value() + a.scrollBy.y);
    if (a.cursorText && hooks_.showCursorText) hooks_.showCursorText(QString::fromStdString(*a.cursorText));
    if (a.rewriteSliceRows && hooks_.rewriteSliceRows) hooks_.rewriteSliceRows();
    if (a.updateLists && hooks_.updateLists) hooks_.updateLists();
    if (a.chooseWatermarkPicture && hooks_.chooseWatermarkPicture) hooks_.chooseWatermarkPicture();
    if (a.repaint) viewport()->update();
    updateCursor();
}

void Canvas::updateCursor() {
    const bool over = viewport()->rect().contains(viewport()->mapFromGlobal(QCursor::pos()));
    const bool ctrl = QApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier);
    viewport()->setCursor(cursorOf(interaction_.cursor(over, ctrl)));
}

void Canvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    setFocus(Qt::MouseFocusReason);
    const PointerInput p = pointerOf(*event);
    carryOut(interaction_.press(p), &p);
}

void Canvas::mouseMoveEvent(QMouseEvent* event) {
    const PointerInput p = pointerOf(*event);
    carryOut(interaction_.move(p), &p);
}

void Canvas::mouseReleaseEvent(QMouseEvent* event) {
    const PointerInput p = pointerOf(*event);
    if (event->button() == Qt::LeftButton) {
        carryOut(interaction_.release(p, spaceHeld_), &p);
    } else if (event->button() == Qt::RightButton && hooks_.showContextMenu) {
        hooks_.showContextMenu(interaction_.contextMenu(p.at), event->globalPosition().toPoint());
    }
}

void Canvas::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const PointerInput p = pointerOf(*event);
    carryOut(interaction_.doubleClick(p), &p);
}

void Canvas::keyPressEvent(QKeyEvent* event) {
    const std::optional<CanvasKey> key = canvasKey(event->key());
    if (!key) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    if (*key == CanvasKey::Space) spaceHeld_ = true;
    const CanvasSwitches switches = switches_();
    interaction_.setView({state_.zoom, {switches.watermarksOn, switches.slicesOn}});
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool leftHeld = QApplication::mouseButtons().testFlag(Qt::LeftButton);
    carryOut(interaction_.keyDown(*key, mods.testFlag(Qt::ShiftModifier), mods.testFlag(Qt::ControlModifier),
                                  leftHeld));
}

void Canvas::keyReleaseEvent(QKeyEvent* event) {
    const std::optional<CanvasKey> key = canvasKey(event->key());
    if (!key) {
        QAbstractScrollArea::keyReleaseEvent(event);
        return;
    }
    // A held key repeats its press; only the real release ends it.
    if (event->isAutoRepeat()) return;
    if (*key == CanvasKey::Space) spaceHeld_ = false;
    carryOut(interaction_.keyUp(*key));
}

void Canvas::focusOutEvent(QFocusEvent* event) {
    spaceHeld_ = false;
    carryOut(interaction_.cancel());
    QAbstractScrollArea::focusOutEvent(event);
}

bool Canvas::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::Leave) carryOut(interaction_.leave());
    return QAbstractScrollArea::viewportEvent(event);
}

void Canvas::clear(LayerKind kind) {
    if (!hooks_.rows) return;
    const QScopedValueRollback picking(selectingRows_, true);
    hooks_.rows->clear(kind);
}

void Canvas::select(LayerKind kind, int row) {
    if (!hooks_.rows) return;
    const QScopedValueRollback picking(selectingRows_, true);
    hooks_.rows->select(kind, row);
}

void Canvas::deselect(LayerKind kind, int row) {
    if (!hooks_.rows) return;
    const QScopedValueRollback picking(selectingRows_, true);
    hooks_.rows->deselect(kind, row);
}

void Canvas::reveal(LayerKind kind, int row) {
    if (hooks_.rows) hooks_.rows->reveal(kind, row);
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
