// The run from a template and a folder of pictures to the files it writes.
#include "render/render_run.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <lodepng.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <mutex>

#include "render/run_request.h"
#include "support/fifo.h"
#include "support/pictures.h"
#include "support/temp_dir.h"
#include "util/encoding.h"

namespace plazor {
namespace {

namespace fs = std::filesystem;
using testing::kBlue;
using testing::kGreen;
using testing::kRed;
using testing::kWhite;
using testing::makeFilled;
using testing::near;
using testing::pixelAt;
using testing::readFile;
using testing::Rgba;
using testing::TempDir;

void writePicture(const fs::path& path, int w, int h, const std::string& colour) {
    fs::create_directories(path.parent_path());
    Wand wand = makeFilled(w, h, colour);
    MagickSetImageFormat(wand.get(), path.extension() == ".png" ? "PNG" : "JPEG");
    ASSERT_EQ(MagickWriteImage(wand.get(), path.c_str()), MagickTrue) << path;
}

Wand readOutput(const fs::path& path) {
    Wand wand = readBlob(readFile(path));
    EXPECT_TRUE(wand) << path;
    return wand;
}

// A 100 x 100 white background with four 50 x 50 slots in a 2 x 2 grid, stretched to fill.
Document gridTemplate() {
    Document doc;
    doc.background.width = doc.background.height = 100;
    doc.background.szWidth = doc.background.szHeight = "100";
    doc.settings.watermarkOpen = false;
    doc.settings.cutlineOpen = false;
    const int origins[4][2] = {{0, 0}, {50, 0}, {0, 50}, {50, 50}};
    for (const auto& o : origins) {
        PasteLayer& layer = doc.addPasteLayer(kAboveBackground, kStretch);
        layer.x = o[0];
        layer.y = o[1];
        layer.width = layer.height = 50;
    }
    return doc;
}

struct Recorded {
    std::mutex mutex;
    std::vector<int> progress;
    std::vector<InfoLine> info;
    std::vector<RunEnd> ends;
};

RunCallbacks recordInto(Recorded& r) {
    RunCallbacks callbacks;
    callbacks.progress = [&r](int b) {
        std::lock_guard lock(r.mutex);
        r.progress.push_back(b);
    };
    callbacks.info = [&r](const InfoLine& line) {
        std::lock_guard lock(r.mutex);
        r.info.push_back(line);
    };
    callbacks.ended = [&r](RunEnd end) {
        std::lock_guard lock(r.mutex);
        r.ends.push_back(end);
    };
    return callbacks;
}

RunEnd runJob(const Document& doc, const std::string& source, const std::string& output, Recorded& recorded,
              int jobs = 1, LoadMode mode = kPictureListMode, bool sliceSubFolder = true,
              DecodeMode decode = DecodeMode::kScaled) {
    PreparedRun prepared = prepareRun(RunRequest{doc, source, output, mode, sliceSubFolder, jobs, decode});
    EXPECT_TRUE(prepared.ok()) << (prepared.failure ? prepared.failure->text : "");
    RenderRun run(std::move(prepared.job), recordInto(recorded));
    EXPECT_TRUE(run.start());
    return run.wait();
}

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(RenderRun, TenPicturesInFourSlotsMakeThreeBatches) {
    TempDir dir;
    const char* colours[] = {"#ff0000", "#00ff00", "#0000ff"};
    for (int i = 0; i < 10; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "p%02d.png", i + 1);
        writePicture(dir.path() / "src" / name, 20, 20, colours[i % 3]);
    }
    Recorded recorded;
    EXPECT_EQ(runJob(gridTemplate(), dir / "src", dir / "out", recorded), RunEnd::kFinished);
    EXPECT_EQ(namesIn(dir.path() / "out"), (std::vector<std::string>{"p01.jpg", "p05.jpg", "p09.jpg"}));
    EXPECT_EQ(recorded.progress, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(recorded.ends, (std::vector<RunEnd>{RunEnd::kFinished}));

    // The third batch holds p09 (blue) and p10 (red); slots 3 and 4 stay white.
    Wand third = readOutput(dir.path() / "out" / "p09.jpg");
    EXPECT_TRUE(near(pixelAt(third.get(), 25, 25), kBlue, 8));
    EXPECT_TRUE(near(pixelAt(third.get(), 75, 25), kRed, 8));
    EXPECT_TRUE(near(pixelAt(third.get(), 25, 75), kWhite, 8));
    EXPECT_TRUE(near(pixelAt(third.get(), 75, 75), kWhite, 8));
}

TEST(RenderRun, SameBatchNamesGetNumberedAndPercentSurvives) {
    TempDir dir;
    writePicture(dir.path() / "src" / "50%photo.jpg", 10, 10, "#ff0000");
    writePicture(dir.path() / "src" / "50%photo.png", 10, 10, "#00ff00");
    Document doc = gridTemplate();
    doc.deletePasteLayers({1, 2, 3});
    Recorded recorded;
    EXPECT_EQ(runJob(doc, dir / "src", dir / "out", recorded), RunEnd::kFinished);
    EXPECT_EQ(namesIn(dir.path() / "out"), (std::vector<std::string>{"50%photo(2).jpg", "50%photo.jpg"}));
    // The first batch (sorted: .jpg before .png) is the red picture.
    Wand first = readOutput(dir.path() / "out" / "50%photo.jpg");
    EXPECT_TRUE(near(pixelAt(first.get(), 10, 10), kRed, 8));
}

TEST(RenderRun, GreyJpegIsGreyAndSrgbIsLeftAlone) {
    TempDir dir;
    writePicture(dir.path() / "src" / "a.png", 10, 10, "#ff0000");
    Document doc = gridTemplate();
    doc.settings.colourSpace = kSpaceGrey;
    Recorded recorded;
    runJob(doc, dir / "src", dir / "grey", recorded);
    Wand grey = readOutput(dir.path() / "grey" / "a.jpg");
    EXPECT_EQ(MagickGetImageColorspace(grey.get()), GRAYColorspace);
    const Rgba g = pixelAt(grey.get(), 25, 25);
    EXPECT_EQ(g.r, g.g);
    EXPECT_EQ(g.g, g.b);

    doc.settings.colourSpace = kSpaceSRGB;
    runJob(doc, dir / "src", dir / "srgb", recorded);
    Wand colour = readOutput(dir.path() / "srgb" / "a.jpg");
    EXPECT_NE(MagickGetImageColorspace(colour.get()), GRAYColorspace);
    EXPECT_TRUE(near(pixelAt(colour.get(), 25, 25), kRed, 8));
}

TEST(RenderRun, OutputCarriesTheDpi) {
    TempDir dir;
    writePicture(dir.path() / "src" / "a.png", 10, 10, "#ff0000");
    Document doc = gridTemplate();
    doc.background.dpi = 300;
    Recorded recorded;
    runJob(doc, dir / "src", dir / "out", recorded);
    Wand out = readOutput(dir.path() / "out" / "a.jpg");
    double x = 0, y = 0;
    MagickGetImageResolution(out.get(), &x, &y);
    EXPECT_DOUBLE_EQ(x, 300);
    EXPECT_DOUBLE_EQ(y, 300);
}

TEST(RenderRun, TransparentPngKeepsEmptyAreasTransparent) {
    TempDir dir;
    writePicture(dir.path() / "src" / "a.png", 10, 10, "#0000ff");
    Document doc = gridTemplate();
    doc.deletePasteLayers({1, 2, 3});
    doc.background.colourChoice = kColourTransparent;
    doc.background.transparent = 1;
    doc.settings.format = kFormatPng;
    doc.settings.transparent = true;
    Recorded recorded;
    runJob(doc, dir / "src", dir / "out", recorded);
    Wand out = readOutput(dir.path() / "out" / "a.png");
    EXPECT_EQ(pixelAt(out.get(), 75, 75).a, 0);
    EXPECT_TRUE(near(pixelAt(out.get(), 25, 25), kBlue, 2));
}

TEST(RenderRun, LevelBelowShowsOnlyThroughATransparentBackground) {
    TempDir dir;
    writePicture(dir.path() / "src" / "a.png", 10, 10, "#00ff00");
    Document doc = gridTemplate();
    doc.deletePasteLayers({1, 2, 3});
    doc.pasteLayers[0].level = kBelowBackground;
    Recorded recorded;
    runJob(doc, dir / "src", dir / "opaque", recorded);
    EXPECT_TRUE(near(pixelAt(readOutput(dir.path() / "opaque" / "a.jpg").get(), 25, 25), kWhite, 8));

    doc.background.colourChoice = kColourTransparent;
    runJob(doc, dir / "src", dir / "clear", recorded);
    EXPECT_TRUE(near(pixelAt(readOutput(dir.path() / "clear" / "a.jpg").get(), 25, 25), kGreen, 8));
}

TEST(RenderRun, UnreadablePicturesAndWatermarksAreReportedAndTheRunGoesOn) {
    TempDir dir;
    testing::writeFile(dir.path() / "src" / "a.jpg", "not a picture");
    writePicture(dir.path() / "src" / "b.png", 10, 10, "#ff0000");
    writePicture(dir.path() / "mark.png", 10, 10, "#0000ff");
    // A watermark whose header passes the checks before the run but whose data is cut off.
    testing::writeFile(dir.path() / "broken.png", readFile(dir.path() / "mark.png").substr(0, 40));
    Document doc = gridTemplate();
    doc.settings.watermarkOpen = true;
    doc.addWatermark(dir / "broken.png", 0, 0);
    doc.addWatermark(dir / "mark.png", 90, 90);
    doc.settings.format = kFormatPng;  // lossless, so the small watermark keeps its exact colour
    doc.settings.transparent = false;
    Recorded recorded;
    EXPECT_EQ(runJob(doc, dir / "src", dir / "out", recorded), RunEnd::kFinished);
    ASSERT_EQ(recorded.info.size(), 2u);
    EXPECT_EQ(recorded.info[0], spacedLine("无效图片:" + (dir / "src") + "/a.jpg"));
    EXPECT_EQ(recorded.info[1], InfoLine("无效水印图片:" + (dir / "broken.png")));
    Wand out = readOutput(dir.path() / "out" / "a.png");
    EXPECT_TRUE(near(pixelAt(out.get(), 25, 25), kWhite, 8));  // the unreadable picture's slot
    EXPECT_TRUE(near(pixelAt(out.get(), 75, 25), kRed, 8));
    EXPECT_TRUE(near(pixelAt(out.get(), 95, 95), kBlue, 8));  // the readable watermark
}

TEST(RenderRun, NamedPipesAreNeitherPicturesNorWatermarks) {
    TempDir dir;
    testing::Fifo sourcePipe(dir.path() / "src" / "a.jpg");
    testing::Fifo watermarkPipe(dir.path() / "mark.png");
    writePicture(dir.path() / "src" / "b.png", 10, 10, "#ff0000");
    Document doc = gridTemplate();
    doc.settings.watermarkOpen = true;
    doc.addWatermark(dir / "mark.png", 0, 0);

    const RunCheckResult checked = checkRun(RunRequest{doc, dir / "src", dir / "out", kPictureListMode});
    ASSERT_TRUE(checked.failure);
    EXPECT_NE(checked.failure->text.find("内部数据格式不受支持"), std::string::npos);

    doc.settings.watermarkOpen = false;
    Recorded recorded;
    EXPECT_EQ(runJob(doc, dir / "src", dir / "out", recorded), RunEnd::kFinished);
    EXPECT_EQ(namesIn(dir.path() / "out"), (std::vector<std::string>{"b.jpg"}));
    EXPECT_TRUE(near(pixelAt(readOutput(dir.path() / "out" / "b.jpg").get(), 25, 25), kRed, 8));
    EXPECT_FALSE(sourcePipe.hadToUnblock());
    EXPECT_FALSE(watermarkPipe.hadToUnblock());
}

TEST(RenderRun, StartRemovesTheHiddenTemporariesOfAKilledRun) {
    TempDir dir;
    writePicture(dir.path() / "src" / "b.png", 10, 10, "#ff0000");
    testing::writeFile(dir.path() / "out" / ".b.jpg.x1Y2z3", "half a picture");
    testing::writeFile(dir.path() / "out" / ".b.html.x1Y2z3", "half a page");
    testing::writeFile(dir.path() / "out" / ".b.jpg.notes", "the user's own");
    Recorded recorded;
    EXPECT_EQ(runJob(gridTemplate(), dir / "src", dir / "out", recorded), RunEnd::kFinished);
    EXPECT_EQ(namesIn(dir.path() / "out"), (std::vector<std::string>{".b.jpg.notes", "b.jpg"}));
}

// The page's URL back to a path: %XX to its byte.
std::string percentDecoded(const std::string& url) {
    std::string out;
    for (std::size_t i = 0; i < url.size(); ++i) {
        if (url[i] == '%' && i + 2 < url.size()) {
            out += static_cast<char>(std::stoi(url.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += url[i];
        }
    }
    return out;
}

TEST(RenderRun, NamesAreNeverInstructionsToTheLibraryOrThePage) {
    // Brackets read as a size or frame, "%" as a format escape, markup in the page: each name must
    // stay a plain name, its picture drawn and its strips found by the page's links.
    TempDir dir;
    const std::string hostile = "<img src=x onerror=alert(1)>&\"%41#?'[2x2]";
    writePicture(dir.path() / "src" / (hostile + ".png"), 10, 10, "#ff0000");
    writePicture(dir.path() / "mark.png[1x1]", 10, 10, "#0000ff");
    Document doc = gridTemplate();
    doc.deletePasteLayers({1, 2, 3});
    doc.settings.format = kFormatPng;
    doc.settings.watermarkOpen = true;
    doc.addWatermark(dir / "mark.png[1x1]", 80, 80);
    doc.settings.cutlineOpen = true;
    doc.settings.cutlineHtmlOpen = true;
    doc.addSlice(50);
    Recorded recorded;
    EXPECT_EQ(runJob(doc, dir / "src", dir / "out", recorded), RunEnd::kFinished);
    EXPECT_EQ(recorded.info, std::vector<InfoLine>{});

    const fs::path strips = dir.path() / "out" / hostile;
    Wand top = readOutput(strips / (hostile + "-1.png"));
    Wand bottom = readOutput(strips / (hostile + "-2.png"));
    EXPECT_TRUE(near(pixelAt(top.get(), 25, 25), kRed, 8));
    EXPECT_TRUE(near(pixelAt(bottom.get(), 85, 35), kBlue, 8));  // the watermark, all of its 10 x 10

    const std::string page = *gbkToUtf8(readFile(dir.path() / "out" / (hostile + ".html")));
    EXPECT_EQ(page.find("<img src=x"), std::string::npos);
    EXPECT_NE(page.find("<title>&lt;img src=x onerror=alert(1)&gt;&amp;&quot;%41#?'[2x2]</title>"),
              std::string::npos);
    std::vector<std::string> linked;
    for (std::size_t at = page.find("src=\""); at != std::string::npos; at = page.find("src=\"", at + 1)) {
        const std::size_t end = page.find('"', at + 5);
        linked.push_back(percentDecoded(page.substr(at + 5, end - at - 5)));
    }
    EXPECT_EQ(linked, (std::vector<std::string>{hostile + "/" + hostile + "-1.png",
                                                hostile + "/" + hostile + "-2.png"}));
}

TEST(RenderRun, SlicesWriteStripsIntoNumberedSubFoldersWithAPage) {
    TempDir dir;
    writePicture(dir.path() / "src" / "photo.png", 10, 10, "#ff0000");
    fs::create_directories(dir.path() / "out" / "photo");  // taken: the strips go to photo(2)
    Document doc = gridTemplate();
    doc.deletePasteLayers({1, 2, 3});
    doc.settings.cutlineOpen = true;
    doc.settings.cutlineHtmlOpen = true;
    doc.addSlice(30);
    Recorded recorded;
    EXPECT_EQ(runJob(doc, dir / "src", dir / "out", recorded), RunEnd::kFinished);
    EXPECT_EQ(namesIn(dir.path() / "out"), (std::vector<std::string>{"photo", "photo(2)", "photo.html"}));
    EXPECT_EQ(namesIn(dir.path() / "out" / "photo(2)"),
              (std::vector<std::string>{"photo-1.jpg", "photo-2.jpg"}));
    Wand top = readOutput(dir.path() / "out" / "photo(2)" / "photo-1.jpg");
    Wand bottom = readOutput(dir.path() / "out" / "photo(2)" / "photo-2.jpg");
    EXPECT_EQ(MagickGetImageHeight(top.get()), 30u);
    EXPECT_EQ(MagickGetImageHeight(bottom.get()), 70u);
    EXPECT_EQ(MagickGetImageWidth(bottom.get()), 100u);
    EXPECT_TRUE(near(pixelAt(top.get(), 25, 25), kRed, 8));
    EXPECT_TRUE(near(pixelAt(bottom.get(), 25, 10), kRed, 8));
    EXPECT_TRUE(near(pixelAt(bottom.get(), 75, 40), kWhite, 8));

    const std::string page = readFile(dir.path() / "out" / "photo.html");
    EXPECT_NE(page.find("<title>photo</title>"), std::string::npos);
    EXPECT_NE(page.find("<img src=\"photo(2)/photo-1.jpg\" width=\"100\" height=\"30\">"), std::string::npos);
    EXPECT_NE(page.find("<img src=\"photo(2)/photo-2.jpg\" width=\"100\" height=\"70\">"), std::string::npos);
    EXPECT_EQ(page.substr(page.size() - 16), "</body>\r\n</html>");
}

TEST(RenderRun, StripsWithoutSubFolderAndChineseNamesInThePage) {
    TempDir dir;
    writePicture(dir.path() / "src" / "照片.png", 10, 10, "#ff0000");
    Document doc = gridTemplate();
    doc.deletePasteLayers({1, 2, 3});
    doc.settings.cutlineOpen = true;
    doc.settings.cutlineHtmlOpen = true;
    for (int y = 10; y <= 90; y += 8)
        doc.addSlice(y);  // 11 slices: two-digit numbers
    Recorded recorded;
    runJob(doc, dir / "src", dir / "out", recorded, 1, kPictureListMode, false);
    const auto names = namesIn(dir.path() / "out");
    ASSERT_EQ(names.size(), 13u);
    EXPECT_EQ(names.front(), "照片-01.jpg");
    EXPECT_EQ(names[11], "照片-12.jpg");
    EXPECT_EQ(names.back(), "照片.html");
    const std::string page = readFile(dir.path() / "out" / "照片.html");
    EXPECT_NE(page.find(*utf8ToGbk("<title>照片</title>")), std::string::npos);
    EXPECT_NE(page.find(*utf8ToGbk("<img src=\"照片-12.jpg\"")), std::string::npos);
}

TEST(RenderRun, TwoWorkersWriteTheSameFilesAndBytesAsOne) {
    TempDir dir;
    const char* colours[] = {"#ff0000", "#00ff00", "#0000ff", "#ffff00", "#00ffff"};
    for (int i = 0; i < 14; ++i) {
        writePicture(dir.path() / "src" / ("same" + std::to_string(i % 2) + "_" + std::to_string(i) + ".png"),
                     30, 20, colours[i % 5]);
    }
    Document doc = gridTemplate();
    doc.deletePasteLayers({2, 3});
    Recorded one, two;
    runJob(doc, dir / "src", dir / "one", one, 1);
    runJob(doc, dir / "src", dir / "two", two, 2);
    const auto names = namesIn(dir.path() / "one");
    ASSERT_EQ(names.size(), 7u);
    ASSERT_EQ(names, namesIn(dir.path() / "two"));
    for (const std::string& name : names) {
        EXPECT_EQ(readFile(dir.path() / "one" / name), readFile(dir.path() / "two" / name)) << name;
    }
    EXPECT_EQ(two.progress.back(), 7);
}

// PNG outputs decoded by LodePNG, not by the image library that wrote them.
struct DecodedPng {
    unsigned width = 0, height = 0;
    std::vector<unsigned char> rgba;
};

DecodedPng decodePng(const fs::path& path) {
    DecodedPng png;
    const std::string bytes = readFile(path);
    EXPECT_EQ(lodepng::decode(png.rgba, png.width, png.height,
                              reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()),
              0u)
        << path;
    return png;
}

double psnr(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
    double squares = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        squares += (a[i] - b[i]) * (a[i] - b[i]);
    return squares == 0 ? INFINITY : 10 * std::log10(255.0 * 255.0 * static_cast<double>(a.size()) / squares);
}

// Photo-like JPEGs (smooth shading and fine texture, one a portrait with its orientation tag) in every
// shrinking style: scaled decoding changes only pixel values, by too little to see.
TEST(RenderRun, ScaledAndExactDecodingAgreeOnEveryOutput) {
    TempDir dir;
    for (int i = 0; i < 8; ++i) {
        const int w = i % 2 ? 1500 : 1100, h = i % 2 ? 1000 : 1300;
        Wand photo = testing::makePicture(w, h, [i](int x, int y) {
            const double shade = 90 + 60 * std::sin((x + 40 * i) / 150.0) * std::cos(y / 110.0);
            const double texture = 25 * std::sin(x / 3.1 + y / 4.3);
            return Rgba{static_cast<std::uint8_t>(shade + texture), static_cast<std::uint8_t>(shade),
                        static_cast<std::uint8_t>(200 - shade / 2 + texture / 2), 255};
        });
        MagickSetImageAlphaChannel(photo.get(), DeactivateAlphaChannel);
        if (i == 3) MagickSetImageOrientation(photo.get(), LeftBottomOrientation);
        MagickSetImageFormat(photo.get(), "JPEG");
        MagickSetImageCompressionQuality(photo.get(), 92);
        fs::create_directories(dir.path() / "src");
        const fs::path path = dir.path() / "src" / ("photo" + std::to_string(i) + ".jpg");
        ASSERT_EQ(MagickWriteImage(photo.get(), path.c_str()), MagickTrue);
    }
    Document doc = gridTemplate();
    doc.background.width = doc.background.height = 400;
    doc.background.szWidth = doc.background.szHeight = "400";
    doc.settings.format = kFormatPng;
    const unsigned styles[] = {kShrinkToFit, kStretch, kScaleToFit, kCustom};
    for (std::size_t k = 0; k < 4; ++k) {
        PasteLayer& layer = doc.pasteLayers[k];
        layer.x = 7 + 197 * static_cast<int>(k % 2);
        layer.y = 3 + 199 * static_cast<int>(k / 2);
        layer.width = 187;
        layer.height = 171;
        layer.overflowStyle = styles[k];
        layer.customize = {211, 150, kPosCentre, 0, kPosValue, 9};
    }
    Recorded scaled, exact;
    runJob(doc, dir / "src", dir / "scaled", scaled, 2, kPictureListMode, true, DecodeMode::kScaled);
    runJob(doc, dir / "src", dir / "exact", exact, 2, kPictureListMode, true, DecodeMode::kExact);
    const auto names = namesIn(dir.path() / "exact");
    ASSERT_EQ(names, (std::vector<std::string>{"photo0.png", "photo4.png"}));
    ASSERT_EQ(names, namesIn(dir.path() / "scaled"));
    for (const std::string& name : names) {
        const DecodedPng a = decodePng(dir.path() / "scaled" / name),
                         b = decodePng(dir.path() / "exact" / name);
        ASSERT_EQ(a.width, 400u);
        ASSERT_EQ(a.height, 400u);
        ASSERT_EQ(b.width, a.width);
        ASSERT_EQ(b.height, a.height);
        const double db = psnr(a.rgba, b.rgba);
        EXPECT_GE(db, 50.0) << name;
        EXPECT_TRUE(std::isfinite(db)) << name << ": the scaled decode was not used";
    }
}

// Every file and folder under `root` with its permission bits, by relative path.
std::map<std::string, fs::perms> modesUnder(const fs::path& root) {
    std::map<std::string, fs::perms> modes;
    for (const auto& e : fs::recursive_directory_iterator(root))
        modes[fs::relative(e.path(), root).string()] = e.symlink_status().permissions();
    return modes;
}

TEST(RenderRun, TwoWorkersKeepTheFileModesOfOne) {
    // Many strips in sub-folders written by two workers at once: no file or folder may come out with
    // wider permissions than the umask allows, as a single worker writes them.
    const mode_t previousMask = umask(022);
    TempDir dir;
    for (int i = 0; i < 4; ++i)
        writePicture(dir.path() / "src" / ("p" + std::to_string(i) + ".png"), 4, 4, "#ff0000");
    Document doc = gridTemplate();
    doc.deletePasteLayers({1, 2, 3});
    doc.settings.format = kFormatPng;
    doc.settings.cutlineOpen = true;
    doc.settings.cutlineHtmlOpen = true;
    for (int y = 2; y < 100; y += 2)
        doc.addSlice(y);
    Recorded one, two;
    runJob(doc, dir / "src", dir / "one", one, 1);
    runJob(doc, dir / "src", dir / "two", two, 2);
    umask(previousMask);

    const auto modesOne = modesUnder(dir.path() / "one");
    ASSERT_EQ(modesOne.size(), 4u * (50 + 2));  // per batch: a folder, 50 strips, a page
    for (const auto& [name, mode] : modesOne) {
        const fs::perms expected =
            name.find('/') == std::string::npos && name.find(".html") == std::string::npos ? fs::perms(0755)
                                                                                           : fs::perms(0644);
        ASSERT_EQ(mode, expected) << name;
    }
    EXPECT_EQ(modesUnder(dir.path() / "two"), modesOne);
}

TEST(RenderRun, StopEndsTheRunEarly) {
    TempDir dir;
    for (int i = 0; i < 6; ++i)
        writePicture(dir.path() / "src" / ("p" + std::to_string(i) + ".png"), 10, 10, "#ff0000");
    Document doc = gridTemplate();
    doc.deletePasteLayers({1, 2, 3});
    PreparedRun prepared = prepareRun(RunRequest{doc, dir / "src", dir / "out", kPictureListMode, true, 1});
    ASSERT_TRUE(prepared.ok());
    Recorded recorded;
    RunCallbacks callbacks = recordInto(recorded);
    RenderRun* self = nullptr;
    // Stop as soon as the second batch is announced: the first may be written, the rest must not.
    callbacks.progress = [&](int b) {
        if (b == 2) self->requestStop();
    };
    RenderRun run(std::move(prepared.job), callbacks);
    self = &run;
    ASSERT_TRUE(run.start());
    EXPECT_EQ(run.wait(), RunEnd::kStopped);
    EXPECT_EQ(recorded.ends, (std::vector<RunEnd>{RunEnd::kStopped}));
    EXPECT_LE(namesIn(dir.path() / "out").size(), 2u);
}

TEST(RenderRun, SubFolderModeMakesOneBatchPerFolder) {
    TempDir dir;
    writePicture(dir.path() / "src" / "first" / "x.png", 10, 10, "#ff0000");
    writePicture(dir.path() / "src" / "second" / "y.png", 10, 10, "#00ff00");
    writePicture(dir.path() / "src" / ".hidden" / "z.png", 10, 10, "#0000ff");
    Recorded recorded;
    runJob(gridTemplate(), dir / "src", dir / "out", recorded, 1, kSubFolderListMode);
    EXPECT_EQ(namesIn(dir.path() / "out"), (std::vector<std::string>{"first.jpg", "second.jpg"}));
    EXPECT_TRUE(near(pixelAt(readOutput(dir.path() / "out" / "second.jpg").get(), 25, 25), kGreen, 8));
}

TEST(RenderRun, PictureBackgroundIsUsedForEveryBatch) {
    TempDir dir;
    writePicture(dir.path() / "src" / "a.png", 10, 10, "#ff0000");
    writePicture(dir.path() / "src" / "b.png", 10, 10, "#ff0000");
    Document doc = gridTemplate();
    doc.deletePasteLayers({1, 2, 3});
    Wand bg = makeFilled(100, 100, "#0000ff");
    MagickSetImageFormat(bg.get(), "PNG");
    size_t length = 0;
    MagickBuffer<unsigned char> blob(MagickGetImageBlob(bg.get(), &length));
    doc.background.kind = kPictureBackground;
    doc.background.pictureData.assign(reinterpret_cast<const char*>(blob.get()), length);
    doc.background.picturePath = dir / "bg.png";
    testing::writeFile(doc.background.picturePath, doc.background.pictureData);
    Recorded recorded;
    runJob(doc, dir / "src", dir / "out", recorded);
    for (const char* name : {"a.jpg", "b.jpg"}) {
        Wand out = readOutput(dir.path() / "out" / name);
        EXPECT_TRUE(near(pixelAt(out.get(), 75, 75), kBlue, 8)) << name;
        EXPECT_TRUE(near(pixelAt(out.get(), 25, 25), kRed, 8)) << name;
    }
}

}  // namespace
}  // namespace plazor
