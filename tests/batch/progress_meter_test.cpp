#include "batch/progress_meter.h"

#include <gtest/gtest.h>

namespace plazor::batch {
namespace {

using std::chrono::seconds;

TEST(ProgressMeter, RateAndTimeLeftFollowTheFinishedBatches) {
    const auto start = ProgressMeter::Clock::time_point{};
    ProgressMeter meter(1000, start);
    EXPECT_EQ(meter.terminalLine(1, start + seconds(3)), "共 1000 批图片，正在处理第 1 批。 速度未知");
    // 250 finished in 100 s: 2.5 per second, 750 left take 300 s.
    EXPECT_EQ(meter.terminalLine(251, start + seconds(100)),
              "共 1000 批图片，正在处理第 251 批。 2.5 批/秒，剩余 5:00");
    EXPECT_EQ(clockText(3 * 3600 + 41), "3:00:41");
    EXPECT_EQ(clockText(59), "0:59");
}

TEST(ProgressMeter, LogLinesComeAtMostOncePerInterval) {
    const auto start = ProgressMeter::Clock::time_point{};
    ProgressMeter meter(100, start, seconds(10));
    EXPECT_FALSE(meter.logLine(5, start + seconds(9)));
    const auto first = meter.logLine(11, start + seconds(10));
    ASSERT_TRUE(first);
    EXPECT_EQ(*first, "已完成 10 / 100 批，1.0 批/秒，剩余 1:30");
    EXPECT_FALSE(meter.logLine(12, start + seconds(19)));
    EXPECT_TRUE(meter.logLine(13, start + seconds(20)));
}

}  // namespace
}  // namespace plazor::batch
