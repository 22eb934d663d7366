#include "dialogs/custom_style_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

#include "dialogs/number_field_filter.h"
#include "dialogs/spin_buddy.h"
#include "shell/common_dialogs.h"
#include "shell/ui_port.h"
#include "util/window_names.h"

namespace plazor {
namespace {

constexpr int kSpinWidth = 17;
constexpr int kSizeLimit = 9999;

// The brace that joins the width and height fields while proportions are kept.
QPixmap bracketPicture() {
    QPixmap picture(12, 32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setPen(QPen(QColor(96, 96, 96), 1));
    painter.drawLine(0, 1, 5, 1);
    painter.drawLine(5, 1, 5, 30);
    painter.drawLine(0, 30, 5, 30);
    painter.drawLine(5, 16, 11, 16);
    return picture;
}

// The spin arrows sit inside the field's rectangle, at its right side.
SpinBuddy* attachSpin(QLineEdit* field, int lower, int upper) {
    field->resize(field->width() - kSpinWidth, field->height());
    auto* spin = new SpinBuddy(field);
    spin->setRange(lower, upper);
    return spin;
}

}  // namespace

CustomStyleWindow::CustomStyleWindow(QWidget* owner, UiPort& ui) : QWidget(owner), ui_(ui) {
    setObjectName(QString::fromUtf8(window_names::kCustomStyleWindowClass));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(226, 186);

    sizeLine_ = new QLabel(this);
    sizeLine_->setObjectName(QStringLiteral("sizeLine"));
    sizeLine_->setGeometry(11, 9, 200, 21);
    pictureLine_ = new QLabel(this);
    pictureLine_->setObjectName(QStringLiteral("pictureLine"));
    pictureLine_->setGeometry(11, 32, 200, 21);

    width_ = addSizeField(tr("宽度："), 60, "width");
    height_ = addSizeField(tr("高度："), 90, "height");

    bracket_ = new QLabel(this);
    bracket_->setObjectName(QStringLiteral("bracket"));
    bracket_->setGeometry(133, 70, 12, 32);
    bracket_->setPixmap(bracketPicture());
    proportions_ = new QCheckBox(tr("约束比例"), this);
    proportions_->setObjectName(QStringLiteral("proportions"));
    proportions_->setGeometry(150, 75, 78, 21);
    connect(proportions_, &QCheckBox::clicked, this, &CustomStyleWindow::onProportionsClicked);

    horizontal_ = addPositionRow(tr("水平位置："), {125, 121, 120},
                                 {tr("左对齐"), tr("距中"), tr("右对齐"), tr("值")}, "horizontal");
    vertical_ = addPositionRow(tr("垂直位置："), {155, 152, 151},
                               {tr("顶部"), tr("距中"), tr("底部"), tr("值")}, "vertical");
}

QLineEdit* CustomStyleWindow::addSizeField(const QString& label, int top, const char* name) {
    auto* caption = new QLabel(label, this);
    caption->setGeometry(35, top + 4, 36, 21);
    auto* field = new QLineEdit(this);
    field->setObjectName(QString::fromLatin1(name));
    field->setGeometry(73, top, 57, 22);
    field->setMaxLength(4);
    field->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), field));
    attachSpin(field, 0, kSizeLimit);
    field->installEventFilter(this);
    const SizeAxis axis = QLatin1String(name) == QLatin1String("width") ? SizeAxis::Width : SizeAxis::Height;
    connect(field, &QLineEdit::textChanged, this, [this, axis] { onSizeEdited(axis); });
    return field;
}

CustomStyleWindow::OffsetField CustomStyleWindow::addPositionRow(const QString& label, RowTops tops,
                                                                 const QStringList& items, const char* name) {
    const bool horizontal = QLatin1String(name) == QLatin1String("horizontal");
    auto* caption = new QLabel(label, this);
    caption->setGeometry(11, tops.label, 60, 21);
    OffsetField row;
    row.list = new QComboBox(this);
    row.list->setObjectName(QString::fromLatin1(name));
    row.list->setGeometry(73, tops.list, 70, 21);
    row.list->addItems(items);
    connect(row.list, &QComboBox::activated, this,
            [this, horizontal](int index) { onPositionChosen(horizontal, index); });
    row.edit = new QLineEdit(this);
    row.edit->setObjectName(horizontal ? QStringLiteral("left") : QStringLiteral("top"));
    row.edit->setGeometry(149, tops.edit, 64, 22);
    row.edit->setMaxLength(5);
    NumberFieldFilter::install(row.edit, NumberFilterKind::SignedInteger, ui_);
    row.spin = attachSpin(row.edit, -kSizeLimit, kSizeLimit);
    connect(row.edit, &QLineEdit::textChanged, this, [this, horizontal] { onOffsetEdited(horizontal); });
    return row;
}

