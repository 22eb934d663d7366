// Identifies a picture from its first bytes and reads its size from the header, without decoding
// pixels. Safe on hostile input: it never reads past the data and every walk is bounded.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace plazor {

struct ProbeResult {
    std::string format;  // "JPEG", "GIF", "PNG", "TIFF", "PSD" or "BMP"
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t fileSize = 0;  // the real length, or for BMP the header's size field
};

// Probes a file; nothing when it cannot be opened or is not a recognised picture.
std::optional<ProbeResult> probePicture(const std::filesystem::path& path);

// Probes bytes held in memory (the whole file).
std::optional<ProbeResult> probePictureBytes(std::string_view bytes);

// True for the formats the program accepts for background and watermark pictures.
bool isAcceptedPictureFormat(const ProbeResult& r);  // JPEG, PNG or GIF

}  // namespace plazor
