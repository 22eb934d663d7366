// Picture header bytes: the probe never reads outside them, and a size it reports is positive.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "util/probe.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto probed =
        plazor::probePictureBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    if (probed && (probed->width <= 0 || probed->height <= 0)) __builtin_trap();
    return 0;
}
