#include "shell/crash_report.h"

#include "shell/crash_handler.h"
#include "shell/ui_port.h"
#include "util/product.h"

#include <QCoreApplication>
namespace plazor {

std::optional<CrashReport> parseCrashReportArguments(const QStringList& arguments) {
    if (arguments.size() != 4 || arguments[1] != QLatin1String(kCrashReportOption)) return std::nullopt;
    bool codeOk = false;
    bool addressOk = false;
    CrashReport report;
    report.code = arguments[2].toULong(&codeOk, 16);
    report.address = static_cast<std::uintptr_t>(arguments[3].toULongLong(&addressOk, 16));
    if (!codeOk || !addressOk) return std::nullopt;
    return report;
}

std::string crashPageAddress(const CrashReport& report) {
    // QString::number, unlike printf, ignores the user's decimal separator.
    const std::string version = QString::number(product::kVersion, 'f', 1).toStdString();
    char code[sizeof(std::uintptr_t) * 2 + 1];
    char address[sizeof(std::uintptr_t) * 2 + 1];
    formatHex(code, sizeof code, report.code, 1, false);
    formatHex(address, sizeof address, report.address, kPointerDigits, true);
    return std::string(product::kCrashPage) + "?v=" + version + "&ecode=0x" + code + "&eip=0x" + address +
           "&";
}

void showCrashReport(UiPort& ui, const CrashReport& report) {
    const QString text =
        QCoreApplication::translate(
            "CrashReport", "%1 已停止工作。\n\n出现了一个问题，导致软件停止工作。请进入软件官网联系客服。")
            .arg(QString::fromUtf8(product::kProgramTitle));
    showMessage(ui, nullptr, text, QCoreApplication::translate("CrashReport", "错误"), UiIcon::Error);
    ui.openUrl(QString::fromStdString(crashPageAddress(report)));
}

}  // namespace plazor
