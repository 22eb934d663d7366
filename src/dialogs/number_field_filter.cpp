#include "dialogs/number_field_filter.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

#include <memory>
#include <optional>

#include "shell/ui_port.h"

namespace plazor {
namespace {

// The character a key press types, as the filter rules know it; nothing for keys that type none, and
// for Tab and Escape, which move the focus or close the window before any field sees them.
std::optional<char16_t> typedCharacter(const QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) return kCharPaste;
    const int key = event->key();
    switch (key) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Escape:
        case Qt::Key_Delete:
            return std::nullopt;
        case Qt::Key_Backspace:
            return kCharBackspace;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return kCharEnter;
        default:
            break;
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if ((modifiers & Qt::ControlModifier) && !(modifiers & Qt::AltModifier) && key >= Qt::Key_A &&
        key <= Qt::Key_Z) {
        return static_cast<char16_t>(key - Qt::Key_A + 1);
    }
    const QString text = event->text();
    if (text.isEmpty()) return std::nullopt;
    return text.at(0).unicode();
}

int selectionStartOf(const QLineEdit* field) {
    return field->hasSelectedText() ? field->selectionStart() : field->cursorPosition();
}

}  // namespace

NumberFieldFilter::NumberFieldFilter(QLineEdit* field, NumberFilterKind kind, UiPort& ui)
    : QObject(field), field_(field), kind_(kind), ui_(ui) {
    setObjectName(QStringLiteral("numberFieldFilter"));
}

NumberFieldFilter* NumberFieldFilter::install(QLineEdit* field, NumberFilterKind kind, UiPort& ui) {
    remove(field);
    auto* filter = new NumberFieldFilter(field, kind, ui);
    field->installEventFilter(filter);
    // Drops and input methods would insert text that no keystroke rule has seen.
    field->setAcceptDrops(false);
    field->setAttribute(Qt::WA_InputMethodEnabled, false);
    return filter;
}

void NumberFieldFilter::remove(QLineEdit* field) {
    auto* filter = field->findChild<NumberFieldFilter*>(QString(), Qt::FindDirectChildrenOnly);
    if (!filter) return;
    field->removeEventFilter(filter);
    field->setAcceptDrops(true);
    field->setAttribute(Qt::WA_InputMethodEnabled, true);
    delete filter;
}

bool NumberFieldFilter::eventFilter(QObject* watched, QEvent* event) {
    if (watched != field_) return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress && !acceptsKey(static_cast<QKeyEvent*>(event))) {
        refuse();
        return true;
    }
    if (event->type() == QEvent::ContextMenu) {
        showContextMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    return QObject::eventFilter(watched, event);
}

bool NumberFieldFilter::acceptsKey(const QKeyEvent* event) const {
    const std::optional<char16_t> ch = typedCharacter(event);
    if (!ch) return true;
    switch (judgeKeystroke(kind_, *ch, selectionStartOf(field_))) {
        case KeystrokeVerdict::Accept:
            return true;
        case KeystrokeVerdict::CheckPaste:
            return acceptsPaste();
        case KeystrokeVerdict::Refuse:
            break;
    }
    return false;
}

bool NumberFieldFilter::acceptsPaste() const {
    const int start = selectionStartOf(field_);
    const int end = field_->hasSelectedText() ? field_->selectionEnd() : start;
    const std::u16string result =
        textAfterPaste(field_->text().toStdU16String(), start, end,
                       QApplication::clipboard()->text().toStdU16String(), field_->maxLength());
    return pasteAccepted(kind_, result);
}

void NumberFieldFilter::refuse() {
    QApplication::beep();
    ui_.balloon(field_, tr("不能接受的字符"), tr("您只能在此处键入数字。"), UiIcon::Error);
}

// The field's own menu, with its paste entry held to the same rule as a pasting keystroke. The entry is
// the action whose connection to the field's paste slot can be taken away.
void NumberFieldFilter::showContextMenu(const QPoint& globalPos) {
    std::unique_ptr<QMenu> menu(field_->createStandardContextMenu());
    for (QAction* action : menu->actions()) {
        const bool isPaste = disconnect(action, &QAction::triggered, field_, &QLineEdit::paste) ||
                             disconnect(action, SIGNAL(triggered(bool)), field_, SLOT(paste()));
        if (!isPaste) continue;
        connect(action, &QAction::triggered, this, [this] {
            if (acceptsPaste()) {
                field_->paste();
            } else {
                refuse();
            }
        });
    }
    menu->exec(globalPos);
}

}  // namespace plazor
