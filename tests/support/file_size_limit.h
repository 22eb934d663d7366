// Making writes fail as on a full disk, for every user (the superuser ignores folder permissions).
#pragma once

#include <sys/resource.h>

#include <csignal>
#include <cstdint>

#include "support/pictures.h"

namespace plazor::testing {

// Files may grow to `bytes` while it lives: a longer write fails with EFBIG.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved_); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit saved_{};
};

// Noise, which encodes to far more bytes than a flat colour.
inline Wand noisePicture(int w, int h) {
    std::uint32_t state = 12345;
    return makePicture(w, h, [&state](int, int) {
        state = state * 1664525u + 1013904223u;
        return Rgba{std::uint8_t(state >> 24), std::uint8_t(state >> 16), std::uint8_t(state >> 8), 255};
    });
}

}  // namespace plazor::testing
