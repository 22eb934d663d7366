// Makes a deterministic set of sample pictures for the demo and the benchmark: each picture has its
// own colour, its number drawn as large seven-segment digits (no fonts needed) and an arrow that
// points up, so a picture placed sideways is easy to spot.
//
//   plazor-make-samples FOLDER [--count N] [--size WxH] [--varied] [--prefix NAME] [--quality Q]
//   plazor-make-samples --watermark FILE.png
//
// --varied cycles through landscape, portrait, square and wide sizes and stores one picture in every
// seven sideways with an EXIF orientation tag, as a phone camera does.

#include <wand/MagickWand.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "util/magick.h"

namespace {

using plazor::PixelWandPtr;
using plazor::Wand;

struct DrawingDeleter {
    void operator()(DrawingWand* d) const { DestroyDrawingWand(d); }
};
using Drawing = std::unique_ptr<DrawingWand, DrawingDeleter>;

struct Options {
    std::filesystem::path folder;
    int count = 12;
    int width = 640, height = 480;
    bool varied = false;
    std::string prefix = "photo_";
    int quality = 90;
    std::filesystem::path watermark;
};

int usage() {
    std::fprintf(stderr,
                 "usage: plazor-make-samples FOLDER [--count N] [--size WxH] [--varied] [--prefix NAME] "
                 "[--quality Q]\n       plazor-make-samples --watermark FILE.png\n");
    return 2;
}

std::string hexColour(double hue, double lightness) {
    // A simple HSL to RGB with full saturation.
    auto channel = [&](double n) {
        const double k = std::fmod(n + hue / 30.0, 12.0);
        const double a = std::min(lightness, 1 - lightness);
        return lightness - a * std::max(-1.0, std::min({k - 3, 9 - k, 1.0}));
    };
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", static_cast<int>(channel(0) * 255),
                  static_cast<int>(channel(8) * 255), static_cast<int>(channel(4) * 255));
    return text;
}

// Segments a..g of each digit, as bits 0..6.
constexpr std::array<int, 10> kSegments = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};

void drawDigit(DrawingWand* d, int digit, double x, double y, double w, double h) {
    const double t = w / 5;  // stroke thickness
    const int bits = kSegments[static_cast<std::size_t>(digit)];
    const double mid = y + h / 2;
    auto rect = [&](double x0, double y0, double x1, double y1) { DrawRectangle(d, x0, y0, x1, y1); };
    if (bits & 0x01) rect(x, y, x + w, y + t);                  // a: top
    if (bits & 0x02) rect(x + w - t, y, x + w, mid);            // b: top right
    if (bits & 0x04) rect(x + w - t, mid, x + w, y + h);        // c: bottom right
    if (bits & 0x08) rect(x, y + h - t, x + w, y + h);          // d: bottom
    if (bits & 0x10) rect(x, mid, x + t, y + h);                // e: bottom left
    if (bits & 0x20) rect(x, y, x + t, mid);                    // f: top left
    if (bits & 0x40) rect(x, mid - t / 2, x + w, mid + t / 2);  // g: middle
}

