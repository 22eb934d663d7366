#include "app/colour_swatch.h"
#include "app/command_ids.h"
#include "app/side_panel.h"
#include "main_window_test_support.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTest>

#include <algorithm>

namespace plazor {
namespace {

QStringList itemsOf(const QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

class MainWindowControlsTest : public testing::MainWindowTest {
  protected:
    bool shown(const QWidget* widget) const { return widget->isVisibleTo(window.get()); }
};

// The written rectangle, except that a control whose text needs more room with the desktop's font is
// wider (EveryTextOfTheSidePanelFitsItsControl).
void expectWrittenRect(const QWidget* control, const QRect& written) {
    EXPECT_EQ(control->pos(), written.topLeft());
    EXPECT_EQ(control->height(), written.height());
    EXPECT_GE(control->width(), written.width());
}

// The custom background row makes room for its size fields (EveryUnitsLongestSizeTextIsShownWhole):
// its controls keep their line and may only move right, and give back width only down to their text's.
void expectCustomRowRect(const QWidget* control, const QRect& written) {
    EXPECT_EQ(control->y(), written.y());
    EXPECT_EQ(control->height(), written.height());
    EXPECT_GE(control->x(), written.x());
    EXPECT_GE(control->width(), std::min(written.width(), control->sizeHint().width()));
}

bool inCustomRow(const QWidget* control) {
    return control->parentWidget()->objectName() == QStringLiteral("CustomRow");
}

struct ButtonRow {
    int id;
    const char* text;
    QRect rect;
    bool checked;
    bool visible;
};

TEST_F(MainWindowControlsTest, ButtonsAndCheckBoxes) {
    const PasteBlockGeometry paste = pasteBlockGeometry(window->screen()->availableGeometry().height());
    const ButtonRow rows[] = {
        {ctl::kPictureOption, "选择背景", {59, 0, 70, 16}, false, true},
        {ctl::kCustomOption, "自定义", {137, 0, 58, 16}, true, true},
        {ctl::kChooseBackground, "选择", {332, 0, 59, 23}, false, false},
        {ctl::kPasteShowAreas, "显示选区", {59, 0, 70, 16}, true, true},
        {ctl::kShowPictures, "显示图片", {137, 0, 70, 16}, true, true},
        {ctl::kChooseSource, "选择", {332, paste.buttonY, 59, 23}, false, true},
        {ctl::kWatermarksOn, "水印层", {1, 0, 58, 16}, true, true},
        {ctl::kWatermarkShowAreas, "显示选区", {68, 0, 70, 16}, true, true},
        {ctl::kSlicesOn, "横切片", {1, 0, 58, 16}, true, true},
        {ctl::kSliceHtml, "生成HTML代码", {68, 0, 94, 16}, false, true},
        {ctl::kTransparency, "透明度", {128, 26, 58, 16}, true, false},
        {ctl::kPng8, "PNG-8", {202, 26, 56, 16}, false, false},
        {ctl::kChooseOutput, "选择", {332, 57, 58, 23}, false, true},
        {ctl::kStart, "开始处理", {0, window->sidePanel()->blockY(5), 400, 27}, false, true},
    };
    for (const ButtonRow& row : rows) {
        SCOPED_TRACE(row.id);
        auto* button = control<QAbstractButton>(row.id);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), QString::fromUtf8(row.text));
        if (qobject_cast<QPushButton*>(button)) {
            EXPECT_EQ(button->geometry(), row.rect);
        } else {
            expectWrittenRect(button, row.rect);
        }
        EXPECT_EQ(button->isChecked(), row.checked);
        EXPECT_EQ(shown(button), row.visible);
        EXPECT_TRUE(button->isEnabled());
    }
}

struct EditRow {
    int id;
    const char* text;
    QRect rect;
    bool readOnly;
    int maxLength;
};

TEST_F(MainWindowControlsTest, Edits) {
    const PasteBlockGeometry paste = pasteBlockGeometry(window->screen()->availableGeometry().height());
    const EditRow rows[] = {
        {ctl::kBackgroundPath, "", {48, 2, 278, 20}, true, 32767},
        {ctl::kBackgroundWidth, "800", {48, 2, 46, 20}, false, 4},
        {ctl::kBackgroundHeight, "800", {141, 2, 43, 20}, false, 5},
        {ctl::kSourceFolder, "", {96, paste.editY, 230, 20}, true, 32767},
        {ctl::kOutputFolder, "", {84, 59, 243, 20}, true, 32767},
    };
    for (const EditRow& row : rows) {
        SCOPED_TRACE(row.id);
        auto* edit = control<QLineEdit>(row.id);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->text(), QString::fromUtf8(row.text));
        if (inCustomRow(edit)) {
            expectCustomRowRect(edit, row.rect);
        } else {
            EXPECT_EQ(edit->geometry(), row.rect);
        }
        EXPECT_EQ(edit->isReadOnly(), row.readOnly);
        EXPECT_EQ(edit->maxLength(), row.maxLength);
        if (row.readOnly) {
            EXPECT_EQ(edit->palette().color(QPalette::Active, QPalette::Base), QColor(Qt::white));
        }
    }
}

