#include "shell/crash_handler.h"

#include "shell/event_log.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/types.h>
#include <ucontext.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <ctime>

namespace plazor {

namespace {

constexpr std::array<int, 5> kFatalSignals = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};

// Everything the handler needs is prepared at installation: it may not allocate.
char gProgramFile[4096];
char gLogPath[4096];
char gCodeArgument[32];
char gAddressArgument[32];
char gOptionArgument[32];
// Room to run the handler when the fault was a stack overflow.
alignas(16) char gAlternateStack[64 * 1024];
bool gInstalled = false;

std::size_t appendText(char* out, std::size_t size, std::size_t at, const char* text) {
    while (*text && at + 1 < size)
        out[at++] = *text++;
    out[at < size ? at : size - 1] = '\0';
    return at;
}

// The instruction that faulted, where the platform tells it; else the address the signal reports.
std::uintptr_t faultAddress(const siginfo_t* info, void* context) {
    const auto* uc = static_cast<const ucontext_t*>(context);
#if defined(__x86_64__)
    if (uc) return static_cast<std::uintptr_t>(uc->uc_mcontext.gregs[REG_RIP]);
#elif defined(__i386__)
    if (uc) return static_cast<std::uintptr_t>(uc->uc_mcontext.gregs[REG_EIP]);
#elif defined(__aarch64__)
    if (uc) return static_cast<std::uintptr_t>(uc->uc_mcontext.pc);
#else
    (void)uc;
#endif
    return reinterpret_cast<std::uintptr_t>(info ? info->si_addr : nullptr);
}

void writeAll(int fd, const char* text, std::size_t length) {
    while (length > 0) {
        const ssize_t written = write(fd, text, length);
        if (written <= 0) return;
        text += written;
        length -= static_cast<std::size_t>(written);
    }
}

void logCrash(const char* line, std::size_t length) {
    if (!gLogPath[0]) return;
    const int fd = open(gLogPath, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) return;
    char when[24];
    const std::size_t whenLength = formatEventTime(when, sizeof when, time(nullptr));
    writeAll(fd, when, whenLength);
    writeAll(fd, " AppCrash ", 10);
    writeAll(fd, line, length);
    writeAll(fd, "\n", 1);
    close(fd);
}

void startCrashReport(unsigned long code, std::uintptr_t address) {
    if (!gProgramFile[0]) return;
    formatHex(gCodeArgument, sizeof gCodeArgument, code, 1, false);
    formatHex(gAddressArgument, sizeof gAddressArgument, address, kPointerDigits, true);
    const pid_t child = fork();
    if (child != 0) return;
    // The new program must not inherit the blocked crash signal.
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    char* const argv[] = {gProgramFile, gOptionArgument, gCodeArgument, gAddressArgument, nullptr};
    execv(gProgramFile, argv);
    _exit(127);
}

void onFatalSignal(int signal, siginfo_t* info, void* context) {
    const int savedErrno = errno;
    const unsigned long code = static_cast<unsigned long>(signal);
    const std::uintptr_t address = faultAddress(info, context);
    char line[96];
    const std::size_t length = formatCrashLine(line, sizeof line, code, address);
    logCrash(line, length);
    startCrashReport(code, address);
    errno = savedErrno;
    // The handler was reset to the default on entry (SA_RESETHAND): the signal now ends the process
    // once this handler returns and unblocks it.
    raise(signal);
}

bool copyText(char* out, std::size_t size, const std::string& text) {
    if (text.size() + 1 > size) {
        out[0] = '\0';
        return false;
    }
    std::memcpy(out, text.c_str(), text.size() + 1);
    return true;
}

}  // namespace

std::size_t formatHex(char* out, std::size_t size, std::uintptr_t value, int minDigits, bool upperCase) {
    const char* digits = upperCase ? "0123456789ABCDEF" : "0123456789abcdef";
    char reversed[sizeof(std::uintptr_t) * 2];
    int count = 0;
    do {
        reversed[count++] = digits[value & 0xF];
        value >>= 4;
    } while (value != 0 && count < static_cast<int>(sizeof reversed));
    while (count < minDigits && count < static_cast<int>(sizeof reversed))
        reversed[count++] = '0';
    if (size < static_cast<std::size_t>(count) + 1) {
        if (size > 0) out[0] = '\0';
        return 0;
    }
    for (int i = 0; i < count; ++i)
        out[i] = reversed[count - 1 - i];
    out[count] = '\0';
    return static_cast<std::size_t>(count);
}

std::size_t formatCrashLine(char* out, std::size_t size, unsigned long code, std::uintptr_t address) {
    if (size == 0) return 0;
    char hex[sizeof(std::uintptr_t) * 2 + 1];
    std::size_t at = appendText(out, size, 0, "exceptionCode:0x");
    formatHex(hex, sizeof hex, code, 1, false);
    at = appendText(out, size, at, hex);
    at = appendText(out, size, at, ", EIP=0x");
    formatHex(hex, sizeof hex, address, kPointerDigits, true);
    return appendText(out, size, at, hex);
}

void installCrashHandler(const std::string& programFile, const std::string& logPath) {
    if (gInstalled) return;
    gInstalled = true;
    copyText(gProgramFile, sizeof gProgramFile, programFile);
    copyText(gLogPath, sizeof gLogPath, logPath);
    copyText(gOptionArgument, sizeof gOptionArgument, kCrashReportOption);

    stack_t stack{};
    stack.ss_sp = gAlternateStack;
    stack.ss_size = sizeof gAlternateStack;
    sigaltstack(&stack, nullptr);

    struct sigaction action {};
    action.sa_sigaction = onFatalSignal;
    action.sa_flags = SA_SIGINFO | SA_RESETHAND | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (int signal : kFatalSignals)
        sigaction(signal, &action, nullptr);
}

}  // namespace plazor
