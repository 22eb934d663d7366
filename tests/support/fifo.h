// A named pipe for tests of code that must never open one. Should the code under test block opening
// it anyway, a watchdog opens the other end after a few seconds, so the test fails instead of hanging.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <thread>

namespace plazor::testing {

class Fifo {
  public:
    explicit Fifo(const std::filesystem::path& path) : path_(path) {
        std::filesystem::create_directories(path.parent_path());
        if (mkfifo(path.c_str(), 0644) != 0) std::abort();
        watchdog_ = std::thread([this] {
            std::unique_lock lock(mutex_);
            if (done_.wait_for(lock, std::chrono::seconds(10), [this] { return finished_; })) return;
            while (!finished_) {
                // Opening both ends at once never waits; closing them ends a blocked reader's read.
                const int fd = ::open(path_.c_str(), O_RDWR | O_NONBLOCK);
                if (fd >= 0) ::close(fd);
                unblocked_ = true;
                done_.wait_for(lock, std::chrono::milliseconds(100));
            }
        });
    }
    Fifo(const Fifo&) = delete;
    Fifo& operator=(const Fifo&) = delete;
    ~Fifo() {
        {
            std::lock_guard lock(mutex_);
            finished_ = true;
        }
        done_.notify_all();
        watchdog_.join();
    }

    // True once the watchdog had to free a reader that opened the pipe.
    bool hadToUnblock() const { return unblocked_; }

  private:
    std::filesystem::path path_;
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    std::atomic<bool> unblocked_{false};
    std::thread watchdog_;
};

}  // namespace plazor::testing
