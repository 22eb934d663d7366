// Progress of a long run as text: batches done, the rate since the start and the time left. A
// terminal gets one line redrawn in place; a log gets a plain line now and then.
#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace plazor::batch {

class ProgressMeter {
  public:
    using Clock = std::chrono::steady_clock;

    ProgressMeter(int total, Clock::time_point start, Clock::duration logInterval = std::chrono::seconds(10));

    // While batch `current` (1-based) is processed, so current - 1 are finished.
    std::string terminalLine(int current, Clock::time_point now) const;

    // The same state as a log line, at most once per interval (the first one interval after the start).
    std::optional<std::string> logLine(int current, Clock::time_point now);

  private:
    std::string rateAndTimeLeft(int finished, Clock::time_point now) const;

    int total_;
    Clock::time_point start_;
    Clock::duration interval_;
    Clock::time_point nextLog_;
};

// "0:07", "12:05", "3:00:41".
std::string clockText(long long seconds);

}  // namespace plazor::batch
