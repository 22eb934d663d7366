#include "shell/common_dialogs.h"
#include "shell/balloon_tip.h"
#include "shell/qt_ui_port.h"
#include "support/recording_ui_port.h"
#include "support/temp_dir.h"
#include "util/colour.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

#include <filesystem>
#include <functional>

namespace plazor {
namespace {

using testing::RecordingUiPort;

const std::string kHint = "\n\n提示：一个英文字母占 1 个字符，一个汉字占 2 个字符。";

// "/" + folder of `folderBytes` bytes + "/" + file name, `totalBytes` long in code-page-936 bytes.
std::string pathOf(std::size_t folderBytes, std::size_t totalBytes) {
    const std::string folder = "/" + std::string(folderBytes - 1, 'd');
    return folder + "/" + std::string(totalBytes - folderBytes - 1, 'f');
}

TEST(PathRule, APathOf259BytesIsAcceptedAnd260IsRefused) {
    EXPECT_FALSE(chosenPathRefusal(pathOf(100, 259), PathDialogKind::Save));

    const std::string path = pathOf(100, 260);
    EXPECT_EQ(chosenPathRefusal(path, PathDialogKind::Save),
              "文件路径长度不能大于 259 个字符！\n\n当前选择的文件路径长度：260 个字符\n" + path +
                  "\n\n解决方案：修改文件路径长度，使其长度不超过 259 个字符。" + kHint);
    EXPECT_EQ(chosenPathRefusal(path, PathDialogKind::Open),
              "文件路径长度不能大于 259 个字符！\n\n当前文件路径长度：260 个字符\n" + path +
                  "\n\n解决方案：修改文件路径长度，使其长度不超过 259 个字符。" + kHint);
}

TEST(PathRule, ChineseCharactersCountTwoBytes) {
    // "/" (1) + 100 Chinese characters (200) + "/" (1) + 58 letters = 260 bytes in 160 characters.
    std::string folder = "/";
    for (int i = 0; i < 100; ++i)
        folder += "图";
    const std::string path = folder + "/" + std::string(58, 'a');
    const auto refusal = chosenPathRefusal(path, PathDialogKind::Open);
    ASSERT_TRUE(refusal);
    EXPECT_NE(refusal->find("当前文件路径长度：260 个字符"), std::string::npos);
    EXPECT_FALSE(chosenPathRefusal(folder + "/" + std::string(57, 'a'), PathDialogKind::Open));
}

TEST(PathRule, ALongFolderIsRefusedFirst) {
    const std::string path = pathOf(260, 300);
    const std::string folder = folderOfPath(path);
    EXPECT_EQ(chosenPathRefusal(path, PathDialogKind::Open),
              "文件夹路径长度不能大于 259 个字符！\n\n当前文件夹路径长度：260 个字符\n" + folder +
                  "\n\n解决方案：修改文件夹路径长度，使其长度不超过 259 个字符。" + kHint);
    // A folder of exactly 259 bytes passes its own test and the whole path is refused instead.
    EXPECT_TRUE(
        chosenPathRefusal(pathOf(259, 300), PathDialogKind::Open)->starts_with("文件路径长度不能大于"));
}

TEST(PathRule, FolderOfAPath) {
    EXPECT_EQ(folderOfPath("/home/u/a.dat"), "/home/u");
    EXPECT_EQ(folderOfPath("/a.dat"), "/");
}

TEST(FileChoosers, ARefusedPathIsExplainedAndReportedLikeACancel) {
    RecordingUiPort ui;
    const QString tooLong = QString::fromStdString(pathOf(100, 260));
    ui.answerSave(tooLong);
    FileDialogRequest request;
    request.title = QStringLiteral("保存模版");

    EXPECT_FALSE(chooseFileToSave(ui, request));

    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.lastBox().caption(), QStringLiteral("提示"));
    EXPECT_EQ(ui.lastBox().icon(), UiIcon::Error);
    EXPECT_TRUE(
        ui.lastBox().text().startsWith(QStringLiteral("文件路径长度不能大于 259 个字符！\n\n当前选择的")));
    ASSERT_EQ(ui.choosers.size(), 1u);
    EXPECT_EQ(ui.choosers[0].title, QStringLiteral("保存模版"));
}

TEST(FileChoosers, AnAcceptedPathComesWithItsFolder) {
    RecordingUiPort ui;
    const QString path = QString::fromStdString(pathOf(100, 259));
    ui.answerOpen(path);

    const auto chosen = chooseFileToOpen(ui, {});

    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->path, path);
    EXPECT_EQ(chosen->folder, QString::fromStdString(folderOfPath(path.toStdString())));
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_FALSE(chooseFileToOpen(ui, {}));  // cancel
}

