// The canvas in the whole editor: Qt mouse and wheel events on its window draw, select and align
// layers through the real lists, context menu and zoom commands.
#include "app/command_ids.h"
#include "app/event_filter.h"
#include "app/layer_lists.h"
#include "canvas/canvas_widget.h"
#include "editor_fixture.h"
#include "shell/balloon_tip.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QWheelEvent>

namespace plazor::testing {
namespace {

class CanvasCommandsTest : public EditorTest {
  protected:
    Canvas& canvas() { return *static_cast<Canvas*>(window->canvas()); }

    QPoint windowPoint(int x, int y) {
        const WindowPoint p = canvas().mapping().toWindow(x, y);
        return {p.x, p.y};
    }
    void mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
               Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QWidget* viewport = canvas().viewport();
        QMouseEvent event(type, QPointF(at), viewport->mapToGlobal(QPointF(at)), button, held, mods);
        QApplication::sendEvent(viewport, &event);
    }
    // A left-button drag between two template points.
    void drag(QPoint from, QPoint to) {
        mouse(QEvent::MouseButtonPress, windowPoint(from.x(), from.y()), Qt::LeftButton, Qt::LeftButton);
        mouse(QEvent::MouseMove, windowPoint(to.x(), to.y()), Qt::NoButton, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, windowPoint(to.x(), to.y()), Qt::LeftButton, Qt::NoButton);
    }
    void wheel(int delta, Qt::KeyboardModifiers mods) {
        QWidget* viewport = canvas().viewport();
        const QPointF at(10, 10);
        QWheelEvent event(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, mods,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &event);
    }
    QString pasteCell(int row, int column) { return window->pasteList()->item(row, column)->text(); }
};

TEST_F(CanvasCommandsTest, DrawnLayersReachTheListsAndAClickOrABandSelectsTheirRows) {
    command(cmd::kPasteNew);
    ASSERT_EQ(state().mode, CanvasMode::PastePending);
    mouse(QEvent::MouseMove, windowPoint(70, 80), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(pasteCell(0, 1) + "," + pasteCell(0, 2) + "," + pasteCell(0, 3), QStringLiteral("70,80,"));
    EXPECT_EQ(window->statusText(kStatusCursor), QStringLiteral("70, 80"));
    drag({100, 100}, {160, 140});
    command(cmd::kPasteNew);
    drag({360, 170}, {300, 120});  // drawn up and to the left

    EXPECT_EQ(state().mode, CanvasMode::PasteSelected);
    EXPECT_EQ(state().current, (CurrentLayer{LayerKind::Paste, 1}));
    EXPECT_EQ(pasteCell(1, 1) + "," + pasteCell(1, 2) + "," + pasteCell(1, 3) + "," + pasteCell(1, 4),
              QStringLiteral("300,120,60,50"));
    EXPECT_EQ(window->statusText(kStatusLayerSize), pixelSizeText(60, 50));
    EXPECT_EQ(state().history.undoLabel(), "绘制贴图层#2");

    mouse(QEvent::MouseButtonPress, windowPoint(120, 120), Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, windowPoint(120, 120), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(window->pasteList()->selectedRowIndices(), std::vector<int>{0});
    EXPECT_EQ(state().current, (CurrentLayer{LayerKind::Paste, 0}));

    drag({50, 400}, {400, 130});
    EXPECT_EQ(state().mode, CanvasMode::MultipleSelection);
    EXPECT_EQ(window->pasteList()->selectedRowIndices(), (std::vector<int>{0, 1}));

    // The context menu over the second layer aligns both to its top.
    const QPoint over = windowPoint(320, 150);
    mouse(QEvent::MouseButtonRelease, over, Qt::RightButton, Qt::NoButton);
    QMenu* menu = canvas().findChild<QMenu*>(QStringLiteral("canvasContextMenu"));
    ASSERT_NE(menu, nullptr);
    QMenu* align = nullptr;
    QStringList texts;
    for (QAction* a : menu->actions()) {
        texts << a->text();
        if (a->menu() && a->text() == QStringLiteral("对齐")) align = a->menu();
    }
    menu->hide();
    EXPECT_TRUE(texts.contains(QStringLiteral("贴图 2")) && texts.contains(QStringLiteral("层次")));
    ASSERT_NE(align, nullptr);
    align->actions().at(0)->trigger();  // "顶边"
    EXPECT_EQ(doc.pasteLayers[0].y, 120);
    EXPECT_EQ(pasteCell(0, 2), QStringLiteral("120"));
    EXPECT_EQ(state().history.undoLabel(), "对齐贴图层");
}

TEST_F(CanvasCommandsTest, GripsShowTheirCursorsAndSpaceShowsTheProgramsHand) {
    command(cmd::kPasteNew);
    drag({100, 100}, {160, 140});
    QWidget* viewport = canvas().viewport();
    mouse(QEvent::MouseMove, windowPoint(170, 150), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(viewport->cursor().shape(), Qt::SizeFDiagCursor);
    mouse(QEvent::MouseMove, windowPoint(130, 95), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(viewport->cursor().shape(), Qt::SizeVerCursor);

    QCursor::setPos(viewport->mapToGlobal(windowPoint(130, 120)));
    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(&canvas(), &space);
    ASSERT_EQ(viewport->cursor().shape(), Qt::BitmapCursor);
    const QImage hand = viewport->cursor().pixmap().toImage();
    EXPECT_EQ(hand.size(), QSize(32, 32));
    int opaque = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            opaque += qAlpha(hand.pixel(x, y)) > 0;
    EXPECT_GT(opaque, 200);  // a hand, not an empty picture
    QKeyEvent up(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(&canvas(), &up);
    EXPECT_NE(viewport->cursor().shape(), Qt::BitmapCursor);
}

TEST_F(CanvasCommandsTest, CtrlWheelZoomsAStepPerWholeNotchAndStopsAtTheEnds) {
    BalloonRegister balloons;
    AppEventFilter filter(balloons);
    qApp->installEventFilter(&filter);
    wheel(60, Qt::ControlModifier);
    EXPECT_EQ(state().zoom, 1.0);
    wheel(60, Qt::ControlModifier);
    EXPECT_EQ(state().zoom, 2.0);
    wheel(-240, Qt::ControlModifier);
    EXPECT_EQ(state().zoom, 0.75);  // two steps back
    for (int n = 0; n < 3; ++n)
        wheel(-120, Qt::ControlModifier);
    EXPECT_EQ(state().zoom, 0.25);
    qApp->removeEventFilter(&filter);
}

}  // namespace
}  // namespace plazor::testing
