// The dialog that places a watermark layer by its typed x and y.
#pragma once

#include <optional>

#include "dialogs/reusable_dialog.h"

namespace plazor {

struct WatermarkLayer;

struct WatermarkPosition {
    int x = 0, y = 0;
    bool operator==(const WatermarkPosition&) const = default;
};

class WatermarkDialog : public ReusableDialog {
    Q_OBJECT

  public:
    WatermarkDialog(QWidget* owner, UiPort& ui);

    // Runs the dialog for `watermark` (titled with its name); its size must fit on the background at
    // the confirmed position. Nothing when the user cancelled or closed it.
    std::optional<WatermarkPosition> run(const WatermarkLayer& watermark, int backgroundWidth,
                                         int backgroundHeight);

  protected:
    void onConfirm() override;

  private:
    void fill(const WatermarkLayer& watermark, int backgroundWidth, int backgroundHeight);

    SpinField x_, y_;
    int watermarkWidth_ = 0;
    int watermarkHeight_ = 0;
    int backgroundWidth_ = 0;
    int backgroundHeight_ = 0;
    WatermarkPosition result_;
};

}  // namespace plazor