TEST_F(MainWindowControlsTest, SizeEditsTakeDigitsOnlyUpToTheirLimits) {
    auto* width = control<QLineEdit>(ctl::kBackgroundWidth);
    auto* height = control<QLineEdit>(ctl::kBackgroundHeight);
    width->clear();
    height->clear();
    QTest::keyClicks(width, "12a3456");
    QTest::keyClicks(height, "9x87654");
    EXPECT_EQ(width->text(), QStringLiteral("1234"));
    EXPECT_EQ(height->text(), QStringLiteral("98765"));
}

struct ListRow {
    QString name;
    QStringList items;
    QRect rect;
    int index;
    bool visible;
};

TEST_F(MainWindowControlsTest, DropDownLists) {
    const ListRow rows[] = {
        {"36106", {"像素", "厘米", "毫米", "英寸"}, {191, 1, 56, 21}, 0, true},
        {"36107", {"白色", "透明", "选择"}, {305, 1, 56, 21}, 0, true},
        {"36122", {"JPG", "PNG"}, {49, 24, 56, 21}, 0, true},
        {"ColourSpaceList", {"sRGB", "RGB", "CMYK", "灰色"}, {158, 24, 56, 21}, 0, true},
        {"36125", {"2", "4", "8", "16", "32", "64", "128", "256"}, {309, 24, 56, 21}, 7, false},
    };
    for (const ListRow& row : rows) {
        SCOPED_TRACE(row.name.toStdString());
        auto* list = find<QComboBox>(row.name);
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(itemsOf(list), row.items);
        if (inCustomRow(list)) {
            expectCustomRowRect(list, row.rect);
        } else {
            expectWrittenRect(list, row.rect);
        }
        EXPECT_EQ(list->currentIndex(), row.index);
        EXPECT_EQ(shown(list), row.visible);
        EXPECT_FALSE(list->isEditable());
    }
    EXPECT_EQ(window->control(ctl::kFormatList), find<QComboBox>("36122"));
}

struct LabelRow {
    const char* name;
    const char* text;
    QRect rect;
    bool visible;
};

