// The tools and help menus: the companion program, the web site's pages and the About box.
#include <gtest/gtest.h>

#include <QTest>

#include "app/command_ids.h"
#include "editor_fixture.h"
#include "util/product.h"

namespace plazor::testing {
namespace {

namespace fs = std::filesystem;

using HelpCommands = EditorTest;

TEST_F(HelpCommands, AboutNamesTheProgramVersionWordSizeAndSite) {
    command(cmd::kAbout);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.lastBox().text(),
              QStringLiteral("Plazor图片排版工具 V6.0 (%1位)\n\n\n图片排版，批量制作图片。\n\n\n官网：%2")
                  .arg(sizeof(void*) * 8)
                  .arg(product::kSiteAddress));
    EXPECT_EQ(ui.lastBox().caption(), "关于");
    EXPECT_EQ(ui.lastBox().icon(), UiIcon::Information);
}

TEST_F(HelpCommands, TheGuideAndHomePageOpenInTheBrowser) {
    command(cmd::kUserGuide);
    command(cmd::kWebSite);
    EXPECT_EQ(ui.openedUrls, (std::vector<QString>{product::kUserGuidePage, product::kHomePage}));
}

TEST_F(HelpCommands, TheCompanionStartsFromTheProgramFolder) {
    command(cmd::kBatchFolders);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.lastBox().text(), "找不到文件：z_tandro");
    EXPECT_EQ(ui.lastBox().caption(), "错误");
    EXPECT_EQ(ui.lastBox().icon(), UiIcon::Error);

    // A stand-in companion that leaves a mark in the folder it was started in.
    const fs::path companion = fs::path(folders.program) / "z_tandro";
    writeFile(companion, "#!/bin/sh\ntouch started\n");
    fs::permissions(companion, fs::perms::owner_exec, fs::perm_options::add);
    command(cmd::kBatchFolders);
    EXPECT_EQ(ui.boxes.size(), 1u);
    const fs::path mark = fs::path(folders.program) / "started";
    EXPECT_TRUE(QTest::qWaitFor([&mark] { return fs::exists(mark); }, 10000));
}

}  // namespace
}  // namespace plazor::testing
