#include "app/startup.h"
#include "app/desktop_launcher.h"
#include "app/preferences.h"
#include "shell/settings_store.h"
#include "support/recording_ui_port.h"
#include "support/temp_dir.h"
#include "util/product.h"

#include <gtest/gtest.h>

#include <QProcess>

#include <filesystem>

namespace plazor {
namespace {

namespace fs = std::filesystem;
using testing::RecordingUiPort;
using testing::TempDir;

// What desktop-file-validate says about a launcher file; empty when it passes.
std::string validatorComplaints(const std::string& launcher) {
    QProcess validate;
    validate.start(QStringLiteral(PLAZOR_DESKTOP_FILE_VALIDATE), {QString::fromStdString(launcher)});
    if (!validate.waitForFinished(30000)) return "desktop-file-validate did not finish";
    const std::string said =
        (validate.readAllStandardOutput() + validate.readAllStandardError()).toStdString();
    if (validate.exitStatus() != QProcess::NormalExit || validate.exitCode() != 0) return "rejected: " + said;
    return said;
}

ImageLibraryChecks checks(bool jpeg, bool readable) {
    return {[jpeg] { return jpeg; },
            [readable](std::string& error) {
                if (!readable) error = "no decode delegate for this image format `PNG'";
                return readable;
            }};
}

TEST(ImageLibraryStart, AWorkingLibraryLetsTheStartGoOn) {
    TempDir program;
    RecordingUiPort ui;
    EXPECT_EQ(checkImageLibrary(ui, program.str(), checks(true, true)), std::nullopt);
    EXPECT_TRUE(ui.boxes.empty());
}

TEST(ImageLibraryStart, WithoutAJpegCoderTheInstallationMessageEndsTheStart) {
    TempDir program;
    RecordingUiPort ui;
    EXPECT_EQ(checkImageLibrary(ui, program.str(), checks(false, true)), -1);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.lastBox().text(), QStringLiteral("软件无法正常启动，可能是没有对下载的软件压缩包进行正确的解"
                                                  "压缩。\n\n点击[确定]按钮，查看正确的解压缩方式。"));
    EXPECT_EQ(ui.lastBox().caption(), QStringLiteral("提示"));
    EXPECT_EQ(ui.lastBox().icon(), UiIcon::Error);
    EXPECT_EQ(ui.lastBox().request.owner, nullptr);
    EXPECT_EQ(ui.openedUrls, std::vector<QString>{QString::fromUtf8(product::kUnpackPage)});
}

TEST(ImageLibraryStart, UnreadableProbesEndTheStartWithZero) {
    TempDir program;
    RecordingUiPort ui;
    EXPECT_EQ(checkImageLibrary(ui, program.str(), checks(true, false)), 0);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.lastBox().caption(), QStringLiteral("提示"));
    EXPECT_EQ(ui.lastBox().icon(), UiIcon::Error);
    EXPECT_TRUE(ui.lastBox().text().contains(QStringLiteral("no decode delegate")));
    EXPECT_TRUE(ui.openedUrls.empty());
}

class ShortcutQuestion : public ::testing::Test {
  protected:
    void SetUp() override {
        folders.program = program.str();
        folders.desktop = desktop / "Desktop";
    }

    // Answers the question with `button` the way the start-up does.
    void answer(UiButton button) {
        ui.answerBox(button);
        offerDesktopShortcut(
            ui, nullptr, prefs.checkShortcut != 0, folders,
            [this] { createDesktopShortcut(ui, nullptr, folders.desktop, program / "plazor"); },
            [this] { prefs.clearShortcutOffer(); });
    }

    std::string launcher() const { return desktopLauncherPath(folders.desktop); }

    TempDir program;
    TempDir desktop;
    TempDir config;
    SettingsStore store{kMainSettingsKey, config.path()};
    Preferences prefs = Preferences::load(store, desktop.str());
    StartupFolders folders;
    RecordingUiPort ui;
};

