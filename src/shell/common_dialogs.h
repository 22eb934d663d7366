// The program's rules on top of the UI port's choosers: the path-length rule after the open and save
// dialogs and the folder chooser that refuses a folder that does not exist; plus the two helpers that
// size and centre every window.
#pragma once

#include "shell/ui_port.h"

#include <optional>
#include <string>

class QWidget;

namespace plazor {

enum class PathDialogKind { Open, Save };

// The folder part of a chosen file: everything before the last "/", or "/" for a file at the root.
std::string folderOfPath(const std::string& path);

// The message that refuses a path chosen in an open or save dialog, or nothing when it is accepted.
// Lengths count code-page-936 bytes (a Chinese character counts 2): the folder part may have at most
// 259, and so may the whole path.
std::optional<std::string> chosenPathRefusal(const std::string& path, PathDialogKind kind);

struct ChosenFile {
    QString path;
    QString folder;  // folderOfPath(path)
};

// The filter of the background and watermark picture dialogs: "图片格式 (*.PNG;*.JPG;*.GIF)", matching
// *.PNG, *.JPG, *.JPEG and *.GIF in either letter case.
QString pictureFileFilter();

// True when every ";;"-separated filter is a label that shows patterns of its own followed by the
// pattern list the dialog matches, as pictureFileFilter is: the dialog then shows the labels only.
// "模版文件 (*.dat)" is its own pattern list and is shown whole.
bool filterLabelShowsPatterns(const QString& filter);

// The open and save dialogs with the path rule: a refused path is explained in a box (caption "提示",
// error icon) and reported like a cancel.
std::optional<ChosenFile> chooseFileToOpen(UiPort& ui, const FileDialogRequest& request);
std::optional<ChosenFile> chooseFileToSave(UiPort& ui, const FileDialogRequest& request);

// The folder chooser. A typed folder that does not exist is refused with "文件夹 '%s' 不存在" (caption
// "提示", error icon) and the chooser opens again; nothing on cancel.
std::optional<QString> chooseExistingFolder(UiPort& ui, QWidget* owner, const QString& title,
                                            const QString& startPath, bool allowNewFolder);

// The folder that a folder chooser opens on for `startPath`: that folder, or else the nearest folder
// above it that exists (a proposed output folder exists only once a run has made it), or else
// `fallback` (for an empty start path too).
QString folderChooserStart(const QString& startPath, const QString& fallback);

// Resizes a window so that its client area, below the menu bar and above `statusBar`, is
// width x height.
void setClientSize(QWidget* window, int width, int height, const QWidget* statusBar = nullptr);

// Moves a window, without resizing it, to the middle of the screen's width and of its work area's
// height.
void centreOnScreen(QWidget* window);

}  // namespace plazor
