#include "render/png8.h"

#include <gtest/gtest.h>
#include <lodepng.h>

#include <cstdlib>
#include <filesystem>

#include "support/pictures.h"
#include "support/temp_dir.h"
#include "util/product.h"

namespace plazor {
namespace {

using testing::kBlue;
using testing::kClear;
using testing::kGreen;
using testing::kRed;
using testing::kYellow;
using testing::makePicture;
using testing::makeQuadrants;
using testing::Rgba;

// A decoded palette PNG: its header and chunks as LodePNG read them, and its pixels as RGBA.
class DecodedPng {
  public:
    explicit DecodedPng(const std::string& png) {
        lodepng_state_init(&state_);
        state_.decoder.color_convert = 0;  // keep the palette indices and the file's own colour mode
        unsigned char* indices = nullptr;
        error_ = lodepng_decode(&indices, &width_, &height_, &state_, bytes(png), png.size());
        std::free(indices);
        unsigned char* rgba = nullptr;
        unsigned w = 0, h = 0;
        if (error_ == 0) error_ = lodepng_decode32(&rgba, &w, &h, bytes(png), png.size());
        if (rgba) rgba_.assign(rgba, rgba + static_cast<std::size_t>(w) * h * 4);
        std::free(rgba);
    }
    ~DecodedPng() { lodepng_state_cleanup(&state_); }
    DecodedPng(const DecodedPng&) = delete;
    DecodedPng& operator=(const DecodedPng&) = delete;

    unsigned error() const { return error_; }
    const LodePNGInfo& info() const { return state_.info_png; }
    Rgba at(unsigned x, unsigned y) const {
        const unsigned char* p = &rgba_[(static_cast<std::size_t>(y) * width_ + x) * 4];
        return {p[0], p[1], p[2], p[3]};
    }

