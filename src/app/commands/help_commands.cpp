// The tools and help menus: the companion program, the product web site's pages and the About box.
#include <QCoreApplication>
#include <QProcess>

#include <filesystem>

#include "app/command_ids.h"
#include "app/commands/command_context.h"
#include "app/commands/editor_commands.h"
#include "app/main_window.h"
#include "util/fs.h"
#include "util/product.h"
#include "util/program_info.h"

namespace plazor {
namespace {

class HelpCommands {
    Q_DECLARE_TR_FUNCTIONS(plazor::HelpCommands)

  public:
    static constexpr const char* kCompanionName = "z_tandro";

    // Starts the companion program from the program's own folder.
    static void startCompanion(CommandContext& context) {
        const std::string program = joinPath(context.editor.folders.program, kCompanionName);
        std::error_code ec;
        if (!std::filesystem::is_regular_file(program, ec)) {
            showMessage(context.ui(), &context.window(),
                        tr("找不到文件：%1").arg(QString::fromUtf8(kCompanionName)), tr("错误"),
                        UiIcon::Error);
            return;
        }
        QProcess::startDetached(QString::fromStdString(program), {},
                                QString::fromStdString(context.editor.folders.program));
    }

    static void about(CommandContext& context) {
        // The same version line as every program's --version.
        const QString text = QString::fromStdString(versionLine()) + tr("\n\n\n图片排版，批量制作图片。") +
                             tr("\n\n\n官网：") + QString::fromUtf8(product::kSiteAddress);
        showMessage(context.ui(), &context.window(), text, tr("关于"), UiIcon::Information);
    }
};

}  // namespace

void installHelpCommands(CommandContext& context) {
    MainWindow& window = context.window();
    window.setCommandHandler(cmd::kBatchFolders, [&context] { HelpCommands::startCompanion(context); });
    window.setCommandHandler(
        cmd::kUserGuide, [&ui = context.ui()] { ui.openUrl(QString::fromUtf8(product::kUserGuidePage)); });
    window.setCommandHandler(cmd::kWebSite,
                             [&ui = context.ui()] { ui.openUrl(QString::fromUtf8(product::kHomePage)); });
    window.setCommandHandler(cmd::kAbout, [&context] { HelpCommands::about(context); });
}

}  // namespace plazor
