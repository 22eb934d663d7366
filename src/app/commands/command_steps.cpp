#include "app/commands/command_steps.h"

#include <QCoreApplication>
#include <QLineEdit>

#include <filesystem>

#include "app/commands/command_context.h"
#include "app/main_window.h"
#include "app/preferences.h"
#include "app/run_check_notice.h"
#include "render/sources.h"
#include "template/document.h"

namespace plazor {
namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("plazor::CommandSteps", text);
}

}  // namespace

void refreshBackground(CommandContext& context) {
    if (context.state.loading()) return;
    const Background& background = context.doc().background;
    context.window().setStatusText(kStatusBackgroundSize, pixelSizeText(background.width, background.height));
    emit context.state.canvasResizeRequested();
}

void reloadSources(CommandContext& context) {
    const std::string folder = context.window().panel().sourceFolder->text().toStdString();
    SourceScan scan = scanSources(folder, static_cast<LoadMode>(context.prefs().loadMode));
    if (const ListFailure* guard = pathGuardOf(scan.listing)) {
        showMessage(context.ui(), &context.window(), QString::fromStdString(guard->message), tr("提示"),
                    UiIcon::Error);
        const std::filesystem::path offending(guard->path);
        context.ui().openUrl(localFileUrl(offending.parent_path().string()));
    }
    context.state.sources = std::move(scan.list);
    emit context.state.previewsInvalidated(0);
}

void updateTitle(CommandContext& context) {
    context.window().setTitleName(QString::fromStdString(context.doc().titleName()));
}

}  // namespace plazor
