// The background layer's commands: size edits in every unit, the picture chooser, the colour list,
// and the DPI and zoom pop-ups.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>

#include "app/colour_swatch.h"
#include "app/command_ids.h"
#include "dialogs/number_field_filter.h"
#include "layer_commands_fixture.h"
#include "support/claiming_png.h"
#include "support/pictures.h"
#include "template/units.h"

namespace plazor::testing {
namespace {

class BackgroundCommands : public LayerCommandsTest {
  protected:
    const PanelControls& controls() const { return window->panel(); }

    void chooseUnit(int unit) {
        controls().unit->setCurrentIndex(unit);
        command(ctl::kUnitList);
    }
    void chooseColour(int index) {
        controls().colour->setCurrentIndex(index);
        command(ctl::kColourList);
    }
    static bool filtered(const QLineEdit* edit) { return edit->findChild<NumberFieldFilter*>() != nullptr; }

    // Types `text` into the custom DPI box while 35335 runs it.
    void customDpi(const QString& text) {
        whileDialogOpen("Input_Dialog_", [text](QDialog& box) {
            EXPECT_EQ(box.windowTitle(), "DPI 自定义");
            type(box, "edit", text);
            pressOk(box);
        });
        command(cmd::kDpiCustom);
    }
};

TEST_F(BackgroundCommands, LengthUnitsConvertTheTypedSizeAtTheDpi) {
    chooseUnit(kUnitCentimetres);
    const PanelControls& c = controls();
    EXPECT_EQ(c.width->text(), "28.22");  // 800 pixels at 72 DPI
    EXPECT_EQ(c.width->maxLength(), 6);
    EXPECT_TRUE(filtered(c.width));
    EXPECT_TRUE(filtered(c.height));
    EXPECT_EQ(doc.background.width, 800);  // the program's own writes are not read back

    c.width->setText("10.5");
    EXPECT_EQ(doc.background.width, 298);  // 297.63
    EXPECT_EQ(doc.background.szWidth, "10.5");
    EXPECT_EQ(window->statusText(kStatusBackgroundSize), "298 x 800 像素");
    c.height->setText("abc");
    EXPECT_EQ(doc.background.height, 28);  // unreadable text counts as 1 cm

    chooseUnit(kUnitInches);
    EXPECT_EQ(c.width->text(), "4.139");
    EXPECT_EQ(c.width->maxLength(), 7);
    chooseUnit(kUnitPixels);
    EXPECT_EQ(c.width->text(), "298");  // no drift through the units
    EXPECT_EQ(c.height->text(), "28");
    EXPECT_FALSE(filtered(c.width));
}

TEST_F(BackgroundCommands, PixelFieldsTakeFourAndFiveDigits) {
    const PanelControls& c = controls();
    c.width->clear();
    QTest::keyClicks(c.width, "12a3456");
    EXPECT_EQ(c.width->text(), "1234");
    c.height->clear();
    QTest::keyClicks(c.height, "123456");
    EXPECT_EQ(c.height->text(), "12345");
    EXPECT_EQ(doc.background.width, 1234);
    EXPECT_EQ(doc.background.height, 12345);
    c.width->setText("0");
    EXPECT_EQ(doc.background.width, 1);
}

// Where the field draws its cursor, after a paint has scrolled the text to keep the cursor in sight.
int cursorX(QLineEdit* edit, int position) {
    edit->setCursorPosition(position);
    edit->grab();
    return edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().x();
}

TEST_F(BackgroundCommands, EveryUnitsLongestSizeTextIsShownWhole) {
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    const PanelControls& c = controls();
    const QRect widthBox = c.width->geometry(), heightBox = c.height->geometry();
    for (int unit : {kUnitPixels, kUnitCentimetres, kUnitMillimetres, kUnitInches}) {
        chooseUnit(unit);
        const QString accepted = unit == kUnitPixels ? "0123456789" : "0123456789.";
        for (QLineEdit* edit : {c.width, c.height}) {
            // The widest text the field takes: its room filled with its widest accepted character.
            const QFontMetricsF metrics(edit->font());
            QChar widest = accepted.front();
            for (QChar ch : accepted) {
                if (metrics.horizontalAdvance(ch) > metrics.horizontalAdvance(widest)) widest = ch;
            }
            const QString longest(edit->maxLength(), widest);
            edit->setText(longest);
            ASSERT_EQ(edit->text(), longest);
            // A text that does not fit is scrolled when the cursor goes to its end.
            const int start = cursorX(edit, 0);
            const int end = cursorX(edit, static_cast<int>(longest.size()));
            EXPECT_NEAR(end - start, metrics.horizontalAdvance(longest), 1.0)
                << "unit " << unit << ", field " << edit->objectName().toStdString() << ", " << edit->width()
                << " pixels wide";
            EXPECT_LT(end, edit->width());
        }
        // What a unit needs is given to it in every unit: the row does not shift while switching.
        EXPECT_EQ(c.width->geometry(), widthBox);
        EXPECT_EQ(c.height->geometry(), heightBox);
    }
    // The row made that room inside the block's frame, without covering any other control's text.
    QList<QWidget*> row = c.customRow->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    std::sort(row.begin(), row.end(), [](QWidget* a, QWidget* b) { return a->x() < b->x(); });
    for (qsizetype i = 0; i < row.size(); ++i) {
        if (qobject_cast<QLabel*>(row[i]) || qobject_cast<QComboBox*>(row[i])) {
            EXPECT_GE(row[i]->width(), row[i]->sizeHint().width()) << row[i]->objectName().toStdString();
        }
        // A label's box may reach one pixel under the list beside it, as designed.
        if (i > 0) {
            EXPECT_GE(row[i]->x(), row[i - 1]->geometry().right()) << row[i]->objectName().toStdString();
        }
    }
    EXPECT_LT(c.customRow->mapTo(c.backgroundBlock, row.back()->geometry().bottomRight()).x(),
              c.backgroundBlock->width() - 1);
}

TEST_F(BackgroundCommands, ASizeCutToTheLargestSideIsToldAtItsField) {
    // At 1 DPI an inch is one pixel, so the typed number is the pixel size before rounding.
    window->setDpi(1);
    chooseUnit(kUnitInches);
    const PanelControls& c = controls();
    c.width->setText("99999.5");  // an exact half rounds down: still fits
    c.height->setText("250");
    EXPECT_EQ(doc.background.width, kMaxBackgroundSide);
    EXPECT_TRUE(ui.balloons.empty());

    c.width->setText("99999.6");
    EXPECT_EQ(doc.background.width, kMaxBackgroundSide);
    ASSERT_EQ(ui.balloons.size(), 1u);
    EXPECT_EQ(ui.lastBalloon().control, c.width);
    EXPECT_EQ(ui.lastBalloon().title, "【背景层】宽度不能大于 99999 像素");
    EXPECT_EQ(ui.lastBalloon().text, "已按 99999 像素处理");

    // Each field speaks for itself, and the program's own writes say nothing.
    c.width->setText("12");
    ui.balloons.clear();
    c.height->setText("1000000");
    ASSERT_EQ(ui.balloons.size(), 1u);
    EXPECT_EQ(ui.lastBalloon().control, c.height);
    EXPECT_EQ(ui.lastBalloon().title, "【背景层】高度不能大于 99999 像素");
    chooseUnit(kUnitPixels);
    EXPECT_EQ(c.height->text(), "99999");
    EXPECT_EQ(ui.balloons.size(), 1u);
}

TEST_F(BackgroundCommands, ThePictureDialogOpensAgainUntilAPictureIsAcceptable) {
    const std::string wrongName = dir / "pictures/blue.bmp";
    const std::string notPicture = dir / "pictures/text.png";
    const std::string good = dir / "pictures/blue.png";
    std::filesystem::create_directories(dir / "pictures");
    ASSERT_TRUE(writeFilledPicture(wrongName, "PNG", 30, 20));
    writeFile(notPicture, "hello");
    ASSERT_TRUE(writeFilledPicture(good, "PNG", 30, 20));
    ui.answerOpen(QString::fromStdString(wrongName))
        .answerOpen(QString::fromStdString(notPicture))
        .answerOpen(QString::fromStdString(good));

    controls().pictureOption->click();
    ASSERT_EQ(ui.choosers.size(), 3u);
    EXPECT_EQ(ui.choosers[0].title, "选择背景图片");
    EXPECT_EQ(ui.choosers[0].startPath.toStdString(), folders.desktop);
    EXPECT_EQ(ui.choosers[2].startPath.toStdString(), dir / "pictures");
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_TRUE(ui.boxes[0].text().contains("格式不对"));
    EXPECT_TRUE(ui.boxes[1].text().contains("不是一个有效的图片"));
    EXPECT_EQ(ui.boxes[1].caption(), "提示");
    EXPECT_EQ(ui.boxes[1].icon(), UiIcon::Warning);

    EXPECT_EQ(controls().picturePath->text().toStdString(), good);
    EXPECT_EQ(doc.background.kind, kPictureBackground);
    EXPECT_EQ(doc.background.picturePath, good);
    EXPECT_EQ(doc.background.width, 30);
    EXPECT_EQ(window->statusText(kStatusBackgroundSize), "30 x 20 像素");
    EXPECT_EQ(prefs.backgroundDialogFolder, dir / "pictures");
}

// A header that passes the check but claims more pixels than the program decodes.
TEST_F(BackgroundCommands, APictureTooLargeToReadIsThePlaceholderWithAWarning) {
    const std::string bomb = dir / "bomb.png";
    writeFile(bomb, pngClaiming(12000, 9000));
    ui.answerOpen(QString::fromStdString(bomb));
    controls().pictureOption->click();
    EXPECT_EQ(doc.background.width, 1);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text().toStdString(),
              "背景图片 '" + bomb +
                  "' 的尺寸 12000 x 9000 超出限制（每边最多 30000 像素，最多 100 "
                  "百万像素），请重新选择。");
    EXPECT_EQ(ui.choosers.size(), 1u);
}

TEST_F(BackgroundCommands, APictureBackgroundWithoutAPictureIsThePlaceholder) {
    controls().pictureOption->click();
    EXPECT_EQ(ui.choosers.size(), 1u);
    EXPECT_EQ(doc.background.width, 1);
    EXPECT_EQ(doc.background.height, 1);

    // Back to the custom background: the size comes from its fields again.
    controls().customOption->click();
    EXPECT_EQ(doc.background.kind, kColourBackground);
    EXPECT_EQ(doc.background.width, 800);
    EXPECT_EQ(window->statusText(kStatusBackgroundSize), "800 x 800 像素");
}

TEST_F(BackgroundCommands, ACancelledColourDialogGoesBackToWhiteOrTransparent) {
    chooseColour(kColourCustom);
    ASSERT_EQ(ui.choosers.size(), 1u);
    EXPECT_EQ(ui.choosers[0].initialColour, 0xFFFFFFu);
    EXPECT_EQ(controls().colour->currentText(), "白色");
    EXPECT_FALSE(controls().swatch->isEnabled());
    EXPECT_EQ(doc.background.colourChoice, kColourWhite);

    ui.answerColour(0xFF000Au);
    chooseColour(kColourCustom);
    EXPECT_EQ(controls().colour->currentText(), "选择");
    EXPECT_TRUE(controls().swatch->isEnabled());
    EXPECT_EQ(controls().swatch->colour(), 0xFF000Au);
    EXPECT_EQ(state().colourText, "#0a00ff");
    EXPECT_EQ(doc.background.colour, 0xFF000Au);
    EXPECT_EQ(doc.background.transparent, 0);

    // After a chosen colour a cancel leaves the list where it is.
    chooseColour(kColourCustom);
    EXPECT_EQ(controls().colour->currentText(), "选择");
    EXPECT_EQ(ui.choosers.back().initialColour, 0xFF000Au);

    chooseColour(kColourTransparent);
    EXPECT_EQ(doc.background.transparent, 1);
    chooseColour(kColourCustom);
    EXPECT_EQ(controls().colour->currentText(), "透明");
    EXPECT_EQ(doc.background.transparent, 1);
}

TEST_F(BackgroundCommands, TheSwatchChoosesTheColourAgain) {
    ui.answerColour(0x00FF00u).answerColour(0x0000FFu);
    chooseColour(kColourCustom);
    command(ctl::kSwatch);
    EXPECT_EQ(doc.background.colour, 0x0000FFu);
    EXPECT_EQ(state().colourText, "#ff0000");
}

TEST_F(BackgroundCommands, ACustomDpiMustBeOneTo1200) {
    customDpi("0");
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.lastBox().text(), "DPI 不能小于 1");
    EXPECT_EQ(ui.lastBox().caption(), "提示");
    EXPECT_EQ(ui.lastBox().icon(), UiIcon::Warning);
    customDpi("1201");
    EXPECT_EQ(ui.lastBox().text(), "DPI 不能大于 1200");
    EXPECT_EQ(prefs.dpi, 72);

