#include "app/preferences.h"
#include "app/command_ids.h"
#include "shell/settings_store.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace plazor {
namespace {

using testing::TempDir;

class PreferencesTest : public ::testing::Test {
  protected:
    TempDir dir;
    std::string desktop = dir / "Desktop";
    SettingsStore store{kMainSettingsKey, dir.path() / "config"};

    void SetUp() override { std::filesystem::create_directories(desktop); }
};

TEST_F(PreferencesTest, AnEmptyStoreGivesTheDefaults) {
    const Preferences prefs = Preferences::load(store, desktop);
    EXPECT_EQ(prefs.defaultLayerLevel, 0);
    EXPECT_EQ(prefs.defaultOverflowStyle, 1);
    EXPECT_EQ(prefs.loadMode, kPictureListMode);
    EXPECT_EQ(prefs.sliceSubFolder, 1);
    EXPECT_EQ(prefs.completedAlert, 1);
    EXPECT_EQ(prefs.dpi, 72);
    EXPECT_EQ(prefs.backgroundDialogFolder, desktop);
    EXPECT_EQ(prefs.watermarkDialogFolder, desktop);
    EXPECT_EQ(prefs.checkShortcut, 1);
}

TEST_F(PreferencesTest, StoredValuesAreRead) {
    const std::string pictures = dir / "图片";
    std::filesystem::create_directories(pictures);
    store.writeNumber(pref::kDefaultLayerLevel, 1);
    store.writeNumber(pref::kDefaultOverflowStyle, 5);
    store.writeNumber(pref::kLoadMode, 1);
    store.writeNumber(pref::kSliceSubFolder, 0);
    store.writeNumber(pref::kCompletedAlert, 0);
    store.writeNumber(pref::kDpi, 300);
    store.writeText(pref::kBackgroundDialogFolder, pictures);
    store.writeText(pref::kWatermarkDialogFolder, dir.str());
    store.writeNumber(pref::kCheckShortcut, 0);

    const Preferences prefs = Preferences::load(store, desktop);
    EXPECT_EQ(prefs.defaultLayerLevel, 1);
    EXPECT_EQ(prefs.defaultOverflowStyle, 5);
    EXPECT_EQ(prefs.loadMode, kSubFolderListMode);
    EXPECT_EQ(prefs.sliceSubFolder, 0);
    EXPECT_EQ(prefs.completedAlert, 0);
    EXPECT_EQ(prefs.dpi, 300);
    EXPECT_EQ(prefs.backgroundDialogFolder, pictures);
    EXPECT_EQ(prefs.watermarkDialogFolder, dir.str());
    EXPECT_EQ(prefs.checkShortcut, 0);
}

TEST_F(PreferencesTest, VanishedFoldersAndOutOfRangeValuesKeepTheDefaults) {
    store.writeText(pref::kBackgroundDialogFolder, dir / "gone");
    store.writeText(pref::kWatermarkDialogFolder, std::string(300, 'a'));
    store.writeNumber(pref::kDefaultLayerLevel, 2);
    store.writeNumber(pref::kDefaultOverflowStyle, 6);
    store.writeNumber(pref::kLoadMode, -1);
    store.writeNumber(pref::kDpi, 0);
    store.writeNumber(pref::kCompletedAlert, 7);

    const Preferences prefs = Preferences::load(store, desktop);
    EXPECT_EQ(prefs.backgroundDialogFolder, desktop);
    EXPECT_EQ(prefs.watermarkDialogFolder, desktop);
    EXPECT_EQ(prefs.defaultLayerLevel, 0);
    EXPECT_EQ(prefs.defaultOverflowStyle, 1);
    EXPECT_EQ(prefs.loadMode, kPictureListMode);
    EXPECT_EQ(prefs.dpi, 72);
    EXPECT_EQ(prefs.completedAlert, 1);

    store.writeNumber(pref::kDpi, 1201);
    EXPECT_EQ(Preferences::load(store, desktop).dpi, 72);
    store.writeNumber(pref::kDpi, 1200);
    EXPECT_EQ(Preferences::load(store, desktop).dpi, 1200);
}

TEST_F(PreferencesTest, SettersStoreAtOnceAndFoldersWhenAsked) {
    Preferences prefs = Preferences::load(store, desktop);
    prefs.setDefaultLayerLevel(1);
    prefs.setDefaultOverflowStyle(4);
    prefs.setLoadMode(kSubFolderListMode);
    prefs.toggleSliceSubFolder();
    prefs.toggleCompletedAlert();
    prefs.setDpi(150);
    prefs.clearShortcutOffer();
    EXPECT_EQ(store.readNumber(pref::kDefaultLayerLevel), 1);
    EXPECT_EQ(store.readNumber(pref::kDefaultOverflowStyle), 4);
    EXPECT_EQ(store.readNumber(pref::kLoadMode), 1);
    EXPECT_EQ(store.readNumber(pref::kSliceSubFolder), 0);
    EXPECT_EQ(store.readNumber(pref::kCompletedAlert), 0);
    EXPECT_EQ(store.readNumber(pref::kDpi), 150);
    EXPECT_EQ(store.readNumber(pref::kCheckShortcut), 0);

    prefs.backgroundDialogFolder = dir.str();
    EXPECT_EQ(store.readText(pref::kBackgroundDialogFolder, 260), std::nullopt);
    prefs.storeDialogFolders();
    EXPECT_EQ(store.readText(pref::kBackgroundDialogFolder, 260), dir.str());
    EXPECT_EQ(store.readText(pref::kWatermarkDialogFolder, 260), desktop);

    prefs.toggleSliceSubFolder();
    EXPECT_EQ(prefs.sliceSubFolder, 1);
    EXPECT_EQ(store.readNumber(pref::kSliceSubFolder), 1);
}

TEST(PreferenceTextsTest, StatusTexts) {
    EXPECT_EQ(loadModeStatusText(kPictureListMode), QStringLiteral("\t\t图片列表模式　 "));
    EXPECT_EQ(loadModeStatusText(kSubFolderListMode), QStringLiteral("\t\t子文件夹列表模式　 "));
    EXPECT_EQ(dpiStatusText(72), QStringLiteral("\t72 dpi"));
    EXPECT_EQ(dpiStatusText(1200), QStringLiteral("\t1200 dpi"));
}

TEST(PreferenceCommandsTest, DefaultStyleMenuOrderMapsToStyleValues) {
    const std::pair<int, int> styleToCommand[] = {{0, 35402}, {4, 35403}, {1, 35404},
                                                  {2, 35405}, {3, 35406}, {5, 35407}};
    for (const auto& [style, command] : styleToCommand) {
        EXPECT_EQ(defaultStyleCommand(style), command);
        EXPECT_EQ(styleOfDefaultStyleCommand(command), style);
    }
}

TEST(PreferenceCommandsTest, FixedDpiCommands) {
    const std::pair<int, int> commandToDpi[] = {{35336, 350}, {35337, 300}, {35338, 150},
                                                {35339, 120}, {35340, 96},  {35341, 72}};
    for (const auto& [command, dpi] : commandToDpi) {
        EXPECT_EQ(fixedDpiOfCommand(command), dpi);
        EXPECT_EQ(commandOfFixedDpi(dpi), command);
    }
    EXPECT_EQ(fixedDpiOfCommand(cmd::kDpiCustom), 0);
    EXPECT_EQ(fixedDpiOfCommand(35342), 0);
    EXPECT_EQ(commandOfFixedDpi(200), 0);
}

}  // namespace
}  // namespace plazor
