// The dialog that sets a paste layer's rectangle, layer level and overflow style by typed numbers.
#pragma once

#include <optional>

#include "dialogs/reusable_dialog.h"

class QComboBox;

namespace plazor {

struct PasteLayer;

struct PasteLayerDialogValues {
    int x = 0, y = 0, width = 0, height = 0;
    unsigned level = 0;
    unsigned overflowStyle = 0;
    bool operator==(const PasteLayerDialogValues&) const = default;
};

// What a confirmed run means for the custom display style window: it shows while the layer's style is
// "自定义", so it opens when the style became that and closes when it stopped being that.
enum class CustomStyleWindowChange { Keep, Show, Hide };
CustomStyleWindowChange customStyleWindowChange(unsigned previousStyle, unsigned newStyle);

class PasteLayerDialog : public ReusableDialog {
    Q_OBJECT

  public:
    PasteLayerDialog(QWidget* owner, UiPort& ui);

    // Runs the dialog for `layer` (titled with its name); the confirmed values, or nothing when the
    // user cancelled or closed it. A request while a run is active only refreshes the fields.
    std::optional<PasteLayerDialogValues> run(const PasteLayer& layer, int backgroundWidth,
                                              int backgroundHeight);

  protected:
    void onConfirm() override;

  private:
    void fill(const PasteLayer& layer, int backgroundWidth, int backgroundHeight);

    SpinField x_, y_, width_, height_;
    QComboBox* level_;
    QComboBox* style_;
    int backgroundWidth_ = 0;
    int backgroundHeight_ = 0;
    PasteLayerDialogValues result_;
};

}  // namespace plazor