    customDpi("1200");
    EXPECT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(prefs.dpi, 1200);
    EXPECT_EQ(window->statusText(kStatusDpi), "\t1200 dpi");
    EXPECT_EQ(doc.background.dpi, 1200);

    // A fixed value is taken by the template as well, so that a save records it.
    command(cmd::kDpiFirstFixed + 1);
    EXPECT_EQ(prefs.dpi, 300);
    EXPECT_EQ(doc.background.dpi, 300);
}

TEST_F(BackgroundCommands, AZoomStepResizesTheCanvasOnlyWhenItChanges) {
    QSignalSpy resized(&state(), &EditorState::canvasResizeRequested);
    QSignalSpy stale(&state(), &EditorState::previewsInvalidated);
    command(cmd::kZoomFirst + 4);  // 200%
    EXPECT_EQ(state().zoom, 2.0);
    EXPECT_EQ(window->statusText(kStatusZoom), "200%");
    EXPECT_EQ(resized.count(), 1);
    EXPECT_EQ(stale.count(), 1);
    command(cmd::kZoomFirst + 4);
    EXPECT_EQ(resized.count(), 1);
    command(cmd::kZoomFirst);
    EXPECT_EQ(window->statusText(kStatusZoom), "25%");
}

TEST_F(BackgroundCommands, ChangingTheLoadModeScansTheSourceFolderAgain) {
    const std::string source = dir / "in";
    ASSERT_TRUE(writeFilledPicture(source + "/a.png", "PNG", 4, 4));
    std::filesystem::create_directories(source + "/batch1");
    std::filesystem::create_directories(source + "/batch2");
    ui.answerFolder(QString::fromStdString(source));
    command(ctl::kChooseSource);
    EXPECT_EQ(state().sources, std::vector<std::string>{source + "/a.png"});

    command(cmd::kLoadModeSubFolders);
    EXPECT_EQ(state().sources, (std::vector<std::string>{source + "/batch1", source + "/batch2"}));
    EXPECT_EQ(window->statusText(kStatusLoadMode), "\t\t子文件夹列表模式　 ");

    // Without pictures shown nothing is scanned.
    controls().showPictures->click();
    command(cmd::kLoadModePictures);
    EXPECT_EQ(state().sources.size(), 2u);
}

}  // namespace
}  // namespace plazor::testing
