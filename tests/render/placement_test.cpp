#include "render/placement.h"

#include <gtest/gtest.h>

#include <vector>

#include "render/placement_reference.h"
#include "support/claiming_png.h"
#include "support/paste_layers.h"
#include "support/pictures.h"
#include "support/temp_dir.h"

namespace plazor {
namespace {

using testing::kBlue;
using testing::kGreen;
using testing::kRed;
using testing::kWhite;
using testing::kYellow;
using testing::makeFilled;
using testing::makePicture;
using testing::makeQuadrants;
using testing::near;
using testing::pixelAt;
using testing::Rgba;

using testing::layerAt;

// Places `picture` into `layer` on a white canvas and returns the canvas.
Wand placeOnWhite(int canvasW, int canvasH, Wand picture, const PasteLayer& layer) {
    Wand canvas = makeFilled(canvasW, canvasH, "#ffffff");
    const Status placed = placePicture(canvas.get(), picture.get(), layer);
    EXPECT_TRUE(placed.ok()) << (placed.ok() ? "" : placed.error());
    return canvas;
}

// Writes every frame of `wand` to `path` byte for byte, so no character of the name is interpreted.
void writePicture(MagickWand* wand, const std::string& format, const std::string& path) {
    MagickSetFormat(wand, format.c_str());
    size_t length = 0;
    MagickBuffer<unsigned char> blob(MagickGetImagesBlob(wand, &length));
    ASSERT_TRUE(blob) << wandError(wand);
    testing::writeFile(path, std::string(reinterpret_cast<const char*>(blob.get()), length));
}

TEST(Placement, ShrinkToFitShowsTheWholePictureScaledAndCentred) {
    Wand picture = makePicture(400, 200, [](int x, int) { return x < 200 ? kRed : kBlue; });
    Wand canvas = placeOnWhite(200, 200, std::move(picture), layerAt(10, 20, 100, 100, kShrinkToFit));
    // 100 x 50 at 10, 45.
    EXPECT_TRUE(near(pixelAt(canvas.get(), 20, 50), kRed));
    EXPECT_TRUE(near(pixelAt(canvas.get(), 100, 90), kBlue));
    EXPECT_EQ(pixelAt(canvas.get(), 60, 44), kWhite);
    EXPECT_EQ(pixelAt(canvas.get(), 60, 95), kWhite);
    EXPECT_NE(pixelAt(canvas.get(), 60, 45), kWhite);
    EXPECT_NE(pixelAt(canvas.get(), 60, 94), kWhite);
}

TEST(Placement, ShrinkToFitCentresASmallerPictureUnchanged) {
    Wand canvas = placeOnWhite(200, 200, makeQuadrants(50, 50), layerAt(10, 20, 100, 80, kShrinkToFit));
    // The picture covers 35..84 by 35..84.
    EXPECT_EQ(pixelAt(canvas.get(), 35, 35), kRed);
    EXPECT_EQ(pixelAt(canvas.get(), 84, 35), kGreen);
    EXPECT_EQ(pixelAt(canvas.get(), 35, 84), kBlue);
    EXPECT_EQ(pixelAt(canvas.get(), 84, 84), kYellow);
    EXPECT_EQ(pixelAt(canvas.get(), 34, 35), kWhite);
    EXPECT_EQ(pixelAt(canvas.get(), 35, 34), kWhite);
    EXPECT_EQ(pixelAt(canvas.get(), 85, 84), kWhite);
    EXPECT_EQ(pixelAt(canvas.get(), 84, 85), kWhite);
}

TEST(Placement, ScaleToFitEnlargesToTheSlot) {
    Wand canvas = placeOnWhite(200, 200, makeQuadrants(50, 50), layerAt(10, 20, 100, 80, kScaleToFit));
    // 80 x 80 at 20, 20.
    EXPECT_TRUE(near(pixelAt(canvas.get(), 22, 22), kRed));
    EXPECT_TRUE(near(pixelAt(canvas.get(), 97, 22), kGreen));
    EXPECT_TRUE(near(pixelAt(canvas.get(), 22, 97), kBlue));
    EXPECT_TRUE(near(pixelAt(canvas.get(), 97, 97), kYellow));
    EXPECT_EQ(pixelAt(canvas.get(), 19, 50), kWhite);
    EXPECT_EQ(pixelAt(canvas.get(), 100, 50), kWhite);
    EXPECT_EQ(pixelAt(canvas.get(), 50, 100), kWhite);
}

TEST(Placement, CropTopLeftShowsTheTopLeftCorner) {
    Wand canvas = placeOnWhite(200, 200, makeQuadrants(300, 300), layerAt(10, 20, 100, 50, kCropTopLeft));
    EXPECT_EQ(pixelAt(canvas.get(), 10, 20), kRed);
    EXPECT_EQ(pixelAt(canvas.get(), 109, 69), kRed);
    EXPECT_EQ(pixelAt(canvas.get(), 110, 20), kWhite);
    EXPECT_EQ(pixelAt(canvas.get(), 10, 70), kWhite);
}

TEST(Placement, APictureOffsetOnItsOwnCanvasIsCroppedFromItsCorner) {
    // Animation frames and PNG oFFs chunks give a picture a page offset; the crop must not follow it.
    Wand picture = makeQuadrants(300, 300);
    MagickSetImagePage(picture.get(), 400, 400, 30, 40);
    Wand canvas = placeOnWhite(200, 200, std::move(picture), layerAt(10, 20, 100, 50, kCropTopLeft));
    EXPECT_EQ(pixelAt(canvas.get(), 10, 20), kRed);
    EXPECT_EQ(pixelAt(canvas.get(), 109, 69), kRed);
    EXPECT_EQ(pixelAt(canvas.get(), 110, 20), kWhite);
    EXPECT_EQ(pixelAt(canvas.get(), 10, 70), kWhite);
}

TEST(Placement, CropCentreCutsFromTheMiddle) {
    Wand picture = makePicture(301, 100, [](int x, int) {
        return x < 100 ? kRed : x < 200 ? kGreen : kBlue;
    });
    Wand canvas = placeOnWhite(200, 200, std::move(picture), layerAt(10, 20, 100, 100, kCropCentre));
    EXPECT_EQ(pixelAt(canvas.get(), 10, 20), kGreen);
    EXPECT_EQ(pixelAt(canvas.get(), 109, 119), kGreen);
    EXPECT_EQ(pixelAt(canvas.get(), 110, 20), kWhite);
}

TEST(Placement, CustomNegativeOffsetsSkipLeadingColumnsAndRows) {
    Wand picture = makePicture(50, 40, [](int x, int y) { return x < 10 || y < 10 ? kRed : kGreen; });
    const Customize c{0, 0, kPosValue, -10, kPosValue, -10};
    Wand canvas = placeOnWhite(200, 200, std::move(picture), layerAt(10, 20, 100, 100, kCustom, c));
    EXPECT_EQ(pixelAt(canvas.get(), 10, 20), kGreen);
    EXPECT_EQ(pixelAt(canvas.get(), 49, 49), kGreen);
    EXPECT_EQ(pixelAt(canvas.get(), 50, 20), kWhite);
    EXPECT_EQ(pixelAt(canvas.get(), 10, 50), kWhite);
}

TEST(Placement, ALevelOnePictureShowsOnlyThroughATransparentBackground) {
    // As a run composes: level-1 pictures on the base canvas, then the background over it.
    for (const char* backgroundColour : {"#ffffff", "none"}) {
        SCOPED_TRACE(backgroundColour);
        Wand base = makeFilled(60, 60, "#ffffff");
        Wand background = makeFilled(60, 60, backgroundColour);
        Wand picture = makeFilled(20, 20, "#ff0000");
        PasteLayer layer = layerAt(10, 10, 20, 20, kShrinkToFit);
        layer.level = kBelowBackground;
        ASSERT_TRUE(placePicture(base.get(), picture.get(), layer).ok());
        ASSERT_EQ(MagickCompositeImage(base.get(), background.get(), OverCompositeOp, 0, 0), MagickTrue);
        EXPECT_EQ(pixelAt(base.get(), 20, 20), std::string(backgroundColour) == "none" ? kRed : kWhite);
    }
}

TEST(Placement, NothingIsDrawnWhenTheOffsetPushesThePictureOut) {
    const Customize c{0, 0, kPosValue, 100, kPosStart, 0};
    Wand canvas =
        placeOnWhite(200, 200, makeFilled(50, 50, "#ff0000"), layerAt(10, 20, 100, 100, kCustom, c));
    EXPECT_EQ(pixelAt(canvas.get(), 110, 20), kWhite);
    EXPECT_EQ(pixelAt(canvas.get(), 150, 50), kWhite);
}

// Real pixels for every style on small sizes, against the reference. Each source pixel has its own
// colour; where the picture is resized, only the covered area is compared.
TEST(Placement, RealPixelsMatchTheReferenceOnSmallCases) {
    static constexpr int kMax = 5, kX = 3, kY = 2, kCanvas = 16;
    auto colourOf = [](int x, int y) {
        return Rgba{static_cast<std::uint8_t>(10 + 20 * x), static_cast<std::uint8_t>(10 + 20 * y), 200, 255};
    };
    std::vector<std::pair<unsigned, Customize>> cases;
    for (unsigned style = 0; style <= 6; ++style)
        cases.push_back({style, {}});
    for (const Customize& c :
         {Customize{0, 0, kPosCentre, 0, kPosEnd, 0}, Customize{0, 0, kPosEnd, 0, kPosCentre, 0},
          Customize{0, 0, kPosValue, 2, kPosValue, -1}, Customize{3, 6, kPosCentre, 0, kPosValue, 1}}) {
        cases.push_back({kCustom, c});
    }
    testing::forEverySmallCase(cases, kMax, [&colourOf](const testing::SmallCase& k) {
        const testing::ReferencePlacement ref(kX, kY, k.slotW, k.slotH, k.w, k.h, k.style, k.customize);
        const bool resized = ref.width() != k.w || ref.height() != k.h;
        Wand canvas = makeFilled(kCanvas, kCanvas, "#ffffff");
        Wand picture = makePicture(k.w, k.h, colourOf);
        ASSERT_TRUE(
            placePicture(canvas.get(), picture.get(), layerAt(kX, kY, k.slotW, k.slotH, k.style, k.customize))
                .ok());
        std::vector<std::uint8_t> pixels(kCanvas * kCanvas * 4);
        MagickExportImagePixels(canvas.get(), 0, 0, kCanvas, kCanvas, "RGBA", CharPixel, pixels.data());
        for (int py = 0; py < kCanvas; ++py) {
            for (int px = 0; px < kCanvas; ++px) {
                const std::uint8_t* p = &pixels[(py * kCanvas + px) * 4];
                const Rgba got{p[0], p[1], p[2], p[3]};
                const auto source = ref.sourceAt(px, py);
                if (!source) {
                    ASSERT_EQ(got, kWhite) << "at " << px << "," << py;
                } else if (resized) {
                    ASSERT_NE(got, kWhite) << "at " << px << "," << py;
                } else {
                    ASSERT_EQ(got, colourOf(source->x, source->y)) << "at " << px << "," << py;
                }
            }
        }
    });
}

// The smallest Exif block that holds an orientation tag.
std::string exifWithOrientation(std::uint8_t orientation) {
    const unsigned char bytes[] = {'E',  'x',  'i', 'f', 0, 0, 'I', 'I', 42,          0, 8, 0,
                                   0,    0,                                                     // TIFF header
                                   1,    0,                                                     // one entry
                                   0x12, 0x01, 3,   0,   1, 0, 0,   0,   orientation, 0, 0, 0,  // Orientation
                                   0,    0,    0,   0};
    return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

TEST(Placement, ARotatedPhotoIsTurnedUprightBeforePlacing) {
    testing::TempDir dir;
    const std::string path = dir / "phone.jpg";
    {
        Wand photo = makePicture(40, 20, [](int x, int) { return x < 20 ? kRed : kBlue; });
        const std::string exif = exifWithOrientation(RightTopOrientation);
        MagickSetImageProfile(photo.get(), "exif", exif.data(), exif.size());
        MagickSetImageOrientation(photo.get(), RightTopOrientation);
        writePicture(photo.get(), "JPEG", path);
    }
    SourcePicture source = readSourcePicture(path);
    ASSERT_TRUE(source.ok()) << source.error().reason;
    Wand canvas = makeFilled(100, 100, "#ffffff");
    ASSERT_TRUE(placePicture(canvas.get(), source->get(), layerAt(0, 0, 100, 100, kCropTopLeft)).ok());
    // Turned a quarter clockwise: 20 x 40, red on top, centred at 40, 30.
    EXPECT_TRUE(near(pixelAt(canvas.get(), 50, 35), kRed, 12));
    EXPECT_TRUE(near(pixelAt(canvas.get(), 50, 65), kBlue, 12));
    EXPECT_EQ(pixelAt(canvas.get(), 35, 50), kWhite);
    EXPECT_EQ(pixelAt(canvas.get(), 50, 25), kWhite);
}

TEST(ReadSourcePicture, TakesTheFirstFrameOfAnAnimation) {
    testing::TempDir dir;
    const std::string path = dir / "anim.gif";
    {
        Wand frames = makeFilled(8, 8, "#ff0000");
        PixelWandPtr blue(NewPixelWand());
        PixelSetColor(blue.get(), "#0000ff");
        MagickNewImage(frames.get(), 8, 8, blue.get());
        ASSERT_EQ(MagickGetNumberImages(frames.get()), 2u);
        writePicture(frames.get(), "GIF", path);
    }
    Wand everyFrame = newWand();
    ASSERT_EQ(MagickReadImage(everyFrame.get(), path.c_str()), MagickTrue);
    ASSERT_EQ(MagickGetNumberImages(everyFrame.get()), 2u);
    SourcePicture source = readSourcePicture(path);
    ASSERT_TRUE(source.ok()) << source.error().reason;
    EXPECT_EQ(MagickGetNumberImages(source->get()), 1u);
    EXPECT_EQ(pixelAt(source->get(), 4, 4), kRed);
}

TEST(ReadSourcePicture, ConvertsCmykToSrgb) {
    testing::TempDir dir;
    const std::string path = dir / "print.jpg";
    {
        Wand picture = makeFilled(8, 8, "#ff0000");
        MagickTransformImageColorspace(picture.get(), CMYKColorspace);
        writePicture(picture.get(), "JPEG", path);
    }
    Wand asWritten = newWand();
    ASSERT_EQ(MagickReadImage(asWritten.get(), path.c_str()), MagickTrue);
    ASSERT_EQ(MagickGetImageColorspace(asWritten.get()), CMYKColorspace);
    SourcePicture source = readSourcePicture(path);
    ASSERT_TRUE(source.ok()) << source.error().reason;
    EXPECT_EQ(MagickGetImageColorspace(source->get()), sRGBColorspace);
    EXPECT_TRUE(near(pixelAt(source->get(), 4, 4), kRed, 12)) << pixelAt(source->get(), 4, 4);
}

TEST(ReadSourcePicture, ReadsNamesTheLibraryCouldTakeForSyntax) {
    testing::TempDir dir;
    const std::string path = dir / "a%d [1]:照片.png";
    writePicture(makeFilled(3, 2, "#00ff00").get(), "PNG", path);
    SourcePicture source = readSourcePicture(path);
    ASSERT_TRUE(source.ok()) << source.error().reason;
    EXPECT_EQ(MagickGetImageWidth(source->get()), 3u);
    EXPECT_EQ(pixelAt(source->get(), 1, 1), kGreen);
}

TEST(ReadSourcePicture, ReportsUnreadableFiles) {
    testing::TempDir dir;
    testing::writeFile(dir.path() / "notes.jpg", "not a picture");
    for (const std::string& path : {dir / "notes.jpg", dir / "missing.jpg"}) {
        const SourcePicture source = readSourcePicture(path);
        ASSERT_FALSE(source.ok()) << path;
        EXPECT_FALSE(source.error().reason.empty()) << path;
    }
}

// The program's own limits, not the image library's (which are sized for large canvases).
TEST(ReadSourcePicture, RefusesPicturesBeyondThePictureLimitsBeforeDecoding) {
    testing::TempDir dir;
    testing::writeFile(dir.path() / "wide.png", testing::pngClaiming(30001, 1));
    testing::writeFile(dir.path() / "huge.png", testing::pngClaiming(12000, 9000));
    EXPECT_FALSE(readSourcePicture(dir / "wide.png").ok());
    const SourcePicture huge = readSourcePicture(dir / "huge.png");
    ASSERT_FALSE(huge.ok());
    EXPECT_NE(huge.error().reason.find("12000 x 9000"), std::string::npos) << huge.error().reason;
}

}  // namespace
}  // namespace plazor
