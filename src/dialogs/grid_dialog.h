// The multi-grid generator's dialog: the block's position and size, its margins and the number of rows
// and columns, checked on "确定".
#pragma once

#include <optional>

#include "dialogs/grid_generator.h"
#include "dialogs/reusable_dialog.h"

namespace plazor {

class GridDialog : public ReusableDialog {
    Q_OBJECT

  public:
    GridDialog(QWidget* owner, UiPort& ui);

    // Runs the dialog with every field at its initial text, the size fields from the background; the
    // confirmed request, or nothing when the user cancelled or closed it.
    std::optional<GridRequest> run(int backgroundWidth, int backgroundHeight);

  protected:
    void onConfirm() override;

  private:
    void fill(int backgroundWidth, int backgroundHeight);

    SpinField x_, y_, totalWidth_, totalHeight_, outerMargin_, innerSpacing_, rows_, columns_;
    int backgroundWidth_ = 0;
    int backgroundHeight_ = 0;
    GridRequest result_;
};

}  // namespace plazor
