// A run plan end to end: shards on their own write what one run writes, an interrupted plan resumes,
// and damaged or hostile plans are refused before anything is written.
#include "batch/plan_commands.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "support/pictures.h"
#include "support/temp_dir.h"
#include "template/template_file.h"

namespace plazor::batch {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

struct Outcome {
    int code;
    std::string out, err;
};

Outcome run(const std::vector<std::string>& args) {
    const ParseResult parsed = parseCommandLine(args);
    EXPECT_TRUE(parsed.request) << parsed.error;
    if (!parsed.request) return {-1, {}, {}};
    std::ostringstream out, err;
    std::atomic<std::atomic<int>*> stop{nullptr};
    const int code = runRequest(*parsed.request, {out, err, false}, stop);
    return {code, out.str(), err.str()};
}

// One slot filling a 60 x 40 background; with slices, PNG strips in a sub-folder and an HTML page.
std::string makeTemplate(const TempDir& dir, bool slicing, const std::string& backgroundPicture = "") {
    Document doc;
    if (!backgroundPicture.empty()) {
        doc.background.kind = kPictureBackground;
        doc.background.picturePath = backgroundPicture;
    }
    doc.background.width = 60;
    doc.background.height = 40;
    doc.background.szWidth = "60";
    doc.background.szHeight = "40";
    PasteLayer& layer = doc.addPasteLayer(kAboveBackground, kStretch);
    layer.x = layer.y = 0;
    layer.width = 60;
    layer.height = 40;
    doc.settings.cutlineOpen = slicing;
    doc.settings.cutlineHtmlOpen = slicing;
    if (slicing) {
        doc.settings.format = kFormatPng;
        doc.addSlice(10);
        doc.addSlice(25);
    }
    const std::string path = dir / "t.dat";
    EXPECT_TRUE(saveTemplate(doc, path).ok());
    return path;
}

// Five batches; photo.jpg and photo.png both name their batch "photo".
void makeSources(const TempDir& dir) {
    ASSERT_TRUE(testing::writeFilledPicture(dir / "src/photo.jpg", "JPEG", 30, 20, "#ff0000"));
    ASSERT_TRUE(testing::writeFilledPicture(dir / "src/photo.png", "PNG", 20, 30, "#00ff00"));
    ASSERT_TRUE(testing::writeFilledPicture(dir / "src/b.gif", "GIF", 10, 10, "#0000ff"));
    ASSERT_TRUE(testing::writeFilledPicture(dir / "src/c.jpg", "JPEG", 50, 50, "#ffff00"));
    ASSERT_TRUE(testing::writeFilledPicture(dir / "src/d.png", "PNG", 8, 40, "#00ffff"));
}

// Every entry under `root`: relative path -> bytes ("/" for a folder).
std::map<std::string, std::string> tree(const fs::path& root) {
    std::map<std::string, std::string> entries;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        const std::string rel = fs::relative(e.path(), root).string();
        entries[rel] = e.is_directory() ? "/" : testing::readFile(e.path());
    }
    return entries;
}

std::string writePlan(const TempDir& dir, const std::string& templ, const std::string& out,
                      const std::vector<std::string>& options = {}) {
    std::vector<std::string> args = {"plan", templ, dir / "src", out};
    args.insert(args.end(), options.begin(), options.end());
    const Outcome o = run(args);
    EXPECT_EQ(o.code, kExitOk) << o.err;
    testing::writeFile(dir / "plan.json", o.out);
    return dir / "plan.json";
}

