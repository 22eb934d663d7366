#include "batch/progress_meter.h"

#include <cmath>
#include <cstdio>

namespace plazor::batch {

ProgressMeter::ProgressMeter(int total, Clock::time_point start, Clock::duration logInterval)
    : total_(total), start_(start), interval_(logInterval), nextLog_(start + logInterval) {}

std::string clockText(long long seconds) {
    char text[32];
    if (seconds >= 3600) {
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60,
                      seconds % 60);
    } else {
        std::snprintf(text, sizeof text, "%lld:%02lld", seconds / 60, seconds % 60);
    }
    return text;
}

std::string ProgressMeter::rateAndTimeLeft(int finished, Clock::time_point now) const {
    const double elapsed = std::chrono::duration<double>(now - start_).count();
    if (finished <= 0 || elapsed <= 0) return "速度未知";
    const double rate = finished / elapsed;
    char text[48];
    std::snprintf(text, sizeof text, "%.1f 批/秒", rate);
    const long long left = std::llround((total_ - finished) / rate);
    return std::string(text) + "，剩余 " + clockText(left);
}

std::string ProgressMeter::terminalLine(int current, Clock::time_point now) const {
    return "共 " + std::to_string(total_) + " 批图片，正在处理第 " + std::to_string(current) + " 批。 " +
           rateAndTimeLeft(current - 1, now);
}

std::optional<std::string> ProgressMeter::logLine(int current, Clock::time_point now) {
    if (now < nextLog_) return std::nullopt;
    nextLog_ = now + interval_;
    const int finished = current - 1;
    return "已完成 " + std::to_string(finished) + " / " + std::to_string(total_) + " 批，" +
           rateAndTimeLeft(finished, now);
}

}  // namespace plazor::batch
