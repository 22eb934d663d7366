// Painting the template into the canvas: background, sample pictures, watermarks and the overlay of
// outlines, slice lines and the current selection, in the canvas's fixed order.
#pragma once

#include <QColor>

#include "canvas/canvas_geometry.h"
#include "canvas/canvas_interaction.h"
#include "canvas/editor_state.h"
#include "render/sources.h"

class QPainter;

namespace plazor {

class CanvasPictures;
class Document;

// The check boxes of the layer blocks that decide what the canvas shows.
struct CanvasSwitches {
    bool showPictures = true;        // "显示图片" of the paste layers
    bool showPasteAreas = true;      // "显示选区" of the paste layers
    bool watermarksOn = true;        // "水印层"
    bool showWatermarkAreas = true;  // "显示选区" of the watermark layers
    bool slicesOn = true;            // "横切片"
};

// Everything one paint reads besides the pictures.
struct CanvasScene {
    const Document& doc;
    const std::vector<std::string>& sources;
    LoadMode loadMode = kPictureListMode;
    CurrentLayer current;
    CanvasMode mode = CanvasMode::Idle;
    CanvasSwitches switches;
    ViewMapping mapping;
    int clientWidth = 0;
    int clientHeight = 0;
    // The rubber band's corners while it is dragged.
    CanvasPoint bandFrom;
    CanvasPoint bandTo;
};

inline const QColor kSelectionColour{51, 153, 255};
inline const QColor kOutlineColour{0, 0, 0};

// A colour with red in its low byte, at full opacity.
QColor colourFromTemplate(std::uint32_t colour);

void paintCanvas(QPainter& painter, const CanvasScene& scene, CanvasPictures& pictures);

}  // namespace plazor
