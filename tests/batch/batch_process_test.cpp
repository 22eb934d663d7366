// plazor-batch as a whole process: signals, and the files a run leaves behind.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>

#include "render/run_request.h"
#include "support/child_process.h"
#include "support/pictures.h"
#include "support/temp_dir.h"
#include "template/template_file.h"

namespace plazor {
namespace {

namespace fs = std::filesystem;
using testing::ChildProcess;
using testing::TempDir;

std::vector<std::string> hiddenIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::recursive_directory_iterator(folder)) {
        const std::string name = e.path().filename().string();
        if (name[0] == '.') names.push_back(name);
    }
    return names;
}

bool anyEntryStartsWith(const fs::path& folder, const std::string& prefix) {
    for (const auto& e : fs::directory_iterator(folder)) {
        if (e.path().filename().string().rfind(prefix, 0) == 0) return true;
    }
    return false;
}

pid_t deadProcessId() {
    const pid_t child = fork();
    if (child == 0) _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

TEST(BatchProcess, TermAndHangUpStopTheRunCleanly) {
    TempDir dir;
    Document doc;
    doc.background.width = doc.background.height = 1500;  // slow enough to be caught mid-run
    doc.background.szWidth = doc.background.szHeight = "1500";
    PasteLayer& layer = doc.addPasteLayer(kAboveBackground, kStretch);
    layer.x = layer.y = 0;
    layer.width = layer.height = 1500;
    ASSERT_TRUE(saveTemplate(doc, dir / "t.dat").ok());
    for (int i = 0; i < 60; ++i) {
        Wand wand = testing::makeFilled(8, 8, "#ff0000");
        MagickSetImageFormat(wand.get(), "PNG");
        fs::create_directories(dir.path() / "src");
        ASSERT_EQ(MagickWriteImage(wand.get(), (dir / ("src/p" + std::to_string(i) + ".png")).c_str()),
                  MagickTrue);
    }
    fs::create_directories(dir.path() / "tmp");
    const std::string abandoned = "plazor-magick-" + std::to_string(deadProcessId()) + "-abcdef";
    fs::create_directories(dir.path() / "tmp" / abandoned / "magick-left");

    for (const int sig : {SIGTERM, SIGHUP}) {
        const fs::path out = dir.path() / ("out" + std::to_string(sig));
        ChildProcess batch(PLAZOR_BATCH_PROGRAM,
                           {"render", dir / "t.dat", dir / "src", out.string(), "--jobs", "2"},
                           {"TMPDIR=" + (dir / "tmp")});
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (batch.running() && !(fs::exists(out) && !fs::is_empty(out)) &&
               std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        batch.signal(sig);
        ASSERT_TRUE(batch.wait(std::chrono::seconds(60))) << sig;
        EXPECT_EQ(batch.exitCode(), 3) << sig << batch.err();
        EXPECT_NE(batch.out().find("stopped"), std::string::npos) << sig;
        EXPECT_LT(std::distance(fs::directory_iterator(out), fs::directory_iterator()), 60) << sig;
        EXPECT_EQ(hiddenIn(out), std::vector<std::string>{}) << sig;
        EXPECT_FALSE(anyEntryStartsWith(dir.path() / "tmp", "plazor-magick-")) << sig;
    }
}

// A failed check is printed whole and last, as the core tells it (the heading, then the text); both commands
// exit with 2 without making the output folder; the program needs no Qt for it.
TEST(BatchProcess, FailedChecksPrintTheCoresTextsAndExitTwo) {
    std::ifstream program(PLAZOR_BATCH_PROGRAM, std::ios::binary);
    const std::string image{std::istreambuf_iterator<char>(program), std::istreambuf_iterator<char>()};
    ASSERT_FALSE(image.empty());
    EXPECT_EQ(image.find("libQt6"), std::string::npos);

    TempDir dir;
    testing::writeFile(dir / "src/a.jpg", "not a picture, but named like one");
    testing::writeFile(dir / "mark.bmp", std::string("BM\x10\0\0\0", 6) + std::string(20, '\x01'));
    testing::writeFile(dir / "blocker", "1");
    auto placed = [](Document& doc) {
        PasteLayer& layer = doc.addPasteLayer(kAboveBackground, kStretch);
        layer.x = layer.y = 0;
        layer.width = layer.height = 10;
    };
    struct Case {
        std::function<void(Document&)> make;
        std::string source, output;
    };
    const std::vector<Case> cases = {
        {[](Document&) {}, dir / "src", dir / "out"},
        {[&](Document& doc) {
             placed(doc);
             doc.addSlice(100);
             doc.addSlice(100);
         },
         dir / "src", dir / "out"},
        {[&](Document& doc) {
             placed(doc);
             doc.addWatermark(dir / "mark.bmp", 0, 0);
         },
         dir / "src", dir / "out"},
        {placed, dir / "nowhere", dir / "out"},
        {placed, dir / "src", dir / "blocker/out"},
    };
    std::set<RunCheck> seen;
    for (const Case& c : cases) {
        Document doc;
        c.make(doc);
        ASSERT_TRUE(saveTemplate(doc, dir / "t.dat").ok());
        const RunCheckResult expected = checkRun(RunRequest{doc, c.source, c.output, kPictureListMode});
        ASSERT_FALSE(expected.ok());
        seen.insert(expected.failure->check);
        const std::string heading = expected.failure->title.empty() ? "提示" : expected.failure->title;
        for (const char* command : {"check", "render"}) {
            ChildProcess batch(PLAZOR_BATCH_PROGRAM, {command, dir / "t.dat", c.source, c.output});
            ASSERT_TRUE(batch.wait(std::chrono::seconds(60))) << command;
            EXPECT_EQ(batch.exitCode(), 2) << command << batch.err();
            // Loading the template may have told of a problem first.
            EXPECT_TRUE(batch.err().ends_with(heading + "\n" + expected.failure->text + "\n"))
                << command << batch.err();
            EXPECT_EQ(batch.out(), "") << command;
            EXPECT_FALSE(fs::exists(dir / "out")) << command;
        }
    }
    EXPECT_EQ(seen.size(), cases.size()) << "each case fails a different check";
}

}  // namespace
}  // namespace plazor
