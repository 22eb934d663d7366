// What the layer generators share: the rectangles of the paste layers they create and the warning
// texts of their checks, with the field that takes the focus afterwards.
#pragma once

#include <cstdio>
#include <string>

namespace plazor {

struct CellRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const CellRect&) const = default;
};

// A refused entry of a generator dialog; `Field` names the dialog's fields, its first value none.
template <class Field>
struct GeneratorFailure {
    Field focus{};
    std::string message;
    bool operator==(const GeneratorFailure&) const = default;
};

// printf-style formatting into a std::string.
template <typename... Ints>
std::string formatGeneratorText(const char* format, Ints... values) {
    const int size = std::snprintf(nullptr, 0, format, values...);
    std::string text(static_cast<std::size_t>(size), '\0');
    std::snprintf(text.data(), text.size() + 1, format, values...);
    return text;
}

}  // namespace plazor
