#include "shell/balloon_tip.h"
#include "app/event_filter.h"
#include "support/qt_print.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include <vector>

namespace plazor {
namespace {

void deleteClosedWidgets() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(BalloonPlacement, StemPointsAtTheBottomEdgeCentreOrTheCursor) {
    const QRect screen(0, 0, 1000, 800);
    const QRect control(100, 200, 60, 20);
    const QSize body(200, 50);

    const BalloonPlacement centred = placeBalloon(control, std::nullopt, body, screen);
    EXPECT_EQ(centred.tip, QPoint(control.center().x(), 220));
    EXPECT_TRUE(centred.below);
    EXPECT_EQ(centred.frame.top(), 220);
    EXPECT_EQ(centred.frame.height(), 50 + BalloonTip::kStemHeight);
    EXPECT_TRUE(centred.frame.left() < centred.tip.x() && centred.tip.x() < centred.frame.right());

    const BalloonPlacement atCursor = placeBalloon(control, 150, body, screen);
    EXPECT_EQ(atCursor.tip, QPoint(150, 220));
}

TEST(BalloonPlacement, StaysOnTheScreen) {
    const QRect screen(0, 0, 1000, 800);
    const QSize body(200, 50);

    // Near the bottom: the balloon stands above the control, its stem on the control's top edge.
    const BalloonPlacement low = placeBalloon(QRect(100, 770, 60, 20), std::nullopt, body, screen);
    EXPECT_FALSE(low.below);
    EXPECT_EQ(low.tip.y(), 770);
    EXPECT_EQ(low.frame.bottom() + 1, 770);

    // Near the right edge: pushed left, the stem still under the tip.
    const BalloonPlacement right = placeBalloon(QRect(960, 100, 40, 20), std::nullopt, body, screen);
    EXPECT_LE(right.frame.right(), screen.right());
    EXPECT_TRUE(right.frame.left() < right.tip.x() && right.tip.x() < right.frame.right());
}

TEST(BalloonTip, ShowsTitleTextAndAnIconOnlyWithATitle) {
    QWidget window;
    auto* field = new QLineEdit(&window);
    window.show();
    BalloonRegister balloons;

    BalloonTip* titled = balloons.show(field, QStringLiteral("不能接受的字符"),
                                       QStringLiteral("您只能在此处键入数字。"), UiIcon::Error, false);
    EXPECT_EQ(titled->title(), QStringLiteral("不能接受的字符"));
    EXPECT_EQ(titled->text(), QStringLiteral("您只能在此处键入数字。"));
    EXPECT_TRUE(titled->hasIcon());
    EXPECT_TRUE(titled->isVisible());

    BalloonTip* plain = balloons.show(field, QString(), QStringLiteral("请重新输入"), UiIcon::Warning, true);
    EXPECT_FALSE(plain->hasIcon());
    EXPECT_EQ(balloons.count(), 2u);
}

TEST(BalloonRegister, AnEighthBalloonClosesTheSevenOpenOnes) {
    QWidget window;
    auto* field = new QLineEdit(&window);
    window.show();
    BalloonRegister balloons;

    std::vector<QPointer<BalloonTip>> first;
    for (int i = 0; i < 7; ++i) {
        first.emplace_back(
            balloons.show(field, QString(), QStringLiteral("tip %1").arg(i), UiIcon::None, false));
    }
    EXPECT_EQ(balloons.count(), 7u);

    QPointer<BalloonTip> eighth =
        balloons.show(field, QString(), QStringLiteral("eighth"), UiIcon::None, false);
    deleteClosedWidgets();

    EXPECT_EQ(balloons.count(), 1u);
    for (const auto& balloon : first)
        EXPECT_TRUE(balloon.isNull());
    ASSERT_FALSE(eighth.isNull());
    EXPECT_TRUE(eighth->isVisible());
}

class BalloonClosing : public ::testing::Test {
  protected:
    void SetUp() override {
        field = new QLineEdit(&window);
        other = new QLineEdit(&window);
        other->move(0, 40);
        window.show();
        qApp->installEventFilter(&filter);
        tip =
            balloons.show(field, QStringLiteral("标题"), QStringLiteral("文字"), UiIcon::Information, false);
        second = balloons.show(other, QString(), QStringLiteral("文字"), UiIcon::None, false);
    }

    void expectAllClosed() {
        deleteClosedWidgets();
        EXPECT_EQ(balloons.count(), 0u);
        EXPECT_TRUE(tip.isNull());
        EXPECT_TRUE(second.isNull());
    }

    QWidget window;
    QLineEdit* field = nullptr;
    QLineEdit* other = nullptr;
    BalloonRegister balloons;
    AppEventFilter filter{balloons};
    QPointer<BalloonTip> tip;
    QPointer<BalloonTip> second;
};

TEST_F(BalloonClosing, ALeftPressAnywhereClosesEveryBalloon) {
    QTest::mousePress(other, Qt::LeftButton);
    expectAllClosed();
}

TEST_F(BalloonClosing, ARightPressClosesEveryBalloon) {
    QTest::mousePress(field, Qt::RightButton);
    expectAllClosed();
}

TEST_F(BalloonClosing, AKeyPressClosesEveryBalloon) {
    QTest::keyClick(field, Qt::Key_5);
    expectAllClosed();
}

TEST_F(BalloonClosing, MovingTheMouseKeepsThem) {
    QTest::mouseMove(other);
    deleteClosedWidgets();
    EXPECT_EQ(balloons.count(), 2u);
    EXPECT_FALSE(tip.isNull());
}

}  // namespace
}  // namespace plazor
