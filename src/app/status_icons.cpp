#include "app/status_icons.h"

#include <QPainter>
#include <QSvgRenderer>

// The icons live in a static library: their resource must be registered explicitly.
static void registerStatusIcons() {
    Q_INIT_RESOURCE(status_icons);
}

namespace plazor {
namespace {

const char* resourceOf(StatusIcon icon) {
    switch (icon) {
        case StatusIcon::BackgroundSize:
            return ":/status/background.svg";
        case StatusIcon::CursorPosition:
            return ":/status/cursor.svg";
        case StatusIcon::LayerSize:
            return ":/status/layer.svg";
        case StatusIcon::ZoomOut:
            return ":/status/zoom_out.svg";
        case StatusIcon::ZoomActual:
            return ":/status/zoom_actual.svg";
        case StatusIcon::ZoomIn:
            return ":/status/zoom_in.svg";
    }
    return "";
}

}  // namespace

StatusIcon zoomIcon(double zoom) {
    if (zoom < 1.0) return StatusIcon::ZoomOut;
    return zoom > 1.0 ? StatusIcon::ZoomIn : StatusIcon::ZoomActual;
}

QPixmap statusIconPixmap(StatusIcon icon, qreal devicePixelRatio) {
    static const bool registered = (registerStatusIcons(), true);
    Q_UNUSED(registered);
    constexpr int kSide = 16;
    QPixmap pixmap(qRound(kSide * devicePixelRatio), qRound(kSide * devicePixelRatio));
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(QString::fromLatin1(resourceOf(icon)));
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

}  // namespace plazor
