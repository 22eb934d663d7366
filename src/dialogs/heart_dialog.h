// The heart layout generator's dialog: whether the background is resized around the heart or the
// heart placed on it, the fills or the alignments, the heart's style, the small cells' size and the
// spacing, with the heart's size and the background it needs shown as the fields change.
#pragma once

#include <optional>

#include "dialogs/heart_generator.h"
#include "dialogs/reusable_dialog.h"

class QCheckBox;
class QComboBox;
class QRadioButton;

namespace plazor {

class HeartDialog : public ReusableDialog {
    Q_OBJECT

  public:
    HeartDialog(QWidget* owner, UiPort& ui);

    // Runs the dialog with every field reset; the confirmed request, or nothing when the user
    // cancelled or closed it.
    std::optional<HeartRequest> run(int backgroundWidth, int backgroundHeight);

  protected:
    void onConfirm() override;

  private:
    void reset();
    HeartTexts texts() const;
    void applyEnabling();
    void copyLeftFill();
    void updateSizeText();
    QLineEdit* digitEdit(const char* name, const QRect& rect);

    QRadioButton* resizeMode_;
    QRadioButton* placeMode_;
    QLineEdit *left_, *top_, *right_, *bottom_;
    QCheckBox* allSame_;
    QComboBox* horizontalAlign_;
    QComboBox* verticalAlign_;
    QLabel *horizontalMarginLabel_, *verticalMarginLabel_;
    QLineEdit *horizontalMargin_, *verticalMargin_;
    QRadioButton* allSmall_;
    QRadioButton* bigMiddle_;
    QLineEdit *smallWidth_, *smallHeight_, *spacing_;
    QLabel* sizeText_;
    int backgroundWidth_ = 0;
    int backgroundHeight_ = 0;
    HeartRequest result_;
};

}  // namespace plazor