TEST_F(ShortcutQuestion, AsksWithTheRenamedButtons) {
    answer(UiButton::Cancel);
    ASSERT_EQ(ui.boxes.size(), 1u);
    const MessageBoxRequest& box = ui.lastBox().request;
    EXPECT_EQ(box.text, QStringLiteral("需要在桌面上创建一个软件打开的快捷方式吗？"));
    EXPECT_EQ(box.caption, QStringLiteral("询问"));
    EXPECT_EQ(box.buttons, UiButtons::YesNoCancel);
    EXPECT_EQ(box.labels, (QStringList{QString(), QStringLiteral("不再提示"), QStringLiteral("否(&N)")}));
}

TEST_F(ShortcutQuestion, YesCreatesAnExecutableLauncherOnTheDesktop) {
    answer(UiButton::Yes);

    ASSERT_TRUE(fs::exists(launcher()));
    EXPECT_EQ(fs::path(launcher()).filename(), "Plazor图片排版.desktop");
    EXPECT_NE(fs::status(launcher()).permissions() & fs::perms::owner_exec, fs::perms::none);
    const std::string text = testing::readFile(launcher());
    EXPECT_TRUE(text.starts_with("[Desktop Entry]\n"));
    EXPECT_NE(text.find("\nExec=\"" + (program / "plazor") + "\" %f\n"), std::string::npos);
    EXPECT_EQ(validatorComplaints(launcher()), "");
    EXPECT_NE(text.find("\nPath=" + program.str() + "\n"), std::string::npos);
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.lastBox().text(), QStringLiteral("在桌面上成功创建了一个【快捷启动方式】"));
    EXPECT_EQ(ui.lastBox().icon(), UiIcon::Information);

    // With the launcher there, the question is not asked again.
    EXPECT_FALSE(shouldOfferShortcut(true, folders.program, folders.desktop));
}

TEST_F(ShortcutQuestion, DoNotAskAgainStoresThePreference) {
    answer(UiButton::No);
    EXPECT_FALSE(fs::exists(launcher()));
    EXPECT_EQ(store.readNumber(pref::kCheckShortcut), 0);
    EXPECT_EQ(Preferences::load(store, desktop.str()).checkShortcut, 0);
}

TEST_F(ShortcutQuestion, NoLeavesEverythingForTheNextStart) {
    answer(UiButton::Cancel);
    EXPECT_FALSE(fs::exists(launcher()));
    EXPECT_EQ(store.readNumber(pref::kCheckShortcut), std::nullopt);
    EXPECT_TRUE(shouldOfferShortcut(prefs.checkShortcut != 0, folders.program, folders.desktop));
}

TEST_F(ShortcutQuestion, IsNotAskedFromTheDesktopOrWhenSwitchedOff) {
    EXPECT_FALSE(shouldOfferShortcut(false, folders.program, folders.desktop));
    EXPECT_FALSE(shouldOfferShortcut(true, folders.desktop + "/plazor", folders.desktop));
    EXPECT_FALSE(shouldOfferShortcut(true, folders.desktop, folders.desktop + "/"));
    // A sibling whose name merely starts like the desktop folder is not inside it.
    EXPECT_TRUE(shouldOfferShortcut(true, folders.desktop + "2/plazor", folders.desktop));
}

TEST(DesktopLauncher, ExecQuotesTheProgramPath) {
    const std::string program = "/opt/my \"best\" $app/100%/plazor";
    const std::string text = desktopLauncherText(program, "/opt");
    EXPECT_NE(text.find("\nExec=\"/opt/my \\\\\"best\\\\\" \\\\$app/100%%/plazor\" %f\n"), std::string::npos)
        << text;
    // The quoting and the field code as the freedesktop validator reads them, on the file as written.
    TempDir desktop;
    ASSERT_TRUE(createDesktopLauncher(desktop.str(), program));
    EXPECT_EQ(validatorComplaints(desktopLauncherPath(desktop.str())), "");
}

TEST(DesktopLauncher, AFailureIsReported) {
    TempDir dir;
    testing::writeFile(dir.path() / "file", "not a folder");
    RecordingUiPort ui;
    createDesktopShortcut(ui, nullptr, dir / "file", "/usr/bin/plazor");
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.lastBox().text(), QStringLiteral("在桌面上创建【快捷启动方式】失败"));
    EXPECT_EQ(ui.lastBox().caption(), QStringLiteral("提示"));
    EXPECT_EQ(ui.lastBox().icon(), UiIcon::Error);
}

}  // namespace
}  // namespace plazor
