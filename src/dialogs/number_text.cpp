#include "dialogs/number_text.h"

#include <climits>

namespace plazor {
namespace {

template <typename Char>
bool isDigit(Char c) {
    return c >= Char('0') && c <= Char('9');
}

bool isCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

template <typename Char>
bool signedInteger(std::basic_string_view<Char> text) {
    if (!text.empty() && text.front() == Char('-')) text.remove_prefix(1);
    if (text.empty()) return false;
    for (Char c : text) {
        if (!isDigit(c)) return false;
    }
    return true;
}

template <typename Char>
bool decimalNumber(std::basic_string_view<Char> text) {
    if (!text.empty() && text.front() == Char('-')) text.remove_prefix(1);
    if (text.empty() || !isDigit(text.front())) return false;
    bool seenPoint = false;
    for (Char c : text.substr(1)) {
        if (c == Char('.') && !seenPoint) {
            seenPoint = true;
        } else if (!isDigit(c)) {
            return false;
        }
    }
    return true;
}

}  // namespace

int parseLeadingInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isCSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) break;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

std::string_view trimBlanks(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n";
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool isSignedIntegerText(std::string_view text) {
    return signedInteger(text);
}
bool isSignedIntegerText(std::u16string_view text) {
    return signedInteger(text);
}
bool isDecimalNumberText(std::string_view text) {
    return decimalNumber(text);
}
bool isDecimalNumberText(std::u16string_view text) {
    return decimalNumber(text);
}

}  // namespace plazor
