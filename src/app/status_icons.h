// The 16 x 16 icons of the status bar's first four parts; the zoom part's icon follows the zoom.
#pragma once

#include <QPixmap>

namespace plazor {

enum class StatusIcon { BackgroundSize, CursorPosition, LayerSize, ZoomOut, ZoomActual, ZoomIn };

// Below, at or above 100%.
StatusIcon zoomIcon(double zoom);

// The icon drawn for a device pixel ratio, so it stays sharp on scaled screens.
QPixmap statusIconPixmap(StatusIcon icon, qreal devicePixelRatio = 1.0);

}  // namespace plazor
