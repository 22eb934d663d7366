#include "dialogs/grid_dialog.h"

#include <QLineEdit>

#include <algorithm>

#include "dialogs/spin_buddy.h"
#include "util/window_names.h"

namespace plazor {
namespace {

constexpr int kEditWidth = 60;

QRect labelAt(int x, int y) {
    return QRect(x, y, 50, 21);
}
QRect editAt(int x, int y) {
    return QRect(x, y, kEditWidth, 22);
}

}  // namespace

GridDialog::GridDialog(QWidget* owner, UiPort& ui)
    : ReusableDialog(owner, ui, QString::fromUtf8(window_names::kMultiGridDialogClass), QSize(306, 241),
                     Frame::WithSystemMenu, Placement::CentreEachRun) {
    setWindowTitle(tr("添加多宫格"));
    const auto field = [this](const QString& label, QPoint labelPos, const char* name, QPoint editPos,
                              int maxLength) {
        SpinField spin = addSpinField(label, labelAt(labelPos.x(), labelPos.y()), QString::fromLatin1(name),
                                      editAt(editPos.x(), editPos.y()), Characters::DigitsOnly);
        spin.edit->setMaxLength(maxLength);
        return spin;
    };
    x_ = field(tr("x坐标："), {29, 25}, "editX", {73, 21}, 5);
    y_ = field(tr("y坐标："), {176, 25}, "editY", {221, 21}, 5);
    totalWidth_ = field(tr("总宽度："), {23, 65}, "editTotalWidth", {73, 62}, 5);
    totalHeight_ = field(tr("总高度："), {170, 65}, "editTotalHeight", {221, 62}, 5);
    outerMargin_ = field(tr("外边距："), {23, 105}, "editOuterMargin", {73, 101}, 4);
    innerSpacing_ = field(tr("内边距："), {170, 105}, "editInnerSpacing", {221, 101}, 4);
    rows_ = field(tr("行数："), {35, 145}, "editRows", {73, 141}, 2);
    columns_ = field(tr("列数："), {182, 145}, "editColumns", {221, 141}, 2);
    outerMargin_.spin->setRange(0, 9999);
    innerSpacing_.spin->setRange(0, 9999);
    rows_.spin->setRange(1, 99);
    columns_.spin->setRange(1, 99);
    addButtons(QRect(66, 191, 75, 25), QRect(165, 191, 75, 25));
    setActivationFocus(rows_.edit);
}

std::optional<GridRequest> GridDialog::run(int backgroundWidth, int backgroundHeight) {
    fill(backgroundWidth, backgroundHeight);
    if (isRunning() || !runModal()) return std::nullopt;
    return result_;
}

void GridDialog::fill(int backgroundWidth, int backgroundHeight) {
    backgroundWidth_ = backgroundWidth;
    backgroundHeight_ = backgroundHeight;
    x_.spin->setRange(0, std::min(backgroundWidth - 1, kSpinLimit));
    y_.spin->setRange(0, std::min(backgroundHeight - 1, kSpinLimit));
    totalWidth_.spin->setRange(5, std::min(backgroundWidth, kSpinLimit));
    totalHeight_.spin->setRange(5, std::min(backgroundHeight, kSpinLimit));
    x_.edit->setText(QStringLiteral("0"));
    y_.edit->setText(QStringLiteral("0"));
    totalWidth_.edit->setText(QString::number(backgroundWidth));
    totalHeight_.edit->setText(QString::number(backgroundHeight));
    outerMargin_.edit->setText(QStringLiteral("0"));
    innerSpacing_.edit->setText(QStringLiteral("4"));
    rows_.edit->setText(QStringLiteral("2"));
    columns_.edit->setText(QStringLiteral("2"));
    focusWholeText(rows_.edit);
}

void GridDialog::onConfirm() {
    const auto text = [](const SpinField& field) { return field.edit->text().toStdString(); };
    const GridTexts texts{text(x_),           text(y_),           text(totalWidth_),
                          text(totalHeight_), text(outerMargin_), text(innerSpacing_),
                          text(rows_),        text(columns_)};
    const GridCheck check = checkGridTexts(texts, backgroundWidth_, backgroundHeight_);
    if (check.clampedWidth) totalWidth_.edit->setText(QString::number(*check.clampedWidth));
    if (check.clampedHeight) totalHeight_.edit->setText(QString::number(*check.clampedHeight));
    if (check.failure) {
        QLineEdit* const fields[] = {nullptr,
                                     x_.edit,
                                     y_.edit,
                                     totalWidth_.edit,
                                     totalHeight_.edit,
                                     outerMargin_.edit,
                                     innerSpacing_.edit,
                                     rows_.edit,
                                     columns_.edit};
        showRefusal(check.failure->message, fields[static_cast<int>(check.failure->focus)]);
        return;
    }
    result_ = check.request;
    accept();
}

}  // namespace plazor