  private:
    static const unsigned char* bytes(const std::string& s) {
        return reinterpret_cast<const unsigned char*>(s.data());
    }
    LodePNGState state_;
    unsigned error_ = 0;
    unsigned width_ = 0, height_ = 0;
    std::vector<unsigned char> rgba_;
};

// Thousands of distinct colours.
Wand makeGradient() {
    return makePicture(64, 64, [](int x, int y) {
        return Rgba{static_cast<std::uint8_t>(x * 4), static_cast<std::uint8_t>(y * 4),
                    static_cast<std::uint8_t>((x + y) * 2), 255};
    });
}

std::string supportText(const std::string& head) {
    return head + "\n---请进入官方网站 " + product::kSiteAddress + " 联系我们的客服。";
}

TEST(Png8, WritesAnEightBitPaletteOfAtMostTheChosenCount) {
    struct Case {
        int count;
        unsigned atMost;
    };
    for (const Case& c : {Case{2, 2}, Case{16, 16}, Case{1, 256}, Case{300, 256}, Case{256, 256}}) {
        SCOPED_TRACE(c.count);
        Wand picture = makeGradient();
        const Outcome<std::string> png = encodePng8(picture.get(), c.count);
        ASSERT_TRUE(png.ok()) << png.error();
        const DecodedPng decoded(*png);
        ASSERT_EQ(decoded.error(), 0u) << lodepng_error_text(decoded.error());
        EXPECT_EQ(decoded.info().color.colortype, LCT_PALETTE);
        EXPECT_EQ(decoded.info().color.bitdepth, 8u);
        EXPECT_LE(decoded.info().color.palettesize, c.atMost);
        // Counts outside 2..256 fall back to the library's 256, far more than two for a gradient.
        if (c.atMost == 256) {
            EXPECT_GT(decoded.info().color.palettesize, 16u);
        }
    }
}

TEST(Png8, DithersSmoothShades) {
    // A grey ramp in two colours: dithering mixes both colours down the mid-grey columns, where a plain
    // remap would give every column a single colour.
    Wand ramp = makePicture(64, 16, [](int x, int) {
        const auto v = static_cast<std::uint8_t>(x * 4);
        return Rgba{v, v, v, 255};
    });
    const Outcome<std::string> png = encodePng8(ramp.get(), 2);
    ASSERT_TRUE(png.ok()) << png.error();
    const DecodedPng decoded(*png);
    ASSERT_EQ(decoded.error(), 0u);
    int mixedColumns = 0;
    for (unsigned x = 0; x < 64; ++x) {
        bool differs = false;
        for (unsigned y = 1; y < 16; ++y)
            differs = differs || decoded.at(x, y) != decoded.at(x, 0);
        if (differs) ++mixedColumns;
    }
    EXPECT_GT(mixedColumns, 8);
}

TEST(Png8, FlatColoursSurviveExactly) {
    Wand picture = makeQuadrants(20, 20);
    const Outcome<std::string> png = encodePng8(picture.get(), 256);
    ASSERT_TRUE(png.ok()) << png.error();
    const DecodedPng decoded(*png);
    ASSERT_EQ(decoded.error(), 0u);
    EXPECT_EQ(decoded.at(2, 2), kRed);
    EXPECT_EQ(decoded.at(17, 2), kGreen);
    EXPECT_EQ(decoded.at(2, 17), kBlue);
    EXPECT_EQ(decoded.at(17, 17), kYellow);
}

TEST(Png8, KeepsTransparentAreasTransparent) {
    Wand picture = makePicture(30, 10, [](int x, int) { return x < 15 ? kClear : kRed; });
    const Outcome<std::string> png = encodePng8(picture.get(), 128);
    ASSERT_TRUE(png.ok()) << png.error();
    const DecodedPng decoded(*png);
    ASSERT_EQ(decoded.error(), 0u);
    EXPECT_EQ(decoded.info().color.colortype, LCT_PALETTE);
    EXPECT_EQ(decoded.at(3, 5).a, 0);
    EXPECT_EQ(decoded.at(14, 0).a, 0);
    EXPECT_EQ(decoded.at(15, 0), kRed);
    EXPECT_EQ(decoded.at(29, 9), kRed);
}

TEST(Png8, WritesTheResolutionInPixelsPerMetre) {
    Wand picture = makeQuadrants(8, 8);
    MagickSetImageUnits(picture.get(), PixelsPerInchResolution);
    MagickSetImageResolution(picture.get(), 300, 72);
    const Outcome<std::string> png = encodePng8(picture.get(), 256);
    ASSERT_TRUE(png.ok()) << png.error();
    const DecodedPng decoded(*png);
    ASSERT_EQ(decoded.error(), 0u);
    EXPECT_EQ(decoded.info().phys_defined, 1u);
    EXPECT_EQ(decoded.info().phys_unit, 1u);
    EXPECT_EQ(decoded.info().phys_x, 11811u);
    EXPECT_EQ(decoded.info().phys_y, 2835u);
}

TEST(Png8, ResolutionConversion) {
    EXPECT_EQ(pixelsPerMetre(72, 96, PixelsPerInchResolution), (PixelsPerMetre{2835, 3780}));
    EXPECT_EQ(pixelsPerMetre(28.35, 1, PixelsPerCentimeterResolution), (PixelsPerMetre{2835, 100}));
    // Without a physical unit or a value there is nothing to write.
    EXPECT_FALSE(pixelsPerMetre(72, 72, UndefinedResolution));
    EXPECT_FALSE(pixelsPerMetre(0, 72, PixelsPerInchResolution));
}

TEST(Png8, WriteToFileStoresTheEncodedPicture) {
    testing::TempDir dir;
    Wand picture = makeQuadrants(12, 12);
    const std::filesystem::path path = dir.path() / "out.png";
    const Status written = writePng8(picture.get(), 64, path);
    ASSERT_TRUE(written.ok()) << written.error();
    EXPECT_EQ(testing::readFile(path), encodePng8(picture.get(), 64).value());
}

TEST(Png8, AFolderThatCannotBeOpenedGivesTheOpenMessageAndNoFile) {
    testing::TempDir dir;
    Wand picture = makeQuadrants(12, 12);
    const std::filesystem::path path = dir.path() / "missing" / "out.png";
    const Status written = writePng8(picture.get(), 64, path);
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.error(), supportText("fopen() error: " + path.string()));
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(Png8, APictureWithoutPixelsGivesTheExportMessage) {
    Wand empty = newWand();
    const Outcome<std::string> png = encodePng8(empty.get(), 256);
    ASSERT_FALSE(png.ok());
    EXPECT_EQ(png.error(), supportText("MagickExportImagePixels() error."));
}

}  // namespace
}  // namespace plazor
