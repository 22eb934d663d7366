// The modal box that asks for one value: a character, an integer, a number or free text.
#pragma once

#include <optional>
#include <string>

#include "dialogs/input_checks.h"
#include "dialogs/reusable_dialog.h"

class QLabel;
class QLineEdit;

namespace plazor {

struct InputRequest {
    QString title;
    QString prompt;
    std::string text;  // shown fully selected
    InputKind kind = InputKind::Text;
    bool masked = false;  // shows every typed character as "*"
};

class InputBox : public ReusableDialog {
    Q_OBJECT

  public:
    InputBox(QWidget* owner, UiPort& ui);

    // The accepted value (a single character, a trimmed integer or number, or the text as typed), or
    // nothing when the user cancelled or closed the box. A request while a run is active only refreshes
    // the texts.
    std::optional<std::string> run(const InputRequest& request);

  protected:
    void onConfirm() override;

  private:
    void fill(const InputRequest& request);

    QLabel* prompt_;
    QLineEdit* edit_;
    InputKind kind_ = InputKind::Text;
    std::string result_;
};

}  // namespace plazor
