#include "shell/settings_store.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <limits>

namespace plazor {
namespace {

using testing::TempDir;

TEST(SettingsStoreTest, OneIniFilePerKeyInTheGivenFolder) {
    TempDir dir;
    SettingsStore main(kMainSettingsKey, dir.path() / "config");
    SettingsStore companion(kCompanionSettingsKey, dir.path() / "config");
    EXPECT_EQ(main.filePath(), dir.path() / "config" / "PlazorTramu.ini");
    EXPECT_EQ(companion.filePath(), dir.path() / "config" / "PlazorTramu_fz.ini");

    // Writing to a key that does not exist yet creates it (folder and file).
    ASSERT_TRUE(main.writeNumber("dpi", 300));
    EXPECT_TRUE(std::filesystem::exists(main.filePath()));
    EXPECT_FALSE(std::filesystem::exists(companion.filePath()));
    EXPECT_EQ(companion.readNumber("dpi"), std::nullopt);
}

TEST(SettingsStoreTest, AbsentValuesAreReportedNotInvented) {
    TempDir dir;
    SettingsStore store(kMainSettingsKey, dir.path());
    EXPECT_EQ(store.readNumber("completed_alert"), std::nullopt);
    EXPECT_EQ(store.readText("dlg_choose_watermark", 260), std::nullopt);
    ASSERT_TRUE(store.writeNumber("completed_alert", 0));
    EXPECT_EQ(store.readNumber("completed_alert"), 0);
    EXPECT_EQ(store.readNumber("dpi"), std::nullopt);
}

TEST(SettingsStoreTest, NumbersAreThirtyTwoBitValues) {
    TempDir dir;
    SettingsStore store(kMainSettingsKey, dir.path());
    for (std::int32_t value :
         {0, 1, -1, 72, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()}) {
        ASSERT_TRUE(store.writeNumber("n", value));
        EXPECT_EQ(store.readNumber("n"), value);
    }
    // Values edited by hand: an unsigned 32-bit number wraps like a registry number; anything wider or
    // not a number is unreadable.
    testing::writeFile(
        store.filePath(),
        "[General]\nmax_unsigned=4294967295\ntoo_wide=4294967296\ntoo_low=-2147483649\nword=abc\n"
        "spaced= 42 \n");
    EXPECT_EQ(store.readNumber("max_unsigned"), -1);
    EXPECT_EQ(store.readNumber("too_wide"), std::nullopt);
    EXPECT_EQ(store.readNumber("too_low"), std::nullopt);
    EXPECT_EQ(store.readNumber("word"), std::nullopt);
    EXPECT_EQ(store.readNumber("spaced"), 42);
}

TEST(SettingsStoreTest, TextsRoundTripExactly) {
    TempDir dir;
    SettingsStore store(kMainSettingsKey, dir.path());
    for (const std::string text : {"", "/home/用户/桌面", "/a,b;c = d/@at/\"quoted\"/#hash", "@Variant(x)",
                                   " leading and trailing "}) {
        ASSERT_TRUE(store.writeText("file_dlg_choose_background", text));
        EXPECT_EQ(store.readText("file_dlg_choose_background", 260), text);
    }
    // A text stays a text even when it looks like a number.
    ASSERT_TRUE(store.writeText("t", "0072"));
    EXPECT_EQ(store.readText("t", 260), "0072");
}

TEST(SettingsStoreTest, ATextLongerThanTheBufferIsAFailureNotCut) {
    TempDir dir;
    SettingsStore store(kMainSettingsKey, dir.path());
    ASSERT_TRUE(store.writeText("t", "abcd"));
    EXPECT_EQ(store.readText("t", 5), "abcd");  // four bytes and the terminator
    EXPECT_EQ(store.readText("t", 4), std::nullopt);
    // A Chinese character takes two bytes of the buffer.
    ASSERT_TRUE(store.writeText("t", "桌面"));
    EXPECT_EQ(store.readText("t", 5), "桌面");
    EXPECT_EQ(store.readText("t", 4), std::nullopt);
}

TEST(SettingsStoreTest, AnUnwritableFolderFailsTheWrite) {
    TempDir dir;
    testing::writeFile(dir.path() / "file", "x");
    // The store's folder would have to be inside a plain file.
    SettingsStore store(kMainSettingsKey, dir.path() / "file" / "sub");
    EXPECT_FALSE(store.writeNumber("dpi", 96));
    EXPECT_EQ(store.readNumber("dpi"), std::nullopt);
}

}  // namespace
}  // namespace plazor
