// How typed numbers are read and which texts count as numbers, shared by the dialogs, the input box
// and the keystroke filters.
#pragma once

#include <string>
#include <string_view>

namespace plazor {

// Reads a number the way C's atoi does: leading blanks are skipped, an optional sign and the digits
// after it count, the rest is ignored; a text without leading digits gives 0. Values beyond the int
// range are clamped instead of overflowing.
int parseLeadingInt(std::string_view text);

// The text without leading and trailing spaces, tabs, carriage returns and line feeds.
std::string_view trimBlanks(std::string_view text);

// An optional "-" followed by one or more digits.
bool isSignedIntegerText(std::string_view text);
bool isSignedIntegerText(std::u16string_view text);

// An optional "-", a digit, then digits with at most one "." among them ("1." and "-0.5" pass,
// ".5" and "-" do not).
bool isDecimalNumberText(std::string_view text);
bool isDecimalNumberText(std::u16string_view text);

}  // namespace plazor
