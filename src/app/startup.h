// The entry of the editor: fixes the program's folders, proves that the image library works, reads the
// preferences, creates the main window with its subsidiary windows, asks once about a desktop launcher
// and runs the event loop. The steps that decide something are plain functions with their inputs
// passed in, so that each failure path can be tested without a display or a broken installation.
#pragma once

#include "shell/ui_port.h"

#include <QSize>
#include <QString>

#include <functional>
#include <optional>
#include <string>

namespace plazor {

class BalloonRegister;
class Document;
class InfoWindow;
class MainWindow;
struct Preferences;

inline constexpr const char* kTemplatesFolderName = "我的模版";

struct StartupFolders {
    std::string program;    // the executable's folder
    std::string templates;  // where the template dialogs start
    std::string desktop;    // the launcher's place and the dialogs' default folder
};

// "我的模版" beside the program when that may be written (a build tree or a portable copy), else in
// the documents folder.
std::string templatesFolderFor(const std::string& programFolder, bool programFolderWritable,
                               const std::string& documentsFolder);

// Reads the three folders and creates the templates folder when it is missing.
StartupFolders fixStartupFolders();

// The image library's checks, replaceable in tests.
struct ImageLibraryChecks {
    std::function<bool()> hasJpegCoder;
    std::function<bool(std::string& error)> probe;  // reads the embedded pictures
};
ImageLibraryChecks realImageLibraryChecks();

// Proves that the image library works, first pointing it at private coder modules when the program
// brings some. When it does not: without a JPEG coder the installation message (caption "提示") is
// shown, the unpacking page opened and -1 returned; otherwise the probe's failure is shown and 0
// returned. Nothing when the start-up goes on.
std::optional<int> checkImageLibrary(UiPort& ui, const std::string& programFolder,
                                     const ImageLibraryChecks& checks);

// Status bar text of a size: "%d x %d 像素".
QString pixelSizeText(int width, int height);

// The launcher question is asked only while the preference allows it, the program does not run from
// the desktop folder, and no launcher is there yet.
bool shouldOfferShortcut(bool offerEnabled, const std::string& programFolder,
                         const std::string& desktopFolder);

enum class ShortcutAnswer { Create, NeverAsk, NotNow };

// "需要在桌面上创建一个软件打开的快捷方式吗？" with the buttons yes, "不再提示" and "否(&N)".
ShortcutAnswer askForShortcut(UiPort& ui, QWidget* owner);

// Asks when shouldOfferShortcut allows it; yes runs `create`, "不再提示" runs `neverAskAgain`.
void offerDesktopShortcut(UiPort& ui, QWidget* owner, bool offerEnabled, const StartupFolders& folders,
                          const std::function<void()>& create, const std::function<void()>& neverAskAgain);

// What the start-up made and the command handlers share; it lives until the event loop ends.
struct EditorContext {
    UiPort& ui;
    Document& doc;
    Preferences& prefs;
    MainWindow& window;
    InfoWindow& info;
    const StartupFolders& folders;
    QSize canvasReference;  // 4/5 of the screen: the size the canvas is first laid out for
};

// Parts of the editor that other subsystems add; they run once the main window and the info window
// exist, before the window is shown. `installCommands` registers the template, layer and run commands
// with MainWindow::setCommandHandler.
struct EditorParts {
    std::function<void(EditorContext&)> installCommands;
    // Runs once the main window is showing (the template named on the command line opens here).
    std::function<void()> afterShow;
};

// Runs the whole start-up and then the event loop; returns the process's exit code.
int runEditor(UiPort& ui, BalloonRegister& balloons, const EditorParts& parts);

}  // namespace plazor
