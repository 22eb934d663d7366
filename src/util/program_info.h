// What each of the three programs answers to --help and --version, before it needs a window or a
// display.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace plazor {

// "Plazor图片排版工具 V6.0 (64位)", the first line of the About box.
std::string versionLine();

std::string editorHelpText();
std::string companionHelpText();

// For a command line that is just "--help" (or "-h") or "--version": the text to print. Nothing for
// any other command line, which the program handles itself.
std::optional<std::string> infoOptionAnswer(const std::vector<std::string>& args,
                                            const std::string& helpText);

}  // namespace plazor
