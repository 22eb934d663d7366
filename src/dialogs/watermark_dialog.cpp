#include "dialogs/watermark_dialog.h"

#include <QLineEdit>

#include <algorithm>

#include "dialogs/position_checks.h"
#include "dialogs/spin_buddy.h"
#include "template/document.h"
#include "template/names.h"
#include "util/window_names.h"

namespace plazor {

WatermarkDialog::WatermarkDialog(QWidget* owner, UiPort& ui)
    : ReusableDialog(owner, ui, QString::fromUtf8(window_names::kWatermarkDialogClass), QSize(309, 111),
                     Frame::WithSystemMenu, Placement::CentreOnce) {
    x_ = addSpinField(tr("x坐标："), QRect(29, 25, 43, 21), QStringLiteral("editX"), QRect(73, 21, 60, 22),
                      Characters::DigitsOnly);
    y_ = addSpinField(tr("y坐标："), QRect(176, 25, 43, 21), QStringLiteral("editY"), QRect(221, 21, 60, 22),
                      Characters::DigitsOnly);
    addButtons(QRect(70, 66, 75, 25), QRect(161, 66, 75, 25));
    setActivationFocus(x_.edit);
}

std::optional<WatermarkPosition> WatermarkDialog::run(const WatermarkLayer& watermark, int backgroundWidth,
                                                      int backgroundHeight) {
    fill(watermark, backgroundWidth, backgroundHeight);
    if (isRunning() || !runModal()) return std::nullopt;
    return result_;
}

void WatermarkDialog::fill(const WatermarkLayer& watermark, int backgroundWidth, int backgroundHeight) {
    setWindowTitle(QString::fromStdString(watermarkLayerName(watermark.number)));
    watermarkWidth_ = watermark.width;
    watermarkHeight_ = watermark.height;
    backgroundWidth_ = backgroundWidth;
    backgroundHeight_ = backgroundHeight;
    x_.spin->setRange(0, std::min(backgroundWidth - 1, kSpinLimit));
    y_.spin->setRange(0, std::min(backgroundHeight - 1, kSpinLimit));
    x_.edit->setText(shownNumber(watermark.x));
    y_.edit->setText(shownNumber(watermark.y));
    focusWholeText(x_.edit);
}

void WatermarkDialog::onConfirm() {
    const WatermarkCheck check =
        checkWatermarkTexts(x_.edit->text().toStdString(), y_.edit->text().toStdString(), watermarkWidth_,
                            watermarkHeight_, backgroundWidth_, backgroundHeight_);
    if (check.failure) {
        QWidget* const fields[] = {nullptr, x_.edit, y_.edit};
        showRefusal(check.failure->message, fields[static_cast<int>(check.failure->focus)]);
        return;
    }
    result_ = WatermarkPosition{check.x, check.y};
    accept();
}

}  // namespace plazor
