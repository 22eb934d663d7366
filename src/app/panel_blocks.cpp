#include "app/panel_blocks.h"

#include "app/colour_swatch.h"
#include "app/command_ids.h"
#include "app/layer_lists.h"
#include "app/panel_rules.h"
#include "template/document.h"
#include "template/names.h"
#include "template/units.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSlider>

#include <algorithm>
#include <cmath>

namespace plazor {
namespace {

constexpr QChar kFullWidthSpace(0x3000);

void place(QWidget* widget, const Box& box) {
    widget->setGeometry(box.x, box.y, box.width, box.height);
}

// The rectangles were made for a narrower font. A check box, radio button or drop-down list whose text
// needs more room with the desktop's font grows to fit it, and its container with it.
void fitToText(QWidget* control) {
    const int needed = control->sizeHint().width();
    if (needed <= control->width()) return;
    control->resize(needed, control->height());
    QWidget* container = control->parentWidget();
    const int right = control->geometry().right() + 1;
    if (right > container->width()) container->resize(right, container->height());
}

// The right end of a block's rows, inside its frame.
constexpr int kRowRightEdge = kBlockWidth - 3;

// The widest text a size field takes in any unit: its room filled with its widest accepted character.
int longestSizeText(const QLineEdit* edit, bool widthField) {
    const QFontMetricsF metrics(edit->font());
    qreal longest = 0;
    for (int unit = kUnitPixels; unit <= kUnitInches; ++unit) {
        const QString accepted =
            unit == kUnitPixels ? QStringLiteral("0123456789") : QStringLiteral("0123456789.");
        qreal widest = 0;
        for (QChar ch : accepted)
            widest = std::max(widest, metrics.horizontalAdvance(ch));
        const SizeFieldLimits limits = sizeFieldLimits(unit);
        longest = std::max(longest, widest * (widthField ? limits.width : limits.height));
    }
    return static_cast<int>(std::ceil(longest));
}

// What a line edit needs beside its text: its size hint is 17 "x" wide plus the frame and margins;
// one more pixel for the cursor after the last character.
int lineEditOverhead(const QLineEdit* edit) {
    return edit->sizeHint().width() - 17 * QFontMetrics(edit->font()).horizontalAdvance(QLatin1Char('x')) + 1;
}

QString idName(int id) {
    return QString::number(id);
}

// A block: a container with a group box frame of its full size. The frame's caption is a run of
// full-width spaces that keeps the frame line free where the caption container lies over it.
QWidget* makeBlock(QWidget* panel, const QString& name, int height, const QString& frameTitle,
                   QGroupBox** frameOut = nullptr) {
    auto* block = new QWidget(panel);
    block->setObjectName(name + QStringLiteral("Block"));
    place(block, {0, 0, kBlockWidth, height});
    auto* frame = new QGroupBox(frameTitle, block);
    frame->setObjectName(name + QStringLiteral("Frame"));
    // The frame's top edge runs through the middle of the caption row, as the caption containers and
    // "保存图片" are laid out for; Qt's own styles draw it below a whole caption line instead.
    frame->setStyleSheet(
        QStringLiteral("QGroupBox { border: 1px solid palette(mid); border-radius: 2px;"
                       " margin-top: %1px; }"
                       "QGroupBox::title { subcontrol-origin: margin; left: 9px; padding: 0; }")
            .arg(kFrameTopEdge));
    place(frame, {0, 0, kBlockWidth, height});
    if (frameOut) *frameOut = frame;
    return block;
}

QWidget* makeContainer(QWidget* parent, const QString& name, const Box& box) {
    auto* container = new QWidget(parent);
    container->setObjectName(name);
    place(container, box);
    return container;
}

QLabel* makeLabel(QWidget* parent, const QString& text, const Box& box, const QString& name) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(label, box);
    return label;
}

QCheckBox* makeCheck(QWidget* parent, const QString& text, int id, const Box& box, bool checked) {
    auto* check = new QCheckBox(text, parent);
    check->setObjectName(idName(id));
    check->setChecked(checked);
    place(check, box);
    fitToText(check);
    return check;
}

QRadioButton* makeRadio(QWidget* parent, const QString& text, int id, const Box& box) {
    auto* radio = new QRadioButton(text, parent);
    radio->setObjectName(idName(id));
    place(radio, box);
    fitToText(radio);
    return radio;
}

QPushButton* makeButton(QWidget* parent, const QString& text, int id, const Box& box) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(idName(id));
    place(button, box);
    return button;
}

