// The canvas widget offscreen: pixels of its viewport at known positions, its scroll bars and how it
// follows the editor state's signals.
#include <gtest/gtest.h>

#include <QImage>
#include <QScrollBar>

#include <filesystem>

#include "canvas/canvas_widget.h"
#include "canvas/editor_state.h"
#include "support/temp_dir.h"
#include "template/document.h"

namespace plazor {
namespace {

namespace fs = std::filesystem;

constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kGreen = 0xFF00FF00;

class CanvasPaintTest : public ::testing::Test {
  protected:
    void SetUp() override {
        doc_.background.width = 100;
        doc_.background.height = 80;
        doc_.background.colour = 0x0000FF;  // red in the low byte
        doc_.background.transparent = 0;
    }

    Canvas& canvas() {
        if (!canvas_) {
            canvas_ = std::make_unique<Canvas>(
                doc_, state_, [this] { return switches_; }, [] { return kPictureListMode; });
            canvas_->resize(404, 304);
            canvas_->show();
        }
        return *canvas_;
    }

    QImage grab() { return canvas().viewport()->grab().toImage().convertToFormat(QImage::Format_ARGB32); }

    // How many pixels of row `y` from column `from` to `to` (inclusive) have the colour.
    static int countInRow(const QImage& image, int y, int from, int to, QRgb colour) {
        int n = 0;
        for (int x = from; x <= to; ++x)
            n += image.pixel(x, y) == colour;
        return n;
    }

    PasteLayer& addPaste(int x, int y, int w, int h, unsigned style = kStretch) {
        PasteLayer& l = doc_.addPasteLayer(kAboveBackground, style);
        doc_.setPasteLayerRect(doc_.pasteLayers.size() - 1, x, y, w, h);
        return l;
    }

