// plazor: the picture layout editor; "plazor FILE.dat [SOURCE_FOLDER]" starts with that template open
// and that source folder chosen. Started with "--crash-report <code> <address>" by its own crash
// handler, it only tells the user about the crash and opens the crash page.
#include "app/commands/editor_commands.h"
#include "app/startup.h"
#include "shell/balloon_tip.h"
#include "shell/crash_handler.h"
#include "shell/crash_report.h"
#include "shell/event_log.h"
#include "shell/qt_translations.h"
#include "shell/qt_ui_port.h"
#include "util/magick.h"
#include "util/magick_temp_folder.h"
#include "util/program_info.h"
#include "util/special_folders.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QTranslator>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    // Answered without a display, so that it works from any terminal.
    if (const auto answer = plazor::infoOptionAnswer({argv + 1, argv + argc}, plazor::editorHelpText())) {
        std::fputs(answer->c_str(), stdout);
        return 0;
    }
    const plazor::MagickTemporaryFolder libraryTemporaries;
    const bool crashReportMode = argc > 1 && std::strcmp(argv[1], plazor::kCrashReportOption) == 0;
    // A crash while reporting a crash must not start yet another report.
    if (!crashReportMode) plazor::installCrashHandler(plazor::programFile(), plazor::prepareEventLog());

    // The image library's environment is set while it starts, before Qt starts any thread.
    plazor::ensureMagickStarted();
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
    // "plazor FILE.dat [SOURCE_FOLDER]" opens that template and fills the source folder as if chosen.
    // Made absolute now: the start-up changes the current folder.
    const QStringList arguments = QApplication::arguments();
    const auto absoluteArgument = [&arguments](int index) {
        return arguments.size() > index ? QFileInfo(arguments.at(index)).absoluteFilePath() : QString();
    };
    const QString startTemplate = absoluteArgument(1);
    const QString startSource = absoluteArgument(2);

    plazor::EditorParts parts;
    plazor::EditorCommands* commands = nullptr;  // a child of the main window, which owns it
    parts.installCommands = [&commands](plazor::EditorContext& context) {
        commands = new plazor::EditorCommands(context);
    };
    parts.afterShow = [&commands, &startTemplate, &startSource] {
        if (!commands) return;
        if (!startTemplate.isEmpty()) plazor::openTemplateFile(commands->context(), startTemplate);
        if (!startSource.isEmpty()) plazor::useSourceFolder(commands->context(), startSource.toStdString());
    };
    return plazor::runEditor(ui, balloons, parts);
}
