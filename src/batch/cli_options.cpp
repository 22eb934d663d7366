#include "batch/cli_options.h"

#include <charconv>

namespace plazor::batch {
namespace {

std::optional<int> parseNumber(const std::string& text, int min, int max) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < min || value > max)
        return std::nullopt;
    return value;
}

ParseResult refuse(std::string error) {
    return {std::nullopt, std::move(error)};
}

// "K/N" with 0 <= K < N.
bool parseShard(const std::string& text, Request& request) {
    const std::size_t slash = text.find('/');
    if (slash == std::string::npos) return false;
    const auto count = parseNumber(text.substr(slash + 1), 1, 1000000);
    if (!count) return false;
    const auto index = parseNumber(text.substr(0, slash), 0, *count - 1);
    if (!index) return false;
    request.shardIndex = *index;
    request.shardCount = *count;
    return true;
}

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
    } else if (command == "plan") {
        request.command = Command::Plan;
    } else {
        return refuse("unknown command '" + command + "'");
    }

    std::vector<std::string> positional;
    bool shardGiven = false, shapeGiven = false;
    const bool renders = request.command == Command::Render || request.command == Command::Plan;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= args.size()) return std::nullopt;
            return args[++i];
        };
        if (arg == "--subfolders" && request.command != Command::Template) {
            request.subFolders = shapeGiven = true;
        } else if (arg == "--no-slice-subfolder" && renders) {
            request.sliceSubFolder = false;
            shapeGiven = true;
        } else if (arg == "--plan" && request.command == Command::Render) {
            request.planPath = value();
            if (!request.planPath) return refuse("--plan needs a file name");
        } else if (arg == "--shard" && request.command == Command::Render) {
            const auto text = value();
            if (!text || !parseShard(*text, request)) return refuse("--shard takes K/N with 0 <= K < N");
            shardGiven = true;
        } else if (arg == "--resume" && request.command == Command::Render) {
            request.resume = true;
        } else if (arg == "--exact" && request.command == Command::Render) {
            request.exact = true;
        } else if (arg == "--dpi" && request.command != Command::Template) {
            shapeGiven = true;
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

    if (request.planPath) {
        if (!positional.empty())
            return refuse("render --plan takes no TEMPLATE SOURCE OUTPUT: the plan holds them");
        if (shapeGiven)
            return refuse("--subfolders, --no-slice-subfolder and --dpi belong to the plan command");
        return {request, {}};
    }
    if (shardGiven || request.resume) return refuse("--shard and --resume need --plan");

    switch (request.command) {
        case Command::Render:
            if (positional.size() != 3) return refuse("render needs TEMPLATE SOURCE OUTPUT");
            break;
        case Command::Plan:
            if (positional.size() != 3) return refuse("plan needs TEMPLATE SOURCE OUTPUT");
            break;
        case Command::Check:
            if (positional.size() != 1 && positional.size() != 3)
                return refuse("check needs TEMPLATE [SOURCE OUTPUT]");
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
  plazor-batch render --plan PLAN [--shard K/N] [--resume] [--jobs N] [--exact]
  plazor-batch plan TEMPLATE SOURCE OUTPUT [--subfolders] [--no-slice-subfolder] [--dpi N] > PLAN
  plazor-batch check TEMPLATE [SOURCE OUTPUT] [--subfolders] [--dpi N]
  plazor-batch template TEMPLATE [--write OUT]
  plazor-batch --help | --version

Commands:
  render    Checks the template, the folders and the source pictures as the editor's start button
            does, then fills the template's paste layers with the pictures of SOURCE, batch after
            batch, and writes one picture per batch into OUTPUT (created when missing). Progress
            goes to stderr when it is a terminal, with the info lines and a summary at the end.
            Ctrl+C stops cleanly after the current step.
  plan      Runs the same checks, then writes the whole run to stdout as a JSON plan: the template
            itself, every batch in order with its pictures and the output names reserved for it,
            decided once from the folders as they stand. Nothing is rendered.
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
  --plan PLAN           with render: render the batches of PLAN under its names; the source and
                        output folders are those in the plan (shared or mounted at the same paths)
  --shard K/N           with --plan: render only batches whose 0-based index modulo N is K, so N
                        workers on any machines together write exactly the files of one run
  --resume              with --plan: skip batches whose files all exist (files are written
                        atomically, so an existing file is complete); without it a run refuses to
                        start when one of its planned files exists

Exit codes:
  0  done (render: every batch rendered)
  1  the template or plan could not be read (or writing the plan or --write failed)
  2  a check before the run failed (its message is printed)
  3  the run was stopped before its end (Ctrl+C, or a PNG-8 failure)
  4  the command line is wrong
)";
}

}  // namespace plazor::batch
