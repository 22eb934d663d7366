// Pictures of 8000 x 6000 (what 48-megapixel phone cameras write) in the canvas: decoded at the size
// the zoom needs, as backgrounds and as the sample pictures of the paste layers.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "canvas/canvas_widget.h"
#include "canvas/editor_state.h"
#include "canvas/scaled_picture.h"
#include "support/temp_dir.h"
#include "template/document.h"

namespace plazor {
namespace {

constexpr QRgb kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kYellow = 0xFFFFFF00;

bool near(QRgb got, QRgb want) {
    const auto close = [](int a, int b) { return std::abs(a - b) <= 16; };
    return close(qRed(got), qRed(want)) && close(qGreen(got), qGreen(want)) && close(qBlue(got), qBlue(want));
}

// Top-left red, top-right green, bottom-left blue, bottom-right yellow; 8000 x 6000 pixels.
class LargePicture : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir_ = new testing::TempDir;
        QImage picture(8000, 6000, QImage::Format_RGB32);
        QPainter painter(&picture);
        painter.fillRect(0, 0, 4000, 3000, QColor(kRed));
        painter.fillRect(4000, 0, 4000, 3000, QColor(kGreen));
        painter.fillRect(0, 3000, 4000, 3000, QColor(kBlue));
        painter.fillRect(4000, 3000, 4000, 3000, QColor(kYellow));
        painter.end();
        ASSERT_TRUE(picture.save(QString::fromStdString(path()), "JPEG", 90));
    }
    static void TearDownTestSuite() {
        delete dir_;
        dir_ = nullptr;
    }
    static std::string path() { return *dir_ / "photo.jpg"; }

    static testing::TempDir* dir_;
};

testing::TempDir* LargePicture::dir_ = nullptr;

TEST_F(LargePicture, ScaledReadGivesTheReducedPictureWithItsFullSize) {
    EXPECT_EQ(pictureFileSize(path()), QSize(8000, 6000));
    EXPECT_EQ(decodeScaleFor(0.1), 0.125);
    const ScaledPicture small = decodeScaledFile(path(), 0.125);
    ASSERT_FALSE(small.image.isNull());
    EXPECT_EQ(small.fullSize, QSize(8000, 6000));
    EXPECT_EQ(small.image.size(), QSize(1000, 750));
    EXPECT_TRUE(near(small.image.pixel(250, 180), kRed));
    EXPECT_TRUE(near(small.image.pixel(750, 560), kYellow));
    // Full size is beyond Qt's default decoding limit of 128 MB; the program's own limit applies.
    const ScaledPicture full = decodeScaledFile(path(), 1);
    EXPECT_EQ(full.image.size(), QSize(8000, 6000));
}

class LargePictureCanvas : public LargePicture {
  protected:
    Canvas& canvas() {
        if (!canvas_) {
            canvas_ = std::make_unique<Canvas>(
                doc_, state_, [] { return CanvasSwitches{}; }, [] { return kPictureListMode; });
            canvas_->resize(604, 504);
            canvas_->show();
        }
        return *canvas_;
    }
    QImage grab() { return canvas().viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    Document doc_;
    EditorState state_;
    std::unique_ptr<Canvas> canvas_;
};

TEST_F(LargePictureCanvas, LargeBackgroundIsDrawnAtEveryZoom) {
    // The encoded bytes as the template holds them (the image library's reading is tested elsewhere).
    doc_.usePictureBackground();
    doc_.background.pictureData = testing::readFile(path());
    doc_.background.width = 8000;
    doc_.background.height = 6000;
    state_.zoom = 0.25;
    canvas().resize(2100, 1600);  // room for the whole background at this zoom
    canvas().refreshBackground();
    ViewMapping m = canvas().mapping();
    QImage image = grab();
    EXPECT_TRUE(near(image.pixel(m.x.origin + 100, m.y.origin + 100), kRed));
    EXPECT_TRUE(near(image.pixel(m.x.origin + 1900, m.y.origin + 100), kGreen));
    EXPECT_TRUE(near(image.pixel(m.x.origin + 1900, m.y.origin + 1400), kYellow));

    state_.zoom = 1;
    emit state_.canvasResizeRequested();
    m = canvas().mapping();
    image = grab();
    EXPECT_TRUE(near(image.pixel(m.x.origin + 50, m.y.origin + 50), kRed));
}

TEST_F(LargePictureCanvas, LargeSamplePicturesShowInTheirSlots) {
    doc_.background.width = 800;
    doc_.background.height = 600;
    PasteLayer& layer = doc_.addPasteLayer(kAboveBackground, kStretch);
    layer.x = 20;
    layer.y = 20;
    layer.width = 400;
    layer.height = 300;
    state_.sources = {path()};
    const ViewMapping m = canvas().mapping();
    const QImage image = grab();
    EXPECT_TRUE(near(image.pixel(m.x.origin + 20 + 100, m.y.origin + 20 + 75), kRed));
    EXPECT_TRUE(near(image.pixel(m.x.origin + 20 + 300, m.y.origin + 20 + 225), kYellow));
}

}  // namespace
}  // namespace plazor
