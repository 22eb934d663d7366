// z_tandro: hands the picture folders below a source folder, one by one, to a running plazor as
// external tasks. Only one runs at a time: a second start brings the first to the front.
#include <QApplication>
#include <QIcon>
#include <QTranslator>

#include "companion/companion_window.h"
#include "companion/series_rules.h"
#include "external/endpoint_client.h"
#include "external/endpoints.h"
#include "shell/balloon_tip.h"
#include "shell/common_dialogs.h"
#include "shell/qt_translations.h"
#include "shell/qt_ui_port.h"
#include "shell/settings_store.h"
#include "util/program_info.h"
#include "util/window_names.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    using namespace plazor;
    // Answered without a display, so that it works from any terminal.
    if (const auto answer = infoOptionAnswer({argv + 1, argv + argc}, companionHelpText())) {
        std::fputs(answer->c_str(), stdout);
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/program/plazor.svg")));
    QTranslator qtTexts;
    installChineseQtTexts(qtTexts);

    const QString folder = external::defaultEndpointFolder();
    external::removeStaleEndpoints(folder);
    if (const std::optional<QString> running = external::findWindow(
            folder, QString(), window_names::kMainWindowClass, window_names::kCompanionTitle)) {
        external::exchange(external::endpointPath(folder, *running), {external::kActivateTag, {}, {}},
                           external::kAnswerTimeoutMs);
        return 0;
    }

    BalloonRegister balloons;
    QtUiPort ui(balloons);
    SettingsStore store(kCompanionSettingsKey);
    companion::CompanionWindow window(ui, store, folder);
    centreOnScreen(&window);
    window.show();
    return QApplication::exec();
}
