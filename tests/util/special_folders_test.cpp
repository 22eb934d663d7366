#include "util/special_folders.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace plazor {
namespace {

TEST(UserFolders, TheToolsAnswerUnlessItIsHomeOrNothing) {
    EXPECT_EQ(userFolderFromToolOutput("/home/u/桌面\n", "/home/u", "Desktop"), "/home/u/桌面");
    EXPECT_EQ(userFolderFromToolOutput("/home/u\n", "/home/u/", "Documents"), "/home/u/Documents");
    EXPECT_EQ(userFolderFromToolOutput("", "/home/u", "Desktop"), "/home/u/Desktop");
}

TEST(ProgramFolder, IsTheFolderOfThisExecutable) {
    EXPECT_EQ(std::filesystem::path(programFile()).parent_path().string(), programFolder());
    EXPECT_TRUE(std::filesystem::exists(programFile()));
}

}  // namespace
}  // namespace plazor
