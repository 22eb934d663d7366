// The switches of the layer blocks, the two folders, refreshing every picture and starting a run.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/command_ids.h"
#include "layer_commands_fixture.h"
#include "support/pictures.h"

namespace plazor::testing {
namespace {

namespace fs = std::filesystem;

class OutputCommands : public LayerCommandsTest {
  protected:
    const PanelControls& controls() const { return window->panel(); }

    void chooseSource(const std::string& folder) {
        ui.answerFolder(QString::fromStdString(folder));
        command(ctl::kChooseSource);
    }

    void addWatermark(const std::string& path) {
        doc.addWatermark(path, 0, 0);
        window->syncFromDocument();
    }
};

TEST_F(OutputCommands, TheOutputFolderIsProposedBesideTheSourceFolder) {
    const std::string source = dir / "photos";
    fs::create_directories(source);
    fs::create_directories(source + "_处理后");
    chooseSource(source);
    ASSERT_EQ(ui.choosers.size(), 1u);
    EXPECT_EQ(ui.choosers[0].title, "选择【源图片文件夹】：");
    EXPECT_FALSE(ui.choosers[0].allowNewFolder);
    EXPECT_EQ(controls().sourceFolder->text().toStdString(), source);
    EXPECT_EQ(controls().outputFolder->text().toStdString(), source + "_处理后(2)");
    EXPECT_EQ(doc.outputFolder, source + "_处理后(2)");

    ui.answerFolder(QString::fromStdString(dir / "elsewhere"));
    ui.answerFolder(QString::fromStdString(dir.str()));
    command(ctl::kChooseOutput);
    ASSERT_EQ(ui.choosers.size(), 3u);  // a folder that does not exist is refused and asked again
    EXPECT_EQ(ui.choosers[1].title, "图片处理后保存到：");
    EXPECT_TRUE(ui.choosers[1].allowNewFolder);
    EXPECT_EQ(ui.choosers[1].startPath.toStdString(), source + "_处理后(2)");
    EXPECT_EQ(controls().outputFolder->text().toStdString(), dir.str());

    // A cancelled chooser changes nothing.
    command(ctl::kChooseSource);
    EXPECT_EQ(controls().sourceFolder->text().toStdString(), source);
}

TEST_F(OutputCommands, SwitchingWatermarksOffEndsTheirEditing) {
    addWatermark(dir / "mark.png");
    state().current = {LayerKind::Watermark, 0};
    state().mode = CanvasMode::WatermarkSelected;
    window->setStatusText(kStatusLayerSize, "5 x 5 像素");
    controls().watermarksOn->click();
    EXPECT_EQ(state().mode, CanvasMode::Idle);
    EXPECT_EQ(state().current, CurrentLayer{});
    EXPECT_EQ(window->statusText(kStatusLayerSize), "");
    EXPECT_FALSE(controls().watermarkList->isEnabled());

    // A slice being drawn is not touched by the watermark switch, but by its own.
    controls().watermarksOn->click();
    state().mode = CanvasMode::SlicePending;
    controls().watermarksOn->click();
    EXPECT_EQ(state().mode, CanvasMode::SlicePending);
    controls().slicesOn->click();
    EXPECT_EQ(state().mode, CanvasMode::Idle);
}

TEST_F(OutputCommands, RefreshStopsAtAMissingBackgroundPicture) {
    const std::string picture = dir / "bg.png";
    ASSERT_TRUE(writeFilledPicture(picture, "PNG", 40, 30));
    ui.answerOpen(QString::fromStdString(picture));
    controls().pictureOption->click();
    ASSERT_EQ(doc.background.width, 40);

    ASSERT_TRUE(writeFilledPicture(picture, "PNG", 50, 30));  // replaced on disk: a refresh reads it again
    command(cmd::kRefresh);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(doc.background.width, 50);
    EXPECT_EQ(window->statusText(kStatusBackgroundSize), "50 x 30 像素");

    fs::remove(picture);
    command(cmd::kRefresh);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.lastBox().text().toStdString(), "背景图片 '" + picture + "' 已不存在，请重新选择。");
    EXPECT_EQ(ui.lastBox().icon(), UiIcon::Warning);
}

TEST_F(OutputCommands, RefreshReportsAMissingSourceFolder) {
    const std::string source = dir / "in";
    fs::create_directories(source);
    chooseSource(source);
    fs::remove(source);
    command(cmd::kRefresh);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.lastBox().text().toStdString(),
              "【贴图层】源图片文件夹 '" + source + "' 不存在, 请重新选择");
    EXPECT_EQ(ui.lastBox().caption(), "提示");
    EXPECT_EQ(ui.lastBox().icon(), UiIcon::Error);
}

