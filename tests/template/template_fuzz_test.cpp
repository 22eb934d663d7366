// The reader against thousands of damaged template files made from valid ones with a fixed seed: it
// must neither crash nor leave a document that cannot be used, shown or saved again.
#include <gtest/gtest.h>

#include <array>
#include <random>

#include "template/template_file.h"
#include "template/units.h"

namespace plazor {
namespace {

std::vector<std::string> seedFiles() {
    Document colour;
    colour.background.colourChoice = kColourCustom;
    colour.background.colour = 0xabcdef;
    colour.setBackgroundUnit(kUnitInches, 300);
    colour.addPasteLayer(kBelowBackground, kCustom).customize = Customize{1, 2, kPosValue, -3, kPosEnd, 4};
    colour.addPasteLayer(kAboveBackground, kStretch).x = 40;
    colour.addWatermark("/不存在/水印.png", 7, 8);
    colour.addSlice(90);
    colour.settings.colourSpace = kSpaceGrey;

    Document picture;
    picture.background.kind = kPictureBackground;
    picture.background.picturePath = "/不存在/背景.jpg";
    picture.addPasteLayer(kAboveBackground, kCropTopLeft);
    picture.settings.format = kFormatPng;
    picture.settings.png8 = true;
    picture.settings.colourCount = 64;
    return {serialiseTemplate(colour).value(), serialiseTemplate(picture).value()};
}

class Mutator {
  public:
    explicit Mutator(unsigned seed) : random_(seed) {}

    std::string mutate(std::string text) {
        const int edits = 1 + pick(4);
        for (int i = 0; i < edits && !text.empty(); ++i) {
            const std::size_t at = pick(text.size());
            switch (pick(6)) {
                case 0:  // flip bits of one byte
                    text[at] = static_cast<char>(text[at] ^ (1 << pick(8)));
                    break;
                case 1:  // insert a byte that matters to JSON or to code page 936
                    text.insert(at, 1, kBytes[pick(kBytes.size())]);
                    break;
                case 2:  // cut a stretch
                    text.erase(at, 1 + pick(40));
                    break;
                case 3:  // repeat a stretch
                    text.insert(at, text.substr(at, 1 + pick(60)));
                    break;
                case 4:  // put in a hostile number
                    text.insert(at, kNumbers[pick(kNumbers.size())]);
                    break;
                default:  // end the file early
                    text.resize(at);
                    break;
            }
        }
        return text;
    }

  private:
    static constexpr std::array<char, 16> kBytes = {'{', '}', '[', ']', '"',  ',',    ':',    '\\',
                                                    '-', '0', '9', 'e', '\0', '\x81', '\xFF', '\n'};
    static constexpr std::array<const char*, 6> kNumbers = {"1e999", "-1e999",   "2147483648",
                                                            "-0",    "0.5e-400", "99999999999999999999"};

    std::size_t pick(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_); }
    int pick(int n) { return static_cast<int>(pick(static_cast<std::size_t>(n))); }

    std::mt19937 random_;
};

void expectUsable(const Document& doc, const std::string& input) {
    const Background& bg = doc.background;
    ASSERT_GE(bg.width, 1) << input;
    ASSERT_GE(bg.height, 1) << input;
    ASSERT_LE(bg.width, kMaxBackgroundSide) << input;
    ASSERT_LE(bg.height, kMaxBackgroundSide) << input;
    ASSERT_GE(bg.dpi, kMinDpi) << input;
    ASSERT_LE(bg.dpi, kMaxDpi) << input;
    ASSERT_GE(bg.unit, kUnitPixels) << input;
    ASSERT_LE(bg.unit, kUnitInches) << input;
    ASSERT_LE(bg.colour, 0xFFFFFFu) << input;
    ASSERT_GE(doc.settings.quality, kMinQuality) << input;
    ASSERT_LE(doc.settings.quality, kMaxQuality) << input;
    int number = 1;
    for (const PasteLayer& layer : doc.pasteLayers) {
        ASSERT_EQ(layer.number, number++) << input;
        ASSERT_LE(layer.level, static_cast<unsigned>(kBelowBackground)) << input;
        ASSERT_LE(layer.overflowStyle, static_cast<unsigned>(kCustom)) << input;
    }
}

TEST(TemplateFuzz, DamagedFilesNeverBreakTheReader) {
    const std::vector<std::string> seeds = seedFiles();
    Mutator mutator(20240611);
    int accepted = 0;
    for (int i = 0; i < 3000; ++i) {
        const std::string input = mutator.mutate(seeds[static_cast<std::size_t>(i) % seeds.size()]);
        Document doc;
        const LoadOutcome result = applyTemplate(doc, input);
        ASSERT_TRUE(result.ok() || !result.error().text.empty()) << input;
        expectUsable(doc, input);
        accepted += result.ok();

        // Whatever was read, in full or in part, saves and reads back to the same bytes.
        const std::string saved = serialiseTemplate(doc).value();
        Document again;
        ASSERT_TRUE(applyTemplate(again, saved).ok()) << input;
        ASSERT_EQ(serialiseTemplate(again).value(), saved) << input;
    }
    // The damage must leave some files readable, or the test would only exercise the parser's refusal.
    EXPECT_GT(accepted, 100);
}

}  // namespace
}  // namespace plazor
