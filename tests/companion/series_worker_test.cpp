#include "companion/series_worker.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "external/protocol.h"
#include "support/temp_dir.h"

namespace plazor::companion {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

TEST(MirroredFolder, KeepsThePartBelowTheSourceFolder) {
    EXPECT_EQ(mirroredFolder("/photos", "/photos_处理后", "/photos/2023/春"), "/photos_处理后/2023/春");
    EXPECT_EQ(mirroredFolder("/photos/", "/out/", "/photos/a"), "/out/a");
}

// Runs a series against a main program that reports `statusOf(task)` for each task (0: no status).
class RunSeries : public ::testing::Test {
  protected:
    std::optional<std::string> run(std::size_t folders, const std::function<int(int)>& statusOf) {
        for (std::size_t i = 1; i <= folders; ++i)
            plan.folders.push_back(dir / ("src/第" + std::to_string(i) + "组"));
        shared.state = kRunning;
        SeriesCallbacks report;
        report.status = [this](const std::string& text) { statuses.push_back(text); };
        report.progress = [this](int done) { progress.push_back(done); };
        report.sendStart = [&](const std::string& payload) {
            tasks.push_back(*external::decodeStartPayload(payload));
            if (const int status = statusOf(static_cast<int>(tasks.size()))) shared.onStatus(status);
            return delivered;
        };
        return runSeries(plan, shared, report);
    }

    TempDir dir;
    SeriesPlan plan{{}, dir / "src", dir / "out"};
    SeriesShared shared;
    bool delivered = true;
    std::vector<std::string> statuses;
    std::vector<int> progress;
    std::vector<external::ExternalTask> tasks;
};

TEST_F(RunSeries, EveryFolderIsOneTaskIntoItsMirroredFolder) {
    EXPECT_FALSE(run(3, [](int) { return 1; }));
    EXPECT_EQ(shared.state, kCompleted);
    EXPECT_EQ(progress, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(statuses, (std::vector<std::string>{
                            "共 3 个子文件夹, 正在处理第 1 个...", "共 3 个子文件夹, 已处理：1 个",
                            "共 3 个子文件夹, 已处理：2 个", "共 3 个子文件夹, 已处理：3 个"}));
    ASSERT_EQ(tasks.size(), 3u);
    EXPECT_EQ(tasks[1].sourceFolder, dir / "src/第2组");
    EXPECT_EQ(tasks[1].outputFolder, dir / "out/第2组");
    EXPECT_TRUE(fs::is_directory(dir / "out/第3组"));
}

TEST_F(RunSeries, AFolderNameThatIsNotUtf8IsReportedAndSkipped) {
    plan.folders = {dir / "src/a",
                    dir /
                        "src/b\xFF\xFE"
                        "c",
                    dir / "src/d"};
    shared.state = kRunning;
    SeriesCallbacks report;
    report.status = [this](const std::string& text) { statuses.push_back(text); };
    report.progress = [this](int done) { progress.push_back(done); };
    std::vector<std::string> skipped;
    report.skipped = [&](const std::string& text) { skipped.push_back(text); };
    report.sendStart = [&](const std::string& payload) {
        tasks.push_back(*external::decodeStartPayload(payload));
        shared.onStatus(external::kStatusFinished);
        return true;
    };
    EXPECT_FALSE(runSeries(plan, shared, report));
    EXPECT_EQ(shared.state, kCompleted);
    ASSERT_EQ(tasks.size(), 2u);
    EXPECT_EQ(tasks[1].sourceFolder, dir / "src/d");
    EXPECT_EQ(skipped, std::vector<std::string>{"无法处理的文件夹名: " + dir / "src/b\\xFF\\xFEc"});
    EXPECT_EQ(progress, (std::vector<int>{1, 2, 3}));
    // Nothing is made for a folder that was not handed over.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "out"), fs::directory_iterator()), 2);
}

TEST_F(RunSeries, AStoppedRunEndsTheSeriesAfterItsTask) {
    EXPECT_FALSE(run(5, [](int task) { return task == 3 ? 2 : 1; }));
    EXPECT_EQ(shared.state, kStopping);
    EXPECT_EQ(tasks.size(), 3u);
    EXPECT_EQ(progress, (std::vector<int>{1, 2}));
    EXPECT_FALSE(fs::exists(dir / "out/第4组"));
}

TEST_F(RunSeries, ATaskWithoutARunStopsTheSeriesInsteadOfWaitingForEver) {
    run(3, [](int task) { return task == 2 ? 0 : 1; });
    EXPECT_EQ(shared.state, kStopping);
    EXPECT_EQ(tasks.size(), 2u);
    EXPECT_EQ(progress, std::vector<int>{1});
}

TEST_F(RunSeries, AMainProgramThatCannotBeReachedStopsTheSeries) {
    delivered = false;
    run(3, [](int) { return 1; });
    EXPECT_EQ(shared.state, kStopping);
    EXPECT_EQ(tasks.size(), 1u);
    EXPECT_TRUE(progress.empty());
}

TEST_F(RunSeries, AnOutputFolderTooLongForThePayloadStopsBeforeItsTask) {
    plan.outputFolder = dir / std::string(250, 'o');
    const std::optional<std::string> tooLong = run(2, [](int) { return 1; });
    EXPECT_EQ(tooLong, plan.outputFolder + "/第1组");
    EXPECT_EQ(shared.state, kStopping);
    EXPECT_TRUE(tasks.empty());
}

TEST(SeriesShared, StatusesOutsideARunningSeriesAreIgnored) {
    SeriesShared shared;
    shared.onStatus(2);
    EXPECT_EQ(shared.state, kIdle);
    EXPECT_FALSE(shared.takeWakeUp());

    shared.state = kRunning;
    shared.onStatus(7);
    EXPECT_FALSE(shared.takeWakeUp());
    shared.onStatus(1);
    EXPECT_TRUE(shared.takeWakeUp());
    EXPECT_FALSE(shared.takeWakeUp());  // taken once
    EXPECT_EQ(shared.state, kRunning);
}

}  // namespace
}  // namespace plazor::companion
