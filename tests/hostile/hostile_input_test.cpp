// plazor-batch over the hostile corpus, one process per case with a time limit: each case ends with
// its exit code, its message and its outputs, and leaves no hidden temporary behind.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "hostile/hostile_corpus.h"
#include "support/child_process.h"
#include "support/temp_dir.h"

namespace plazor::hostile {
namespace {

namespace fs = std::filesystem;

int entriesIn(const fs::path& folder) {
    int n = 0;
    if (!fs::exists(folder)) return n;
    for (const auto& e : fs::recursive_directory_iterator(folder)) {
        EXPECT_NE(e.path().filename().string()[0], '.') << e.path();
        ++n;
    }
    return n;
}

TEST(HostileInput, EveryCaseEndsAsDocumentedInTime) {
    testing::TempDir dir;
    const std::vector<HostileCase> cases = writeHostileCorpus(dir.path());
    ASSERT_GE(cases.size(), 20u);
    for (const HostileCase& c : cases) {
        SCOPED_TRACE(c.name);
        testing::ChildProcess batch(PLAZOR_BATCH_PROGRAM, c.args);
        ASSERT_TRUE(batch.wait(std::chrono::seconds(60))) << "no end within the time limit";
        const std::string said = batch.out() + batch.err();
        EXPECT_EQ(batch.exitCode(), c.exitCode) << said;
        if (!c.message.empty()) {
            EXPECT_NE(said.find(c.message), std::string::npos) << said;
        }
        if (c.outputFolder.empty()) continue;
        EXPECT_EQ(entriesIn(c.outputFolder), c.outputs) << said;
    }
}

}  // namespace
}  // namespace plazor::hostile
