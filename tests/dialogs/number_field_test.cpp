// The numeric keystroke filter and the spin arrows on real line edits.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "dialogs/number_field_filter.h"
#include "dialogs/spin_buddy.h"
#include "support/recording_ui_port.h"

namespace plazor {
namespace {

using testing::RecordingUiPort;

class NumberField : public ::testing::Test {
  protected:
    NumberField() {
        edit.setMaxLength(5);
        edit.show();
    }

    void expectRefused(std::size_t balloonCount) {
        ASSERT_EQ(ui.balloons.size(), balloonCount);
        const auto& balloon = ui.balloons.back();
        EXPECT_EQ(balloon.control, &edit);
        EXPECT_EQ(balloon.title, "不能接受的字符");
        EXPECT_EQ(balloon.text, "您只能在此处键入数字。");
        EXPECT_EQ(balloon.icon, UiIcon::Error);
    }

    void pasteWithKeys(const QString& clipboard) {
        QApplication::clipboard()->setText(clipboard);
        QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    }

    RecordingUiPort ui;
    QLineEdit edit;
};

TEST_F(NumberField, SignedIntegerTakesAMinusOnlyInFront) {
    NumberFieldFilter::install(&edit, NumberFilterKind::SignedInteger, ui);
    QTest::keyClicks(&edit, "1-");
    EXPECT_EQ(edit.text(), "1");
    expectRefused(1);
    QTest::keyClick(&edit, Qt::Key_Home);
    QTest::keyClick(&edit, '-');
    QTest::keyClicks(&edit, "x");
    EXPECT_EQ(edit.text(), "-1");
    expectRefused(2);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), "1");
}

TEST_F(NumberField, SignedIntegerPasteIsJudgedOnTheResultingText) {
    NumberFieldFilter::install(&edit, NumberFilterKind::SignedInteger, ui);
    pasteWithKeys("-");
    EXPECT_EQ(edit.text(), "-");
    EXPECT_TRUE(ui.balloons.empty());
    pasteWithKeys("12a");
    EXPECT_EQ(edit.text(), "-");
    expectRefused(1);
    pasteWithKeys("123456789");  // cut to the field's room
    EXPECT_EQ(edit.text(), "-1234");
}

TEST_F(NumberField, DecimalRefusesAPointInFrontAndCanBeRemoved) {
    NumberFieldFilter::install(&edit, NumberFilterKind::Decimal, ui);
    QTest::keyClicks(&edit, ".");
    EXPECT_TRUE(edit.text().isEmpty());
    expectRefused(1);
    QTest::keyClicks(&edit, "1.5");
    EXPECT_EQ(edit.text(), "1.5");

    NumberFieldFilter::remove(&edit);
    edit.clear();
    QTest::keyClicks(&edit, ".a");
    EXPECT_EQ(edit.text(), ".a");
    EXPECT_EQ(ui.balloons.size(), 1u);
}

TEST_F(NumberField, ContextMenuPasteFollowsTheSameRule) {
    NumberFieldFilter::install(&edit, NumberFilterKind::SignedInteger, ui);
    // Opens the field's context menu and chooses its paste entry.
    const auto pasteFromMenu = [this](const QString& clipboard) {
        QApplication::clipboard()->setText(clipboard);
        bool chosen = false;
        QTimer::singleShot(0, [&chosen] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_TRUE(menu);
            for (QAction* action : menu->actions()) {
                if (!action->text().startsWith("&Paste")) continue;
                action->trigger();
                chosen = true;
            }
            menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), edit.mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(&edit, &event);
        return chosen;
    };
    EXPECT_TRUE(pasteFromMenu("abc"));
    EXPECT_TRUE(edit.text().isEmpty());
    expectRefused(1);
    EXPECT_TRUE(pasteFromMenu("-5"));
    EXPECT_EQ(edit.text(), "-5");
    EXPECT_EQ(ui.balloons.size(), 1u);
}

TEST(SpinBuddyWidget, ArrowsAndKeysStepWithinTheRange) {
    QWidget parent;
    auto* edit = new QLineEdit(&parent);
    edit->setGeometry(73, 21, 90, 22);
    auto* spin = new SpinBuddy(edit);
    spin->setRange(0, 10);
    EXPECT_EQ(spin->geometry().left(), 163);
    edit->setText("10");
    QTest::keyClick(edit, Qt::Key_Up);
    EXPECT_EQ(edit->text(), "10");
    QTest::keyClick(edit, Qt::Key_Down);
    EXPECT_EQ(edit->text(), "9");
    spin->findChild<QToolButton*>("up")->click();
    EXPECT_EQ(edit->text(), "10");
    edit->clear();
    spin->findChild<QToolButton*>("down")->click();
    EXPECT_EQ(edit->text(), "0");
}

}  // namespace
}  // namespace plazor
