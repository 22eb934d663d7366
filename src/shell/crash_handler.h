// The process-wide handler of fatal signals (SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT). It appends
// "<time> AppCrash exceptionCode:0x%lx, EIP=0x%p" to the event log with async-signal-safe calls only,
// starts the program again in crash-report mode (which tells the user and opens the crash page), and
// then lets the signal end the process as it would have ended without the handler.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace plazor {

// The program's first argument in crash-report mode, followed by the code and the address in
// hexadecimal.
inline constexpr const char* kCrashReportOption = "--crash-report";

// Writes `value` in hexadecimal, at least `minDigits` digits, upper or lower case, and a NUL; returns
// the number of digits, or 0 when they do not fit. Async-signal-safe.
std::size_t formatHex(char* out, std::size_t size, std::uintptr_t value, int minDigits, bool upperCase);

// The digits of a code address as Windows' "%p" writes them: upper case, padded to the pointer's width.
inline constexpr int kPointerDigits = static_cast<int>(sizeof(void*) * 2);

// "exceptionCode:0x<code>, EIP=0x<address>" with the code in lower case and the address as "%p".
// Writes at most size - 1 characters and a NUL; returns the length. Async-signal-safe.
std::size_t formatCrashLine(char* out, std::size_t size, unsigned long code, std::uintptr_t address);

// Installs the handler (once; later calls are ignored). `programFile` is started again in crash-report
// mode; `logPath` receives the line. Either may be empty to skip that step.
void installCrashHandler(const std::string& programFile, const std::string& logPath);

}  // namespace plazor