TEST_F(MainWindowControlsTest, LabelsCaptionsAndFrames) {
    const PasteBlockGeometry paste = pasteBlockGeometry(window->screen()->availableGeometry().height());
    const LabelRow rows[] = {
        {"BackgroundLabel", "背景层：", {9, 1, 49, 16}, true},
        {"PictureLabel", "图片：", {10, 5, 37, 19}, false},
        {"WidthLabel", "宽度：", {10, 5, 37, 19}, true},
        {"HeightLabel", "高度：", {103, 5, 37, 19}, true},
        {"ColourLabel", "背景色：", {256, 5, 50, 19}, true},
        {"PasteLabel", "贴图层：", {9, 1, 49, 16}, true},
        {"SourceFolderLabel", "源图片文件夹：", {10, paste.labelY, 85, 19}, true},
        {"FormatLabel", "格式：", {10, 28, 37, 19}, true},
        {"ColourSpaceLabel", "色彩：", {119, 28, 37, 19}, true},
        {"QualityLabel", "质量：", {228, 28, 37, 19}, true},
        {"QualityText", "90(高)", {348, 28, 48, 19}, true},
        {"ColourCountLabel", "颜色：", {270, 28, 37, 19}, false},
        {"OutputFolderLabel", "图片保存到：", {10, 62, 72, 21}, true},
    };
    for (const LabelRow& row : rows) {
        SCOPED_TRACE(row.name);
        auto* label = find<QLabel>(row.name);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), QString::fromUtf8(row.text));
        if (inCustomRow(label)) {
            expectCustomRowRect(label, row.rect);
        } else {
            EXPECT_EQ(label->geometry(), row.rect);
        }
        EXPECT_EQ(shown(label), row.visible);
    }

    const std::pair<const char*, QRect> containers[] = {
        {"PictureRow", {0, 23, 400, 40}},       {"CustomRow", {0, 23, 400, 40}},
        {"BackgroundCaption", {0, 0, 195, 21}}, {"PasteCaption", {0, 0, 207, 21}},
        {"WatermarkCaption", {8, 0, 160, 21}},  {"SliceCaption", {8, 0, 162, 21}}};
    for (const auto& [name, rect] : containers) {
        SCOPED_TRACE(name);
        expectWrittenRect(find<QWidget>(name), rect);
    }

    const std::pair<const char*, QString> frames[] = {{"BackgroundFrame", QString(12, QChar(0x3000))},
                                                      {"PasteFrame", QString(14, QChar(0x3000))},
                                                      {"WatermarkFrame", QString(10, QChar(0x3000))},
                                                      {"SliceFrame", QString(10, QChar(0x3000))},
                                                      {"OutputFrame", QStringLiteral("保存图片")}};
    for (const auto& [name, title] : frames) {
        auto* frame = find<QGroupBox>(name);
        EXPECT_EQ(frame->title(), title) << name;
        EXPECT_EQ(frame->geometry(), QRect(QPoint(0, 0), frame->parentWidget()->size())) << name;
    }
}