TEST(FolderChooser, AFolderThatDoesNotExistIsRefusedAndTheChooserOpensAgain) {
    testing::TempDir dir;
    const QString missing = QString::fromStdString(dir / "不在");
    const QString existing = QString::fromStdString(dir.str());
    RecordingUiPort ui;
    ui.answerFolder(missing).answerFolder(existing);

    const auto chosen = chooseExistingFolder(ui, nullptr, QStringLiteral("源图片文件夹"), existing, false);

    EXPECT_EQ(chosen, existing);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.lastBox().text(), QStringLiteral("文件夹 '%1' 不存在").arg(missing));
    EXPECT_EQ(ui.lastBox().caption(), QStringLiteral("提示"));
    EXPECT_EQ(ui.lastBox().icon(), UiIcon::Error);
    EXPECT_EQ(ui.choosers.size(), 2u);
    EXPECT_FALSE(chooseExistingFolder(ui, nullptr, QString(), existing, true));
}

TEST(FolderChooser, OpensOnTheNearestFolderThatExists) {
    testing::TempDir dir;
    const QString existing = QString::fromStdString(dir / "照片");
    std::filesystem::create_directories(existing.toStdString());
    const QString home = QStringLiteral("/home/someone");
    EXPECT_EQ(folderChooserStart(existing, home), existing);
    // A proposed output folder that no run has made yet opens beside its source folder.
    EXPECT_EQ(folderChooserStart(existing + QStringLiteral("_处理后"), home),
              QString::fromStdString(dir.str()));
    EXPECT_EQ(folderChooserStart(existing + QStringLiteral("/a/b"), home), existing);
    EXPECT_EQ(folderChooserStart(QString(), home), home);
}

// What a real file dialog shows when it opens: its folder, its name field and its filter labels.
struct DialogView {
    QString folder;
    QString name;
    QStringList labels;
};

DialogView viewOfFileDialog(const std::function<void(QtUiPort&)>& open) {
    DialogView view;
    QTimer::singleShot(0, [&view] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            ADD_FAILURE() << "no file dialog is open";
            return;
        }
        view.folder = dialog->directory().absolutePath();
        view.name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
        const auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        for (int i = 0; i < types->count(); ++i)
            view.labels.append(types->itemText(i));
        dialog->reject();
    });
    BalloonRegister balloons;
    QtUiPort ui(balloons);
    open(ui);
    return view;
}

TEST(QtFileDialogs, AFreshAccountStartsAtHomeWithAnEmptyNameAndEachLabelShownOnce) {
    testing::TempDir home;
    const QByteArray savedHome = qgetenv("HOME");
    qputenv("HOME", home.str().c_str());
    FileDialogRequest request;
    request.title = QStringLiteral("选择背景图片");
    request.filter = pictureFileFilter();
    request.startPath = QString::fromStdString(home / "Desktop");  // never made on this account

    const DialogView picture = viewOfFileDialog([&](QtUiPort& ui) { EXPECT_FALSE(ui.openFile(request)); });
    EXPECT_EQ(picture.folder, QString::fromStdString(home.str()));
    EXPECT_EQ(picture.name, QString());
    EXPECT_EQ(picture.labels, QStringList{QStringLiteral("图片格式 (*.PNG;*.JPG;*.GIF)")});

    // A label that is its own pattern list stays whole; an existing folder is opened as it is.
    std::filesystem::create_directories(home / "我的模版");
    request.filter = QStringLiteral("模版文件 (*.dat)");
    request.startPath = QString::fromStdString(home / "我的模版");
    const DialogView templates = viewOfFileDialog([&](QtUiPort& ui) { EXPECT_FALSE(ui.saveFile(request)); });
    EXPECT_EQ(templates.folder, request.startPath);
    EXPECT_EQ(templates.name, QString());
    EXPECT_EQ(templates.labels, QStringList{QStringLiteral("模版文件 (*.dat)")});
    qputenv("HOME", savedHome);
}

TEST(ColourText, LowerCaseHexadecimalRedFirst) {
    EXPECT_EQ(colourText(10u | 0u << 8 | 255u << 16), "#0a00ff");
    EXPECT_EQ(colourText(0xFFFFFF), "#ffffff");
}

TEST(WindowHelpers, ClientSizeAddsTheMenuBarAndTheStatusBar) {
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("文件(&F)"));
    window.statusBar()->setFixedHeight(22);
    setClientSize(&window, 640, 480, window.statusBar());
    EXPECT_EQ(window.width(), 640);
    EXPECT_EQ(window.height(), 480 + window.menuBar()->sizeHint().height() + 22);
}

}  // namespace
}  // namespace plazor
