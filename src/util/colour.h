// Colours as the program stores and writes them: 24-bit values with red in the low byte.
#pragma once

#include <cstdint>
#include <string>

namespace plazor {

// "#" and two lower-case hexadecimal digits each for red, green and blue ("#ffffff" for white).
std::string colourText(std::uint32_t colour);

}  // namespace plazor
