// A decompression-bomb header: a valid PNG whose header claims a size its data does not have.
#pragma once

#include <lodepng.h>

#include <cstdlib>
#include <string>

namespace plazor::testing {

// A PNG whose header claims `w` x `h` pixels; its data is that of a 1 x 1 picture.
inline std::string pngClaiming(unsigned w, unsigned h) {
    unsigned char pixel = 0;
    unsigned char* out = nullptr;
    size_t size = 0;
    if (lodepng_encode_memory(&out, &size, &pixel, 1, 1, LCT_GREY, 8) != 0) return {};
    std::string png(reinterpret_cast<const char*>(out), size);
    std::free(out);
    auto put32 = [&png](std::size_t at, unsigned v) {
        for (int i = 0; i < 4; ++i)
            png[at + i] = static_cast<char>(v >> (24 - 8 * i));
    };
    put32(16, w);  // IHDR data follows the signature and the chunk's length and type
    put32(20, h);
    lodepng_chunk_generate_crc(reinterpret_cast<unsigned char*>(png.data()) + 8);
    return png;
}

}  // namespace plazor::testing
