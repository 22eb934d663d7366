// Placing source files: the geometry of a full decode in both decode modes, pictures that are never
// decoded because nothing of them shows, and the resize computed only where it shows.
#include "render/source_placement.h"

#include <gtest/gtest.h>
#include <lodepng.h>

#include <cmath>
#include <cstdlib>

#include "render/lanczos_resize.h"
#include "render/over8.h"
#include "render/placement_reference.h"
#include "render/scaled_jpeg.h"
#include "support/paste_layers.h"
#include "support/pictures.h"
#include "support/temp_dir.h"

namespace plazor {
namespace {

using testing::kWhite;
using testing::makeFilled;
using testing::makePicture;
using testing::Rgba;

using testing::layerAt;

// Dark quadrant colours, far from the white canvas even after ringing at their edges.
constexpr Rgba kQuadrant[4] = {{150, 20, 20}, {20, 150, 20}, {20, 20, 150}, {150, 150, 20}};

int quadrantOf(int x, int y, int w, int h) {
    return (y * 2 >= h ? 2 : 0) + (x * 2 >= w ? 1 : 0);
}

// An upright w x h quadrant picture written as a JPEG; with `orientation` 6 it is stored turned a
// quarter anticlockwise with an Exif tag that turns it back, as phones write portrait photos.
void writeQuadrantJpeg(const std::string& path, int w, int h, int orientation) {
    Wand picture = makePicture(w, h, [w, h](int x, int y) { return kQuadrant[quadrantOf(x, y, w, h)]; });
    MagickSetImageAlphaChannel(picture.get(), DeactivateAlphaChannel);
    if (orientation == RightTopOrientation) {
        PixelWandPtr none(NewPixelWand());
        MagickRotateImage(picture.get(), none.get(), 270);
        const unsigned char exif[] = {'E',  'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0, 1, 0, 0x12,
                                      0x01, 3,   0,   1,   0, 0, 0,   6,   0,  0, 0, 0, 0, 0, 0, 0, 0};
        MagickSetImageProfile(picture.get(), "exif", exif, sizeof exif);
        MagickSetImageOrientation(picture.get(), RightTopOrientation);
    }
    MagickSetImageFormat(picture.get(), "JPEG");
    MagickSetImageCompressionQuality(picture.get(), 95);
    ASSERT_EQ(MagickWriteImage(picture.get(), path.c_str()), MagickTrue);
}

std::vector<std::uint8_t> rgbOf(MagickWand* wand, int w, int h) {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(w) * h * 3);
    MagickExportImagePixels(wand, 0, 0, w, h, "RGB", CharPixel, pixels.data());
    return pixels;
}

double psnr(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
    double squares = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        squares += (a[i] - b[i]) * (a[i] - b[i]);
    return squares == 0 ? INFINITY : 10 * std::log10(255.0 * 255.0 * a.size() / squares);
}

class BothModes : public ::testing::TestWithParam<DecodeMode> {};

// Every shrinking style, a crop and a portrait photo: the pixels outside the reference placement stay
// white, those inside show the picture, and each quadrant lands where the reference puts it.
TEST_P(BothModes, PlacementHasTheGeometryOfAFullDecode) {
    struct Case {
        int w, h, orientation;
        unsigned style;
        Customize custom;
    };
    const Case cases[] = {
        {1203, 797, 1, kShrinkToFit, {}},
        {1203, 797, 6, kShrinkToFit, {}},
        {1000, 1000, 1, kStretch, {}},
        {640, 1003, 6, kScaleToFit, {}},
        {999, 601, 1, kCustom, {173, 95, kPosValue, -7, kPosCentre, 0}},
        {1203, 797, 1, kCropCentre, {}},
    };
    static constexpr int kSlotX = 13, kSlotY = 21, kSlotW = 131, kSlotH = 90, kCanvas = 170;
    testing::TempDir dir;
    for (const Case& k : cases) {
        SCOPED_TRACE(::testing::Message()
                     << k.w << "x" << k.h << " orientation " << k.orientation << " style " << k.style);
        const std::string path = dir / "photo.jpg";
        writeQuadrantJpeg(path, k.w, k.h, k.orientation);
        Pixels8 canvas = filledPixels(kCanvas, kCanvas, 3, 255, 255, 255);
        const SourcePlacement placed = placeSourceFile(
            canvas, path, layerAt(kSlotX, kSlotY, kSlotW, kSlotH, k.style, k.custom), GetParam());
        ASSERT_TRUE(placed.ok()) << placed.error().reason;

        const testing::ReferencePlacement ref(kSlotX, kSlotY, kSlotW, kSlotH, k.w, k.h, k.style, k.custom);
        const std::vector<std::uint8_t>& got = canvas.data;
        for (int py = 0; py < kCanvas; ++py) {
            for (int px = 0; px < kCanvas; ++px) {
                const std::uint8_t* p = &got[(py * kCanvas + px) * 3];
                const bool white = p[0] == 255 && p[1] == 255 && p[2] == 255;
                const auto source = ref.sourceAt(px, py);
                ASSERT_EQ(white, !source) << "at " << px << "," << py;
                if (!source) continue;
                // Away from the quadrants' borders the colour is that of the quadrant the reference names.
                const int rx = source->x * 10 / ref.width(), ry = source->y * 10 / ref.height();
                if (rx == 0 || rx == 4 || rx == 5 || rx == 9 || ry == 0 || ry == 4 || ry == 5 || ry == 9)
                    continue;
                const Rgba want = kQuadrant[quadrantOf(source->x, source->y, ref.width(), ref.height())];
                ASSERT_TRUE(testing::near({p[0], p[1], p[2], 255}, want, 12))
                    << "at " << px << "," << py << ": " << Rgba{p[0], p[1], p[2], 255};
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(DecodeModes, BothModes, ::testing::Values(DecodeMode::kScaled, DecodeMode::kExact));

TEST(ScaledJpeg, DecodesAtTheSmallestScaleStillAtLeastTheFinalSize) {
    testing::TempDir dir;
    const std::string path = dir / "big.jpg";
    writeQuadrantJpeg(path, 3000, 2000, 1);
    const std::string bytes = testing::readFile(path);
    // 1/8 gives 375 x 250, too narrow for 385; 1/4 gives 750 x 500.
    for (const auto& [atLeast, want] : {std::pair{PixelSize{385, 385}, PixelSize{750, 500}},
                                        std::pair{PixelSize{375, 250}, PixelSize{375, 250}},
                                        std::pair{PixelSize{376, 10}, PixelSize{750, 500}},
                                        std::pair{PixelSize{2999, 1}, PixelSize{3000, 2000}}}) {
        const auto pixels = decodeJpegScaled(bytes, atLeast);
        ASSERT_TRUE(pixels);
        EXPECT_EQ((PixelSize{pixels->width, pixels->height}), want) << atLeast.width << "x" << atLeast.height;
    }
    // Whatever the sizes, the scale is enough and the next smaller one would not be.
    for (int w = 1; w < 60; w += 7) {
        for (int target = 1; target <= w; target += 3) {
            const DctScale s = smallestDctScale({w, 4 * w}, {target, 1});
            ASSERT_GE(scaledSize({w, 4 * w}, s).width, target);
            if (s.num > 1 && 8 % s.denom == 0) {
                ASSERT_LT(scaledSize({w, 4 * w}, {s.num * 8 / s.denom - 1, 8}).width, target)
                    << w << " " << target;
            }
        }
    }
    EXPECT_FALSE(decodeJpegScaled("not a picture", {1, 1}));
}

// A PNG whose header claims `w` x `h` pixels while its data is that of a 1 x 1 picture: it can be
// pinged but not decoded.
std::string undecodablePng(unsigned w, unsigned h) {
    unsigned char pixel = 0;
    unsigned char* out = nullptr;
    size_t size = 0;
    EXPECT_EQ(lodepng_encode_memory(&out, &size, &pixel, 1, 1, LCT_GREY, 8), 0u);
    std::string png(reinterpret_cast<const char*>(out), size);
    std::free(out);
    for (int i = 0; i < 4; ++i) {
        png[16 + i] = static_cast<char>(w >> (24 - 8 * i));
        png[20 + i] = static_cast<char>(h >> (24 - 8 * i));
    }
    lodepng_chunk_generate_crc(reinterpret_cast<unsigned char*>(png.data()) + 8);
    return png;
}

TEST(SourcePlacement, APictureThatWouldNotShowIsNotDecoded) {
    testing::TempDir dir;
    const std::string path = dir / "broken.png";
    testing::writeFile(path, undecodablePng(200, 100));
    for (const DecodeMode mode : {DecodeMode::kScaled, DecodeMode::kExact}) {
        Pixels8 canvas = filledPixels(300, 300, 3, 255, 255, 255);
        // Wholly right of the canvas, and pushed out of its slot by a custom offset.
        EXPECT_TRUE(placeSourceFile(canvas, path, layerAt(300, 0, 100, 100, kStretch), mode).ok());
        EXPECT_TRUE(placeSourceFile(canvas, path,
                                    layerAt(0, 0, 100, 100, kCustom, {0, 0, kPosValue, 150, kPosValue, 0}),
                                    mode)
                        .ok());
        // On the canvas the same file is decoded, and refused.
        const SourcePlacement shown =
            placeSourceFile(canvas, path, layerAt(250, 0, 100, 100, kStretch), mode);
        ASSERT_FALSE(shown.ok());
        EXPECT_FALSE(shown.error().readable);
    }
}

// A stretch far beyond the canvas is computed only where it shows; the part that shows matches the image
// library's own full resize of the same picture.
TEST(SourcePlacement, AHugeStretchIsComputedOnlyWhereItShows) {
    testing::TempDir dir;
    const std::string path = dir / "small.png";
    Wand small = makePicture(80, 60, [](int x, int y) {
        return Rgba{static_cast<std::uint8_t>(x * 3), static_cast<std::uint8_t>(y * 4),
                    static_cast<std::uint8_t>((x * y) % 256), 255};
    });
    MagickSetImageFormat(small.get(), "PNG");
    ASSERT_EQ(MagickWriteImage(small.get(), path.c_str()), MagickTrue);

    static constexpr int kSlot = 2400, kCanvas = 300, kAt = -1000;
    Pixels8 canvas = filledPixels(kCanvas, kCanvas, 3, 255, 255, 255);
    ASSERT_TRUE(
        placeSourceFile(canvas, path, layerAt(kAt, kAt, kSlot, kSlot, kStretch), DecodeMode::kExact).ok());

    Wand full = makeFilled(kCanvas, kCanvas, "#ffffff");
    MagickResizeImage(small.get(), kSlot, kSlot, LanczosFilter, 1.0);
    MagickCompositeImage(full.get(), small.get(), OverCompositeOp, kAt, kAt);
    EXPECT_GT(psnr(canvas.data, rgbOf(full.get(), kCanvas, kCanvas)), 45.0);
}

TEST(LanczosResize, ARegionIsTheSameCropOfTheWholeResize) {
    for (const int channels : {3, 4}) {
        Pixels8 source(57, 43, channels);
        for (std::size_t i = 0; i < source.data.size(); ++i)
            source.data[i] = static_cast<std::uint8_t>(i * 37 % 251);
        for (const PixelSize target : {PixelSize{20, 15}, PixelSize{130, 90}, PixelSize{57, 10}}) {
            const Pixels8 whole = lanczosResizeRegion(source, target, {0, 0, target.width, target.height});
            const CropRect r{target.width / 3, target.height / 4, target.width / 2, target.height / 2};
            const Pixels8 part = lanczosResizeRegion(source, target, r);
            ASSERT_EQ(part.width, r.width);
            ASSERT_EQ(part.height, r.height);
            for (int y = 0; y < r.height; ++y) {
                ASSERT_TRUE(std::equal(part.row(y), part.row(y) + r.width * channels,
                                       whole.row(y + r.y) + r.x * channels))
                    << channels << " channels, row " << y;
            }
        }
    }
}

TEST(LanczosResize, MatchesTheImageLibrarysLanczosAndKeepsFlatColours) {
    static constexpr int kW = 301, kH = 207, kTW = 97, kTH = 130;
    Wand picture = makePicture(kW, kH, [](int x, int y) {
        return Rgba{static_cast<std::uint8_t>(128 + 100 * std::sin(x / 9.0)),
                    static_cast<std::uint8_t>(128 + 100 * std::cos(y / 7.0)),
                    static_cast<std::uint8_t>((x + y) / 2), 255};
    });
    Pixels8 source(kW, kH, 3);
    source.data = rgbOf(picture.get(), kW, kH);
    const Pixels8 ours = lanczosResizeRegion(source, {kTW, kTH}, {0, 0, kTW, kTH});
    MagickResizeImage(picture.get(), kTW, kTH, LanczosFilter, 1.0);
    EXPECT_GT(psnr(ours.data, rgbOf(picture.get(), kTW, kTH)), 45.0);

    Pixels8 flat(40, 30, 4);
    for (std::size_t i = 0; i < flat.data.size(); i += 4) {
        flat.data[i] = 10, flat.data[i + 1] = 200, flat.data[i + 2] = 77, flat.data[i + 3] = 255;
    }
    const Pixels8 big = lanczosResizeRegion(flat, {173, 11}, {0, 0, 173, 11});
    for (std::size_t i = 0; i < big.data.size(); i += 4) {
        ASSERT_EQ((Rgba{big.data[i], big.data[i + 1], big.data[i + 2], big.data[i + 3]}),
                  (Rgba{10, 200, 77, 255}));
    }
}

}  // namespace
}  // namespace plazor
