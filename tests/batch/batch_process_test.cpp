// plazor-batch as a whole process: signals, and the files a run leaves behind.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>

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

}  // namespace
}  // namespace plazor
