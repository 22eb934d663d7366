// plazor-batch: the headless command-line tool over the same engine as the editor.
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <iostream>

#include "batch/commands.h"
#include "util/magick.h"

namespace {

// The running render's stop flag; Ctrl+C sets it (lock-free atomics are async-signal-safe).
std::atomic<std::atomic<int>*> g_stop{nullptr};

extern "C" void onInterrupt(int) {
    if (std::atomic<int>* flag = g_stop.load()) flag->store(1);
    // A second Ctrl+C ends the program at once.
    std::signal(SIGINT, SIG_DFL);
}

}  // namespace

int main(int argc, char** argv) {
    // The image library's environment is set while it starts, before any other thread exists.
    plazor::ensureMagickStarted();
    const std::vector<std::string> args(argv + 1, argv + argc);
    const plazor::batch::ParseResult parsed = plazor::batch::parseCommandLine(args);
    if (!parsed.request) {
        std::cerr << "plazor-batch: " << parsed.error << "\nTry 'plazor-batch --help'.\n";
        return plazor::batch::kExitUsage;
    }
    std::signal(SIGINT, onInterrupt);
    return plazor::batch::runRequest(*parsed.request, {std::cout, std::cerr, isatty(STDERR_FILENO) != 0},
                                     g_stop);
}
