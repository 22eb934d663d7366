// Where the program lives and where the desktop environment keeps the user's folders.
#pragma once

#include <string>

namespace plazor {

// The running executable's full path; empty when it cannot be had.
std::string programFile();

// The folder of the running executable, or the current folder when the executable's path cannot be had.
std::string programFolder();

// The user's desktop folder: `xdg-user-dir DESKTOP`, else ~/Desktop.
std::string desktopFolder();

// The user's documents folder: `xdg-user-dir DOCUMENTS`, else ~/Documents.
std::string documentsFolder();

// Decides a user folder from what `xdg-user-dir` printed. The tool prints the home folder itself for an
// entry the user never configured (and nothing when it is missing), so both give home/fallbackName.
std::string userFolderFromToolOutput(const std::string& output, const std::string& home,
                                     const std::string& fallbackName);

}  // namespace plazor
