#include "app/colour_swatch.h"

#include <QMouseEvent>
#include <QPainter>

namespace plazor {

QColor qColourOf(std::uint32_t colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

ColourSwatch::ColourSwatch(QWidget* parent, std::function<void()> onClick)
    : QWidget(parent), onClick_(std::move(onClick)) {
    setCursor(Qt::PointingHandCursor);
}

void ColourSwatch::setColour(std::uint32_t colour) {
    colour_ = colour & 0xFFFFFF;
    update();
}

void ColourSwatch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), isEnabled() ? qColourOf(colour_) : palette().color(QPalette::Window));
}

void ColourSwatch::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && onClick_)
        onClick_();
}

}  // namespace plazor
