#include "app/event_filter.h"
#include "app/side_panel.h"
#include "shell/balloon_tip.h"
#include "support/qt_print.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <QWheelEvent>

namespace plazor {
namespace {

QLineEdit* namedEdit(QWidget* parent, const QString& name, const QString& text, int y) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    edit->move(0, y);
    return edit;
}

class EventFilterTest : public ::testing::Test {
  protected:
    void SetUp() override { qApp->installEventFilter(&filter); }

    void showAndActivate(QWidget& window) {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    BalloonRegister balloons;
    AppEventFilter filter{balloons};
};

TEST_F(EventFilterTest, TabMovesBetweenTheTwoBackgroundSizeFieldsAndSelectsTheText) {
    QWidget window;
    window.setObjectName(QStringLiteral("CodeBlocksWindowsApp"));
    QLineEdit* width = namedEdit(&window, QStringLiteral("36104"), QStringLiteral("800"), 0);
    QLineEdit* height = namedEdit(&window, QStringLiteral("36105"), QStringLiteral("600"), 30);
    QLineEdit* other = namedEdit(&window, QStringLiteral("36102"), QStringLiteral("x"), 60);
    showAndActivate(window);

    width->setFocus();
    QTest::keyClick(width, Qt::Key_Tab);
    EXPECT_TRUE(height->hasFocus());
    EXPECT_EQ(height->selectedText(), QStringLiteral("600"));

    QTest::keyClick(height, Qt::Key_Tab);
    EXPECT_TRUE(width->hasFocus());
    EXPECT_EQ(width->selectedText(), QStringLiteral("800"));

    // Anywhere else in the main window Tab does nothing.
    other->setFocus();
    QTest::keyClick(other, Qt::Key_Tab);
    EXPECT_TRUE(other->hasFocus());
}

TEST_F(EventFilterTest, TabWalksTheVisibleEditsOfTheCustomStyleWindowAndWraps) {
    QWidget window;
    window.setObjectName(QStringLiteral("Dialog_Picture_Customize"));
    QLineEdit* first = namedEdit(&window, QStringLiteral("a"), QStringLiteral("1"), 0);
    QLineEdit* hidden = namedEdit(&window, QStringLiteral("b"), QStringLiteral("2"), 30);
    QLineEdit* last = namedEdit(&window, QStringLiteral("c"), QStringLiteral("3"), 60);
    hidden->hide();
    showAndActivate(window);

    first->setFocus();
    QTest::keyClick(first, Qt::Key_Tab);
    EXPECT_TRUE(last->hasFocus());
    EXPECT_EQ(last->selectedText(), QStringLiteral("3"));
    QTest::keyClick(last, Qt::Key_Tab);
    EXPECT_TRUE(first->hasFocus());
}

TEST_F(EventFilterTest, TabOutsideTheMainWindowIsLeftToQt) {
    QWidget window;
    QLineEdit* a = namedEdit(&window, QStringLiteral("a"), QString(), 0);
    QLineEdit* b = namedEdit(&window, QStringLiteral("b"), QString(), 30);
    showAndActivate(window);
    a->setFocus();
    QTest::keyClick(a, Qt::Key_Tab);
    EXPECT_TRUE(b->hasFocus());
}

TEST_F(EventFilterTest, CtrlAOverTheCanvasOrThePasteListSelectsEveryPasteLayer) {
    QWidget window;
    auto* list = new QTableWidget(4, 2, &window);
    list->setObjectName(QStringLiteral("36111"));
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto* canvas = new QWidget(&window);
    canvas->setObjectName(QStringLiteral("Preview"));
    auto* elsewhere = new QLineEdit(&window);
    window.show();

    QTest::keyClick(elsewhere, Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(list->selectionModel()->selectedRows().isEmpty());

    QTest::keyClick(canvas, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(list->selectionModel()->selectedRows().size(), 4);

    list->clearSelection();
    QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(list->selectionModel()->selectedRows().size(), 4);
}

TEST_F(EventFilterTest, TheWheelOverAControlOfTheSidePanelScrollsThePanel) {
    QWidget window;
    auto* panel = new SidePanel(&window);
    auto* block = new QWidget(panel);
    block->resize(400, 600);
    auto* combo = new QComboBox(block);
    combo->addItems({QStringLiteral("JPG"), QStringLiteral("PNG")});
    combo->move(10, 10);
    auto* start = new QWidget(panel);
    start->resize(400, 27);
    panel->setGeometry(0, 0, 423, 300);
    panel->setBlocks({block, start});
    window.resize(423, 300);
    window.show();
    ASSERT_TRUE(panel->scroll().scrolls());

    const QPointF at(15, 15);
    QWheelEvent down(at, combo->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(combo, &down);
    EXPECT_EQ(panel->scrollPosition(), 50);
    EXPECT_EQ(combo->currentIndex(), 0);

    QWheelEvent up(at, combo->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                   Qt::NoScrollPhase, false);
    QApplication::sendEvent(combo, &up);
    EXPECT_EQ(panel->scrollPosition(), 0);
}

}  // namespace
}  // namespace plazor
