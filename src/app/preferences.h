// The main program's preferences: values kept from one start to the next in the main settings store.
// Read once at start-up; each setter writes its value at once, except the two dialog folders, which are
// written when the main window is destroyed.
#pragma once

#include <QString>

#include "render/sources.h"
#include "shell/settings_keys.h"
#include "util/special_folders.h"

#include <string>

namespace plazor {

class SettingsStore;

inline constexpr int kDefaultDpi = 72;

// Dialog folders are read with a buffer of this many bytes, as paths are limited to 259.
inline constexpr std::size_t kDialogFolderBufferBytes = 260;

struct Preferences {
    int defaultLayerLevel = 0;        // new paste layers: 0 "背景上方", 1 "背景下方"
    int defaultOverflowStyle = 1;     // new paste layers: "填充式缩放"
    int loadMode = kPictureListMode;  // a LoadMode
    int sliceSubFolder = 1;           // slice strips go into a sub-folder
    int completedAlert = 1;           // a message box announces the end of a run
    int dpi = kDefaultDpi;
    std::string backgroundDialogFolder;  // UTF-8 folder of the background picture dialog
    std::string watermarkDialogFolder;   // UTF-8 folder of the watermark picture dialog
    int checkShortcut = 1;               // offer the desktop shortcut at start-up
    int exactDecoding = 0;               // runs decode every source picture at full size

    // Reads every value; a missing or unreadable value keeps its default, and a dialog folder that is
    // missing or no longer exists becomes `desktop`. The store is kept for the setters' writes and
    // must outlive the preferences.
    static Preferences load(SettingsStore& store, const std::string& desktop = desktopFolder());

    // Each setter changes the value and stores it; a failed write is ignored (the value stays in effect).
    void setDefaultLayerLevel(int level);
    void setDefaultOverflowStyle(int style);
    void setLoadMode(int mode);
    void toggleSliceSubFolder();
    void toggleCompletedAlert();
    void toggleExactDecoding();
    void setDpi(int value);
    void clearShortcutOffer();
    void storeDialogFolders();

  private:
    void store(const char* name, int value);

    SettingsStore* store_ = nullptr;  // not owned
};

// Status bar texts that show preferences.
QString loadModeStatusText(int mode);  // "\t\t图片列表模式　 " or "\t\t子文件夹列表模式　 "
QString dpiStatusText(int dpi);        // "\t%d dpi"

// The settings menu lists the overflow styles in the order 0, 4, 1, 2, 3, 5: command for a style value
// and style value for a command (cmd::kDefaultStyleFirst to cmd::kDefaultStyleLast).
int defaultStyleCommand(int style);
int styleOfDefaultStyleCommand(int command);

// The DPI pop-up's fixed values (cmd::kDpiFirstFixed to cmd::kDpiLastFixed): the DPI of a command, 0 for any
// other command, and the command that shows a DPI, 0 when no fixed item does.
int fixedDpiOfCommand(int command);
int commandOfFixedDpi(int dpi);

}  // namespace plazor
