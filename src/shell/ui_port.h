// Everything the program asks of the user or shows beside a control goes through this one interface:
// message boxes, balloon tips, the file, folder and colour choosers, and opening pages or folders.
// The window system implements it with real widgets; tests install a recording fake with scripted
// answers, so every command runs without a display.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

class QWidget;

namespace plazor {

enum class UiIcon { None, Information, Warning, Error, Question };

// Buttons of a message box and the answer it gave.
enum class UiButton { Ok, Yes, No, Cancel, Custom1 };
enum class UiButtons { Ok, YesNo, YesNoCancel, OkCancel };

struct MessageBoxRequest {
    QWidget* owner = nullptr;
    QString text;
    QString caption;  // "提示", "错误", "询问", "完成", "关于", ...
    UiIcon icon = UiIcon::None;
    UiButtons buttons = UiButtons::Ok;
    // Replacement labels for the buttons, in order (e.g. the start-up shortcut question's "不再提示").
    QStringList labels;
    UiButton defaultButton = UiButton::Ok;
};

struct FileDialogRequest {
    QWidget* owner = nullptr;
    QString title;
    QString filter;     // Qt filter text, e.g. "模版文件 (*.dat)"; empty for all files
    QString startPath;  // initial file or folder
    QString defaultSuffix;
};

class UiPort {
  public:
    virtual ~UiPort() = default;

    virtual UiButton messageBox(const MessageBoxRequest& request) = 0;

    // A balloon tip pointing at `control` (at the mouse position when `atCursor`). A balloon without
    // a title has no icon.
    virtual void balloon(QWidget* control, const QString& title, const QString& text, UiIcon icon,
                         bool atCursor = false) = 0;
    virtual void closeAllBalloons() = 0;

    // Choosers return nothing on cancel. Paths are returned as chosen; callers apply the path rules.
    virtual std::optional<QString> openFile(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> saveFile(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> chooseFolder(QWidget* owner, const QString& title,
                                                const QString& startPath, bool allowNewFolder) = 0;
    // Colours are 24-bit values with red in the low byte.
    virtual std::optional<std::uint32_t> chooseColour(QWidget* owner, std::uint32_t initial) = 0;

    // Opens a web page or a folder in the user's browser or file manager.
    virtual void openUrl(const QString& url) = 0;
};

// Convenience for the common one-button boxes.
inline UiButton showMessage(UiPort& ui, QWidget* owner, const QString& text, const QString& caption,
                            UiIcon icon) {
    MessageBoxRequest request;
    request.owner = owner;
    request.text = text;
    request.caption = caption;
    request.icon = icon;
    return ui.messageBox(request);
}

}  // namespace plazor
