#include "dialogs/heart_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

#include <algorithm>
#include <array>

#include "util/window_names.h"

namespace plazor {
namespace {

// The alignment values in the order of the drop-down lists' entries.
constexpr std::array<int, 3> kHorizontalAligns = {kHeartAlignLeft, kHeartAlignRight, kHeartAlignCentreX};
constexpr std::array<int, 3> kVerticalAligns = {kHeartAlignTop, kHeartAlignBottom, kHeartAlignCentreY};
constexpr int kCentreEntry = 2;

QRect editAt(int x, int y) {
    return QRect(x, y, 45, 22);
}

}  // namespace

HeartDialog::HeartDialog(QWidget* owner, UiPort& ui)
    : ReusableDialog(owner, ui, QString::fromUtf8(window_names::kHeartDialogClass), QSize(578, 376),
                     Frame::WithSystemMenu, Placement::CentreEachRun) {
    setWindowTitle(tr("添加心型图"));
    resizeMode_ = new QRadioButton(tr("根据心型图尺寸重置背景层大小"), this);
    resizeMode_->setObjectName(QStringLiteral("resizeMode"));
    resizeMode_->move(19, 19);
    addLabel(tr("背景填充 - 左："), QRect(41, 55, 92, 21));
    left_ = digitEdit("editFillLeft", editAt(133, 51));
    addLabel(tr("上："), QRect(187, 55, 29, 21));
    top_ = digitEdit("editFillTop", editAt(216, 51));
    addLabel(tr("右："), QRect(270, 55, 29, 21));
    right_ = digitEdit("editFillRight", editAt(299, 51));
    addLabel(tr("下："), QRect(353, 55, 29, 21));
    bottom_ = digitEdit("editFillBottom", editAt(382, 51));
    allSame_ = new QCheckBox(tr("全部相同"), this);
    allSame_->setObjectName(QStringLiteral("allSame"));
    allSame_->move(434, 50);

    placeMode_ = new QRadioButton(tr("在当前背景层设置心型图位置"), this);
    placeMode_->setObjectName(QStringLiteral("placeMode"));
    placeMode_->move(19, 91);
    auto* placement = new QButtonGroup(this);
    placement->addButton(resizeMode_);
    placement->addButton(placeMode_);
    addLabel(tr("水平对齐："), QRect(41, 127, 67, 21));
    horizontalAlign_ = new QComboBox(this);
    horizontalAlign_->setObjectName(QStringLiteral("horizontalAlign"));
    horizontalAlign_->setGeometry(108, 123, 90, 21);
    horizontalAlign_->addItems({tr("左对齐"), tr("右对齐"), tr("居中对齐")});
    horizontalMarginLabel_ = addLabel(tr("边距："), QRect(208, 127, 39, 21));
    horizontalMargin_ = digitEdit("editHorizontalMargin", editAt(247, 123));
    addLabel(tr("垂直对齐："), QRect(313, 127, 67, 21));
    verticalAlign_ = new QComboBox(this);
    verticalAlign_->setObjectName(QStringLiteral("verticalAlign"));
    verticalAlign_->setGeometry(380, 123, 90, 21);
    verticalAlign_->addItems({tr("顶部对齐"), tr("底部对齐"), tr("居中对齐")});
    verticalMarginLabel_ = addLabel(tr("边距："), QRect(481, 127, 40, 21));
    verticalMargin_ = digitEdit("editVerticalMargin", editAt(521, 123));

    addLabel(tr("心型样式："), QRect(23, 184, 63, 21));
    allSmall_ = new QRadioButton(tr("全部小图"), this);
    allSmall_->setObjectName(QStringLiteral("allSmall"));
    allSmall_->move(86, 180);
    bigMiddle_ = new QRadioButton(tr("中间大图，四周小图，大图尺寸 = 小图尺寸 * 2.43 + 图片间距"), this);
    bigMiddle_->setObjectName(QStringLiteral("bigMiddle"));
    bigMiddle_->move(171, 180);
    auto* style = new QButtonGroup(this);
    style->addButton(allSmall_);
    style->addButton(bigMiddle_);
    addLabel(tr("小图尺寸："), QRect(23, 223, 63, 21));
    smallWidth_ = digitEdit("editSmallWidth", editAt(86, 219));
    smallHeight_ = digitEdit("editSmallHeight", editAt(147, 219));
    smallHeight_->setEnabled(false);
    addLabel(tr("图片间距："), QRect(23, 260, 63, 21));
    spacing_ = digitEdit("editSpacing", editAt(86, 256));
    sizeText_ = addLabel(tr("心型图总大小：300 x 300"), QRect(200, 260, 357, 21));
    sizeText_->setObjectName(QStringLiteral("sizeText"));
    sizeText_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    addButtons(QRect(200, 316, 75, 25), QRect(299, 316, 75, 25));

    for (QRadioButton* radio : {resizeMode_, placeMode_, allSmall_, bigMiddle_}) {
        connect(radio, &QRadioButton::toggled, this, [this] {
            applyEnabling();
            updateSizeText();
        });
    }
    for (QComboBox* list : {horizontalAlign_, verticalAlign_}) {
        connect(list, &QComboBox::currentIndexChanged, this, [this] {
            applyEnabling();
            updateSizeText();
        });
    }
    connect(allSame_, &QCheckBox::toggled, this, [this] {
        copyLeftFill();
        applyEnabling();
        focusWholeText(left_);
    });
    connect(left_, &QLineEdit::textChanged, this, [this] { copyLeftFill(); });
    connect(smallWidth_, &QLineEdit::textChanged, smallHeight_, &QLineEdit::setText);
    for (QLineEdit* edit :
         {left_, top_, right_, bottom_, horizontalMargin_, verticalMargin_, smallWidth_, spacing_})
        connect(edit, &QLineEdit::textChanged, this, [this] { updateSizeText(); });
}

QLineEdit* HeartDialog::digitEdit(const char* name, const QRect& rect) {
    QLineEdit* edit = addEdit(QString::fromLatin1(name), rect, 3);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    return edit;
}

std::optional<HeartRequest> HeartDialog::run(int backgroundWidth, int backgroundHeight) {
    backgroundWidth_ = backgroundWidth;
    backgroundHeight_ = backgroundHeight;
    reset();
    if (isRunning() || !runModal()) return std::nullopt;
    return result_;
}

void HeartDialog::reset() {
    resizeMode_->setChecked(true);
    for (QLineEdit* fill : {left_, top_, right_, bottom_})
        fill->setText(QStringLiteral("32"));
    allSame_->setChecked(true);
    horizontalAlign_->setCurrentIndex(kCentreEntry);
    verticalAlign_->setCurrentIndex(kCentreEntry);
    horizontalMargin_->clear();
    verticalMargin_->clear();
    allSmall_->setChecked(true);
    smallWidth_->setText(QStringLiteral("96"));
    spacing_->setText(QStringLiteral("6"));
    applyEnabling();
    updateSizeText();
}

HeartTexts HeartDialog::texts() const {
    const auto text = [](const QLineEdit* edit) { return edit->text().toStdString(); };
    HeartTexts t;
    t.placement = placeMode_->isChecked() ? HeartPlacement::OnBackground : HeartPlacement::ResizeBackground;
    t.fillLeft = text(left_);
    t.fillTop = text(top_);
    t.fillRight = text(right_);
    t.fillBottom = text(bottom_);
    t.horizontalAlign =
        kHorizontalAligns[static_cast<std::size_t>(std::max(horizontalAlign_->currentIndex(), 0))];
    t.horizontalMargin = text(horizontalMargin_);
    t.verticalAlign = kVerticalAligns[static_cast<std::size_t>(std::max(verticalAlign_->currentIndex(), 0))];
    t.verticalMargin = text(verticalMargin_);
    t.style = bigMiddle_->isChecked() ? kHeartBigMiddle : kHeartAllSmall;
    t.smallSize = text(smallWidth_);
    t.spacing = text(spacing_);
    return t;
}

void HeartDialog::applyEnabling() {
    const bool resize = !placeMode_->isChecked();
    left_->setEnabled(resize);
    allSame_->setEnabled(resize);
    for (QLineEdit* fill : {top_, right_, bottom_})
        fill->setEnabled(resize && !allSame_->isChecked());
    horizontalAlign_->setEnabled(!resize);
    verticalAlign_->setEnabled(!resize);
    const bool horizontalMargin = !resize && horizontalAlign_->currentIndex() != kCentreEntry;
    horizontalMarginLabel_->setEnabled(horizontalMargin);
    horizontalMargin_->setEnabled(horizontalMargin);
    const bool verticalMargin = !resize && verticalAlign_->currentIndex() != kCentreEntry;
    verticalMarginLabel_->setEnabled(verticalMargin);
    verticalMargin_->setEnabled(verticalMargin);
}

void HeartDialog::copyLeftFill() {
    if (!allSame_->isChecked()) return;
    for (QLineEdit* fill : {top_, right_, bottom_})
        fill->setText(left_->text());
}

void HeartDialog::updateSizeText() {
    sizeText_->setText(QString::fromStdString(heartSizeText(texts())));
}

void HeartDialog::onConfirm() {
    const HeartCheck check = checkHeartTexts(texts(), backgroundWidth_, backgroundHeight_);
    if (check.failure) {
        QLineEdit* const fields[] = {nullptr,           left_,           top_,        right_,  bottom_,
                                     horizontalMargin_, verticalMargin_, smallWidth_, spacing_};
        showRefusal(check.failure->message, fields[static_cast<int>(check.failure->focus)]);
        return;
    }
    result_ = check.request;
    accept();
}

}  // namespace plazor
