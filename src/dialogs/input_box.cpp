#include "dialogs/input_box.h"

#include <QLabel>
#include <QLineEdit>

#include "util/window_names.h"

namespace plazor {

InputBox::InputBox(QWidget* owner, UiPort& ui)
    : ReusableDialog(owner, ui, QString::fromUtf8(window_names::kInputBoxClass), QSize(430, 133),
                     Frame::WithoutSystemMenu, Placement::CentreOnce) {
    prompt_ = addLabel(QString(), QRect(16, 23, 396, 19));
    prompt_->setObjectName(QStringLiteral("prompt"));
    edit_ = addEdit(QStringLiteral("edit"), QRect(16, 43, 396, 22), inputMaxLength(InputKind::Text));
    // The masking character is "*" whatever the style would draw.
    edit_->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    addButtons(QRect(250, 90, 76, 25), QRect(336, 90, 76, 25));
    setActivationFocus(edit_);
}

std::optional<std::string> InputBox::run(const InputRequest& request) {
    fill(request);
    if (isRunning() || !runModal()) return std::nullopt;
    return result_;
}

void InputBox::fill(const InputRequest& request) {
    setWindowTitle(request.title);
    prompt_->setText(request.prompt);
    kind_ = request.kind;
    edit_->setMaxLength(inputMaxLength(request.kind));
    edit_->setEchoMode(request.masked ? QLineEdit::Password : QLineEdit::Normal);
    edit_->setText(QString::fromStdString(request.text));
    focusWholeText(edit_);
}

void InputBox::onConfirm() {
    const InputCheck check = checkInputText(kind_, edit_->text().toStdString());
    if (check.failure) {
        showRefusal(*check.failure, edit_);
        return;
    }
    result_ = check.value;
    accept();
}

}  // namespace plazor
