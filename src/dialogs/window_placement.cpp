#include "dialogs/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace plazor {

void centreOnScreen(QWidget* window) {
    QScreen* screen = window->screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect whole = screen->geometry();
    const QRect work = screen->availableGeometry();
    // The frame is not known before the first show, so the frame's outer size is used once it is.
    const QSize outer = window->frameGeometry().size().expandedTo(window->size());
    const QSize frame = outer - window->size();
    const int left = whole.x() + (whole.width() - outer.width()) / 2 + frame.width() / 2;
    const int top = work.y() + (work.height() - outer.height()) / 2 + frame.height() / 2;
    window->setGeometry(left, top, window->width(), window->height());
}

}  // namespace plazor
