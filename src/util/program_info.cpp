#include "util/program_info.h"

#include <cstdio>

#include "util/product.h"

namespace plazor {

std::string versionLine() {
    char line[128];
    std::snprintf(line, sizeof line, "%s V%0.1f (%d位)", product::kProgramTitle, product::kVersion,
                  static_cast<int>(sizeof(void*) * 8));
    return line;
}

std::string editorHelpText() {
    return R"(plazor - the Plazor picture layout editor (Plazor图片排版工具)

Usage:
  plazor
  plazor FILE.dat [SOURCE]
  plazor --help | --version

Opens the editor: design a layout template on a canvas (a background, paste layers that receive
source pictures, watermarks and horizontal slices), then run it over a source folder to write one
finished picture per batch. The user interface is Chinese.

With FILE.dat the editor starts with that template open; with SOURCE too, that folder is chosen as
the source picture folder (and its output folder proposed) as if picked with 选择.

The companion z_tandro, installed beside plazor, hands a running editor one folder after another;
plazor-batch renders templates without a display. See plazor(1), z_tandro(1) and plazor-batch(1).
)";
}

std::string companionHelpText() {
    return R"(z_tandro - process many picture folders with a running plazor (批量处理多个文件夹)

Usage:
  z_tandro
  z_tandro --help | --version

Opens one window. Choose a source folder and an output folder and press 启动: every sub-folder that
holds pictures (all levels with the check box) is handed, in name order, to the plazor window whose
title is in the bind title field, which renders it with its open template into the matching folder
under the output folder. Only one z_tandro runs at a time; a second start brings the first to the
front.
)";
}

std::optional<std::string> infoOptionAnswer(const std::vector<std::string>& args,
                                            const std::string& helpText) {
    if (args.size() != 1) return std::nullopt;
    if (args[0] == "--version") return versionLine() + "\n";
    if (args[0] == "--help" || args[0] == "-h") return helpText;
    return std::nullopt;
}

}  // namespace plazor
