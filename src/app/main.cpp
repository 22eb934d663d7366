// plazor: the picture layout editor; "plazor FILE.dat" starts with that template open. Started with
// "--crash-report <code> <address>" by its own crash handler, it only tells the user about the crash and
// opens the crash page.
#include "app/balloon_tip.h"
#include "app/commands/editor_commands.h"
#include "app/crash_handler.h"
#include "app/crash_report.h"
#include "app/event_log.h"
#include "app/qt_translations.h"
#include "app/qt_ui_port.h"
#include "app/startup.h"
#include "util/special_folders.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QTranslator>

#include <cstring>

int main(int argc, char** argv) {
    const bool crashReportMode = argc > 1 && std::strcmp(argv[1], plazor::kCrashReportOption) == 0;
    // A crash while reporting a crash must not start yet another report.
    if (!crashReportMode) plazor::installCrashHandler(plazor::programFile(), plazor::prepareEventLog());

    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/program/plazor.svg")));
    QTranslator qtTexts;
    plazor::installChineseQtTexts(qtTexts);

    plazor::BalloonRegister balloons;
    plazor::QtUiPort ui(balloons);
    if (crashReportMode) {
        if (const auto report = plazor::parseCrashReportArguments(QApplication::arguments())) {
            plazor::showCrashReport(ui, *report);
        }
        return 0;
    }
    // "plazor FILE.dat" opens that template. Made absolute now: the start-up changes the current folder.
    const QStringList arguments = QApplication::arguments();
    const QString startTemplate =
        arguments.size() > 1 ? QFileInfo(arguments.at(1)).absoluteFilePath() : QString();

    plazor::EditorParts parts;
    plazor::EditorCommands* commands = nullptr;  // a child of the main window, which owns it
    parts.installCommands = [&commands](plazor::EditorContext& context) {
        commands = new plazor::EditorCommands(context);
    };
    parts.afterShow = [&commands, &startTemplate] {
        if (commands && !startTemplate.isEmpty())
            plazor::openTemplateFile(commands->context(), startTemplate);
    };
    return plazor::runEditor(ui, balloons, parts);
}