TEST(PlanCommands, ShardsTogetherWriteExactlyTheFilesOfOneRun) {
    for (const bool slicing : {false, true}) {
        SCOPED_TRACE(slicing ? "slices" : "whole pictures");
        TempDir dir;
        const std::string templ = makeTemplate(dir, slicing);
        makeSources(dir);
        // A file already in both output folders takes the name batch "c" would get first.
        const std::string taken = slicing ? "c" : "c.jpg";
        testing::writeFile(dir / ("one/" + taken), "not ours");
        testing::writeFile(dir / ("many/" + taken), "not ours");

        ASSERT_EQ(run({"render", templ, dir / "src", dir / "one", "--jobs", "1"}).code, kExitOk);
        const std::string plan = writePlan(dir, templ, dir / "many");
        // Shard 1 (the second "photo") runs before shard 0, so names decided late would collide.
        for (const char* shard : {"1/3", "2/3", "0/3"}) {
            const Outcome o = run({"render", "--plan", plan, "--shard", shard, "--jobs", "2"});
            EXPECT_EQ(o.code, kExitOk) << shard << ": " << o.err;
        }
        const auto expected = tree(dir.path() / "one");
        EXPECT_EQ(tree(dir.path() / "many"), expected);
        // The two "photo" batches fall into different shards and still get distinct names.
        EXPECT_EQ(expected.count(slicing ? "photo(2)/photo-3.png" : "photo(2).jpg"), 1u);
        EXPECT_EQ(expected.count(slicing ? "c(2)/c-1.png" : "c(2).jpg"), 1u);
        EXPECT_EQ(expected.at(taken), "not ours");
    }
}

TEST(PlanCommands, SubFolderPlansKeepTheListingOrderOfOneRun) {
    TempDir dir;
    const std::string templ = makeTemplate(dir, false);
    for (const char* sub : {"x", "y", "z"}) {
        ASSERT_TRUE(testing::writeFilledPicture(dir / (std::string("src/") + sub + "/2.png"), "PNG", 9, 9,
                                                "#00ff00"));
        ASSERT_TRUE(testing::writeFilledPicture(dir / (std::string("src/") + sub + "/1.jpg"), "JPEG", 9, 9));
    }
    ASSERT_TRUE(testing::writeFilledPicture(dir / "src/.hidden/h.jpg", "JPEG", 9, 9));
    ASSERT_EQ(run({"render", templ, dir / "src", dir / "one", "--subfolders"}).code, kExitOk);
    const std::string plan = writePlan(dir, templ, dir / "many", {"--subfolders"});
    EXPECT_NE(testing::readFile(plan).find("\"pictures\":[\"y/"), std::string::npos);
    for (const char* shard : {"1/2", "0/2"})
        EXPECT_EQ(run({"render", "--plan", plan, "--shard", shard}).code, kExitOk);
    const auto expected = tree(dir.path() / "one");
    EXPECT_EQ(expected.size(), 3u);
    EXPECT_EQ(tree(dir.path() / "many"), expected);
}

TEST(PlanCommands, ResumeRendersOnlyBatchesWithMissingFiles) {
    TempDir dir;
    const std::string templ = makeTemplate(dir, true);
    makeSources(dir);
    const std::string plan = writePlan(dir, templ, dir / "out");
    ASSERT_EQ(run({"render", "--plan", plan}).code, kExitOk);
    const auto full = tree(dir.path() / "out");

    // An interrupted run: one strip of batch "b" never written; a complete batch "c" whose page we mark.
    fs::remove(dir / "out/b/b-2.png");
    testing::writeFile(dir / "out/c.html", "marked");

    const Outcome refused = run({"render", "--plan", plan});
    EXPECT_EQ(refused.code, kExitChecks);
    EXPECT_NE(refused.err.find("--resume"), std::string::npos) << refused.err;
    EXPECT_FALSE(fs::exists(dir / "out/b/b-2.png"));

    const Outcome resumed = run({"render", "--plan", plan, "--resume"});
    EXPECT_EQ(resumed.code, kExitOk) << resumed.err;
    EXPECT_NE(resumed.out.find("finished: 1 batch"), std::string::npos) << resumed.out;
    EXPECT_NE(resumed.out.find("4 already done"), std::string::npos) << resumed.out;
    auto now = tree(dir.path() / "out");
    EXPECT_EQ(now.at("c.html"), "marked");  // skipped, not rendered again
    now["c.html"] = full.at("c.html");
    EXPECT_EQ(now, full);
}

