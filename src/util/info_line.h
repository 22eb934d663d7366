// One entry of the program's log: the editor's info window, and plazor-batch's standard error.
#pragma once

#include <string>
#include <utility>

namespace plazor {

// The text never ends in a line end; an entry of two lines (a heading and the library's or the system's
// reason) keeps one "\n" between them. Each consumer adds its own line end. The info window follows an
// entry marked `blankAfter` with an empty line: that is how the program has always shown the texts it
// ends with a line break of their own. A terminal shows no empty line.
struct InfoLine {
    InfoLine(std::string line, bool blank = false) : text(std::move(line)), blankAfter(blank) {}

    std::string text;
    bool blankAfter = false;

    bool operator==(const InfoLine&) const = default;
};

// An entry the info window follows with an empty line.
inline InfoLine spacedLine(std::string text) {
    return {std::move(text), true};
}

}  // namespace plazor