// The EXIF block of a JPEG that holds only an orientation tag (big-endian TIFF header).
std::string exifOrientation(int orientation) {
    const unsigned char bytes[] = {'E',  'x',
                                   'i',  'f',
                                   0,    0,  // EXIF marker
                                   'M',  'M',
                                   0,    42,
                                   0,    0,
                                   0,    8,  // TIFF header
                                   0,    1,  // one entry
                                   0x01, 0x12,
                                   0,    3,
                                   0,    0,
                                   0,    1,  // Orientation, SHORT, 1
                                   0,    static_cast<unsigned char>(orientation),
                                   0,    0,  // value
                                   0,    0,
                                   0,    0};  // no next directory
    return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

bool makePicture(const Options& o, int index, const std::filesystem::path& path) {
    static const std::array<std::array<int, 2>, 4> kVariedSizes = {
        {{640, 480}, {480, 640}, {520, 520}, {800, 300}}};
    int width = o.width, height = o.height;
    if (o.varied) {
        width = kVariedSizes[static_cast<std::size_t>(index) % 4][0];
        height = kVariedSizes[static_cast<std::size_t>(index) % 4][1];
    }
    const bool sideways = o.varied && index % 7 == 3;

    Wand wand = plazor::newWand();
    PixelWandPtr fill(NewPixelWand());
    PixelSetColor(fill.get(), hexColour((index * 47) % 360, 0.62).c_str());
    MagickNewImage(wand.get(), static_cast<size_t>(width), static_cast<size_t>(height), fill.get());

    Drawing draw(NewDrawingWand());
    PixelWandPtr ink(NewPixelWand());
    PixelSetColor(ink.get(), "#202020");
    DrawSetFillColor(draw.get(), ink.get());
    const std::string number = std::to_string(index + 1);
    const double digitH = height * 0.45;
    const double digitW = digitH * 0.5;
    const double gap = digitW * 0.3;
    const double total = static_cast<double>(number.size()) * (digitW + gap) - gap;
    double x = (width - total) / 2;
    const double y = (height - digitH) / 2 + height * 0.08;
    for (char c : number) {
        drawDigit(draw.get(), c - '0', x, y, digitW, digitH);
        x += digitW + gap;
    }
    // An arrow pointing up above the digits.
    const PointInfo arrow[3] = {{width / 2.0, height * 0.04},
                                {width / 2.0 - height * 0.09, height * 0.16},
                                {width / 2.0 + height * 0.09, height * 0.16}};
    DrawPolygon(draw.get(), 3, arrow);
    MagickDrawImage(wand.get(), draw.get());

    if (sideways) {
        // Stored turned a quarter to the left; the EXIF tag (6: rotate 90 clockwise to view) puts it back.
        MagickRotateImage(wand.get(), fill.get(), -90);
        const std::string exif = exifOrientation(6);
        MagickSetImageProfile(wand.get(), "exif", exif.data(), exif.size());
        MagickSetImageOrientation(wand.get(), RightTopOrientation);
    }
    const std::string ext = path.extension().string();
    MagickSetImageFormat(wand.get(), ext == ".png" ? "PNG" : "JPEG");
    MagickSetImageCompressionQuality(wand.get(), static_cast<size_t>(o.quality));
    return MagickWriteImage(wand.get(), path.c_str()) == MagickTrue;
}

// A 220 x 64 badge, half-transparent white with a dark border and three bars, on a clear ground.
bool makeWatermark(const std::filesystem::path& path) {
    Wand wand = plazor::newWand();
    PixelWandPtr clear(NewPixelWand());
    PixelSetColor(clear.get(), "none");
    MagickNewImage(wand.get(), 220, 64, clear.get());
    Drawing draw(NewDrawingWand());
    PixelWandPtr fill(NewPixelWand());
    PixelSetColor(fill.get(), "rgba(255,255,255,0.6)");
    PixelWandPtr stroke(NewPixelWand());
    PixelSetColor(stroke.get(), "#303030");
    DrawSetFillColor(draw.get(), fill.get());
    DrawSetStrokeColor(draw.get(), stroke.get());
    DrawSetStrokeWidth(draw.get(), 3);
    DrawRoundRectangle(draw.get(), 2, 2, 217, 61, 14, 14);
    DrawSetFillColor(draw.get(), stroke.get());
    for (int i = 0; i < 3; ++i)
        DrawRectangle(draw.get(), 30 + i * 60, 22, 70 + i * 60, 42);
    MagickDrawImage(wand.get(), draw.get());
    MagickSetImageFormat(wand.get(), "PNG");
    return MagickWriteImage(wand.get(), path.c_str()) == MagickTrue;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        if (arg == "--count") {
            const char* v = value();
            if (!v || (o.count = std::atoi(v)) <= 0) return usage();
        } else if (arg == "--size") {
            const char* v = value();
            if (!v || std::sscanf(v, "%dx%d", &o.width, &o.height) != 2 || o.width <= 0 || o.height <= 0)
                return usage();
        } else if (arg == "--varied") {
            o.varied = true;
        } else if (arg == "--prefix") {
            const char* v = value();
            if (!v) return usage();
            o.prefix = v;
        } else if (arg == "--quality") {
            const char* v = value();
            if (!v || (o.quality = std::atoi(v)) <= 0 || o.quality > 100) return usage();
        } else if (arg == "--watermark") {
            const char* v = value();
            if (!v) return usage();
            o.watermark = v;
        } else if (!arg.empty() && arg[0] != '-' && o.folder.empty()) {
            o.folder = arg;
        } else {
            return usage();
        }
    }
    if (!o.watermark.empty()) return makeWatermark(o.watermark) ? 0 : 1;
    if (o.folder.empty()) return usage();
    std::error_code ec;
    std::filesystem::create_directories(o.folder, ec);
    const int digits = o.count >= 1000 ? 4 : 3;
    for (int i = 0; i < o.count; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "%0*d.jpg", digits, i + 1);
        const auto path = o.folder / (o.prefix + name);
        if (!makePicture(o, i, path)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    std::printf("%d pictures in %s\n", o.count, o.folder.c_str());
    return 0;
}