QLineEdit* makeEdit(QWidget* parent, int id, const Box& box) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(idName(id));
    place(edit, box);
    return edit;
}

// A read-only path edit keeps the white background of an editable one while it is enabled.
QLineEdit* makePathEdit(QWidget* parent, int id, const Box& box) {
    QLineEdit* edit = makeEdit(parent, id, box);
    edit->setReadOnly(true);
    QPalette colours = edit->palette();
    colours.setColor(QPalette::Active, QPalette::Base, Qt::white);
    colours.setColor(QPalette::Inactive, QPalette::Base, Qt::white);
    edit->setPalette(colours);
    return edit;
}

QComboBox* makeList(QWidget* parent, const QString& name, const Box& box, const QStringList& items) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->addItems(items);
    place(list, box);
    fitToText(list);
    return list;
}

}  // namespace

std::vector<QWidget*> PanelControls::blocks() const {
    return {backgroundBlock, pasteBlock, watermarkBlock, sliceBlock, outputBlock, start};
}

PanelControls PanelBuilder::build(QWidget* panel, const PasteBlockGeometry& paste,
                                  std::function<void()> onSwatchClick) {
    PanelControls c;
    buildBackground(c, panel, std::move(onSwatchClick));
    buildPaste(c, panel, paste);
    buildWatermark(c, panel);
    buildSlice(c, panel);
    buildOutput(c, panel);
    c.start = makeButton(panel, tr("开始处理"), ctl::kStart, {0, 711, kBlockWidth, kStartButtonHeight});
    return c;
}

void PanelBuilder::buildBackground(PanelControls& c, QWidget* panel, std::function<void()> onSwatchClick) {
    c.backgroundBlock =
        makeBlock(panel, QStringLiteral("Background"), kBackgroundBlockHeight, QString(12, kFullWidthSpace));
    QWidget* caption = makeContainer(c.backgroundBlock, QStringLiteral("BackgroundCaption"), {0, 0, 195, 21});
    makeLabel(caption, tr("背景层："), {9, 1, 49, 16}, QStringLiteral("BackgroundLabel"));
    c.pictureOption = makeRadio(caption, tr("选择背景"), ctl::kPictureOption, {59, 0, 70, 16});
    c.customOption = makeRadio(caption, tr("自定义"), ctl::kCustomOption, {137, 0, 58, 16});
    c.customOption->setChecked(true);

    c.pictureRow = makeContainer(c.backgroundBlock, QStringLiteral("PictureRow"), {0, 23, kBlockWidth, 40});
    makeLabel(c.pictureRow, tr("图片："), {10, 5, 37, 19}, QStringLiteral("PictureLabel"));
    c.picturePath = makePathEdit(c.pictureRow, ctl::kBackgroundPath, {48, 2, 278, 20});
    c.chooseBackground = makeButton(c.pictureRow, tr("选择"), ctl::kChooseBackground, {332, 0, 59, 23});
    c.pictureRow->hide();

    c.customRow = makeContainer(c.backgroundBlock, QStringLiteral("CustomRow"), {0, 23, kBlockWidth, 40});
    makeLabel(c.customRow, tr("宽度："), {10, 5, 37, 19}, QStringLiteral("WidthLabel"));
    c.width = makeEdit(c.customRow, ctl::kBackgroundWidth, {48, 2, 46, 20});
    makeLabel(c.customRow, tr("高度："), {103, 5, 37, 19}, QStringLiteral("HeightLabel"));
    c.height = makeEdit(c.customRow, ctl::kBackgroundHeight, {141, 2, 43, 20});
    applySizeFieldLimits(c, kUnitPixels);
    c.width->setText(QStringLiteral("800"));
    c.height->setText(QStringLiteral("800"));
    QStringList units;
    for (int unit = kUnitPixels; unit <= kUnitInches; ++unit)
        units << tr(unitName(unit).c_str());
    c.unit = makeList(c.customRow, idName(ctl::kUnitList), {191, 1, 56, 21}, units);
    makeLabel(c.customRow, tr("背景色："), {256, 5, 50, 19}, QStringLiteral("ColourLabel"));
    c.colour = makeList(c.customRow, idName(ctl::kColourList), {305, 1, 56, 21},
                        {tr("白色"), tr("透明"), tr("选择")});
    c.swatch = new ColourSwatch(c.customRow, std::move(onSwatchClick));
    c.swatch->setObjectName(idName(ctl::kSwatch));
    place(c.swatch, {365, 2, 26, 16});
    c.swatch->setEnabled(false);
    fitCustomRow(c);
}

