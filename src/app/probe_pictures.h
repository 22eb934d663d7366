// Four tiny pictures held in the program, one per format that the start-up proves the image library
// can read. Their content matters only in that each is a valid file of its format.
#pragma once

#include <array>
#include <string_view>

namespace plazor {

struct ProbePicture {
    const char* format;
    std::string_view bytes;
};

// In the order the start-up reads them: PNG (8 x 8 RGBA), JPEG, GIF, BMP.
const std::array<ProbePicture, 4>& probePictures();

}  // namespace plazor
