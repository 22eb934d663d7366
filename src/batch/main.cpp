// plazor-batch: the headless command-line tool over the same engine as the editor.
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <iostream>

#include "batch/commands.h"

namespace {

// The running render's stop flag; Ctrl+C sets it (lock-free atomics are async-signal-safe).
std::atomic<std::atomic<int>*> g_stop{nullptr};

extern "C" void onInterrupt(int signal) {
    if (std::atomic<int>* flag = g_stop.load()) flag->store(1);
    // A second Ctrl+C (or termination request) ends the program at once.
    std::signal(signal, SIG_DFL);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const plazor::batch::ParseResult parsed = plazor::batch::parseCommandLine(args);
    if (!parsed.request) {
        std::cerr << "plazor-batch: " << parsed.error << "\nTry 'plazor-batch --help'.\n";
        return plazor::batch::kExitUsage;
    }
    std::signal(SIGINT, onInterrupt);
    // Schedulers (a Kubernetes pod being evicted, parallel's --halt) stop workers with SIGTERM.
    std::signal(SIGTERM, onInterrupt);
    return plazor::batch::runRequest(*parsed.request, {std::cout, std::cerr, isatty(STDERR_FILENO) != 0},
                                     g_stop);
}
