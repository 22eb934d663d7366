// plazor-batch: the headless command-line tool over the same engine as the editor.
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <iostream>

#include "batch/commands.h"
#include "util/magick.h"
#include "util/magick_temp_folder.h"

namespace {

// The running render's stop flag; Ctrl+C, SIGTERM and SIGHUP set it (lock-free atomics are
// async-signal-safe), so the run ends cleanly and leaves no half-written or temporary file.
std::atomic<std::atomic<int>*> g_stop{nullptr};

extern "C" void onStopSignal(int sig) {
    // A second signal, or one before any run has started, ends the program at once.
    std::signal(sig, SIG_DFL);
    if (std::atomic<int>* flag = g_stop.load()) {
        flag->store(1);
    } else {
        std::raise(sig);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const plazor::MagickTemporaryFolder libraryTemporaries;
    // The image library's environment is set while it starts, before any other thread exists.
    plazor::ensureMagickStarted();
    const std::vector<std::string> args(argv + 1, argv + argc);
    const plazor::batch::ParseResult parsed = plazor::batch::parseCommandLine(args);
    if (!parsed.request) {
        std::cerr << "plazor-batch: " << parsed.error << "\nTry 'plazor-batch --help'.\n";
        return plazor::batch::kExitUsage;
    }
    // Schedulers (a Kubernetes pod being evicted, parallel's --halt) stop workers with SIGTERM.
    for (const int sig : {SIGINT, SIGTERM, SIGHUP})
        std::signal(sig, onStopSignal);
    return plazor::batch::runRequest(*parsed.request, {std::cout, std::cerr, isatty(STDERR_FILENO) != 0},
                                     g_stop);
}
