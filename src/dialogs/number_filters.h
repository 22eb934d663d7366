// The keystroke rules of the numeric edit fields: one filter for signed integers (the offsets of the
// custom display style) and one for unsigned decimal numbers (the background size in a length unit).
// They decide on each typed character; a paste is judged on the text it would produce.
#pragma once

#include <string>
#include <string_view>

namespace plazor {

enum class NumberFilterKind { SignedInteger, Decimal };

enum class KeystrokeVerdict { Accept, Refuse, CheckPaste };

// The control characters a field lets through.
inline constexpr char16_t kCharBackspace = 0x08;
inline constexpr char16_t kCharEnter = 0x0D;
inline constexpr char16_t kCharCopy = 0x03;   // Ctrl+C
inline constexpr char16_t kCharPaste = 0x16;  // Ctrl+V
inline constexpr char16_t kCharCut = 0x18;    // Ctrl+X
inline constexpr char16_t kCharUndo = 0x1A;   // Ctrl+Z

// Judges one typed character; `selectionStart` is where the field's selection (or caret) begins.
KeystrokeVerdict judgeKeystroke(NumberFilterKind kind, char16_t ch, int selectionStart);

// The field's text after a paste: the selection [selectionStart, selectionEnd) is replaced by the
// clipboard text, which is cut so that the result stays within `maxLength` characters.
std::u16string textAfterPaste(std::u16string_view text, int selectionStart, int selectionEnd,
                              std::u16string_view clipboard, int maxLength);

// Whether a paste producing `text` is allowed: a signed-integer field takes "-" alone or a signed
// integer, a decimal field takes a decimal number.
bool pasteAccepted(NumberFilterKind kind, std::u16string_view text);

}  // namespace plazor