void CustomStyleWindow::showFor(const CustomStyleTarget& target) {
    setWindowTitle(tr("贴图层#%1 - 自定义显示样式").arg(target.number));
    refresh(target);
    fillPositions();
    if (!placed_) centreOnScreen(this);
    placed_ = true;
    if (isHidden()) show();
}

void CustomStyleWindow::refresh(const CustomStyleTarget& target) {
    record_ = target.record;
    refreshInfo(target);
    const CustomStyleFields fields = customStyleFields(record_, sample_);
    setText(width_, fields.width);
    setText(height_, fields.height);
    proportions_->setEnabled(fields.proportionsEnabled);
    setProportions(fields.proportionsChecked);
}

void CustomStyleWindow::refreshInfo(const CustomStyleTarget& target) {
    sample_ = target.sample;
    sizeLine_->setText(
        target.width > 0 && target.height > 0
            ? tr("贴图层#%1尺寸：%2 x %3").arg(target.number).arg(target.width).arg(target.height)
            : tr("贴图层#%1尺寸：未定义").arg(target.number));
    pictureLine_->setText(sample_ ? tr("图片原始大小：%1 x %2").arg(sample_->width).arg(sample_->height)
                                  : tr("图片原始大小：未加载"));
}

void CustomStyleWindow::fillPositions() {
    const CustomStyleFields fields = customStyleFields(record_, sample_);
    horizontal_.list->setCurrentIndex(fields.horizontalIndex);
    vertical_.list->setCurrentIndex(fields.verticalIndex);
    setText(horizontal_.edit, fields.left);
    setText(vertical_.edit, fields.top);
    horizontal_.edit->setVisible(fields.leftVisible);
    horizontal_.spin->setVisible(fields.leftVisible);
    vertical_.edit->setVisible(fields.topVisible);
    vertical_.spin->setVisible(fields.topVisible);
}

void CustomStyleWindow::setProportions(bool checked) {
    proportions_->setChecked(checked);
    bracket_->setVisible(checked);
}

void CustomStyleWindow::setText(QLineEdit* field, const std::string& text) {
    ++programmatic_;
    field->setText(QString::fromStdString(text));
    --programmatic_;
}

void CustomStyleWindow::onSizeEdited(SizeAxis axis) {
    if (programmatic_ > 0) return;
    QLineEdit* const field = axis == SizeAxis::Width ? width_ : height_;
    const SizeEdit edit =
        editSize(record_, axis, field->text().toStdString(), proportions_->isChecked(), sample_);
    record_ = edit.record;
    if (edit.otherField) setText(axis == SizeAxis::Width ? height_ : width_, *edit.otherField);
    commit();
}

void CustomStyleWindow::onProportionsClicked(bool checked) {
    bracket_->setVisible(checked);
    if (checked) {
        const Customize kept = withProportionsKept(record_, sample_);
        if (kept != record_) {
            record_ = kept;
            setText(width_, std::to_string(record_.width));
            setText(height_, std::to_string(record_.height));
        }
    }
    commit();
}

void CustomStyleWindow::onPositionChosen(bool horizontal, int index) {
    OffsetField& row = horizontal ? horizontal_ : vertical_;
    (horizontal ? record_.horizontalPosition : record_.verticalPosition) = index;
    const bool value = index == kPosValue;
    row.edit->setVisible(value);
    row.spin->setVisible(value);
    if (value) {
        setText(row.edit, std::to_string(horizontal ? record_.left : record_.top));
        row.edit->setFocus();
        row.edit->end(false);
    }
    commit();
}

void CustomStyleWindow::onOffsetEdited(bool horizontal) {
    if (programmatic_ > 0) return;
    const int value = offsetValue((horizontal ? horizontal_ : vertical_).edit->text().toStdString());
    (horizontal ? record_.left : record_.top) = value;
    commit();
}

void CustomStyleWindow::commit() {
    if (edited_) edited_(record_);
}

void CustomStyleWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
}

bool CustomStyleWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && (watched == width_ || watched == height_)) {
        auto* field = static_cast<QLineEdit*>(watched);
        if (refusedSize(field->text().toStdString())) {
            ui_.balloon(field, field == width_ ? tr("宽度不能小于1") : tr("高度不能小于1"), tr("请重新输入"),
                        UiIcon::Warning);
            field->setFocus();
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace plazor
