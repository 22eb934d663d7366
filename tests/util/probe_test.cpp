#include "util/probe.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <random>

#include "support/temp_dir.h"
#include "util/magick.h"

namespace plazor {
namespace {

// Small builders for crafted headers. Bytes are appended in the order a file holds them.
class Bytes {
  public:
    Bytes& raw(std::initializer_list<int> bytes) {
        for (int b : bytes)
            s_.push_back(static_cast<char>(b));
        return *this;
    }
    Bytes& text(std::string_view t) {
        s_ += t;
        return *this;
    }
    Bytes& be16(std::uint32_t v) { return raw({int(v >> 8 & 0xFF), int(v & 0xFF)}); }
    Bytes& le16(std::uint32_t v) { return raw({int(v & 0xFF), int(v >> 8 & 0xFF)}); }
    Bytes& be32(std::uint32_t v) { return be16(v >> 16).be16(v & 0xFFFF); }
    Bytes& le32(std::uint32_t v) { return le16(v & 0xFFFF).le16(v >> 16); }
    Bytes& zeros(std::size_t n) {
        s_.append(n, '\0');
        return *this;
    }
    Bytes& padTo(std::size_t n) { return zeros(s_.size() < n ? n - s_.size() : 0); }
    const std::string& str() const { return s_; }

