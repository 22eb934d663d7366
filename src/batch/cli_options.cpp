#include "batch/cli_options.h"

#include <charconv>

namespace plazor::batch {
namespace {

std::optional<int> parseNumber(const std::string& text, int min, int max) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < min || value > max) return std::nullopt;
    return value;
}

ParseResult refuse(std::string error) { return {std::nullopt, std::move(error)}; }

}  // namespace

ParseResult parseCommandLine(const std::vector<std::string>& args) {
    if (args.empty()) return refuse("no command given");
    Request request;
    const std::string& command = args[0];
    if (command == "--help" || command == "-h" || command == "help") return {Request{}, {}};
    if (command == "--version") {
        request.command = Command::Version;
        return {request, {}};
    }
    if (command == "render") {
        request.command = Command::Render;
    } else if (command == "check") {
        request.command = Command::Check;
    } else if (command == "template") {
        request.command = Command::Template;
    } else {
        return refuse("unknown command '" + command + "'");
    }

    std::vector<std::string> positional;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= args.size()) return std::nullopt;
            return args[++i];
        };
        if (arg == "--subfolders" && request.command != Command::Template) {
            request.subFolders = true;
        } else if (arg == "--no-slice-subfolder" && request.command == Command::Render) {
            request.sliceSubFolder = false;
        } else if (arg == "--exact" && request.command == Command::Render) {
            request.exact = true;
        } else if (arg == "--dpi" && request.command != Command::Template) {
            const auto text = value();
            if (!text) return refuse("--dpi needs a value");
            request.dpi = parseNumber(*text, 1, 1200);
            if (!request.dpi) return refuse("--dpi takes a whole number from 1 to 1200");
        } else if (arg == "--jobs" && request.command == Command::Render) {
            const auto text = value();
            if (!text) return refuse("--jobs needs a value");
            request.jobs = parseNumber(*text, 1, 64);
            if (!request.jobs) return refuse("--jobs takes a whole number from 1 to 64");
        } else if (arg == "--write" && request.command == Command::Template) {
            request.writePath = value();
            if (!request.writePath) return refuse("--write needs a file name");
        } else if (arg.size() > 1 && arg[0] == '-') {
            return refuse("unknown option '" + arg + "' for " + command);
        } else {
            positional.push_back(arg);
        }
    }

    switch (request.command) {
        case Command::Render:
            if (positional.size() != 3) return refuse("render needs TEMPLATE SOURCE OUTPUT");
            break;
        case Command::Check:
            if (positional.size() != 1 && positional.size() != 3) return refuse("check needs TEMPLATE [SOURCE OUTPUT]");
            break;
        default:
            if (positional.size() != 1) return refuse("template needs TEMPLATE");
            break;
    }
    request.templatePath = positional[0];
    if (positional.size() == 3) {
        request.sourceFolder = positional[1];
        request.outputFolder = positional[2];
    }
    return {request, {}};
}

std::string helpText() {
    return R"(plazor-batch - render Plazor layout templates without a display

Usage:
  plazor-batch render TEMPLATE SOURCE OUTPUT [--subfolders] [--no-slice-subfolder] [--dpi N] [--jobs N]
                      [--exact]
  plazor-batch check TEMPLATE [SOURCE OUTPUT] [--subfolders] [--dpi N]
  plazor-batch template TEMPLATE [--write OUT]
  plazor-batch --help | --version

Commands:
  render    Checks the template, the folders and the source pictures as the editor's start button
            does, then fills the template's paste layers with the pictures of SOURCE, batch after
            batch, and writes one picture per batch into OUTPUT (created when missing). Progress
            goes to stderr when it is a terminal, with the info lines and a summary at the end.
            Ctrl+C stops cleanly after the current step.
  check     Loads the template (reporting its problems) and, given SOURCE and OUTPUT, runs the checks
            before a run without rendering anything.
  template  Loads a template and prints a summary of it. With --write OUT, writes it back through the
            template writer (normalises hand-edited or generated templates).

Options:
  --subfolders          sub-folder list mode: one batch per sub-folder of SOURCE, holding that
                        sub-folder's pictures (default: the pictures of SOURCE, as many per batch
                        as the template has paste layers)
  --no-slice-subfolder  write the strips of horizontal slices into OUTPUT itself instead of a
                        sub-folder named after each batch
  --dpi N               resolution (1 to 1200) for templates that carry none (default 72)
  --jobs N              batches rendered at once (default: one per processor core); the files and
                        their bytes do not depend on it
  --exact               decode every picture at full size (default: a JPEG that will be shrunk is
                        decoded at the smallest reduced scale that is still at least its final
                        size; sizes and positions are the same, pixel values may differ slightly)
  --write OUT           with template: write the loaded template to OUT

Exit codes:
  0  done (render: every batch rendered)
  1  the template could not be read, or --write failed
  2  a check before the run failed (its message is printed)
  3  the run was stopped before its end (Ctrl+C, or a PNG-8 failure)
  4  the command line is wrong
)";
}

}  // namespace plazor::batch
