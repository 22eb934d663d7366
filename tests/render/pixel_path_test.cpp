// The 8-bit pixel path against the image library on real pixels: the JPEG writer's bytes, the Over
// operator with transparency, and the fixed-point Lanczos against a double-precision reference.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "render/jpeg_writer.h"
#include "render/lanczos_resize.h"
#include "render/over8.h"
#include "render/wand_pixels.h"
#include "support/pictures.h"

namespace plazor {
namespace {

// A photo-like picture: smooth gradients, edges and a little deterministic noise.
Pixels8 photo(int w, int h, int channels) {
    Pixels8 p(w, h, channels);
    unsigned noise = 12345;
    for (int y = 0; y < h; ++y) {
        std::uint8_t* row = p.row(y);
        for (int x = 0; x < w; ++x, row += channels) {
            noise = noise * 1103515245u + 12345u;
            const int n = static_cast<int>(noise >> 28) - 8;
            row[0] = static_cast<std::uint8_t>(
                std::clamp(128 + static_cast<int>(100 * std::sin(x / 7.0)) + n, 0, 255));
            row[1] = static_cast<std::uint8_t>(std::clamp((x * y) % 256 + n / 2, 0, 255));
            row[2] = static_cast<std::uint8_t>((x / 16 + y / 16) % 2 ? 230 : 20);
            if (channels == 4) row[3] = static_cast<std::uint8_t>((x * 255) / (w - 1));
        }
    }
    return p;
}

std::string libraryJpeg(const Pixels8& pixels, int quality, int dpi) {
    Outcome<Wand> made = wandOf(pixels, dpi);
    EXPECT_TRUE(made.ok());
    if (!made.ok()) return {};
    Wand wand = std::move(*made);
    MagickSetImageFormat(wand.get(), "JPEG");
    MagickSetImageCompression(wand.get(), JPEGCompression);
    MagickSetImageCompressionQuality(wand.get(), static_cast<size_t>(quality));
    size_t length = 0;
    MagickBuffer<unsigned char> blob(MagickGetImageBlob(wand.get(), &length));
    return std::string(reinterpret_cast<const char*>(blob.get()), length);
}

// The library reads back what it would have written itself: the same samples, sampling and resolution.
TEST(JpegWriter, WritesWhatTheImageLibraryWritesFromTheSamePixels) {
    const Pixels8 picture = photo(203, 131, 3);
    for (const int quality : {90, 75, 91, 100}) {
        for (const int dpi : {72, 300}) {
            SCOPED_TRACE(::testing::Message() << "quality " << quality << ", " << dpi << " dpi");
            const Outcome<std::string> ours = encodeJpeg(picture, 0, picture.height, quality, dpi);
            ASSERT_TRUE(ours.ok()) << ours.error();
            const std::string theirs = libraryJpeg(picture, quality, dpi);
            Wand a = newWand(), b = newWand();
            ASSERT_EQ(MagickReadImageBlob(a.get(), ours->data(), ours->size()), MagickTrue);
            ASSERT_EQ(MagickReadImageBlob(b.get(), theirs.data(), theirs.size()), MagickTrue);
            double x = 0, y = 0;
            MagickGetImageResolution(a.get(), &x, &y);
            EXPECT_EQ(x, dpi);
            EXPECT_EQ(y, dpi);
            EXPECT_EQ(MagickGetImageUnits(a.get()), PixelsPerInchResolution);
            EXPECT_EQ(MagickGetImageCompressionQuality(a.get()), MagickGetImageCompressionQuality(b.get()));
            for (const char* property : {"jpeg:sampling-factor", "jpeg:colorspace"}) {
                MagickBuffer<char> mine(MagickGetImageProperty(a.get(), property));
                MagickBuffer<char> library(MagickGetImageProperty(b.get(), property));
                ASSERT_TRUE(mine && library) << property;
                EXPECT_STREQ(mine.get(), library.get()) << property;
            }
            EXPECT_EQ(*ours, theirs);
        }
    }
    // A strip is encoded from its own rows.
    const Outcome<std::string> strip = encodeJpeg(picture, 40, 17, 90, 72);
    ASSERT_TRUE(strip.ok());
    Wand read = newWand();
    ASSERT_EQ(MagickReadImageBlob(read.get(), strip->data(), strip->size()), MagickTrue);
    EXPECT_EQ(MagickGetImageHeight(read.get()), 17u);
    EXPECT_FALSE(encodeJpeg(picture, 120, 17, 90, 72).ok());
}

Wand wandFrom(const Pixels8& pixels) {
    Outcome<Wand> wand = wandOf(pixels, 72);
    EXPECT_TRUE(wand.ok());
    return wand.ok() ? std::move(*wand) : nullptr;
}

// A picture whose alpha runs from transparent to opaque across it, over opaque, transparent and
// half-transparent canvases: the library's Over on 16-bit samples, read out in 8 bits, within a level.
TEST(Over8, MatchesTheImageLibrarysOverWithTransparency) {
    const Pixels8 mark = photo(61, 37, 4);
    Pixels8 half = photo(80, 50, 4);
    for (std::size_t i = 3; i < half.data.size(); i += 4)
        half.data[i] = 128;
    const Pixels8 canvases[] = {photo(80, 50, 3), filledPixels(80, 50, 4, 0, 0, 0, 0), half};
    for (const Pixels8& canvas : canvases) {
        for (const auto& [x, y] : {std::pair{5, 7}, std::pair{-20, 30}, std::pair{40, -10}}) {
            SCOPED_TRACE(::testing::Message() << canvas.channels << " channels at " << x << "," << y);
            Pixels8 ours = canvas;
            compositeOver(ours, mark, x, y);
            Wand target = wandFrom(canvas);
            Wand picture = wandFrom(mark);
            ASSERT_EQ(MagickCompositeImage(target.get(), picture.get(), OverCompositeOp, x, y), MagickTrue);
            const Outcome<Pixels8> theirs = pixelsOf(target.get());
            ASSERT_TRUE(theirs.ok()) << theirs.error();
            ASSERT_EQ(theirs->channels, ours.channels);
            int worst = 0;
            for (std::size_t i = 0; i < ours.data.size(); ++i) {
                // Colour under full transparency is no colour: only its alpha counts.
                const std::size_t pixel = i - i % static_cast<std::size_t>(ours.channels);
                if (ours.channels == 4 && i % 4 != 3 && ours.data[pixel + 3] == 0) continue;
                worst = std::max(worst, std::abs(ours.data[i] - theirs->data[i]));
            }
            EXPECT_LE(worst, 1);
        }
    }
}

// Three-lobe Lanczos straight from its definition, in double precision, one axis at a time.
std::vector<double> referenceAxis(const std::vector<double>& in, int length, int stride, int count,
                                  int target) {
    std::vector<double> out(static_cast<std::size_t>(target) * count);
    const double factor = static_cast<double>(target) / length;
    const double scale = std::max(1.0, 1.0 / factor);
    auto kernel = [](double t) {
        t = std::fabs(t);
        if (t >= 3.0) return 0.0;
        if (t == 0.0) return 1.0;
        const double pt = std::numbers::pi * t;
        return 3.0 * std::sin(pt) * std::sin(pt / 3.0) / (pt * pt);
    };
    for (int i = 0; i < target; ++i) {
        const double centre = (i + 0.5) / factor;
        const int from = std::max(0, static_cast<int>(std::floor(centre - 3.0 * scale + 0.5)));
        const int to = std::min(length, static_cast<int>(std::floor(centre + 3.0 * scale + 0.5)));
        double total = 0;
        for (int j = from; j < to; ++j)
            total += kernel((j + 0.5 - centre) / scale);
        for (int c = 0; c < count; ++c) {
            double sum = 0;
            for (int j = from; j < to; ++j)
                sum += kernel((j + 0.5 - centre) / scale) * in[static_cast<std::size_t>(j) * stride + c];
            out[static_cast<std::size_t>(i) * count + c] = sum / total;
        }
    }
    return out;
}

TEST(LanczosResize, RgbIsWithinALevelOfADoublePrecisionReference) {
    const Pixels8 source = photo(233, 157, 3);
    for (const PixelSize target : {PixelSize{97, 61}, PixelSize{40, 150}, PixelSize{301, 200}}) {
        SCOPED_TRACE(::testing::Message() << target.width << "x" << target.height);
        const Pixels8 ours = lanczosResizeRegion(source, target, {0, 0, target.width, target.height});
        // Columns first (each row's samples along x), then rows.
        const int w = source.width, h = source.height;
        std::vector<double> wide(source.data.begin(), source.data.end());
        std::vector<double> rows;
        for (int y = 0; y < h; ++y) {
            const std::vector<double> line(wide.begin() + static_cast<std::ptrdiff_t>(y) * w * 3,
                                           wide.begin() + static_cast<std::ptrdiff_t>(y + 1) * w * 3);
            const std::vector<double> r = referenceAxis(line, w, 3, 3, target.width);
            rows.insert(rows.end(), r.begin(), r.end());
        }
        const int n = target.width * 3;
        const std::vector<double> out = referenceAxis(rows, h, n, n, target.height);
        int worst = 0;
        for (std::size_t i = 0; i < out.size(); ++i) {
            const int want = static_cast<int>(std::lround(std::clamp(out[i], 0.0, 255.0)));
            worst = std::max(worst, std::abs(want - ours.data[i]));
        }
        EXPECT_LE(worst, 1);
    }
}

}  // namespace
}  // namespace plazor
