// Runs in which something fails besides the pictures: writes that fail, canvases the image library
// cannot make, and templates repeating one watermark many times.
#include <gtest/gtest.h>

#include <cstdint>

#include "render/batch_output.h"
#include "render/canvas_budget.h"
#include "render/output_writer.h"
#include "render/run_support.h"
#include "render/watermark_cache.h"
#include "support/file_size_limit.h"

namespace plazor {
namespace {

namespace fs = std::filesystem;
using testing::kBlue;
using testing::kRed;
using testing::near;
using testing::pixelAt;

using testing::FileSizeLimit;
using testing::noisePicture;

constexpr rlim_t kLimit = 24 * 1024;

TEST(RunFailures, WritesThatFailAreCountedAndNoPartialFileIsLeft) {
    testing::TempDir dir;
    // Batches a, c and e are noise (larger than the limit as JPEG), b and d a flat colour.
    for (const char* name : {"a", "c", "e"})
        testing::writeEncoded(noisePicture(40, 40).get(), dir.path() / "src" / (std::string(name) + ".png"));
    for (const char* name : {"b", "d"})
        testing::writeEncoded(testing::makeFilled(40, 40, "#ff0000").get(),
                              dir.path() / "src" / (std::string(name) + ".png"));
    Document doc = testing::plainDocument(300, 300);
    testing::addSlot(doc, 0, 0, 300, 300);

    testing::RunRecord record;
    {
        const FileSizeLimit limit(kLimit);
        testing::runRecorded(doc, dir / "src", dir / "out", record, 2);
    }
    EXPECT_EQ(record.end, RunEnd::kFinished);
    EXPECT_EQ(record.summary.rendered, 5);
    EXPECT_EQ(record.summary.unwritten, 3);
    EXPECT_EQ(testing::filesIn(dir.path() / "out"), (std::vector<std::string>{"b.jpg", "d.jpg"}));
    ASSERT_EQ(record.info.size(), 3u);
    for (const InfoLine& line : record.info)
        EXPECT_EQ(line.text.rfind("写入文件 '", 0), 0u) << line.text;
    EXPECT_TRUE(near(pixelAt(testing::readPicture(dir.path() / "out" / "d.jpg").get(), 150, 150), kRed, 8));
}

// The page is what a shop uploads: it is written only when every strip it shows was.
TEST(RunFailures, AnHtmlPageIsWrittenOnlyWithAllItsStrips) {
    testing::TempDir dir;
    // Batch "noisy" has noise in the lower strip only; batch "plain" is flat throughout.
    testing::writeEncoded(noisePicture(40, 40).get(), dir.path() / "src" / "noisy.png");
    testing::writeEncoded(testing::makeFilled(40, 40, "#0000ff").get(), dir.path() / "src" / "plain.png");
    Document doc = testing::plainDocument(300, 400);
    testing::addSlot(doc, 0, 100, 300, 300);
    doc.settings.cutlineOpen = true;
    doc.settings.cutlineHtmlOpen = true;
    doc.addSlice(100);

    testing::RunRecord record;
    {
        const FileSizeLimit limit(kLimit);
        testing::runRecorded(doc, dir / "src", dir / "out", record, 1, false);
    }
    EXPECT_EQ(record.summary.unwritten, 1);
    EXPECT_EQ(testing::filesIn(dir.path() / "out"),
              (std::vector<std::string>{"noisy-1.jpg", "plain-1.jpg", "plain-2.jpg", "plain.html"}));
    EXPECT_TRUE(
        near(pixelAt(testing::readPicture(dir.path() / "out" / "plain-2.jpg").get(), 10, 10), kBlue, 8));
}

// A canvas the library cannot hold fails the batch with one line about the canvas: the good
// pictures of the batch are not blamed as invalid.
TEST(RunFailures, ACanvasTheLibraryCannotMakeIsNotBlamedOnThePictures) {
    testing::TempDir dir;
    for (const char* name : {"a", "b"})
        testing::writeEncoded(testing::makeFilled(10, 10, "#ff0000").get(),
                              dir.path() / "src" / (std::string(name) + ".png"));
    Document doc = testing::plainDocument(1000, 1000);  // 8 MB of pixel cache
    testing::addSlot(doc, 0, 0, 100, 100);
    PreparedRun prepared = prepareRun(RunRequest{doc, dir / "src", dir / "out", kPictureListMode, true, 1});
    ASSERT_TRUE(prepared.ok());

    const MagickSizeType limits[3] = {MagickGetResourceLimit(MemoryResource),
                                      MagickGetResourceLimit(MapResource),
                                      MagickGetResourceLimit(DiskResource)};
    for (ResourceType type : {MemoryResource, MapResource, DiskResource})
        MagickSetResourceLimit(type, 1 << 20);
    std::vector<InfoLine> info;
    RunCallbacks callbacks;
    callbacks.info = [&info](const InfoLine& line) { info.push_back(line); };
    RenderRun run(std::move(prepared.job), callbacks);
    ASSERT_TRUE(run.start());
    const RunEnd end = run.wait();
    MagickSetResourceLimit(MemoryResource, limits[0]);
    MagickSetResourceLimit(MapResource, limits[1]);
    MagickSetResourceLimit(DiskResource, limits[2]);

    EXPECT_EQ(end, RunEnd::kFinished);
    EXPECT_EQ(run.summary().unwritten, 2);
    ASSERT_EQ(info.size(), 2u);
    for (const InfoLine& line : info) {
        EXPECT_EQ(line.text.rfind("创建 1000 x 1000 像素的画布时发生错误:\n", 0), 0u) << line.text;
        EXPECT_TRUE(line.blankAfter);
    }
}

TEST(RunFailures, OneWatermarkRepeatedIsDecodedOnceAndTheCacheStaysBounded) {
    testing::TempDir dir;
    testing::writeEncoded(testing::makeFilled(10, 10, "#0000ff").get(), dir.path() / "blue.png");
    testing::writeEncoded(testing::makeFilled(20, 20, "#ff0000").get(), dir.path() / "red.png");
    testing::writeFile(dir.path() / "broken.png", "not a picture");

    const std::uint64_t blueBytes = canvasBytes(10, 10);
    WatermarkCache cache(blueBytes);  // room for the blue picture only
    for (int i = 0; i < 1000; ++i) {
        Wand blue = cache.picture(dir / "blue.png");
        ASSERT_TRUE(blue);
        if (i == 999) {
            EXPECT_EQ(pixelAt(blue.get(), 5, 5), kBlue);
        }
    }
    EXPECT_EQ(cache.decodes(), 1);
    // Too large for the bound: decoded for each use, never kept.
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(near(pixelAt(cache.picture(dir / "red.png").get(), 1, 1), kRed, 0));
    EXPECT_EQ(cache.decodes(), 4);
    EXPECT_LE(cache.heldBytes(), blueBytes);
    // What cannot be read is remembered as such.
    EXPECT_FALSE(cache.picture(dir / "broken.png"));
    EXPECT_FALSE(cache.picture(dir / "broken.png"));
    EXPECT_EQ(cache.decodes(), 5);
}

TEST(RunFailures, ThousandsOfWatermarkLayersOfOnePicture) {
    testing::TempDir dir;
    testing::writeEncoded(testing::makeFilled(2, 2, "#0000ff").get(), dir.path() / "dot.png");
    testing::writeEncoded(testing::makeFilled(10, 10, "#ff0000").get(), dir.path() / "src" / "a.png");
    Document doc = testing::plainDocument(200, 100);
    testing::addSlot(doc, 0, 0, 100, 100);
    doc.settings.watermarkOpen = true;
    doc.settings.format = kFormatPng;
    doc.settings.transparent = false;
    for (int i = 0; i < 5000; ++i)
        doc.addWatermark(dir / "dot.png", 100 + (i % 50) * 2, (i / 50) * 2);  // the right half, 2 px apart
    testing::RunRecord record;
    testing::runRecorded(doc, dir / "src", dir / "out", record);
    EXPECT_EQ(record.info, std::vector<InfoLine>{});
    Wand out = testing::readPicture(dir.path() / "out" / "a.png");
    EXPECT_EQ(pixelAt(out.get(), 50, 50), kRed);
    EXPECT_EQ(pixelAt(out.get(), 151, 77), kBlue);
    EXPECT_EQ(pixelAt(out.get(), 199, 99), kBlue);
}

// A picture the image library refuses to encode is reported with the library's own text and counts as
// not written, for a whole picture and for its strips alike; no file is left.
TEST(RunFailures, AnEncodingTheLibraryRefusesIsReportedWithItsText) {
    testing::TempDir dir;
    Wand reference = newWand();
    ASSERT_EQ(MagickSetImageFormat(reference.get(), "JPEG"), MagickFalse);
    const std::string libraryText = wandError(reference.get());
    const std::string kind = libraryText.substr(0, libraryText.find('`'));  // without the wand's own name
    ASSERT_FALSE(kind.empty());

    Document doc = testing::plainDocument(30, 30);
    doc.settings.colourSpace = kSpaceGrey;
    const Wand empty = newWand();  // a wand without a picture: every encoding step fails
    const Status prepared = prepareForOutput(empty.get(), doc.settings);
    ASSERT_FALSE(prepared.ok());
    EXPECT_EQ(prepared.error().rfind(kind, 0), 0u) << prepared.error();

    doc.addSlice(10);
    for (const bool slicing : {false, true}) {
        doc.settings.cutlineOpen = slicing;
        const std::string out = dir / (slicing ? "strips" : "whole");
        fs::create_directory(out);
        NameReserver names;
        const OutputPlan plan = planOutput(doc, out, "photo", false, names);
        std::vector<InfoLine> lines;
        const InfoSink sink = [&lines](const InfoLine& line) { lines.push_back(line); };
        std::atomic<int> stop{0};
        OutputContext context{doc, out, stop, sink};
        const OutputWritten written = writeOutput(empty.get(), plan, context);
        EXPECT_TRUE(written.keepGoing);
        EXPECT_FALSE(written.complete);
        const std::vector<std::string> paths = slicing ? plan.stripPaths : std::vector{plan.outputPath};
        ASSERT_EQ(lines.size(), paths.size());
        for (std::size_t i = 0; i < paths.size(); ++i)
            EXPECT_EQ(lines[i].text.rfind("写入文件 '" + paths[i] + "' 时发生错误:\n" + kind, 0), 0u)
                << lines[i].text;
        EXPECT_EQ(testing::filesIn(out), std::vector<std::string>{});
    }
}

}  // namespace
}  // namespace plazor