TEST_F(MainWindowControlsTest, QualitySliderSwatchAndWindows) {
    auto* quality = find<QSlider>("QualitySlider");
    EXPECT_EQ(quality->geometry(), QRect(261, 24, 83, 23));
    EXPECT_EQ(quality->minimum(), 10);
    EXPECT_EQ(quality->maximum(), 100);
    EXPECT_EQ(quality->value(), 90);
    EXPECT_EQ(quality->tickPosition(), QSlider::NoTicks);
    quality->setValue(75);
    EXPECT_EQ(find<QLabel>("QualityText")->text(), QStringLiteral("75(中)"));

    auto* swatch = control<ColourSwatch>(ctl::kSwatch);
    expectCustomRowRect(swatch, QRect(365, 2, 26, 16));
    EXPECT_EQ(swatch->width(), 26);
    EXPECT_FALSE(swatch->isEnabled());
    EXPECT_EQ(swatch->cursor().shape(), Qt::PointingHandCursor);

    EXPECT_EQ(window->objectName(), QStringLiteral("CodeBlocksWindowsApp"));
    EXPECT_EQ(window->control(ctl::kCanvasHost), window->canvasHost());
    EXPECT_EQ(window->control(ctl::kSidePanel), static_cast<QWidget*>(window->sidePanel()));
    EXPECT_EQ(window->canvas()->objectName(), QStringLiteral("Preview"));
    EXPECT_EQ(window->canvas()->parentWidget(), window->canvasHost());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Plazor图片排版工具 - 新模版"));
    window->setTitleName(QStringLiteral("海报.dat"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Plazor图片排版工具 - 海报.dat"));
}

// The rectangles were made for a narrower font. With the desktop's font no text of the side panel may be
// cut off, and no control may stick out of its container.
TEST_F(MainWindowControlsTest, EveryTextOfTheSidePanelFitsItsControl) {
    const QWidget* panel = window->sidePanel();
    const auto insideItsContainer = [](const QWidget* control) {
        return QRect(QPoint(0, 0), control->parentWidget()->size()).contains(control->geometry());
    };
    for (QAbstractButton* button : panel->findChildren<QAbstractButton*>()) {
        if (!qobject_cast<QCheckBox*>(button) && !qobject_cast<QRadioButton*>(button)) continue;
        SCOPED_TRACE(button->text().toStdString());
        button->ensurePolished();
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QStyle::SubElement contents = qobject_cast<QRadioButton*>(button)
                                                ? QStyle::SE_RadioButtonContents
                                                : QStyle::SE_CheckBoxContents;
        const QRect room = button->style()->subElementRect(contents, &option, button);
        EXPECT_GE(room.width(), button->fontMetrics().horizontalAdvance(button->text()));
        EXPECT_TRUE(insideItsContainer(button));
    }
    for (QComboBox* list : panel->findChildren<QComboBox*>()) {
        SCOPED_TRACE(list->objectName().toStdString());
        QStyleOptionComboBox option;
        option.initFrom(list);
        // The item's text is drawn one pixel inside the edit field on either side.
        const int room =
            list->style()
                ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list)
                .width() -
            2;
        for (const QString& item : itemsOf(list))
            EXPECT_GE(room, list->fontMetrics().horizontalAdvance(item)) << item.toStdString();
        EXPECT_TRUE(insideItsContainer(list));
    }
    for (QLabel* label : panel->findChildren<QLabel*>()) {
        SCOPED_TRACE(label->objectName().toStdString());
        EXPECT_GE(label->contentsRect().width(), label->fontMetrics().horizontalAdvance(label->text()));
        EXPECT_TRUE(insideItsContainer(label));
    }
}

TEST_F(MainWindowControlsTest, ControlsSendTheirIdentifiers) {
    recordCommands(ctl::kBackgroundPath, ctl::kStart);
    for (int id : {ctl::kChooseBackground, ctl::kChooseSource, ctl::kChooseOutput, ctl::kStart,
                   ctl::kSliceHtml, ctl::kWatermarkShowAreas, ctl::kTransparency}) {
        control<QAbstractButton>(id)->click();
    }
    emit find<QComboBox>("ColourSpaceList")->activated(2);
    emit control<QComboBox>(ctl::kUnitList)->activated(1);
    emit control<QComboBox>(ctl::kColourCount)->activated(3);
    control<QLineEdit>(ctl::kBackgroundWidth)->setText(QStringLiteral("1024"));
    control<QLineEdit>(ctl::kBackgroundHeight)->setText(QStringLiteral("768"));
    EXPECT_EQ(ran, (std::vector<int>{36103, 36113, 36127, 36128, 36118, 36121, 36123, 36122, 36106, 36125,
                                     36104, 36105}));

    // The swatch reports clicks only while the colour list shows "选择".
    ran.clear();
    window->show();
    auto* swatch = control<ColourSwatch>(ctl::kSwatch);
    QTest::mouseClick(swatch, Qt::LeftButton);
    EXPECT_TRUE(ran.empty());
    auto* colour = control<QComboBox>(ctl::kColourList);
    colour->setCurrentIndex(2);
    emit colour->activated(2);
    QTest::mouseClick(swatch, Qt::LeftButton);
    EXPECT_EQ(ran, (std::vector<int>{36107, 36108}));
}

TEST_F(MainWindowControlsTest, CommandsWithoutHandlerDoNothingAndHandlersCanBeReplaced) {
    window->onCommand(cmd::kOpenTemplate);
    window->onCommand(99999);
    int calls = 0;
    window->setCommandHandler(cmd::kAbout, [&] { calls += 1; });
    window->onCommand(cmd::kAbout);
    window->setCommandHandler(cmd::kAbout, [&] { calls += 10; });
    window->onCommand(cmd::kAbout);
    EXPECT_EQ(calls, 11);
}

TEST_F(MainWindowControlsTest, BackgroundOptionsSwapTheRows) {
    recordCommands(ctl::kPictureOption, ctl::kCustomOption);
    auto* pictureRow = find<QWidget>("PictureRow");
    auto* customRow = find<QWidget>("CustomRow");
    control<QRadioButton>(ctl::kPictureOption)->click();
    EXPECT_TRUE(shown(pictureRow));
    EXPECT_FALSE(shown(customRow));
    EXPECT_FALSE(control<QRadioButton>(ctl::kCustomOption)->isChecked());
    // Sent by the program, the command checks its option too.
    window->onCommand(ctl::kCustomOption);
    EXPECT_TRUE(control<QRadioButton>(ctl::kCustomOption)->isChecked());
    EXPECT_FALSE(control<QRadioButton>(ctl::kPictureOption)->isChecked());
    EXPECT_FALSE(shown(pictureRow));
    EXPECT_TRUE(shown(customRow));
    EXPECT_EQ(ran, (std::vector<int>{36109, 36110}));
}

TEST_F(MainWindowControlsTest, CaptionCheckBoxesEnableTheirControls) {
    recordCommands(ctl::kWatermarksOn, ctl::kShowPictures);
    auto* areas = control<QCheckBox>(ctl::kPasteShowAreas);
    auto* pictures = control<QCheckBox>(ctl::kShowPictures);
    areas->click();
    EXPECT_FALSE(areas->isChecked());
    pictures->click();
    EXPECT_TRUE(areas->isChecked());
    EXPECT_FALSE(areas->isEnabled());
    pictures->click();
    EXPECT_TRUE(areas->isChecked());
    EXPECT_TRUE(areas->isEnabled());

    control<QCheckBox>(ctl::kWatermarksOn)->click();
    EXPECT_FALSE(window->watermarkList()->isEnabled());
    EXPECT_FALSE(control<QCheckBox>(ctl::kWatermarkShowAreas)->isEnabled());
    EXPECT_TRUE(window->sliceList()->isEnabled());
    control<QCheckBox>(ctl::kSlicesOn)->click();
    EXPECT_FALSE(window->sliceList()->isEnabled());
    EXPECT_FALSE(control<QCheckBox>(ctl::kSliceHtml)->isEnabled());
    control<QCheckBox>(ctl::kWatermarksOn)->click();
    EXPECT_TRUE(window->watermarkList()->isEnabled());
    EXPECT_TRUE(control<QCheckBox>(ctl::kWatermarkShowAreas)->isEnabled());
    EXPECT_TRUE(window->pasteList()->isEnabled());
    EXPECT_EQ(ran, (std::vector<int>{36119, 36120, 36120, 36115, 36117, 36115}));
}

TEST_F(MainWindowControlsTest, FormatAndPng8SwitchTheOutputLayout) {
    const auto visibleNames = [this] {
        std::vector<std::string> names;
        for (const char* name : {"ColourSpaceLabel", "ColourSpaceList", "QualityLabel", "QualitySlider",
                                 "QualityText", "36123", "36124", "ColourCountLabel", "36125"}) {
            if (shown(find<QWidget>(name))) names.emplace_back(name);
        }
        return names;
    };
    EXPECT_EQ(visibleNames(), (std::vector<std::string>{"ColourSpaceLabel", "ColourSpaceList", "QualityLabel",
                                                        "QualitySlider", "QualityText"}));
    auto* format = control<QComboBox>(ctl::kFormatList);
    format->setCurrentIndex(1);
    emit format->activated(1);
    EXPECT_EQ(visibleNames(), (std::vector<std::string>{"36123", "36124"}));
    control<QCheckBox>(ctl::kPng8)->click();
    EXPECT_EQ(visibleNames(), (std::vector<std::string>{"36123", "36124", "ColourCountLabel", "36125"}));
    format->setCurrentIndex(0);
    emit format->activated(0);
    EXPECT_EQ(visibleNames().size(), 5u);
    EXPECT_TRUE(shown(find<QWidget>("QualitySlider")));
}

TEST_F(MainWindowControlsTest, SyncShowsTheDocumentWithoutRunningCommands) {
    recordCommands(ctl::kBackgroundPath, ctl::kStart);
    doc.background.kind = kPictureBackground;
    doc.background.picturePath = "/图/背景.png";
    doc.background.unit = kUnitCentimetres;
    doc.background.szWidth = "10.50";
    doc.background.szHeight = "297.63";
    doc.background.colourChoice = kColourCustom;
    doc.background.colour = 0x0000FF;
    doc.settings = {false, false, false, false, false, true, kFormatPng, 55, kSpaceCMYK, false, true, 16};
    doc.sourceFolder = "/src";
    doc.outputFolder = "/out";
    doc.addPasteLayer(kBelowBackground, kScaleToFit);
    doc.addWatermark("/w.png", 3, 4);
    doc.addSlice(-1);
    window->syncFromDocument();

    EXPECT_TRUE(ran.empty());
    EXPECT_TRUE(control<QRadioButton>(ctl::kPictureOption)->isChecked());
    EXPECT_TRUE(shown(find<QWidget>("PictureRow")));
    EXPECT_EQ(control<QLineEdit>(ctl::kBackgroundPath)->text(), QStringLiteral("/图/背景.png"));
    EXPECT_EQ(control<QLineEdit>(ctl::kBackgroundWidth)->text(), QStringLiteral("10.50"));
    EXPECT_EQ(control<QLineEdit>(ctl::kBackgroundHeight)->text(), QStringLiteral("297.63"));
    EXPECT_EQ(control<QLineEdit>(ctl::kBackgroundWidth)->maxLength(), 6);
    EXPECT_EQ(control<QComboBox>(ctl::kUnitList)->currentIndex(), 1);
    EXPECT_EQ(control<QComboBox>(ctl::kColourList)->currentIndex(), 2);
    EXPECT_TRUE(control<ColourSwatch>(ctl::kSwatch)->isEnabled());
    EXPECT_EQ(control<ColourSwatch>(ctl::kSwatch)->colour(), 0x0000FFu);

    EXPECT_TRUE(control<QCheckBox>(ctl::kPasteShowAreas)->isChecked());  // forced on without pictures
    EXPECT_FALSE(control<QCheckBox>(ctl::kPasteShowAreas)->isEnabled());
    EXPECT_FALSE(control<QCheckBox>(ctl::kShowPictures)->isChecked());
    EXPECT_FALSE(control<QCheckBox>(ctl::kWatermarksOn)->isChecked());
    EXPECT_FALSE(control<QCheckBox>(ctl::kWatermarkShowAreas)->isChecked());
    EXPECT_FALSE(control<QCheckBox>(ctl::kSlicesOn)->isChecked());
    EXPECT_TRUE(control<QCheckBox>(ctl::kSliceHtml)->isChecked());
    EXPECT_FALSE(window->watermarkList()->isEnabled());
    EXPECT_FALSE(window->sliceList()->isEnabled());
    EXPECT_EQ(control<QComboBox>(ctl::kFormatList)->currentText(), QStringLiteral("PNG"));
    EXPECT_EQ(find<QComboBox>("ColourSpaceList")->currentText(), QStringLiteral("CMYK"));
    EXPECT_EQ(find<QSlider>("QualitySlider")->value(), 55);
    EXPECT_EQ(find<QLabel>("QualityText")->text(), QStringLiteral("55(低)"));
    EXPECT_FALSE(control<QCheckBox>(ctl::kTransparency)->isChecked());
    EXPECT_TRUE(control<QCheckBox>(ctl::kPng8)->isChecked());
    EXPECT_EQ(control<QComboBox>(ctl::kColourCount)->currentText(), QStringLiteral("16"));
    EXPECT_TRUE(shown(control<QComboBox>(ctl::kColourCount)));
    EXPECT_EQ(control<QLineEdit>(ctl::kSourceFolder)->text(), QStringLiteral("/src"));
    EXPECT_EQ(control<QLineEdit>(ctl::kOutputFolder)->text(), QStringLiteral("/out"));
    EXPECT_EQ(window->pasteList()->rowCount(), 1);
    EXPECT_EQ(window->pasteList()->item(0, 6)->text(), QStringLiteral("等比例缩放"));
    EXPECT_EQ(window->watermarkList()->item(0, 5)->text(), QStringLiteral("/w.png"));
    EXPECT_EQ(window->sliceList()->item(0, 1)->text(), QString());

    // Back in pixels the edits take digits only again.
    doc.background.unit = kUnitPixels;
    doc.background.szWidth = "298";
    window->syncFromDocument();
    QTest::keyClicks(control<QLineEdit>(ctl::kBackgroundWidth), "x");
    EXPECT_EQ(control<QLineEdit>(ctl::kBackgroundWidth)->text(), QStringLiteral("298"));
    EXPECT_TRUE(ran.empty());
}

TEST_F(MainWindowControlsTest, ControlSettingsGoIntoTheDocument) {
    control<QCheckBox>(ctl::kShowPictures)->click();
    control<QCheckBox>(ctl::kSliceHtml)->click();
    control<QCheckBox>(ctl::kWatermarksOn)->click();
    control<QComboBox>(ctl::kFormatList)->setCurrentIndex(1);
    find<QComboBox>("ColourSpaceList")->setCurrentIndex(3);
    find<QSlider>("QualitySlider")->setValue(42);
    control<QCheckBox>(ctl::kTransparency)->click();
    control<QCheckBox>(ctl::kPng8)->click();
    control<QComboBox>(ctl::kColourCount)->setCurrentIndex(1);
    window->storeSettingsInDocument();
    const Settings& s = doc.settings;
    EXPECT_TRUE(s.picturesShowSelectArea);
    EXPECT_FALSE(s.picturesShowPicture);
    EXPECT_FALSE(s.watermarkOpen);
    EXPECT_TRUE(s.watermarkShowSelectArea);
    EXPECT_TRUE(s.cutlineOpen);
    EXPECT_TRUE(s.cutlineHtmlOpen);
    EXPECT_EQ(s.format, kFormatPng);
    EXPECT_EQ(s.colourSpace, kSpaceGrey);
    EXPECT_EQ(s.quality, 42);
    EXPECT_FALSE(s.transparent);
    EXPECT_TRUE(s.png8);
    EXPECT_EQ(s.colourCount, 4);
}

TEST_F(MainWindowControlsTest, DestroyingTheWindowStoresTheDialogFolders) {
    prefs.backgroundDialogFolder = dir / "bg";
    prefs.watermarkDialogFolder = dir / "wm";
    EXPECT_EQ(store.readText(pref::kBackgroundDialogFolder, 260), std::nullopt);
    window.reset();
    EXPECT_EQ(store.readText(pref::kBackgroundDialogFolder, 260), dir / "bg");
    EXPECT_EQ(store.readText(pref::kWatermarkDialogFolder, 260), dir / "wm");
}

}  // namespace
}  // namespace plazor
