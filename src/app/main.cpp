// plazor: the picture layout editor. Started with "--crash-report <code> <address>" by its own crash
// handler, it only tells the user about the crash and opens the crash page.
#include "app/balloon_tip.h"
#include "app/crash_handler.h"
#include "app/crash_report.h"
#include "app/event_log.h"
#include "app/qt_ui_port.h"
#include "app/startup.h"
#include "util/special_folders.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstring>

int main(int argc, char** argv) {
    const bool crashReportMode = argc > 1 && std::strcmp(argv[1], plazor::kCrashReportOption) == 0;
    // A crash while reporting a crash must not start yet another report.
    if (!crashReportMode) plazor::installCrashHandler(plazor::programFile(), plazor::prepareEventLog());

    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/program/plazor.svg")));
    // The interface is Chinese throughout, so Qt's own buttons and dialogs are too.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTexts);
    }

    plazor::BalloonRegister balloons;
    plazor::QtUiPort ui(balloons);
    if (crashReportMode) {
        if (const auto report = plazor::parseCrashReportArguments(QApplication::arguments())) {
            plazor::showCrashReport(ui, *report);
        }
        return 0;
    }
    return plazor::runEditor(ui, balloons, {});
}
