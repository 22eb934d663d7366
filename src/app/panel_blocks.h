// Builds the side panel's six blocks with every control at its written place, text and initial state.
// The controls are only created here; MainWindow connects them and applies the enable rules.
#pragma once

#include "app/layout_rules.h"

#include <QCoreApplication>

#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QWidget;

namespace plazor {

// The y of a block frame's top edge inside its block: the middle of the 16-pixel caption row.
inline constexpr int kFrameTopEdge = 8;

class ColourSwatch;
class LayerList;

struct PanelControls {
    // Background block.
    QWidget* backgroundBlock = nullptr;
    QRadioButton* pictureOption = nullptr;
    QRadioButton* customOption = nullptr;
    QWidget* pictureRow = nullptr;
    QWidget* customRow = nullptr;
    QLineEdit* picturePath = nullptr;
    QPushButton* chooseBackground = nullptr;
    QLineEdit* width = nullptr;
    QLineEdit* height = nullptr;
    QComboBox* unit = nullptr;
    QComboBox* colour = nullptr;
    ColourSwatch* swatch = nullptr;

    // Paste block.
    QWidget* pasteBlock = nullptr;
    QGroupBox* pasteFrame = nullptr;
    QCheckBox* pasteShowAreas = nullptr;
    QCheckBox* showPictures = nullptr;
    LayerList* pasteList = nullptr;
    QLabel* sourceLabel = nullptr;
    QLineEdit* sourceFolder = nullptr;
    QPushButton* chooseSource = nullptr;

    // Watermark and slice blocks.
    QWidget* watermarkBlock = nullptr;
    QCheckBox* watermarksOn = nullptr;
    QCheckBox* watermarkShowAreas = nullptr;
    LayerList* watermarkList = nullptr;
    QWidget* sliceBlock = nullptr;
    QCheckBox* slicesOn = nullptr;
    QCheckBox* sliceHtml = nullptr;
    LayerList* sliceList = nullptr;

    // Output block.
    QWidget* outputBlock = nullptr;
    QComboBox* format = nullptr;
    QLabel* colourSpaceLabel = nullptr;
    QComboBox* colourSpace = nullptr;
    QLabel* qualityLabel = nullptr;
    QSlider* quality = nullptr;
    QLabel* qualityText = nullptr;
    QCheckBox* transparency = nullptr;
    QCheckBox* png8 = nullptr;
    QLabel* colourCountLabel = nullptr;
    QComboBox* colourCount = nullptr;
    QLineEdit* outputFolder = nullptr;
    QPushButton* chooseOutput = nullptr;

    QPushButton* start = nullptr;

    // The blocks in stacking order, the start button last.
    std::vector<QWidget*> blocks() const;
};

class PanelBuilder {
    Q_DECLARE_TR_FUNCTIONS(plazor::PanelBuilder)

  public:
    // Creates every block inside `panel`; `onSwatchClick` is the swatch's click.
    static PanelControls build(QWidget* panel, const PasteBlockGeometry& paste,
                               std::function<void()> onSwatchClick);

    // Moves the paste block's list and source-folder row to another block height.
    static void applyPasteGeometry(PanelControls& controls, const PasteBlockGeometry& paste);

    // The width and height edits in a unit: their length limits, and digits only in pixels. (The
    // decimal filter of the length units is installed by the unit command, which has the UI port.)
    static void applySizeFieldLimits(PanelControls& controls, int unit);

  private:
    static void buildBackground(PanelControls& c, QWidget* panel, std::function<void()> onSwatchClick);
    static void fitCustomRow(PanelControls& c);
    static void buildPaste(PanelControls& c, QWidget* panel, const PasteBlockGeometry& paste);
    static void buildWatermark(PanelControls& c, QWidget* panel);
    static void buildSlice(PanelControls& c, QWidget* panel);
    static void buildOutput(PanelControls& c, QWidget* panel);
};

}  // namespace plazor