TEST(PlanCommands, DamagedOrHostilePlansAreRefusedBeforeAnythingIsWritten) {
    TempDir dir;
    const std::string templ = makeTemplate(dir, false);
    makeSources(dir);
    const std::string good = testing::readFile(writePlan(dir, templ, dir / "out"));
    ASSERT_NE(good.find("\"output\":\"b.jpg\""), std::string::npos) << good;
    const std::size_t base64 = good.find("\"base64\":\"") + 12;

    struct Case {
        std::string plan, why;
    };
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    std::string tampered = good;
    tampered[base64] = tampered[base64] == 'A' ? 'B' : 'A';
    const std::vector<Case> cases = {
        {replaced("\"output\":\"b.jpg\"", "\"output\":\"../b.jpg\""), "not a plain name"},
        {replaced("\"output\":\"b.jpg\"", "\"output\":\"/tmp/b.jpg\""), "not a plain name"},
        {replaced("\"output\":\"b.jpg\"", "\"output\":\"b.sh\""), "does not end in .jpg"},
        {replaced("\"output\":\"b.jpg\"", "\"output\":\"c.jpg\""), "used twice"},
        {replaced("\"pictures\":[\"b.gif\"]", "\"pictures\":[\"../../etc/passwd\"]"),
         "not inside the source"},
        {replaced("\"source\":", "\"source\":\"relative\",\"x\":"), "source"},
        {replaced("\"version\": 1", "\"version\": 2"), "version"},
        {tampered, "SHA-256"},
        {good.substr(0, good.size() / 2), "JSON"},
        {"[1, 2]", "not a run plan"},
    };
    for (const Case& c : cases) {
        testing::writeFile(dir / "bad.json", c.plan);
        const Outcome o = run({"render", "--plan", dir / "bad.json"});
        EXPECT_EQ(o.code, kExitTemplate) << c.why;
        EXPECT_NE(o.err.find(c.why), std::string::npos) << o.err;
    }
    EXPECT_TRUE(fs::is_empty(dir / "out"));
    EXPECT_EQ(run({"render", "--plan", dir / "missing.json"}).code, kExitTemplate);
}

TEST(PlanCommands, AStripFolderReplacedByALinkIsNotFollowed) {
    TempDir dir;
    const std::string templ = makeTemplate(dir, true);
    makeSources(dir);
    const std::string plan = writePlan(dir, templ, dir / "out");
    fs::create_directories(dir / "elsewhere");
    fs::create_directory_symlink(dir / "elsewhere", dir / "out/b");
    const Outcome o = run({"render", "--plan", plan, "--shard", "0/5"});  // batch 1 is "b"
    EXPECT_NE(o.err.find("创建子文件夹"), std::string::npos) << o.err;
    EXPECT_TRUE(fs::is_empty(dir / "elsewhere"));
    EXPECT_FALSE(fs::exists(dir / "out/b.html"));
}

TEST(PlanCommands, TheTemplatesProblemsArePrintedWhetherThePlanIsAcceptedOrRefused) {
    TempDir dir;
    const std::string background = dir / "bg.png";
    ASSERT_TRUE(testing::writeFilledPicture(background, "PNG", 60, 40, "#808080"));
    const std::string templ = makeTemplate(dir, false, background);
    makeSources(dir);
    const std::string good = testing::readFile(writePlan(dir, templ, dir / "out"));
    fs::remove(background);
    const std::string problem = "背景图片 '" + background + "' 已不存在";

    std::string bad = good;
    const std::string output = "\"output\":\"b.jpg\"";
    ASSERT_NE(bad.find(output), std::string::npos) << bad;
    bad.replace(bad.find(output), output.size(), "\"output\":\"../b.jpg\"");
    testing::writeFile(dir / "bad.json", bad);
    const Outcome refused = run({"render", "--plan", dir / "bad.json"});
    EXPECT_EQ(refused.code, kExitTemplate);
    const std::size_t line = refused.err.find(problem);
    ASSERT_NE(line, std::string::npos) << refused.err;
    EXPECT_GT(refused.err.find("not a plain name"), line) << refused.err;

    testing::writeFile(dir / "good.json", good);
    const Outcome accepted = run({"render", "--plan", dir / "good.json"});
    EXPECT_EQ(accepted.code, kExitOk) << accepted.err;
    EXPECT_NE(accepted.err.find(problem), std::string::npos) << accepted.err;
}

}  // namespace
}  // namespace plazor::batch