  private:
    std::string s_;
};

std::string png(std::uint32_t width, std::uint32_t height) {
    return Bytes()
        .raw({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A})
        .be32(13)
        .text("IHDR")
        .be32(width)
        .be32(height)
        .raw({8, 6, 0, 0, 0})
        .zeros(4)
        .str();
}

std::string gif(std::uint32_t width, std::uint32_t height) {
    return Bytes().text("GIF89a").le16(width).le16(height).raw({0xF7, 0, 0}).str();
}

// SOI, an APP0 segment, a DHT-like segment, then a frame header with the given marker.
std::string jpeg(int frameMarker, std::uint32_t width, std::uint32_t height) {
    return Bytes()
        .raw({0xFF, 0xD8})
        .raw({0xFF, 0xE0})
        .be16(16)
        .text("JFIF")
        .zeros(10)
        .raw({0xFF, 0xC4})
        .be16(5)
        .raw({1, 2, 3})
        .raw({0xFF, frameMarker})
        .be16(11)
        .raw({8})
        .be16(height)
        .be16(width)
        .raw({1, 1, 0x11, 0})
        .str();
}

struct TiffEntry {
    std::uint32_t tag, type, value;
};

// A TIFF whose first directory sits right after the 8-byte header. `count` overrides the entry count.
std::string tiff(bool bigEndian, std::initializer_list<TiffEntry> entries, int count = -1) {
    Bytes b;
    auto u16 = [&](std::uint32_t v) { bigEndian ? b.be16(v) : b.le16(v); };
    auto u32 = [&](std::uint32_t v) { bigEndian ? b.be32(v) : b.le32(v); };
    b.text(bigEndian ? "MM" : "II");
    u16(42);
    u32(8);
    u16(count < 0 ? static_cast<std::uint32_t>(entries.size()) : static_cast<std::uint32_t>(count));
    for (const TiffEntry& e : entries) {
        u16(e.tag);
        u16(e.type);
        u32(1);
        if (e.type == 3) {
            u16(e.value);  // a SHORT value sits in the first two bytes of the field
            u16(0);
        } else {
            u32(e.value);
        }
    }
    return b.str();
}

std::string psd(std::uint32_t width, std::uint32_t height) {
    return Bytes().text("8BPS").be16(1).zeros(6).be16(3).be32(height).be32(width).be16(8).be16(3).str();
}

// BMP with the 40-byte info header; `height` is signed (negative for top-down rows).
std::string bmp(std::uint32_t sizeField, std::int32_t width, std::int32_t height) {
    return Bytes()
        .text("BM")
        .le32(sizeField)
        .zeros(4)
        .le32(54)
        .le32(40)
        .le32(static_cast<std::uint32_t>(width))
        .le32(static_cast<std::uint32_t>(height))
        .le16(1)
        .le16(24)
        .padTo(54)
        .str();
}

// BMP with the 12-byte core header: 16-bit width and height.
std::string bmpCore(std::uint32_t sizeField, std::uint32_t width, std::uint32_t height) {
    return Bytes()
        .text("BM")
        .le32(sizeField)
        .zeros(4)
        .le32(26)
        .le32(12)
        .le16(width)
        .le16(height)
        .le16(1)
        .le16(24)
        .str();
}

void expectProbe(const std::string& bytes, const char* format, int width, int height, int fileSize) {
    const auto r = probePictureBytes(bytes);
    ASSERT_TRUE(r.has_value()) << format;
    EXPECT_EQ(r->format, format);
    EXPECT_EQ(r->width, width);
    EXPECT_EQ(r->height, height);
    EXPECT_EQ(r->fileSize, fileSize);
}

TEST(Probe, PngGifAndPsdFromTheirFixedOffsets) {
    const std::string p = Bytes().text(png(300, 200)).zeros(100).str();
    expectProbe(p, "PNG", 300, 200, static_cast<int>(p.size()));
    // Sizes beyond 16 bits are read from the whole 4-byte fields.
    expectProbe(png(70000, 3), "PNG", 70000, 3, 33);
    EXPECT_FALSE(probePictureBytes(png(0x80000000u, 3)));

    expectProbe(gif(640, 480), "GIF", 640, 480, 13);
    expectProbe(psd(1024, 768), "PSD", 1024, 768, 26);
    // Anything starting with "8B" counts as PSD once its size fields are non-zero.
    expectProbe(Bytes().text("8Bxx").zeros(10).be32(5).be32(7).str(), "PSD", 7, 5, 22);
}

TEST(Probe, JpegWalksToTheFirstFrameHeader) {
    const std::string baseline = jpeg(0xC0, 800, 600);
    expectProbe(baseline, "JPEG", 800, 600, static_cast<int>(baseline.size()));
    expectProbe(jpeg(0xC2, 123, 45), "JPEG", 123, 45, static_cast<int>(baseline.size()));
    // C1 and C3 are not frame headers here: they are skipped, and the data ends before a frame.
    EXPECT_FALSE(probePictureBytes(jpeg(0xC1, 10, 10)));
    EXPECT_FALSE(probePictureBytes(jpeg(0xC3, 10, 10)));
}

TEST(Probe, BrokenJpegsFailWithoutHanging) {
    const std::string soi = Bytes().raw({0xFF, 0xD8}).str();
    EXPECT_FALSE(probePictureBytes(soi));
    // Ends inside a segment, before any frame header.
    EXPECT_FALSE(probePictureBytes(Bytes().text(soi).raw({0xFF, 0xE0}).be16(100).zeros(20).str()));
    // Zero and one-byte lengths would stand still or go backwards.
    EXPECT_FALSE(probePictureBytes(Bytes().text(soi).raw({0xFF, 0xE0}).be16(0).zeros(64).str()));
    EXPECT_FALSE(probePictureBytes(Bytes().text(soi).raw({0xFF, 0xE0}).be16(1).zeros(64).str()));
    // A segment that does not start with FF.
    EXPECT_FALSE(
        probePictureBytes(Bytes().text(soi).raw({0xFE, 0xC0}).be16(11).raw({8}).be16(5).be16(5).str()));
    // A frame header cut off before its width.
    EXPECT_FALSE(
        probePictureBytes(Bytes().text(soi).raw({0xFF, 0xC0}).be16(11).raw({8}).be16(5).raw({0}).str()));
    // A frame header that says 0 x 0.
    EXPECT_FALSE(probePictureBytes(jpeg(0xC0, 0, 0)));
}

TEST(Probe, TiffInBothByteOrders) {
    expectProbe(tiff(false, {{256, 3, 640}, {257, 3, 480}}), "TIFF", 640, 480, 34);
    expectProbe(tiff(true, {{256, 3, 640}, {257, 3, 480}}), "TIFF", 640, 480, 34);
    // LONG values use the whole field, in either byte order.
    expectProbe(tiff(true, {{254, 4, 0}, {256, 4, 300}, {257, 4, 70000}}), "TIFF", 300, 70000, 46);
    expectProbe(tiff(false, {{257, 4, 20}, {256, 4, 10}}), "TIFF", 10, 20, 34);
}

TEST(Probe, TiffFailures) {
    // Only one of the two size tags.
    EXPECT_FALSE(probePictureBytes(tiff(false, {{256, 3, 640}, {258, 3, 8}})));
    // A count far beyond the data stops at the end of the data.
    EXPECT_FALSE(probePictureBytes(tiff(false, {{256, 3, 640}}, 65535)));
    expectProbe(tiff(true, {{256, 3, 9}, {257, 3, 8}}, 65535), "TIFF", 9, 8, 34);
    // A directory offset past the end of the data.
    EXPECT_FALSE(probePictureBytes(Bytes().text("II").le16(42).le32(0xFFFFFFF0u).zeros(30).str()));
    EXPECT_FALSE(probePictureBytes(Bytes().text("MM").be16(42).be32(8).str()));
}

TEST(Probe, BmpSizesAndHeaderSizeField) {
    expectProbe(bmp(5000, 40, 30), "BMP", 40, 30, 5000);
    // Bottom-up rows are stored with a negative height.
    expectProbe(bmp(5000, 40, -30), "BMP", 40, 30, 5000);
    expectProbe(bmpCore(1234, 300, 200), "BMP", 300, 200, 1234);
    // The header's size field, not the real length, must be non-zero.
    EXPECT_FALSE(probePictureBytes(bmp(0, 40, 30)));
    EXPECT_FALSE(probePictureBytes(bmp(5000, 0, 30)));
}

TEST(Probe, UnknownOrShortDataFails) {
    EXPECT_FALSE(probePictureBytes(""));
    EXPECT_FALSE(probePictureBytes("B"));
    EXPECT_FALSE(probePictureBytes("GI"));  // sizes past the end read as zero
    EXPECT_FALSE(probePictureBytes(Bytes().text("RIFF").zeros(40).str()));
    EXPECT_FALSE(probePictureBytes(gif(0, 10)));
}

// Mutated headers of every format: whatever the probe answers must be a sane result, and files and
// memory must give the same answer.
TEST(Probe, MutatedHeadersNeverCrash) {
    const std::vector<std::string> seeds = {png(300, 200),
                                            gif(5, 6),
                                            jpeg(0xC0, 7, 8),
                                            jpeg(0xC2, 9, 10),
                                            tiff(false, {{256, 3, 1}, {257, 3, 2}}),
                                            tiff(true, {{256, 4, 3}, {257, 3, 4}}),
                                            psd(11, 12),
                                            bmp(99, 13, -14),
                                            bmpCore(99, 15, 16)};
    std::mt19937 rng(20240607);
    testing::TempDir dir;
    const std::string path = dir / "mutant";
    int accepted = 0;
    for (int round = 0; round < 4000; ++round) {
        std::string bytes = seeds[rng() % seeds.size()];
        const int edits = 1 + static_cast<int>(rng() % 6);
        for (int e = 0; e < edits; ++e) {
            switch (rng() % 4) {
                case 0:  // overwrite a byte
                    if (!bytes.empty()) bytes[rng() % bytes.size()] = static_cast<char>(rng());
                    break;
                case 1:  // cut the tail
                    bytes.resize(rng() % (bytes.size() + 1));
                    break;
                case 2:  // small or huge lengths where the walks read them
                    if (bytes.size() > 8) bytes[2 + rng() % 6] = static_cast<char>(rng() % 2 ? 0 : 0xFF);
                    break;
                default:  // extend with noise
                    for (int n = static_cast<int>(rng() % 16); n > 0; --n)
                        bytes.push_back(static_cast<char>(rng()));
            }
        }
        const auto r = probePictureBytes(bytes);
        if (r) {
            ++accepted;
            EXPECT_GT(r->width, 0);
            EXPECT_GT(r->height, 0);
            EXPECT_GT(r->fileSize, 0);
        }
        if (round % 20 == 0) {
            testing::writeFile(path, bytes);
            const auto fromFile = probePicture(path);
            ASSERT_EQ(fromFile.has_value(), r.has_value()) << "round " << round;
            if (r) {
                EXPECT_EQ(fromFile->width, r->width);
            }
        }
    }
    // The mutations leave many headers intact; if none was accepted the test exercised nothing.
    EXPECT_GT(accepted, 100);
}

void writePicture(const std::string& path, const char* format, std::size_t width, std::size_t height,
                  InterlaceType interlace = NoInterlace) {
    Wand wand = newWand();
    PixelWandPtr colour(NewPixelWand());
    PixelSetColor(colour.get(), "#336699");
    ASSERT_EQ(MagickNewImage(wand.get(), width, height, colour.get()), MagickTrue);
    ASSERT_EQ(MagickSetImageFormat(wand.get(), format), MagickTrue);
    MagickSetInterlaceScheme(wand.get(), interlace);
    ASSERT_EQ(MagickWriteImage(wand.get(), path.c_str()), MagickTrue) << wandError(wand.get());
}

TEST(Probe, PicturesWrittenByTheImageLibrary) {
    testing::TempDir dir;
    const std::vector<std::tuple<std::string, const char*, InterlaceType, const char*>> cases = {
        {"a.png", "PNG", NoInterlace, "PNG"},
        {"b.jpg", "JPEG", NoInterlace, "JPEG"},
        {"c.jpg", "JPEG", PlaneInterlace, "JPEG"},  // progressive
        {"d.gif", "GIF", NoInterlace, "GIF"},
    };
    for (const auto& [name, format, interlace, expected] : cases) {
        const std::string path = dir / name;
        writePicture(path, format, 300, 200, interlace);
        const auto r = probePicture(path);
        ASSERT_TRUE(r.has_value()) << name;
        EXPECT_EQ(r->format, expected);
        EXPECT_EQ(r->width, 300);
        EXPECT_EQ(r->height, 200);
        EXPECT_EQ(r->fileSize, static_cast<std::int32_t>(std::filesystem::file_size(path)));
    }
    // The progressive file really starts its frame with C2.
    EXPECT_NE(testing::readFile(dir / "c.jpg").find("\xFF\xC2"), std::string::npos);
    EXPECT_FALSE(probePicture(dir / "missing.png"));
    EXPECT_FALSE(probePicture(dir.path()));
}

TEST(Probe, HugeFileIsNotReadWhole) {
    testing::TempDir dir;
    const std::string path = dir / "huge.png";
    testing::writeFile(path, png(10, 20));
    // A sparse file of 3 GiB: only its header is read, and its length is capped to 32 bits.
    std::error_code ec;
    std::filesystem::resize_file(path, 3ull << 30, ec);
    if (ec) GTEST_SKIP() << "cannot make a sparse file here: " << ec.message();
    const auto r = probePicture(path);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->width, 10);
    EXPECT_EQ(r->fileSize, std::numeric_limits<std::int32_t>::max());
}

}  // namespace
}  // namespace plazor
