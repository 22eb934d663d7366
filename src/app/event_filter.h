// The one application-wide event filter: the input routing that the program applies before any widget
// sees an event. Any mouse press or key press closes every balloon tip; Tab moves between the two
// background size fields (and through the edit fields of the custom display style window) and does
// nothing elsewhere in the main window; Ctrl+A over the canvas or the paste list selects every paste
// layer; the wheel over the side panel, or over any of its controls, scrolls the panel; over the canvas
// it scrolls the canvas, or with Ctrl zooms it a step per notch. Widgets are found by objectName.
#pragma once

#include <QObject>

#include "canvas/wheel_notches.h"

class QKeyEvent;
class QWheelEvent;
class QWidget;

namespace plazor {

class BalloonRegister;

class AppEventFilter : public QObject {
    Q_OBJECT
  public:
    explicit AppEventFilter(BalloonRegister& balloons, QObject* parent = nullptr);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool routeTab(QWidget* target);
    bool routeSelectAll(QWidget* target);
    bool routeWheel(QWidget* target, const QWheelEvent* event);
    bool routeCanvasWheel(QWidget* canvas, const QWheelEvent* event);

    BalloonRegister& balloons_;
    WheelNotches wheelNotches_;
};

}  // namespace plazor
