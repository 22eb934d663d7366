#include "dialogs/slice_dialog.h"

#include <QLineEdit>

#include <algorithm>

#include "dialogs/position_checks.h"
#include "dialogs/spin_buddy.h"
#include "template/document.h"
#include "template/names.h"
#include "util/window_names.h"

namespace plazor {

SliceDialog::SliceDialog(QWidget* owner, UiPort& ui)
    : ReusableDialog(owner, ui, QString::fromUtf8(window_names::kSliceDialogClass), QSize(315, 66),
                     Frame::WithSystemMenu, Placement::CentreEachRun) {
    // Unlike the other position fields this one takes any character; the check reads the number.
    y_ = addSpinField(tr("y坐标："), QRect(23, 25, 43, 21), QStringLiteral("editY"), QRect(67, 21, 73, 22),
                      Characters::Any);
    y_.spin->setObjectName(QStringLiteral("36100"));
    addButtons(QRect(160, 21, 61, 25), QRect(230, 21, 61, 25));
    setActivationFocus(y_.edit);
}

std::optional<int> SliceDialog::run(const Slice& slice, int backgroundHeight) {
    fill(slice, backgroundHeight);
    if (isRunning() || !runModal()) return std::nullopt;
    return result_;
}

void SliceDialog::fill(const Slice& slice, int backgroundHeight) {
    setWindowTitle(QString::fromStdString(sliceName(slice.number)));
    backgroundHeight_ = backgroundHeight;
    y_.spin->setRange(1, std::min(backgroundHeight - 1, kSpinLimit));
    y_.edit->setText(shownNumber(slice.y));
    focusWholeText(y_.edit);
}

void SliceDialog::onConfirm() {
    const SliceCheck check = checkSliceText(y_.edit->text().toStdString(), backgroundHeight_);
    if (check.failure) {
        showRefusal(check.failure->message, y_.edit);
        return;
    }
    result_ = check.y;
    accept();
}

}  // namespace plazor