// The size fields were drawn for a narrower font: with the desktop's they grow to show the longest
// text they take in any unit, so that nothing moves when the unit changes, and the row makes room.
void PanelBuilder::fitCustomRow(PanelControls& c) {
    QList<QWidget*> controls = c.customRow->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    std::sort(controls.begin(), controls.end(), [](QWidget* a, QWidget* b) { return a->x() < b->x(); });
    const int overhead = lineEditOverhead(c.width);
    std::vector<RowControl> row;
    for (QWidget* control : controls) {
        int needed = control->sizeHint().width();
        if (control == c.width) needed = longestSizeText(c.width, true) + overhead;
        if (control == c.height) needed = longestSizeText(c.height, false) + overhead;
        if (control == c.swatch) needed = control->width();
        row.push_back({{control->x(), control->y(), control->width(), control->height()}, needed});
    }
    const std::vector<Box> boxes = flowRow(row, kRowRightEdge);
    for (std::size_t i = 0; i < boxes.size(); ++i)
        place(controls[static_cast<qsizetype>(i)], boxes[i]);
}

void PanelBuilder::buildPaste(PanelControls& c, QWidget* panel, const PasteBlockGeometry& paste) {
    c.pasteBlock = makeBlock(panel, QStringLiteral("Paste"), paste.blockHeight, QString(14, kFullWidthSpace),
                             &c.pasteFrame);
    QWidget* caption = makeContainer(c.pasteBlock, QStringLiteral("PasteCaption"), {0, 0, 207, 21});
    makeLabel(caption, tr("贴图层："), {9, 1, 49, 16}, QStringLiteral("PasteLabel"));
    c.pasteShowAreas = makeCheck(caption, tr("显示选区"), ctl::kPasteShowAreas, {59, 0, 70, 16}, true);
    c.showPictures = makeCheck(caption, tr("显示图片"), ctl::kShowPictures, {137, 0, 70, 16}, true);

    c.pasteList = new LayerList(LayerList::Kind::Paste, c.pasteBlock);
    c.sourceLabel = makeLabel(c.pasteBlock, tr("源图片文件夹："), {}, QStringLiteral("SourceFolderLabel"));
    c.sourceFolder = makePathEdit(c.pasteBlock, ctl::kSourceFolder, {});
    c.chooseSource = makeButton(c.pasteBlock, tr("选择"), ctl::kChooseSource, {});
    applyPasteGeometry(c, paste);
}

void PanelBuilder::applyPasteGeometry(PanelControls& c, const PasteBlockGeometry& paste) {
    c.pasteBlock->resize(kBlockWidth, paste.blockHeight);
    c.pasteFrame->resize(kBlockWidth, paste.blockHeight);
    place(c.pasteList, {10, 24, 380, paste.listHeight});
    place(c.sourceLabel, {10, paste.labelY, 85, 19});
    place(c.sourceFolder, {96, paste.editY, 230, 20});
    place(c.chooseSource, {332, paste.buttonY, 59, 23});
}

