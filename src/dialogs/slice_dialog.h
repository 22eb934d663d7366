// The dialog that positions a horizontal slice by its typed y.
#pragma once

#include <optional>

#include "dialogs/reusable_dialog.h"

namespace plazor {

struct Slice;

class SliceDialog : public ReusableDialog {
    Q_OBJECT

  public:
    SliceDialog(QWidget* owner, UiPort& ui);

    // Runs the dialog for `slice` (titled with its name); the confirmed y, or nothing when the user
    // cancelled or closed it.
    std::optional<int> run(const Slice& slice, int backgroundHeight);

  protected:
    void onConfirm() override;

  private:
    void fill(const Slice& slice, int backgroundHeight);

    SpinField y_;
    int backgroundHeight_ = 0;
    int result_ = 0;
};

}  // namespace plazor