    Document doc_;
    EditorState state_;
    CanvasSwitches switches_;
    std::unique_ptr<Canvas> canvas_;
};

TEST_F(CanvasPaintTest, ColourBackgroundIsCentredAndFramed) {
    const QSize client = canvas().viewport()->size();
    const ViewMapping m = canvas().mapping();
    EXPECT_EQ(m.x.origin, (client.width() - 100) / 2);
    EXPECT_FALSE(canvas().horizontalScrollBar()->isVisible());
    EXPECT_FALSE(canvas().verticalScrollBar()->isVisible());
    const QImage image = grab();
    EXPECT_EQ(image.pixel(m.x.origin, m.y.origin), kRed);
    EXPECT_EQ(image.pixel(m.x.end - 1, m.y.end - 1), kRed);
    EXPECT_EQ(image.pixel(m.x.origin - 1, m.y.origin + 10), kBlack);  // the frame
    EXPECT_EQ(image.pixel(m.x.end, m.y.origin + 10), kBlack);
    EXPECT_EQ(image.pixel(m.x.origin - 2, m.y.origin + 10), kWhite);
}

TEST_F(CanvasPaintTest, TransparentColourBackgroundShowsTheCheckerboard) {
    doc_.background.transparent = 1;
    const ViewMapping m = canvas().mapping();
    const QImage image = grab();
    EXPECT_EQ(image.pixel(m.x.origin, m.y.origin), kWhite);
    EXPECT_EQ(image.pixel(m.x.origin + 8, m.y.origin), qRgb(204, 204, 204));
    EXPECT_EQ(countInRow(image, m.y.origin + 1, m.x.origin, m.x.end - 1, kRed), 0);
}

TEST_F(CanvasPaintTest, SlotWithoutSampleShowsItsDottedOutlineOnePixelOutside) {
    addPaste(10, 10, 30, 20);
    switches_.showPasteAreas = false;  // no sample: the outline shows all the same
    const WindowRect r = canvas().mapping().layerRect(10, 10, 30, 20);
    const QImage image = grab();
    EXPECT_GT(countInRow(image, r.top - 1, r.left - 1, r.right, kBlack), 5);
    EXPECT_EQ(countInRow(image, r.top, r.left, r.right - 1, kBlack), 0);
    EXPECT_LT(countInRow(image, r.top - 1, r.left - 1, r.right, kBlack), r.width() + 2);  // dotted
}

TEST_F(CanvasPaintTest, CurrentSlotGetsTheSelectionOutlineAndHandles) {
    addPaste(10, 10, 30, 20);
    state_.current = {LayerKind::Paste, 0};
    state_.mode = CanvasMode::PasteSelected;
    const WindowRect r = canvas().mapping().layerRect(10, 10, 30, 20);
    const QImage image = grab();
    EXPECT_GT(countInRow(image, r.bottom, r.left + 5, r.right - 5, qRgb(51, 153, 255)), 5);
    // The top-left handle: black border around a white centre on the outline's corner.
    EXPECT_EQ(image.pixel(r.left - 1, r.top - 1), kWhite);
    EXPECT_EQ(image.pixel(r.left - 3, r.top - 3), kBlack);
    EXPECT_EQ(image.pixel(r.left + 1, r.top + 1), kBlack);
}

TEST_F(CanvasPaintTest, SliceLineFollowsTheSwitch) {
    doc_.addSlice(40);
    const ViewMapping m = canvas().mapping();
    const int row = m.y.origin + 40;
    EXPECT_GT(countInRow(grab(), row, m.x.origin, m.x.end - 1, kBlack), 20);
    switches_.slicesOn = false;
    canvas().viewport()->update();
    EXPECT_EQ(countInRow(grab(), row, m.x.origin, m.x.end - 1, kBlack), 0);
}

TEST_F(CanvasPaintTest, ZoomTwoDoublesWindowPositions) {
    addPaste(10, 10, 20, 20);
    state_.zoom = 2.0;
    emit state_.canvasResizeRequested();
    const ViewMapping m = canvas().mapping();
    EXPECT_EQ(m.x.end - m.x.origin, 200);
    const QImage image = grab();
    const int top = m.y.origin + 20 - 1;
    EXPECT_GT(countInRow(image, top, m.x.origin + 19, m.x.origin + 60, kBlack), 5);
    EXPECT_EQ(image.pixel(m.x.origin + 199, m.y.origin + 159), kRed);
}

TEST_F(CanvasPaintTest, SamplesFillTheirSlotsAndExtraSlotsStayEmpty) {
    const testing::TempDir dir;
    const fs::path file = dir.path() / "sample.png";
    QImage green(10, 10, QImage::Format_RGB32);
    green.fill(kGreen);
    ASSERT_TRUE(green.save(QString::fromStdString(file.string())));
    state_.sources = {file.string()};
    addPaste(10, 10, 30, 20);
    addPaste(50, 10, 30, 20);
    const ViewMapping m = canvas().mapping();
    QImage image = grab();
    EXPECT_EQ(image.pixel(m.x.origin + 25, m.y.origin + 20), kGreen);
    EXPECT_EQ(image.pixel(m.x.origin + 65, m.y.origin + 20), kRed);

    // Without "显示图片" the slot shows the background again.
    switches_.showPictures = false;
    canvas().viewport()->update();
    image = grab();
    EXPECT_EQ(image.pixel(m.x.origin + 25, m.y.origin + 20), kRed);
}

TEST_F(CanvasPaintTest, ReleasedSamplesAreReadAgain) {
    const testing::TempDir dir;
    const fs::path file = dir.path() / "reload.png";
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(kGreen);
    ASSERT_TRUE(picture.save(QString::fromStdString(file.string())));
    state_.sources = {file.string()};
    addPaste(10, 10, 30, 20);
    const ViewMapping m = canvas().mapping();
    EXPECT_EQ(grab().pixel(m.x.origin + 25, m.y.origin + 20), kGreen);

    picture.fill(qRgb(0, 0, 255));
    ASSERT_TRUE(picture.save(QString::fromStdString(file.string())));
    emit state_.previewsInvalidated(0);
    EXPECT_EQ(grab().pixel(m.x.origin + 25, m.y.origin + 20), qRgb(0, 0, 255));
}

TEST_F(CanvasPaintTest, LargeBackgroundScrollsAndKeepsItsPositionsWhenResized) {
    doc_.background.width = 1000;
    doc_.background.height = 1000;
    emit state_.canvasResizeRequested();
    QScrollBar* h = canvas().horizontalScrollBar();
    ASSERT_TRUE(h->isVisible());
    EXPECT_EQ(h->maximum(), 1065 - canvas().viewport()->width() + 1);

    addPaste(900, 900, 50, 50);
    emit state_.scrollIntoViewRequested(LayerKind::Paste, 0);
    EXPECT_GT(h->value(), 0);
    EXPECT_EQ(state_.scrollX, h->value());
    EXPECT_EQ(canvas().mapping().x.origin, kCanvasMargin - h->value());

    canvas().verticalScrollBar()->setValue(300);
    EXPECT_EQ(state_.scrollY, 300);
    canvas().resize(420, 320);
    emit state_.canvasResizeRequested();
    EXPECT_EQ(canvas().verticalScrollBar()->value(), 300);
}

}  // namespace
}  // namespace plazor
