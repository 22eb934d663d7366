// Crash-report mode: the program started again by the crash handler tells the user that it stopped
// working and opens the crash page of the product web site with the crash's code and address.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <string>

namespace plazor {

class UiPort;

struct CrashReport {
    unsigned long code = 0;      // the signal number
    std::uintptr_t address = 0;  // the faulting instruction
};

// Recognises the arguments "--crash-report <code> <address>" (hexadecimal) after the program name.
std::optional<CrashReport> parseCrashReportArguments(const QStringList& arguments);

// The crash page with the query "v=%0.1f&ecode=0x%lx&eip=0x%p&".
std::string crashPageAddress(const CrashReport& report);

// Shows "…已停止工作。…" (caption "错误", error icon) and then opens the crash page.
void showCrashReport(UiPort& ui, const CrashReport& report);

}  // namespace plazor
