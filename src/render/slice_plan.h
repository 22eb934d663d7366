// Cutting an output picture into horizontal strips at the slices' y values, naming the strips, and
// the HTML page that stacks them again.
#pragma once

#include <string>
#include <vector>

#include "template/document.h"

namespace plazor {

struct Strip {
    int number = 0;  // the slice's number, or n + 1 for the last strip
    int top = 0;
    int height = 0;
};

// Strip i covers rows y(i-1) .. y(i) - 1 (y0 = 0), the last strip rows y(n) .. height - 1, with the
// slices taken in list order. A strip that would have no rows (y values that do not increase, or a
// y at or below the previous one) is skipped rather than written as an empty picture.
std::vector<Strip> planStrips(const std::vector<Slice>& slices, int pictureHeight);

// Digits of the strip numbers in file names: 1 below 9 slices, 3 above 98, else 2.
int stripNumberWidth(std::size_t sliceCount);

// "name-07" for number 7 at width 2.
std::string stripStem(const std::string& batchName, int number, int width);

// The HTML page, as UTF-8 text: its head with the title, one line per strip, and the end (no final
// line break). `relativePaths` are the strips' paths relative to the output folder, with "/".
struct HtmlStripLine {
    std::string relativePath;
    int width = 0;
    int height = 0;
};
std::string htmlPage(const std::string& title, const std::vector<HtmlStripLine>& strips);

}  // namespace plazor
