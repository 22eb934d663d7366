#include "dialogs/paste_layer_dialog.h"

#include <QComboBox>
#include <QLineEdit>

#include <algorithm>

#include "dialogs/position_checks.h"
#include "dialogs/spin_buddy.h"
#include "template/document.h"
#include "template/names.h"
#include "util/window_names.h"

namespace plazor {

CustomStyleWindowChange customStyleWindowChange(unsigned previousStyle, unsigned newStyle) {
    if (previousStyle == newStyle) return CustomStyleWindowChange::Keep;
    if (newStyle == kCustom) return CustomStyleWindowChange::Show;
    return previousStyle == kCustom ? CustomStyleWindowChange::Hide : CustomStyleWindowChange::Keep;
}

PasteLayerDialog::PasteLayerDialog(QWidget* owner, UiPort& ui)
    : ReusableDialog(owner, ui, QString::fromUtf8(window_names::kPasteLayerDialogClass), QSize(389, 211),
                     Frame::WithSystemMenu, Placement::CentreOnce) {
    x_ = addSpinField(tr("x坐标："), QRect(29, 25, 43, 21), QStringLiteral("editX"), QRect(73, 21, 90, 22),
                      Characters::DigitsOnly);
    y_ = addSpinField(tr("y坐标："), QRect(219, 25, 43, 21), QStringLiteral("editY"), QRect(264, 21, 90, 22),
                      Characters::DigitsOnly);
    width_ = addSpinField(tr("宽度："), QRect(35, 65, 50, 21), QStringLiteral("editWidth"),
                          QRect(73, 62, 90, 22), Characters::DigitsOnly);
    height_ = addSpinField(tr("高度："), QRect(226, 65, 50, 21), QStringLiteral("editHeight"),
                           QRect(264, 62, 90, 22), Characters::DigitsOnly);

    addLabel(tr("层次："), QRect(35, 105, 50, 21));
    level_ = new QComboBox(this);
    level_->setObjectName(QStringLiteral("levelList"));
    level_->setGeometry(73, 101, 90, 21);
    for (unsigned level : {kAboveBackground, kBelowBackground}) {
        level_->addItem(QString::fromStdString(layerLevelName(level)));
    }
    addLabel(tr("溢出样式："), QRect(200, 105, 63, 21));
    style_ = new QComboBox(this);
    style_->setObjectName(QStringLiteral("styleList"));
    style_->setGeometry(264, 101, 90, 21);
    for (unsigned style : kOverflowStyleListOrder) {
        style_->addItem(QString::fromStdString(overflowStyleName(style)));
    }

    addButtons(QRect(108, 156, 75, 25), QRect(206, 156, 75, 25));
    setActivationFocus(x_.edit);
}

std::optional<PasteLayerDialogValues> PasteLayerDialog::run(const PasteLayer& layer, int backgroundWidth,
                                                            int backgroundHeight) {
    fill(layer, backgroundWidth, backgroundHeight);
    if (isRunning() || !runModal()) return std::nullopt;
    return result_;
}

void PasteLayerDialog::fill(const PasteLayer& layer, int backgroundWidth, int backgroundHeight) {
    setWindowTitle(QString::fromStdString(pasteLayerName(layer.number)));
    backgroundWidth_ = backgroundWidth;
    backgroundHeight_ = backgroundHeight;
    x_.spin->setRange(0, std::min(backgroundWidth - 1, kSpinLimit));
    y_.spin->setRange(0, std::min(backgroundHeight - 1, kSpinLimit));
    width_.spin->setRange(1, std::min(backgroundWidth, kSpinLimit));
    height_.spin->setRange(1, std::min(backgroundHeight, kSpinLimit));
    x_.edit->setText(shownNumber(layer.x));
    y_.edit->setText(shownNumber(layer.y));
    width_.edit->setText(shownNumber(layer.width));
    height_.edit->setText(shownNumber(layer.height));
    level_->setCurrentIndex(static_cast<int>(layer.level));
    style_->setCurrentIndex(listPositionOfOverflowStyle(layer.overflowStyle));
    focusWholeText(x_.edit);
}

void PasteLayerDialog::onConfirm() {
    const PasteLayerTexts texts{x_.edit->text().toStdString(), y_.edit->text().toStdString(),
                                width_.edit->text().toStdString(), height_.edit->text().toStdString()};
    const PasteLayerCheck check = checkPasteLayerTexts(texts, backgroundWidth_, backgroundHeight_);
    if (check.clampedWidth) width_.edit->setText(QString::number(*check.clampedWidth));
    if (check.clampedHeight) height_.edit->setText(QString::number(*check.clampedHeight));
    if (check.failure) {
        QWidget* const fields[] = {nullptr, x_.edit, y_.edit, width_.edit, height_.edit};
        showRefusal(check.failure->message, fields[static_cast<int>(check.failure->focus)]);
        return;
    }
    result_ = PasteLayerDialogValues{check.x,
                                     check.y,
                                     check.width,
                                     check.height,
                                     static_cast<unsigned>(std::max(level_->currentIndex(), 0)),
                                     overflowStyleAtListPosition(style_->currentIndex())};
    accept();
}

}  // namespace plazor