TEST_F(OutputCommands, RefreshChecksEveryWatermarkAndTakesItsNewSize) {
    const std::string good = dir / "good.png";
    ASSERT_TRUE(writeFilledPicture(good, "PNG", 10, 10));
    addWatermark(good);
    ASSERT_TRUE(writeFilledPicture(good, "PNG", 12, 7));
    command(cmd::kRefresh);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(doc.watermarks[0].width, 12);
    EXPECT_EQ(rowTexts(controls().watermarkList, 0)[3], "12");
    EXPECT_EQ(rowTexts(controls().watermarkList, 0)[4], "7");

    const std::string bmp = dir / "mark.png";
    ASSERT_TRUE(writeFilledPicture(bmp, "BMP", 5, 5));
    addWatermark(bmp);
    addWatermark(dir / "gone.png");
    command(cmd::kRefresh);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(
        ui.lastBox().text().toStdString(),
        "水印层#2 的图片 '" + bmp + "' 内部数据格式不受支持，请重新选择。\n\n支持的格式: png, jpg, gif");
    EXPECT_EQ(ui.lastBox().icon(), UiIcon::Warning);

    ASSERT_TRUE(writeFilledPicture(bmp, "GIF", 5, 5));
    command(cmd::kRefresh);
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.lastBox().text().toStdString(),
              "水印层#3 的图片 '" + dir / "gone.png" + "' 已不存在, 请重新选择");
    EXPECT_EQ(ui.lastBox().icon(), UiIcon::Error);
    EXPECT_EQ(selectedRows(controls().watermarkList), std::vector<int>{2});

    // Watermarks switched off are not checked.
    controls().watermarksOn->click();
    command(cmd::kRefresh);
    EXPECT_EQ(ui.boxes.size(), 2u);
}

TEST_F(OutputCommands, AStartWhoseChecksFailPointsAtTheControl) {
    command(ctl::kStart);
    ASSERT_EQ(ui.balloons.size(), 1u);
    EXPECT_EQ(ui.lastBalloon().control, controls().pasteList);
    EXPECT_EQ(ui.lastBalloon().title, "请至少创建一个【贴图层】选区");

    placedPasteLayers({kStretch});
    doc.addPasteLayer(kAboveBackground, kStretch);
    window->syncFromDocument();
    command(ctl::kStart);
    EXPECT_EQ(ui.lastBalloon().control, controls().pasteList);
    EXPECT_EQ(ui.lastBalloon().title, "贴图层#2 还没有创建选区");
    EXPECT_EQ(selectedRows(controls().pasteList), std::vector<int>{1});

    doc.deletePasteLayers({1});
    window->syncFromDocument();
    controls().width->setText("");
    command(ctl::kStart);
    EXPECT_EQ(ui.lastBalloon().control, controls().width);
    EXPECT_EQ(ui.lastBalloon().title, "请输入【背景层】宽度");

    controls().width->setText("200");
    command(ctl::kStart);
    EXPECT_EQ(ui.lastBalloon().control, controls().chooseSource);
    EXPECT_EQ(ui.lastBalloon().title, "请选择【源图片文件夹】");
}

TEST_F(OutputCommands, AStartRendersEveryBatchIntoTheOutputFolder) {
    window->show();
    controls().width->setText("120");
    controls().height->setText("120");
    placedPasteLayers({kStretch});
    const std::string source = dir / "in";
    ASSERT_TRUE(writeFilledPicture(source + "/one.png", "PNG", 30, 30));
    ASSERT_TRUE(writeFilledPicture(source + "/two.jpg", "JPEG", 30, 30));
    chooseSource(source);
    const std::string output = controls().outputFolder->text().toStdString();

    ui.answerBox(UiButton::No);
    command(ctl::kStart);
    EXPECT_TRUE(ui.balloons.empty());
    EXPECT_TRUE(fs::exists(output + "/one.jpg"));
    EXPECT_TRUE(fs::exists(output + "/two.jpg"));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.lastBox().text(), "图片处理已完成，是否查看处理后的图片？");
    EXPECT_TRUE(window->isEnabled());
}

}  // namespace
}  // namespace plazor::testing
