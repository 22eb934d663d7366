// Placing top-level windows on the screen.
#pragma once

class QWidget;

namespace plazor {

// Moves a window, without resizing it, so that it sits in the middle of the screen's width and of the
// height of its work area (the screen without panels).
void centreOnScreen(QWidget* window);

}  // namespace plazor
