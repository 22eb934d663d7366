#include "batch/cli_options.h"

#include <gtest/gtest.h>

namespace plazor::batch {
namespace {

ParseResult parse(std::vector<std::string> args) {
    return parseCommandLine(args);
}

TEST(CommandLine, RenderTakesThreeFoldersAndItsOptions) {
    const auto r = parse({"render", "t.dat", "src", "out", "--subfolders", "--no-slice-subfolder", "--dpi",
                          "300", "--jobs", "2", "--exact"});
    ASSERT_TRUE(r.request) << r.error;
    EXPECT_EQ(r.request->command, Command::Render);
    EXPECT_EQ(r.request->templatePath, "t.dat");
    EXPECT_EQ(r.request->sourceFolder, "src");
    EXPECT_EQ(r.request->outputFolder, "out");
    EXPECT_TRUE(r.request->subFolders);
    EXPECT_FALSE(r.request->sliceSubFolder);
    EXPECT_EQ(r.request->dpi, 300);
    EXPECT_EQ(r.request->jobs, 2);
    EXPECT_TRUE(r.request->exact);

    const auto plain = parse({"render", "t.dat", "src", "out"});
    ASSERT_TRUE(plain.request);
    EXPECT_FALSE(plain.request->subFolders);
    EXPECT_TRUE(plain.request->sliceSubFolder);
    EXPECT_FALSE(plain.request->dpi);
    EXPECT_FALSE(plain.request->jobs);
    EXPECT_FALSE(plain.request->exact);
}

TEST(CommandLine, CheckAndTemplateForms) {
    const auto one = parse({"check", "t.dat"});
    ASSERT_TRUE(one.request);
    EXPECT_EQ(one.request->command, Command::Check);
    EXPECT_TRUE(one.request->sourceFolder.empty());
    EXPECT_TRUE(parse({"check", "t.dat", "src", "out"}).request);
    EXPECT_FALSE(parse({"check", "t.dat", "src"}).request);

    const auto write = parse({"template", "t.dat", "--write", "n.dat"});
    ASSERT_TRUE(write.request);
    EXPECT_EQ(write.request->writePath, "n.dat");
    EXPECT_EQ(parse({"--version"}).request->command, Command::Version);
    EXPECT_EQ(parse({"--help"}).request->command, Command::Help);
}

TEST(CommandLine, RefusesWhatItCannotUse) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"paint"},
        {"render", "t.dat", "src"},
        {"render", "t.dat", "src", "out", "extra"},
        {"render", "t.dat", "src", "out", "--dpi", "0"},
        {"render", "t.dat", "src", "out", "--dpi", "1201"},
        {"render", "t.dat", "src", "out", "--dpi", "72dpi"},
        {"render", "t.dat", "src", "out", "--jobs"},
        {"render", "t.dat", "src", "out", "--jobs", "0"},
        {"render", "t.dat", "src", "out", "--write", "x"},
        {"template", "t.dat", "--jobs", "2"},
        {"template", "t.dat", "--write"},
        {"check", "t.dat", "--no-slice-subfolder"},
        {"check", "t.dat", "src", "out", "--exact"},
        {"render", "t.dat", "src", "out", "--colour"},
    };
    for (const auto& args : bad) {
        const auto r = parse(args);
        EXPECT_FALSE(r.request) << (args.empty() ? std::string("(nothing)") : args.back());
        EXPECT_FALSE(r.error.empty());
    }
    EXPECT_TRUE(parse({"render", "t.dat", "src", "out", "--dpi", "1200", "--jobs", "64"}).request);
}

TEST(CommandLine, APlanFixesTheRunAndAShardIsKOfN) {
    const auto r = parse({"render", "--plan", "p.json", "--shard", "2/3", "--resume", "--jobs", "2"});
    ASSERT_TRUE(r.request) << r.error;
    EXPECT_EQ(r.request->planPath, "p.json");
    EXPECT_EQ(r.request->shardIndex, 2);
    EXPECT_EQ(r.request->shardCount, 3);
    EXPECT_TRUE(r.request->resume);
    ASSERT_TRUE(parse({"plan", "t.dat", "src", "out", "--subfolders", "--no-slice-subfolder"}).request);

    for (const char* shard : {"3/3", "0/0", "-1/2", "1", "1/", "a/b", "1/2/3"}) {
        EXPECT_FALSE(parse({"render", "--plan", "p.json", "--shard", shard}).request) << shard;
    }
    EXPECT_FALSE(parse({"render", "t.dat", "src", "out", "--shard", "0/2"}).request);  // no plan
    EXPECT_FALSE(parse({"render", "t.dat", "src", "out", "--resume"}).request);
    EXPECT_FALSE(parse({"render", "--plan", "p.json", "t.dat", "src", "out"}).request);
    EXPECT_FALSE(parse({"render", "--plan", "p.json", "--subfolders"}).request);  // the plan decided that
    EXPECT_FALSE(parse({"plan", "t.dat", "src"}).request);
}

TEST(CommandLine, HelpNamesEveryCommandOptionAndExitCode) {
    const std::string help = helpText();
    for (const char* word :
         {"render", "check", "template", "plan", "--subfolders", "--no-slice-subfolder", "--dpi", "--jobs",
          "--exact", "--write", "--plan", "--shard", "--resume", "Exit codes"}) {
        EXPECT_NE(help.find(word), std::string::npos) << word;
    }
}

}  // namespace
}  // namespace plazor::batch