void PanelBuilder::applySizeFieldLimits(PanelControls& c, int unit) {
    const SizeFieldLimits limits = sizeFieldLimits(unit);
    c.width->setMaxLength(limits.width);
    c.height->setMaxLength(limits.height);
    for (QLineEdit* edit : {c.width, c.height}) {
        if (unit == kUnitPixels) {
            edit->setValidator(
                new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
        } else {
            edit->setValidator(nullptr);
        }
    }
}

void PanelBuilder::buildWatermark(PanelControls& c, QWidget* panel) {
    c.watermarkBlock =
        makeBlock(panel, QStringLiteral("Watermark"), kWatermarkBlockHeight, QString(10, kFullWidthSpace));
    QWidget* caption = makeContainer(c.watermarkBlock, QStringLiteral("WatermarkCaption"), {8, 0, 160, 21});
    c.watermarksOn = makeCheck(caption, tr("水印层"), ctl::kWatermarksOn, {1, 0, 58, 16}, true);
    c.watermarkShowAreas =
        makeCheck(caption, tr("显示选区"), ctl::kWatermarkShowAreas, {68, 0, 70, 16}, true);
    c.watermarkList = new LayerList(LayerList::Kind::Watermark, c.watermarkBlock);
    place(c.watermarkList, {10, 24, 380, 95});
}

void PanelBuilder::buildSlice(PanelControls& c, QWidget* panel) {
    c.sliceBlock = makeBlock(panel, QStringLiteral("Slice"), kSliceBlockHeight, QString(10, kFullWidthSpace));
    QWidget* caption = makeContainer(c.sliceBlock, QStringLiteral("SliceCaption"), {8, 0, 162, 21});
    c.slicesOn = makeCheck(caption, tr("横切片"), ctl::kSlicesOn, {1, 0, 58, 16}, true);
    c.sliceHtml = makeCheck(caption, tr("生成HTML代码"), ctl::kSliceHtml, {68, 0, 94, 16}, false);
    c.sliceList = new LayerList(LayerList::Kind::Slice, c.sliceBlock);
    place(c.sliceList, {10, 24, 380, 95});
}

void PanelBuilder::buildOutput(PanelControls& c, QWidget* panel) {
    c.outputBlock = makeBlock(panel, QStringLiteral("Output"), kOutputBlockHeight, tr("保存图片"));
    QWidget* block = c.outputBlock;
    makeLabel(block, tr("格式："), {10, 28, 37, 19}, QStringLiteral("FormatLabel"));
    c.format = makeList(block, idName(ctl::kFormatList), {49, 24, 56, 21}, {tr("JPG"), tr("PNG")});

    c.colourSpaceLabel =
        makeLabel(block, tr("色彩："), {119, 28, 37, 19}, QStringLiteral("ColourSpaceLabel"));
    QStringList spaces;
    for (const char* name : kColourSpaceNames)
        spaces << tr(name);
    // The colour-space list carries the format list's identifier; its object name tells them apart.
    c.colourSpace = makeList(block, QStringLiteral("ColourSpaceList"), {158, 24, 56, 21}, spaces);
    c.colourSpace->setProperty("controlId", ctl::kFormatList);
    c.qualityLabel = makeLabel(block, tr("质量："), {228, 28, 37, 19}, QStringLiteral("QualityLabel"));
    c.quality = new QSlider(Qt::Horizontal, block);
    c.quality->setObjectName(QStringLiteral("QualitySlider"));
    c.quality->setTickPosition(QSlider::NoTicks);
    c.quality->setRange(10, 100);
    c.quality->setValue(90);
    place(c.quality, {261, 24, 83, 23});
    c.qualityText = makeLabel(block, QString::fromStdString(qualityText(90)), {348, 28, 48, 19},
                              QStringLiteral("QualityText"));

    c.transparency = makeCheck(block, tr("透明度"), ctl::kTransparency, {128, 26, 58, 16}, true);
    c.png8 = makeCheck(block, tr("PNG-8"), ctl::kPng8, {202, 26, 56, 16}, false);
    c.colourCountLabel =
        makeLabel(block, tr("颜色："), {270, 28, 37, 19}, QStringLiteral("ColourCountLabel"));
    QStringList counts;
    for (int count : kColourCounts)
        counts << QString::number(count);
    c.colourCount = makeList(block, idName(ctl::kColourCount), {309, 24, 56, 21}, counts);
    c.colourCount->setCurrentIndex(colourCountIndex(256));
    for (QWidget* png :
         std::initializer_list<QWidget*>{c.transparency, c.png8, c.colourCountLabel, c.colourCount}) {
        png->hide();
    }

    makeLabel(block, tr("图片保存到："), {10, 62, 72, 21}, QStringLiteral("OutputFolderLabel"));
    c.outputFolder = makePathEdit(block, ctl::kOutputFolder, {84, 59, 243, 20});
    c.chooseOutput = makeButton(block, tr("选择"), ctl::kChooseOutput, {332, 57, 58, 23});
}

}  // namespace plazor
