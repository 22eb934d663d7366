// Print layouts and long pages beyond the system policy's caps of the image library: a 750 x 30000
// sliced page on a picture background and a 60-megapixel poster, each rendered by two workers.
#include <gtest/gtest.h>

#include "render/canvas_budget.h"
#include "render/run_support.h"

namespace plazor {
namespace {

namespace fs = std::filesystem;
using testing::kBlue;
using testing::kGreen;
using testing::kRed;
using testing::kYellow;
using testing::near;
using testing::pixelAt;
using testing::Rgba;

// Bands of 500 rows, blue and yellow in turn.
Rgba bandAt(int y) {
    return (y / 500) % 2 == 0 ? kBlue : kYellow;
}

void writePhotos(const fs::path& folder, int count) {
    for (int i = 0; i < count; ++i) {
        Wand photo = testing::makeFilled(40, 30, i % 2 == 0 ? "#00ff00" : "#ff0000");
        testing::writeEncoded(photo.get(), folder / ("p" + std::to_string(i) + ".png"));
    }
}

// Whatever the machine, a run never plans more workers than its memory holds (one always runs).
void expectWorkersFit(const RunSummary& summary, std::uint64_t shared) {
    EXPECT_GE(summary.workers, 1);
    EXPECT_LE(summary.workers, summary.requestedWorkers);
    if (summary.workers > 1) {
        EXPECT_LE(summary.workers * summary.workerBytes + shared, libraryMemoryBytes());
    }
}

TEST(LargeCanvas, LongSlicedPageOnAPictureBackgroundWithTwoWorkers) {
    testing::TempDir dir;
    constexpr int kWidth = 750, kHeight = 30000;
    {
        Wand page = testing::makeFilled(kWidth, kHeight, "#0000ff");
        Wand band = testing::makeFilled(kWidth, 500, "#ffff00");
        for (int y = 500; y < kHeight; y += 1000)
            MagickCompositeImage(page.get(), band.get(), OverCompositeOp, 0, y);
        testing::writeEncoded(page.get(), dir.path() / "page.jpg");
    }
    Document doc = testing::plainDocument(1, 1);
    doc.usePictureBackground();
    ASSERT_TRUE(doc.setBackgroundPicture(dir / "page.jpg")) << doc.background.pictureProblem;
    ASSERT_EQ(doc.background.height, kHeight);
    for (int i = 0; i < 4; ++i)
        testing::addSlot(doc, 100, i * 7000 + 1000, 550, 5000);
    doc.settings.cutlineOpen = true;
    doc.settings.cutlineHtmlOpen = true;
    for (int y = 3000; y < kHeight; y += 3000)
        doc.addSlice(y);  // nine slices, ten strips of 3000 rows
    writePhotos(dir.path() / "src", 8);

    testing::RunRecord record;
    testing::runRecorded(doc, dir / "src", dir / "out", record, 2);
    EXPECT_EQ(record.end, RunEnd::kFinished);
    EXPECT_EQ(record.info, std::vector<InfoLine>{});
    EXPECT_EQ(record.summary.rendered, 2);
    EXPECT_EQ(record.summary.unwritten, 0);
    expectWorkersFit(record.summary, canvasBytes(kWidth, kHeight));

    EXPECT_EQ(testing::filesIn(dir.path() / "out"),
              (std::vector<std::string>{"p0", "p0.html", "p4", "p4.html"}));
    const auto strips = testing::filesIn(dir.path() / "out" / "p4");
    ASSERT_EQ(strips.size(), 10u);
    // Batch p4 holds p4..p7: green, red, green, red from the top slot down.
    const Rgba slotColours[4] = {kGreen, kRed, kGreen, kRed};
    for (int s = 0; s < 10; ++s) {
        Wand strip = testing::readPicture(dir.path() / "out" / "p4" / strips[static_cast<std::size_t>(s)]);
        ASSERT_TRUE(strip);
        ASSERT_EQ(MagickGetImageWidth(strip.get()), std::size_t(kWidth));
        ASSERT_EQ(MagickGetImageHeight(strip.get()), 3000u);
        for (int row : {10, 1490, 2990}) {
            const int y = s * 3000 + row;
            const int slot = y / 7000;
            const bool inSlot = slot < 4 && y % 7000 >= 1000 && y % 7000 < 6000;
            EXPECT_TRUE(near(pixelAt(strip.get(), 20, row), bandAt(y), 12))
                << "strip " << s << " row " << row;
            if (inSlot) {
                EXPECT_TRUE(near(pixelAt(strip.get(), 375, row), slotColours[slot], 12))
                    << "strip " << s << " row " << row;
            }
        }
    }
    EXPECT_NE(testing::readFile(dir.path() / "out" / "p4.html")
                  .find("p4/p4-10.jpg\" width=\"750\" height=\"3000\""),
              std::string::npos);
}

TEST(LargeCanvas, SixtyMegapixelPosterWithTwoWorkers) {
    testing::TempDir dir;
    constexpr int kWidth = 10000, kHeight = 6000;
    Document doc = testing::plainDocument(kWidth, kHeight);
    doc.setBackgroundColour(kColourCustom, 0x00FFFF);  // yellow: red and green in the low bytes
    testing::addSlot(doc, 500, 500, 400, 300);
    testing::addSlot(doc, 9000, 5000, 400, 300);
    writePhotos(dir.path() / "src", 4);

    testing::RunRecord record;
    testing::runRecorded(doc, dir / "src", dir / "out", record, 2);
    EXPECT_EQ(record.end, RunEnd::kFinished);
    EXPECT_EQ(record.info, std::vector<InfoLine>{});
    EXPECT_EQ(record.summary.unwritten, 0);
    expectWorkersFit(record.summary, 0);
    ASSERT_EQ(testing::filesIn(dir.path() / "out"), (std::vector<std::string>{"p0.jpg", "p2.jpg"}));
    Wand poster = testing::readPicture(dir.path() / "out" / "p2.jpg");
    ASSERT_TRUE(poster);
    EXPECT_EQ(MagickGetImageWidth(poster.get()), std::size_t(kWidth));
    EXPECT_EQ(MagickGetImageHeight(poster.get()), std::size_t(kHeight));
    EXPECT_TRUE(near(pixelAt(poster.get(), 700, 650), kGreen, 12));
    EXPECT_TRUE(near(pixelAt(poster.get(), 9200, 5150), kRed, 12));
    EXPECT_TRUE(near(pixelAt(poster.get(), 5000, 3000), kYellow, 12));
}

// With less memory than two workers' canvases need, one worker renders every batch, and the summary
// says so; the pictures are the same.
TEST(LargeCanvas, FewerWorkersWhenTheirCanvasesDoNotFit) {
    testing::TempDir dir;
    Document doc = testing::plainDocument(2000, 2000);  // 32 MB of pixel cache per canvas
    testing::addSlot(doc, 0, 0, 1000, 1000);
    writePhotos(dir.path() / "src", 4);

    const MagickSizeType memory = MagickGetResourceLimit(MemoryResource);
    const MagickSizeType map = MagickGetResourceLimit(MapResource);
    MagickSetResourceLimit(MemoryResource, 96ull << 20);
    MagickSetResourceLimit(MapResource, 96ull << 20);
    testing::RunRecord record;
    testing::runRecorded(doc, dir / "src", dir / "out", record, 2);
    MagickSetResourceLimit(MemoryResource, memory);
    MagickSetResourceLimit(MapResource, map);

    EXPECT_EQ(record.end, RunEnd::kFinished);
    EXPECT_EQ(record.summary.requestedWorkers, 2);
    EXPECT_EQ(record.summary.workers, 1);
    EXPECT_EQ(record.summary.workerBytes, canvasBytes(2000, 2000) * kCanvasCopiesPerWorker);
    EXPECT_EQ(record.summary.unwritten, 0);
    ASSERT_EQ(testing::filesIn(dir.path() / "out").size(), 4u);
    EXPECT_TRUE(near(pixelAt(testing::readPicture(dir.path() / "out" / "p1.jpg").get(), 500, 500), kRed, 12));
}

TEST(LargeCanvas, WorkersThatFitTheirMemory) {
    constexpr std::uint64_t kMiB = std::uint64_t(1) << 20;
    for (int requested : {1, 2, 3, 8}) {
        for (std::uint64_t perWorker : {10 * kMiB, 300 * kMiB, 5000 * kMiB}) {
            for (std::uint64_t shared : {std::uint64_t(0), 100 * kMiB, 2000 * kMiB}) {
                const std::uint64_t memory = 1000 * kMiB;
                const int workers = workersThatFit(requested, perWorker, shared, memory);
                EXPECT_GE(workers, 1);
                EXPECT_LE(workers, requested);
                if (workers > 1) {
                    EXPECT_LE(workers * perWorker + shared, memory);
                }
                // One more worker would not have fitted.
                if (workers < requested) {
                    EXPECT_GT((workers + 1) * perWorker + shared, memory);
                }
            }
        }
    }
}

}  // namespace
}  // namespace plazor
