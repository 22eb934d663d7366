#include "shell/crash_report.h"
#include "shell/crash_handler.h"
#include "shell/event_log.h"
#include "shell/web_opener.h"
#include "support/recording_ui_port.h"
#include "util/product.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <iomanip>
#include <sstream>

namespace plazor {
namespace {

// The address as Windows' "%p" writes it, computed another way.
std::string pointerText(std::uintptr_t address) {
    std::ostringstream out;
    out << std::uppercase << std::hex << std::setw(sizeof(void*) * 2) << std::setfill('0') << address;
    return out.str();
}

TEST(CrashLine, CodeInLowerCaseAndAddressAsAPointer) {
    char line[96];
    const std::size_t length = formatCrashLine(line, sizeof line, 11, 0x4010afu);
    const std::string expected = "exceptionCode:0xb, EIP=0x" + pointerText(0x4010afu);
    EXPECT_EQ(std::string(line), expected);
    EXPECT_EQ(length, expected.size());

    formatCrashLine(line, sizeof line, 6, UINTPTR_MAX);
    EXPECT_EQ(std::string(line), "exceptionCode:0x6, EIP=0x" + std::string(sizeof(void*) * 2, 'F'));
}

TEST(CrashLine, ASmallBufferIsCutAndTerminated) {
    char line[10];
    EXPECT_EQ(formatCrashLine(line, sizeof line, 11, 0x1234), 9u);
    EXPECT_EQ(std::string(line), "exception");
}

TEST(CrashReport, ArgumentsAreReadBack) {
    const auto report = parseCrashReportArguments({QStringLiteral("plazor"), QStringLiteral("--crash-report"),
                                                   QStringLiteral("b"), QStringLiteral("00000000004010AF")});
    ASSERT_TRUE(report);
    EXPECT_EQ(report->code, 11u);
    EXPECT_EQ(report->address, 0x4010afu);

    EXPECT_FALSE(parseCrashReportArguments({QStringLiteral("plazor")}));
    EXPECT_FALSE(parseCrashReportArguments({QStringLiteral("plazor"), QStringLiteral("--crash-report"),
                                            QStringLiteral("zz"), QStringLiteral("1")}));
}

TEST(CrashReport, ShowsTheBoxThenOpensTheCrashPage) {
    testing::RecordingUiPort ui;
    showCrashReport(ui, {11, 0x4010afu});

    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(
        ui.lastBox().text(),
        QStringLiteral(
            "Plazor图片排版工具 已停止工作。\n\n出现了一个问题，导致软件停止工作。请进入软件官网联系客服。"));
    EXPECT_EQ(ui.lastBox().caption(), QStringLiteral("错误"));
    EXPECT_EQ(ui.lastBox().icon(), UiIcon::Error);
    const std::string page =
        std::string(product::kCrashPage) + "?v=6.0&ecode=0xb&eip=0x" + pointerText(0x4010afu) + "&";
    EXPECT_EQ(ui.openedUrls, std::vector<QString>{QString::fromStdString(page)});
}

TEST(EventTime, MatchesTheCalendar) {
    for (std::time_t when :
         {std::time_t{0}, std::time_t{951782400}, std::time_t{1796738809}, std::time_t{-86401}}) {
        char ours[24];
        ASSERT_EQ(formatEventTime(ours, sizeof ours, when), 20u);
        std::tm parts{};
        gmtime_r(&when, &parts);
        char expected[24];
        std::strftime(expected, sizeof expected, "%Y-%m-%dT%H:%M:%SZ", &parts);
        EXPECT_STREQ(ours, expected) << when;
    }
    char tooSmall[20];
    EXPECT_EQ(formatEventTime(tooSmall, sizeof tooSmall, 0), 0u);
}

TEST(WebOpener, PagesStayAndPathsBecomeFileAddresses) {
    EXPECT_EQ(urlForAddress(QStringLiteral("https://plazor.org/guide.html?a=1")),
              QUrl(QStringLiteral("https://plazor.org/guide.html?a=1")));
    EXPECT_EQ(urlForAddress(QStringLiteral("/home/u/输出 #1")),
              QUrl::fromLocalFile(QStringLiteral("/home/u/输出 #1")));
}

}  // namespace
}  // namespace plazor
