#include "dialogs/input_checks.h"

#include "dialogs/number_text.h"

namespace plazor {
namespace {

InputCheck refused(const char* message) {
    return InputCheck{message, {}};
}

InputCheck checkCharacter(std::string_view text) {
    if (text == "\\r") return InputCheck{std::nullopt, "\r"};
    if (text == "\\n") return InputCheck{std::nullopt, "\n"};
    if (text == "\\t") return InputCheck{std::nullopt, "\t"};
    if (text.empty()) return refused("请输入一个字符");
    // A Chinese character takes more than one byte and is refused with the rest.
    if (text.size() != 1) return refused("只可以输入一个字符(英文字母, 数字, 标点符号等)，不能输入汉字。");
    return InputCheck{std::nullopt, std::string(text)};
}

}  // namespace

InputCheck checkInputText(InputKind kind, std::string_view text) {
    switch (kind) {
        case InputKind::Character:
            return checkCharacter(text);
        case InputKind::Integer: {
            const std::string_view trimmed = trimBlanks(text);
            if (trimmed.empty()) return refused("请输入一个整数");
            if (!isSignedIntegerText(trimmed)) return refused("只可以输入一个整数");
            return InputCheck{std::nullopt, std::string(trimmed)};
        }
        case InputKind::Number: {
            const std::string_view trimmed = trimBlanks(text);
            if (trimmed.empty()) return refused("请输入一个数");
            if (!isDecimalNumberText(trimmed)) return refused("只可以输入一个数");
            return InputCheck{std::nullopt, std::string(trimmed)};
        }
        case InputKind::Text:
            break;
    }
    return InputCheck{std::nullopt, std::string(text)};
}

int inputMaxLength(InputKind kind) {
    switch (kind) {
        case InputKind::Character:
            return 2;
        case InputKind::Integer:
        case InputKind::Number:
            return 128;
        case InputKind::Text:
            break;
    }
    return 32767;  // the edit field's own limit
}

}  // namespace plazor
