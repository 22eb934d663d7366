// Files dropped on the editor: a template opens after the save question, a folder fills the source
// or output field as if chosen, anything else is refused before it reaches a field.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>

#include "app/command_ids.h"
#include "layer_commands_fixture.h"
#include "template/template_file.h"

namespace plazor::testing {
namespace {

namespace fs = std::filesystem;

class FileDrops : public LayerCommandsTest {
  protected:
    // Drags `path` onto `target` and drops it there; true when the target took the drag.
    bool drop(QWidget* target, const QString& path) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        QDropEvent dropped(QPointF(2, 2), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &dropped);
        QCoreApplication::processEvents();
        EXPECT_EQ(enter.isAccepted(), dropped.isAccepted()) << path.toStdString();
        return dropped.isAccepted();
    }
    const PanelControls& controls() const { return window->panel(); }
};

TEST_F(FileDrops, ATemplateDroppedOnTheWindowOpensAfterTheSaveQuestion) {
    Document saved;
    saved.addPasteLayer(kAboveBackground, kStretch);
    saved.setPasteLayerRect(0, 0, 0, 100, 100);
    saved.addPasteLayer(kAboveBackground, kStretch);
    saved.setPasteLayerRect(1, 100, 0, 100, 100);
    const std::string path = dir / "相册.DAT";
    ASSERT_TRUE(saveTemplate(saved, path).ok());

    placedPasteLayers({kCropCentre});
    ui.answerBox(UiButton::Cancel);
    EXPECT_TRUE(drop(window.get(), QString::fromStdString(path)));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.lastBox().text(), "当前模版已更改，是否保存更改？");
    EXPECT_EQ(doc.pasteLayers.size(), 1u);

    ui.answerBox(UiButton::No);
    EXPECT_TRUE(drop(window.get(), QString::fromStdString(path)));
    EXPECT_EQ(doc.pasteLayers.size(), 2u);
    EXPECT_EQ(controls().pasteList->rowCount(), 2);
    EXPECT_EQ(doc.currentPath, path);
    EXPECT_EQ(window->windowTitle(), "Plazor图片排版工具 - 相册.DAT");
    EXPECT_TRUE(ui.choosers.empty());

    // A picture or a folder dropped on the window is refused; a disabled window takes nothing.
    const std::string picture = dir / "a.png";
    writeFile(picture, "png");
    EXPECT_FALSE(drop(window.get(), QString::fromStdString(picture)));
    EXPECT_FALSE(drop(window.get(), QString::fromStdString(dir.str())));
    window->setEnabled(false);
    EXPECT_FALSE(drop(window.get(), QString::fromStdString(path)));
    EXPECT_EQ(ui.boxes.size(), 2u);
}

TEST_F(FileDrops, AFolderDroppedOnAFolderFieldFillsItAsIfChosen) {
    const std::string source = dir / "照片";
    const std::string output = dir / "成品";
    fs::create_directories(source);
    fs::create_directories(output);

    // A file manager's folder may end in "/".
    EXPECT_TRUE(drop(controls().sourceFolder, QString::fromStdString(source + "/")));
    EXPECT_EQ(controls().sourceFolder->text().toStdString(), source);
    EXPECT_EQ(controls().outputFolder->text().toStdString(), source + "_处理后");
    EXPECT_EQ(doc.sourceFolder, source);

    EXPECT_TRUE(drop(controls().outputFolder, QString::fromStdString(output)));
    EXPECT_EQ(controls().outputFolder->text().toStdString(), output);
    EXPECT_EQ(controls().sourceFolder->text().toStdString(), source);

    // A file or a missing folder is not typed into the field as text.
    const std::string picture = source + "/a.png";
    writeFile(picture, "png");
    EXPECT_FALSE(drop(controls().sourceFolder, QString::fromStdString(picture)));
    EXPECT_FALSE(drop(controls().outputFolder, QString::fromStdString(dir / "不在")));
    EXPECT_EQ(controls().sourceFolder->text().toStdString(), source);
    EXPECT_EQ(controls().outputFolder->text().toStdString(), output);
}

}  // namespace
}  // namespace plazor::testing
