#include "util/outcome.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace plazor {
namespace {

Outcome<std::string> echo(bool good) {
    if (!good) return fail("no echo");
    return std::string("echo");
}

struct Detailed {
    std::string text;
    int code = 0;
};

Outcome<void, Detailed> detailed(bool good) {
    if (!good) return fail(Detailed{"broken", 7});
    return {};
}

// A value and an error of the same type stay apart, and a move-only value moves through.
TEST(OutcomeTest, KeepsValueAndErrorApart) {
    const Outcome<std::string> good = echo(true);
    ASSERT_TRUE(good.ok());
    EXPECT_EQ(*good, "echo");
    const Outcome<std::string> bad = echo(false);
    ASSERT_FALSE(bad);
    EXPECT_EQ(bad.error(), "no echo");

    Outcome<std::unique_ptr<int>> owned = std::make_unique<int>(5);
    const std::unique_ptr<int> taken = std::move(owned).value();
    ASSERT_TRUE(taken);
    EXPECT_EQ(*taken, 5);
}

// A failure with an empty text is still a failure; an error type of its own keeps its fields.
TEST(OutcomeTest, StatusFailsEvenWithoutText) {
    const Status empty = fail(std::string());
    EXPECT_FALSE(empty.ok());
    EXPECT_TRUE(Status{}.ok());

    const auto bad = detailed(false);
    ASSERT_FALSE(bad.ok());
    EXPECT_EQ(bad.error().text, "broken");
    EXPECT_EQ(bad.error().code, 7);
    EXPECT_TRUE(detailed(true).ok());
}

}  // namespace
}  // namespace plazor
