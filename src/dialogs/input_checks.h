// What the input box accepts for each kind of value, and the message when it refuses.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace plazor {

// Any value other than the first three asks for free text.
enum class InputKind { Text = 0, Character = 1, Integer = 2, Number = 3 };

struct InputCheck {
    std::optional<std::string> failure;  // the text of the warning box (caption "提示")
    std::string value;                   // the accepted value when nothing failed
};

// Checks the typed text: a character may be written as "\r", "\n" or "\t"; integers and numbers are
// trimmed of blanks first and returned trimmed.
InputCheck checkInputText(InputKind kind, std::string_view text);

// How many characters the box's edit field takes for each kind.
int inputMaxLength(InputKind kind);

}  // namespace plazor
