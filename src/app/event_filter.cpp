#include "app/event_filter.h"

#include "app/command_ids.h"
#include "app/main_window.h"
#include "app/side_panel.h"
#include "app/zoom_steps.h"
#include "shell/balloon_tip.h"
#include "util/window_names.h"

#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace plazor {

namespace {

const QString kMainWindowName = QString::fromUtf8(window_names::kMainWindowClass);
const QString kCanvasName = QString::fromUtf8(window_names::kCanvasClass);
const QString kCustomStyleWindowName = QString::fromUtf8(window_names::kCustomStyleWindowClass);
const QString kWidthName = QString::number(ctl::kBackgroundWidth);
const QString kHeightName = QString::number(ctl::kBackgroundHeight);
const QString kPasteListName = QString::number(ctl::kPasteList);
constexpr int kCanvasWheelStep = 50;

// The widget itself or the nearest ancestor in its window with one of the names (an edit field's
// focus may sit in an inner editor).
QWidget* namedSelfOrAncestor(QWidget* widget, std::initializer_list<const QString*> names) {
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        for (const QString* name : names) {
            if (w->objectName() == *name) return w;
        }
        if (w->isWindow()) break;
    }
    return nullptr;
}

void focusAndSelect(QWidget* field) {
    field->setFocus(Qt::TabFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
}

// The next visible edit field of the window after `current`, wrapping to the first.
QLineEdit* nextVisibleEdit(QWidget* window, QWidget* current) {
    QList<QLineEdit*> edits;
    for (QLineEdit* edit : window->findChildren<QLineEdit*>()) {
        if (edit->isVisibleTo(window)) edits.append(edit);
    }
    if (edits.isEmpty()) return nullptr;
    for (qsizetype i = 0; i < edits.size(); ++i) {
        if (edits[i] == current || edits[i]->isAncestorOf(current)) return edits[(i + 1) % edits.size()];
    }
    return edits.constFirst();
}

bool showsScrollBar(QAbstractScrollArea* area) {
    return area->verticalScrollBar()->isVisibleTo(area) || area->horizontalScrollBar()->isVisibleTo(area);
}

}  // namespace

AppEventFilter::AppEventFilter(BalloonRegister& balloons, QObject* parent)
    : QObject(parent), balloons_(balloons) {}

bool AppEventFilter::eventFilter(QObject* watched, QEvent* event) {
    if (!watched->isWidgetType()) return false;
    auto* target = static_cast<QWidget*>(watched);
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::NonClientAreaMouseButtonPress: {
            const auto button = static_cast<QMouseEvent*>(event)->button();
            if (button == Qt::LeftButton || button == Qt::RightButton) balloons_.closeAll();
            return false;
        }
        case QEvent::ShortcutOverride:
            // A key that turns out to be a shortcut never arrives as a key press.
            balloons_.closeAll();
            return false;
        case QEvent::KeyPress: {
            balloons_.closeAll();
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) return routeTab(target);
            if (key->key() == Qt::Key_A && key->modifiers() == Qt::ControlModifier)
                return routeSelectAll(target);
            return false;
        }
        case QEvent::Wheel:
            return routeWheel(target, static_cast<QWheelEvent*>(event));
        default:
            return false;
    }
}

bool AppEventFilter::routeTab(QWidget* target) {
    QWidget* window = target->window();
    if (QWidget* field = namedSelfOrAncestor(target, {&kWidthName, &kHeightName})) {
        const QString& other = field->objectName() == kWidthName ? kHeightName : kWidthName;
        if (auto* next = window->findChild<QWidget*>(other)) focusAndSelect(next);
        return true;
    }
    if (window->objectName() == kCustomStyleWindowName) {
        if (QLineEdit* next = nextVisibleEdit(window, target)) focusAndSelect(next);
        return true;
    }
    // Elsewhere in the main window Tab does nothing.
    return window->objectName() == kMainWindowName;
}

bool AppEventFilter::routeSelectAll(QWidget* target) {
    if (!namedSelfOrAncestor(target, {&kCanvasName, &kPasteListName})) return false;
    auto* list = target->window()->findChild<QAbstractItemView*>(kPasteListName);
    if (!list) return false;
    list->selectAll();
    return true;
}

bool AppEventFilter::routeCanvasWheel(QWidget* canvasWidget, const QWheelEvent* event) {
    auto* canvas = qobject_cast<QAbstractScrollArea*>(canvasWidget);
    const int delta = event->angleDelta().y();
    if (!canvas || delta == 0) return false;
    // Only Ctrl, no other key and no button: zoom one step per whole notch, by the sign of the turn.
    if (event->modifiers() == Qt::ControlModifier && event->buttons() == Qt::NoButton) {
        auto* window = qobject_cast<MainWindow*>(canvas->window());
        const int notches = wheelNotches_.add(delta);
        if (!window || notches == 0) return true;
        const auto* at = std::ranges::find(kZoomSteps, window->zoomStatus());
        if (at == kZoomSteps.end()) return true;
        const int current = static_cast<int>(at - kZoomSteps.begin());
        const int next = zoomStepAfter(current, notches, static_cast<int>(kZoomSteps.size()));
        if (next != current) window->onCommand(zoomCommand(kZoomSteps[static_cast<std::size_t>(next)]));
        return true;
    }
    // 50 pixels a notch, up (or left) for a forward turn; a finer wheel scrolls its share of that.
    const int pixels = -delta * kCanvasWheelStep / kWheelNotch;
    if (canvas->verticalScrollBar()->isVisibleTo(canvas)) {
        canvas->verticalScrollBar()->setValue(canvas->verticalScrollBar()->value() + pixels);
    } else if (canvas->horizontalScrollBar()->isVisibleTo(canvas)) {
        canvas->horizontalScrollBar()->setValue(canvas->horizontalScrollBar()->value() + pixels);
    } else {
        return false;
    }
    canvas->viewport()->update();
    return true;
}

bool AppEventFilter::routeWheel(QWidget* target, const QWheelEvent* event) {
    if (QWidget* canvas = namedSelfOrAncestor(target, {&kCanvasName})) return routeCanvasWheel(canvas, event);
    // The first widget under the cursor, walking outwards, that shows a scroll bar decides.
    for (QWidget* w = target; w; w = w->parentWidget()) {
        if (auto* panel = qobject_cast<SidePanel*>(w); panel && panel->scroll().scrolls()) {
            // Over any of its controls too: a drop-down list under the cursor does not take the turn.
            if (event->angleDelta().y() == 0) return false;
            panel->wheel(event->angleDelta().y());
            return true;
        }
        if (auto* area = qobject_cast<QAbstractScrollArea*>(w); area && showsScrollBar(area)) return false;
        if (w->isWindow()) break;
    }
    return false;
}

}  // namespace plazor
