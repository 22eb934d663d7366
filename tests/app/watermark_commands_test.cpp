// Watermark layer commands: the picture chooser's retries, placement, edit, picture change, delete.
#include <QImage>
#include <QSignalSpy>

#include "app/command_ids.h"
#include "layer_commands_fixture.h"

namespace plazor::testing {
namespace {

class WatermarkCommands : public LayerCommandsTest {
  protected:
    std::string pictures = dir / "pictures";

    void SetUp() override {
        LayerCommandsTest::SetUp();
        writeFile(pictures + "/bad.png", "not a picture");
        writeFile(pictures + "/mark.bmp", "BM");
        picture("mark.png", 40, 30);
    }

    QString picture(const std::string& name, int width, int height) {
        const std::string path = pictures + "/" + name;
        QImage image(width, height, QImage::Format_ARGB32);
        image.fill(Qt::red);
        EXPECT_TRUE(image.save(QString::fromStdString(path), "PNG"));
        return QString::fromStdString(path);
    }
    QString path(const std::string& name) const { return QString::fromStdString(pictures + "/" + name); }

    // Watermarks added through the command, each with mark.png.
    void addWatermarks(int count) {
        for (int i = 0; i < count; ++i) {
            ui.answerOpen(path("mark.png"));
            command(cmd::kWatermarkNew);
        }
        ui.boxes.clear();
        ui.choosers.clear();
    }
};

TEST_F(WatermarkCommands, NewReopensTheChooserUntilAPictureIsAcceptedAndPlacesItAtTheVisibleTopLeft) {
    ui.answerOpen(path("mark.bmp")).answerOpen(path("bad.png")).answerOpen(path("mark.png"));
    state().zoom = 2.0;
    state().scrollX = 101;
    state().scrollY = 40;
    QSignalSpy pictureLoaded(&state(), &EditorState::layerAppearanceChanged);

    command(cmd::kWatermarkNew);
    EXPECT_EQ(ui.boxTexts(),
              (QStringList{
                  "水印图片 '" + path("mark.bmp") + "' 格式不对，请重新选择。\n\n支持的格式: png, jpg, gif",
                  "水印图片 '" + path("bad.png") + "' 内部数据格式不符合要求，请重新选择"}));
    for (const auto& box : ui.boxes) {
        EXPECT_EQ(box.caption(), "提示");
        EXPECT_EQ(box.icon(), UiIcon::Warning);
    }
    ASSERT_EQ(ui.choosers.size(), 3u);
    EXPECT_EQ(ui.choosers[0].title, "选择水印图片");
    EXPECT_TRUE(ui.choosers[0].filter.startsWith("图片格式 (*.PNG;*.JPG;*.GIF)"));
    EXPECT_EQ(ui.choosers[0].startPath.toStdString(), folders.desktop);
    // The dialog opens again in the folder chosen last.
    EXPECT_EQ(ui.choosers[1].startPath.toStdString(), pictures);
    EXPECT_EQ(prefs.watermarkDialogFolder, pictures);

    ASSERT_EQ(doc.watermarks.size(), 1u);
    const WatermarkLayer& mark = doc.watermarks[0];
    EXPECT_EQ(mark.path, pictures + "/mark.png");
    EXPECT_EQ((std::vector<int>{mark.number, mark.x, mark.y, mark.width, mark.height}),
              (std::vector<int>{1, 50, 20, 40, 30}));
    EXPECT_EQ(rowTexts(window->watermarkList(), 0),
              (QStringList{"1", "50", "20", "40", "30", path("mark.png")}));
    EXPECT_EQ(selectedRows(window->watermarkList()), std::vector<int>{0});
    EXPECT_EQ(state().current, (CurrentLayer{LayerKind::Watermark, 0}));
    EXPECT_EQ(state().mode, CanvasMode::WatermarkSelected);
    EXPECT_EQ(window->statusText(kStatusLayerSize), "40 x 30 像素");
    EXPECT_EQ(pictureLoaded.size(), 1);

    // Cancelling the chooser ends the command.
    command(cmd::kWatermarkNew);
    EXPECT_EQ(doc.watermarks.size(), 1u);
}

TEST_F(WatermarkCommands, InsertGoesBeforeTheSelectedRowAndRenumbers) {
    addWatermarks(2);
    picture("wide.png", 64, 8);
    clickRows(window->watermarkList(), {1});
    ui.answerOpen(path("wide.png"));

    command(cmd::kWatermarkInsert);
    ASSERT_EQ(doc.watermarks.size(), 3u);
    EXPECT_EQ(doc.watermarks[1].path, pictures + "/wide.png");
    EXPECT_EQ(rowTexts(window->watermarkList(), 1),
              (QStringList{"2", "0", "0", "64", "8", path("wide.png")}));
    EXPECT_EQ(rowTexts(window->watermarkList(), 2)[0], "3");
    EXPECT_EQ(doc.watermarks[2].number, 3);
    EXPECT_EQ(selectedRows(window->watermarkList()), std::vector<int>{1});
    EXPECT_EQ(state().current, (CurrentLayer{LayerKind::Watermark, 1}));
}

TEST_F(WatermarkCommands, EditTakesOverThePositionAndSelectsTheWatermark) {
    addWatermarks(1);
    state().mode = CanvasMode::WatermarkPending;
    QSignalSpy scrolled(&state(), &EditorState::scrollIntoViewRequested);
    whileDialogOpen("Dialog_Watermark_Layer_Property", [](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "水印层#1");
        type(dialog, "editX", "700");
        type(dialog, "editY", "9");
        pressOk(dialog);
    });
    command(cmd::kWatermarkEdit);
    EXPECT_EQ(doc.watermarks[0].x, 700);
    EXPECT_EQ(doc.watermarks[0].y, 9);
    EXPECT_EQ(rowTexts(window->watermarkList(), 0).mid(1, 2), (QStringList{"700", "9"}));
    EXPECT_EQ(state().mode, CanvasMode::WatermarkSelected);
    EXPECT_EQ(scrolled.size(), 1);
}

TEST_F(WatermarkCommands, ChangingThePictureTakesItsSize) {
    addWatermarks(2);
    picture("tall.png", 12, 90);
    clickRows(window->watermarkList(), {1});
    ui.answerOpen(path("bad.png")).answerOpen(path("tall.png"));

    command(cmd::kWatermarkChangePicture);
    EXPECT_EQ(ui.boxes.size(), 1u);
    const WatermarkLayer& mark = doc.watermarks[1];
    EXPECT_EQ(mark.path, pictures + "/tall.png");
    EXPECT_EQ(mark.width, 12);
    EXPECT_EQ(mark.height, 90);
    EXPECT_EQ(rowTexts(window->watermarkList(), 1).mid(3), (QStringList{"12", "90", path("tall.png")}));
    EXPECT_EQ(window->statusText(kStatusLayerSize), "12 x 90 像素");
    EXPECT_EQ(doc.watermarks[0].width, 40);
}

TEST_F(WatermarkCommands, DeleteSelectsTheRowAtTheSamePositionOrThePreviousOne) {
    addWatermarks(3);
    clickRows(window->watermarkList(), {1});
    command(cmd::kWatermarkDelete);
    EXPECT_EQ(doc.watermarks.size(), 2u);
    EXPECT_EQ(rowTexts(window->watermarkList(), 1)[0], "2");
    EXPECT_EQ(selectedRows(window->watermarkList()), std::vector<int>{1});
    EXPECT_EQ(state().current, (CurrentLayer{LayerKind::Watermark, 1}));

    command(cmd::kWatermarkDelete);
    EXPECT_EQ(selectedRows(window->watermarkList()), std::vector<int>{0});
    EXPECT_EQ(state().current, (CurrentLayer{LayerKind::Watermark, 0}));

    command(cmd::kWatermarkDelete);
    EXPECT_TRUE(doc.watermarks.empty());
    EXPECT_EQ(state().current, CurrentLayer{});
    EXPECT_EQ(state().mode, CanvasMode::Idle);
    EXPECT_EQ(window->statusText(kStatusLayerSize), "");
}

}  // namespace
}  // namespace plazor::testing
