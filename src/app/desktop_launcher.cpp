#include "app/desktop_launcher.h"

#include "shell/ui_port.h"
#include "util/atomic_file.h"
#include "util/fs.h"

#include <QCoreApplication>

#include <filesystem>

namespace plazor {

namespace fs = std::filesystem;

namespace {

// Escapes a string value of the file: a backslash and the line breaks would end or change the key.
std::string stringValue(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        if (c == '\\') {
            escaped += "\\\\";
        } else if (c == '\n') {
            escaped += "\\n";
        } else if (c == '\r') {
            escaped += "\\r";
        } else {
            escaped += c;
        }
    }
    return escaped;
}

// Quotes a path as the one argument of the Exec key: inside double quotes '"', '`', '$' and '\' take a
// backslash and '%' (which starts a field code) is doubled; the result is then escaped like any string
// value, so a backslash in the path ends up as four.
std::string execArgument(const std::string& path) {
    std::string quoted = "\"";
    for (char c : path) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        if (c == '%') quoted += '%';
        quoted += c;
    }
    return stringValue(quoted + "\"");
}

}  // namespace

std::string desktopLauncherPath(const std::string& desktopFolder) {
    return joinPath(desktopFolder, std::string(kLauncherName) + ".desktop");
}

std::string desktopLauncherText(const std::string& programFile, const std::string& programFolder) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Version=1.0\n"
           "Name=" +
           std::string(kLauncherName) +
           "\n"
           "Comment=图片排版，批量制作图片。\n"
           // %f: a template the launcher is started on opens at once, as with the installed entry.
           "Exec=" +
           execArgument(programFile) +
           " %f\n"
           "Path=" +
           stringValue(programFolder) +
           "\n"
           "Icon=plazor\n"
           "Terminal=false\n"
           "Categories=Graphics;\n";
}

bool createDesktopLauncher(const std::string& desktopFolder, const std::string& programFile) {
    if (programFile.empty()) return false;
    std::error_code ec;
    fs::create_directories(desktopFolder, ec);
    const fs::path launcher = desktopLauncherPath(desktopFolder);
    const std::string text = desktopLauncherText(programFile, fs::path(programFile).parent_path().string());
    if (!writeFileAtomically(launcher, text).ok()) return false;
    fs::permissions(launcher,
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::owner_exec |
                        fs::perms::group_read | fs::perms::group_exec | fs::perms::others_read |
                        fs::perms::others_exec,
                    fs::perm_options::replace, ec);
    return !ec;
}

void createDesktopShortcut(UiPort& ui, QWidget* owner, const std::string& desktopFolder,
                           const std::string& programFile) {
    if (createDesktopLauncher(desktopFolder, programFile)) {
        showMessage(ui, owner,
                    QCoreApplication::translate("DesktopLauncher", "在桌面上成功创建了一个【快捷启动方式】"),
                    QCoreApplication::translate("DesktopLauncher", "提示"), UiIcon::Information);
    } else {
        showMessage(ui, owner,
                    QCoreApplication::translate("DesktopLauncher", "在桌面上创建【快捷启动方式】失败"),
                    QCoreApplication::translate("DesktopLauncher", "提示"), UiIcon::Error);
    }
}

}  // namespace plazor
