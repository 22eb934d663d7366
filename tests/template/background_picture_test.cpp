#include "template/background_picture.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace plazor
