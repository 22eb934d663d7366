#include "template/background_picture.h"

#include <gtest/gtest.h>

#include "support/claiming_png.h"
#include "support/pictures.h"
#include "support/temp_dir.h"

namespace plazor {
namespace {

using testing::kBlue;
using testing::kClear;
using testing::kRed;
using testing::kWhite;
using testing::TempDir;

void writePicture(MagickWand* wand, const std::string& path, const char* format) {
    MagickSetImageFormat(wand, format);
    ASSERT_EQ(MagickWriteImages(wand, path.c_str(), MagickTrue), MagickTrue) << path;
}

TEST(BackgroundPicture, KeepsTheEncodedPictureItsSizeAndAlpha) {
    TempDir dir;
    // Left half red, right half transparent.
    Wand picture = testing::makePicture(30, 20, [](int x, int) { return x < 15 ? kRed : kClear; });
    // A name the image library would read as instructions if it were handed the name.
    writePicture(picture.get(), dir / "plain.png", "PNG");
    std::filesystem::rename(dir / "plain.png", dir / "背景[0].png");

    Background background;
    ASSERT_TRUE(loadBackgroundPicture(background, dir / "背景[0].png"));
    EXPECT_EQ(background.width, 30);
    EXPECT_EQ(background.height, 20);
    EXPECT_EQ(background.transparent, 1);

    Wand decoded = readBlob(background.pictureData);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(MagickGetImageWidth(decoded.get()), 30u);
    EXPECT_EQ(testing::pixelAt(decoded.get(), 2, 10), kRed);
    EXPECT_EQ(testing::pixelAt(decoded.get(), 25, 10).a, 0);
}

TEST(BackgroundPicture, OpaquePictureHasNoAlphaAndOnlyTheFirstFrameIsKept) {
    TempDir dir;
    Wand frames = testing::makeFilled(8, 6, "#0000ff");
    Wand second = testing::makeFilled(8, 6, "#ff0000");
    MagickSetLastIterator(frames.get());
    MagickAddImage(frames.get(), second.get());
    writePicture(frames.get(), dir / "two.gif", "GIF");

    Background background;
    background.transparent = 1;
    ASSERT_TRUE(loadBackgroundPicture(background, dir / "two.gif"));
    EXPECT_EQ(background.transparent, 0);
    Wand decoded = readBlob(background.pictureData);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(MagickGetNumberImages(decoded.get()), 1u);
    EXPECT_EQ(testing::pixelAt(decoded.get(), 4, 3), kBlue);
}

TEST(BackgroundPicture, UnreadablePicturesBecomeTheWhiteStandIn) {
    TempDir dir;
    testing::writeFile(dir / "broken.jpg", "\xFF\xD8 not really a picture");
    for (const std::string& path : {dir / "missing.png", dir / "broken.jpg", dir.str()}) {
        Background background;
        background.transparent = 1;
        EXPECT_FALSE(loadBackgroundPicture(background, path)) << path;
        EXPECT_EQ(background.width, 1);
        EXPECT_EQ(background.height, 1);
        EXPECT_EQ(background.transparent, 0);
        Wand decoded = readBlob(background.pictureData);
        ASSERT_TRUE(decoded);
        EXPECT_STREQ(MagickBuffer<char>(MagickGetImageFormat(decoded.get())).get(), "JPEG");
        EXPECT_TRUE(testing::near(testing::pixelAt(decoded.get(), 0, 0), kWhite));
    }
}

// Only the first frame is decoded: a damaged later frame, which spoils a full read, does not matter.
TEST(BackgroundPicture, AnimationWithADamagedLaterFrameGivesItsFirstFrame) {
    TempDir dir;
    Wand frames = testing::makeFilled(40, 30, "#0000ff");
    for (const char* colour : {"#ff0000", "#00ff00"}) {
        Wand next = testing::makeFilled(40, 30, colour);
        MagickSetLastIterator(frames.get());
        MagickAddImage(frames.get(), next.get());
    }
    writePicture(frames.get(), dir / "whole.gif", "GIF");
    const std::string whole = testing::readFile(dir.path() / "whole.gif");
    testing::writeFile(dir.path() / "cut.gif", whole.substr(0, whole.size() - 20));

    Background background;
    ASSERT_TRUE(loadBackgroundPicture(background, dir / "cut.gif")) << background.pictureProblem;
    EXPECT_EQ(background.width, 40);
    EXPECT_TRUE(background.pictureProblem.empty());
    Wand decoded = readBlob(background.pictureData);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(testing::pixelAt(decoded.get(), 20, 15), kBlue);
}

TEST(BackgroundPicture, DamagedAndOversizedPicturesSayWhyTheyStandInAsOnePixel) {
    TempDir dir;
    testing::writeFile(dir.path() / "broken.jpg", "\xFF\xD8 not really a picture");
    // Decoding this header's claim would take 864 MB; it is refused from the header.
    testing::writeFile(dir.path() / "bomb.png", testing::pngClaiming(12000, 9000));

    Background background;
    EXPECT_FALSE(loadBackgroundPicture(background, dir / "broken.jpg"));
    EXPECT_EQ(background.pictureProblem, "背景图片 '" + (dir / "broken.jpg") + "' 不是一个有效的图片");

    EXPECT_FALSE(loadBackgroundPicture(background, dir / "bomb.png"));
    EXPECT_EQ(background.width, 1);
    EXPECT_NE(background.pictureProblem.find("12000 x 9000"), std::string::npos) << background.pictureProblem;

    // A good picture afterwards clears the problem.
    Wand good = testing::makeFilled(8, 6, "#ff0000");
    writePicture(good.get(), dir / "good.png", "PNG");
    EXPECT_TRUE(loadBackgroundPicture(background, dir / "good.png"));
    EXPECT_TRUE(background.pictureProblem.empty());
}

}  // namespace
}  // namespace plazor
