#include "dialogs/reusable_dialog.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

#include "dialogs/spin_buddy.h"
#include "shell/common_dialogs.h"
#include "shell/ui_port.h"

namespace plazor {

ReusableDialog::ReusableDialog(QWidget* owner, UiPort& ui, const QString& className, QSize clientSize,
                               Frame frame, Placement placement)
    : QDialog(owner), ui_(ui), placement_(placement) {
    setObjectName(className);
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (frame == Frame::WithSystemMenu) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    setWindowFlags(flags);
    // Only the owner is blocked while the window runs, as a disabled owner would be.
    setWindowModality(owner ? Qt::WindowModal : Qt::ApplicationModal);
    setFixedSize(clientSize);
}

bool ReusableDialog::runModal() {
    if (placement_ == Placement::CentreEachRun || !placed_) centreOnScreen(this);
    placed_ = true;
    refusalFocus_.clear();
    running_ = true;
    const bool accepted = exec() == QDialog::Accepted;
    running_ = false;
    if (QWidget* owner = parentWidget()) {
        owner->window()->raise();
        owner->window()->activateWindow();
    }
    return accepted;
}

void ReusableDialog::showRefusal(const std::string& message, QWidget* field) {
    QWidget* const target = field ? field : focusWidget();
    showMessage(ui_, this, QString::fromStdString(message), tr("提示"), UiIcon::Warning);
    if (target) target->setFocus();
    // The window system may hand the activation back only after the box has gone; that activation
    // must not take the focus away from the refused field.
    refusalFocus_ = target;
}

QLabel* ReusableDialog::addLabel(const QString& text, const QRect& rect) {
    auto* label = new QLabel(text, this);
    label->setGeometry(rect);
    return label;
}

QLineEdit* ReusableDialog::addEdit(const QString& name, const QRect& rect, int maxLength) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setGeometry(rect);
    edit->setMaxLength(maxLength);
    return edit;
}

ReusableDialog::SpinField ReusableDialog::addSpinField(const QString& label, const QRect& labelRect,
                                                       const QString& name, const QRect& editRect,
                                                       Characters characters) {
    addLabel(label, labelRect);
    QLineEdit* edit = addEdit(name, editRect, 5);
    if (characters == Characters::DigitsOnly) {
        edit->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    }
    return SpinField{edit, new SpinBuddy(edit)};
}

void ReusableDialog::addButtons(const QRect& okRect, const QRect& cancelRect) {
    auto* ok = new QPushButton(tr("确定"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setGeometry(okRect);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { onConfirm(); });
    auto* cancel = new QPushButton(tr("取消"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    cancel->setGeometry(cancelRect);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString ReusableDialog::shownNumber(int value) {
    return value == -1 ? QString() : QString::number(value);
}

void ReusableDialog::focusWholeText(QLineEdit* field) {
    field->setFocus();
    field->selectAll();
}

bool ReusableDialog::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        QWidget* const target = refusalFocus_ ? refusalFocus_.data() : activationFocus_;
        refusalFocus_.clear();
        if (target) target->setFocus();
    }
    return QDialog::event(event);
}

}  // namespace plazor
