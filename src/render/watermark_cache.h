// The watermark pictures of a run, decoded once per distinct path and kept within a memory bound, so
// that a template repeating one picture thousands of times costs one decode, and one with thousands of
// different pictures does not hold them all. Safe to use from several workers at once.
#pragma once

#include <cstdint>
#include <list>
#include <map>
#include <mutex>
#include <string>

#include "util/magick.h"

namespace plazor {

class WatermarkCache {
  public:
    // `capacityBytes` bounds the decoded pictures held (pixel cache bytes); a picture larger than the
    // bound is decoded for each use and not kept.
    explicit WatermarkCache(std::uint64_t capacityBytes);

    // A copy of the picture at `path`, or nothing when it cannot be read.
    Wand picture(const std::string& path);

    // Decodes done so far, and the bytes held now.
    int decodes() const;
    std::uint64_t heldBytes() const;

  private:
    struct Entry {
        Wand picture;  // empty: the path could not be read
        std::uint64_t bytes = 0;
        std::list<std::string>::iterator recent;
    };

    void evictFor(std::uint64_t bytes);

    mutable std::mutex mutex_;
    const std::uint64_t capacity_;
    std::uint64_t held_ = 0;
    int decodes_ = 0;
    std::map<std::string, Entry> entries_;
    std::list<std::string> recent_;  // most recently used first
};

}  // namespace plazor
