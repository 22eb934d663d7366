#include "render/watermark_cache.h"

#include "render/placement.h"
#include "util/magick_limits.h"

namespace plazor {
namespace {

Wand cloneOf(const Wand& wand) {
    return wand ? Wand(CloneMagickWand(wand.get())) : nullptr;
}

std::uint64_t pictureBytes(const Wand& wand) {
    if (!wand) return 0;
    return std::uint64_t(MagickGetImageWidth(wand.get())) * MagickGetImageHeight(wand.get()) *
           cachePixelBytes();
}

}  // namespace

WatermarkCache::WatermarkCache(std::uint64_t capacityBytes) : capacity_(capacityBytes) {}

Wand WatermarkCache::picture(const std::string& path) {
    {
        std::lock_guard lock(mutex_);
        const auto found = entries_.find(path);
        if (found != entries_.end()) {
            recent_.splice(recent_.begin(), recent_, found->second.recent);
            return cloneOf(found->second.picture);
        }
        ++decodes_;
    }
    // Decoded outside the lock, so other workers go on meanwhile; two that miss the same path at once
    // both decode it and the second keeps the first one's entry.
    SourcePicture read = readSourcePicture(path);
    // A picture the library had no room for may read later; only what is really unreadable is kept.
    if (!read.ok() && read.error().outOfResources) return nullptr;
    Wand decoded = read.ok() ? std::move(read).value() : nullptr;
    const std::uint64_t bytes = pictureBytes(decoded);
    std::lock_guard lock(mutex_);
    if (bytes > capacity_ || entries_.count(path) > 0) return decoded;
    evictFor(bytes);
    recent_.push_front(path);
    Entry& entry = entries_[path];
    entry.picture = cloneOf(decoded);
    entry.bytes = bytes;
    entry.recent = recent_.begin();
    held_ += bytes;
    return decoded;
}

void WatermarkCache::evictFor(std::uint64_t bytes) {
    while (!recent_.empty() && held_ + bytes > capacity_) {
        const auto oldest = entries_.find(recent_.back());
        held_ -= oldest->second.bytes;
        entries_.erase(oldest);
        recent_.pop_back();
    }
}

int WatermarkCache::decodes() const {
    std::lock_guard lock(mutex_);
    return decodes_;
}

std::uint64_t WatermarkCache::heldBytes() const {
    std::lock_guard lock(mutex_);
    return held_;
}

}  // namespace plazor
