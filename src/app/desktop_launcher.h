// The desktop launcher that starts the program: a freedesktop ".desktop" file on the user's desktop.
#pragma once

#include <string>

class QWidget;

namespace plazor {

class UiPort;

inline constexpr const char* kLauncherName = "Plazor图片排版";

// "<desktop>/Plazor图片排版.desktop"
std::string desktopLauncherPath(const std::string& desktopFolder);

// The launcher's text: runs `programFile` in `programFolder`.
std::string desktopLauncherText(const std::string& programFile, const std::string& programFolder);

// Writes the launcher (creating the desktop folder when missing) and marks it executable.
bool createDesktopLauncher(const std::string& desktopFolder, const std::string& programFile);

// The "在桌面创建快捷启动方式" command: creates the launcher and tells the user how it went.
void createDesktopShortcut(UiPort& ui, QWidget* owner, const std::string& desktopFolder,
                           const std::string& programFile);

}  // namespace plazor
