#include "dialogs/number_filters.h"

#include <algorithm>

#include "dialogs/number_text.h"

namespace plazor {

KeystrokeVerdict judgeKeystroke(NumberFilterKind kind, char16_t ch, int selectionStart) {
    if (ch >= u'0' && ch <= u'9') return KeystrokeVerdict::Accept;
    // A sign belongs in front of the number; a decimal point needs a digit before it.
    if (kind == NumberFilterKind::SignedInteger && ch == u'-') {
        return selectionStart == 0 ? KeystrokeVerdict::Accept : KeystrokeVerdict::Refuse;
    }
    if (kind == NumberFilterKind::Decimal && ch == u'.') {
        return selectionStart != 0 ? KeystrokeVerdict::Accept : KeystrokeVerdict::Refuse;
    }
    switch (ch) {
        case kCharPaste:
            return KeystrokeVerdict::CheckPaste;
        case kCharBackspace:
        case kCharEnter:
        case kCharCopy:
        case kCharCut:
        case kCharUndo:
            return KeystrokeVerdict::Accept;
        default:
            return KeystrokeVerdict::Refuse;
    }
}

std::u16string textAfterPaste(std::u16string_view text, int selectionStart, int selectionEnd,
                              std::u16string_view clipboard, int maxLength) {
    const auto size = static_cast<int>(text.size());
    const int start = std::clamp(std::min(selectionStart, selectionEnd), 0, size);
    const int end = std::clamp(std::max(selectionStart, selectionEnd), 0, size);
    const int kept = size - (end - start);
    const auto room = static_cast<std::size_t>(std::max(0, maxLength - kept));
    std::u16string result(text.substr(0, static_cast<std::size_t>(start)));
    result += clipboard.substr(0, room);
    result += text.substr(static_cast<std::size_t>(end));
    return result;
}

bool pasteAccepted(NumberFilterKind kind, std::u16string_view text) {
    if (kind == NumberFilterKind::SignedInteger) return text == u"-" || isSignedIntegerText(text);
    return isDecimalNumberText(text);
}

}  // namespace plazor
