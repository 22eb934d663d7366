// The template's life: new, open, save, save as and closing the window, with the question whether to
// save a changed template first.
#include <QCoreApplication>
#include <QLineEdit>

#include "app/command_ids.h"
#include "app/commands/command_context.h"
#include "app/commands/command_steps.h"
#include "app/commands/editor_commands.h"
#include "app/commands/layer_commands.h"
#include "app/info_window.h"
#include "app/main_window.h"
#include "shell/common_dialogs.h"
#include "template/document.h"
#include "template/template_file.h"

namespace plazor {
namespace {

class TemplateCommands {
    Q_DECLARE_TR_FUNCTIONS(plazor::TemplateCommands)

  public:
    explicit TemplateCommands(CommandContext& context) : c_(context) {}

    // Asks to save a changed template; false when the user cancelled the command.
    bool askToSave() {
        c_.window().storeSettingsInDocument();
        if (!isTemplateModified(c_.doc())) return true;
        MessageBoxRequest question;
        question.owner = &c_.window();
        question.text = tr("当前模版已更改，是否保存更改？");
        question.caption = tr("询问");
        question.icon = UiIcon::Question;
        question.buttons = UiButtons::YesNoCancel;
        question.defaultButton = UiButton::Yes;
        switch (c_.ui().messageBox(question)) {
            case UiButton::Yes:
                // A cancelled save dialog or a failed write would otherwise drop the work just offered
                // to be saved: the command stops with the template as it is.
                c_.window().onCommand(cmd::kSaveTemplate);
                return !isTemplateModified(c_.doc());
            case UiButton::No:
                return true;
            default:
                return false;
        }
    }

    void newTemplate() {
        if (!askToSave()) return;
        reset();
        updateTitle(c_);
        c_.state.history.clear();
    }

    void open() {
        if (!askToSave()) return;
        FileDialogRequest request = templateDialog(tr("打开模版"));
        const std::optional<ChosenFile> chosen = chooseFileToOpen(c_.ui(), request);
        if (!chosen) return;
        load(chosen->path);
    }

    // A template named on the command line or dropped on the window: as open, without the dialog.
    void openFile(const QString& path) {
        if (!askToSave()) return;
        load(path);
    }

    // Save (cmd::kSaveTemplate) writes to the current file, asking for one only when there is none; save as
    // (cmd::kSaveTemplateAs) always asks.
    void save(bool askForPath) {
        c_.window().storeSettingsInDocument();
        std::string path = c_.doc().currentPath;
        if (askForPath || path.empty()) {
            FileDialogRequest request = templateDialog(askForPath ? tr("模版另存为") : tr("模版保存到"));
            request.defaultSuffix = QStringLiteral("dat");
            const std::optional<ChosenFile> chosen = chooseFileToSave(c_.ui(), request);
            if (!chosen) return;
            path = ensureDatExtension(chosen->path.toStdString());
        }
        const Outcome<void, SaveFailure> result = saveTemplate(c_.doc(), path);
        if (!result.ok()) {
            for (const InfoLine& line : result.error().infoLines)
                c_.info(line);
            showMessage(c_.ui(), &c_.window(), QString::fromStdString(result.error().text), tr("错误"),
                        UiIcon::Error);
            return;
        }
        updateTitle(c_);
    }

    // The close box and cmd::kExit: true lets the window close; a save that did not happen keeps it open.
    bool mayClose() {
        if (c_.window().isMinimized()) c_.window().showNormal();
        return askToSave();
    }

  private:
    void load(const QString& path) {
        reset();
        updateTitle(c_);

        EditorState& state = c_.state;
        {
            DepthGuard loading(state.loadingDepth);
            const LoadOutcome result = loadTemplate(c_.doc(), path.toStdString());
            const LoadReport& report = reportOf(result);
            for (const InfoLine& line : report.infoLines)
                c_.info(line);
            if (report.dpi) c_.window().setDpi(*report.dpi);
            mirrorDocument(report);
            if (!result.ok()) {
                showMessage(c_.ui(), &c_.window(), QString::fromStdString(result.error().text), tr("提示"),
                            UiIcon::Error);
            }
        }
        refreshBackground(c_);
        updateTitle(c_);
        // Also after a failed open: the steps were made on a template that is gone.
        c_.state.history.clear();
    }

    FileDialogRequest templateDialog(const QString& title) const {
        FileDialogRequest request;
        request.owner = &c_.window();
        request.title = title;
        request.filter = tr("模版文件 (*.dat)");
        request.startPath = QString::fromStdString(c_.editor.folders.templates);
        return request;
    }

    // Back to a new template in place. The output settings, the switches and the DPI stay as they are.
    void reset() {
        EditorState& state = c_.state;
        MainWindow& window = c_.window();
        clearCurrentLayer(c_);
        emit state.viewResetRequested();
        {
            DepthGuard loading(state.loadingDepth);
            window.storeSettingsInDocument();  // the switches and output settings survive the reset
            c_.doc().resetToNew();
            window.syncFromDocument();
            window.onCommand(ctl::kCustomOption);
            window.onCommand(ctl::kUnitList);
            window.onCommand(ctl::kColourList);
            reloadSources(c_);
            window.panel().width->end(false);
            emit state.customStyleWindowRequested(-1);
        }
        refreshBackground(c_);
    }

    // Shows the loaded document in the controls and lists, then runs what a user's clicks on them would
    // run, so that every dependent control follows. The loading depth is raised by the caller.
    void mirrorDocument(const LoadReport& report) {
        MainWindow& window = c_.window();
        window.syncFromDocument();
        const bool picture = c_.doc().background.kind == kPictureBackground;
        for (const int id :
             {picture ? ctl::kPictureOption : ctl::kCustomOption, ctl::kUnitList, ctl::kColourList,
              ctl::kShowPictures, ctl::kWatermarksOn, ctl::kSlicesOn, ctl::kFormatList, ctl::kPng8}) {
            window.onCommand(id);
        }
        if (report.currentPasteLayer)
            selectListRow(*window.pasteList(), static_cast<int>(*report.currentPasteLayer));
    }

    CommandContext& c_;
};

}  // namespace

void openTemplateFile(CommandContext& context, const QString& path) {
    TemplateCommands(context).openFile(path);
}

void installTemplateCommands(CommandContext& context) {
    MainWindow& window = context.window();
    bindCommand(context, cmd::kNewTemplate, &TemplateCommands::newTemplate);
    bindCommand(context, cmd::kOpenTemplate, &TemplateCommands::open);
    window.setCommandHandler(cmd::kSaveTemplate, [&context] { TemplateCommands(context).save(false); });
    window.setCommandHandler(cmd::kSaveTemplateAs, [&context] { TemplateCommands(context).save(true); });
    window.setCommandHandler(cmd::kExit, [&window] { window.close(); });
    window.setCloseHandler([&context] { return TemplateCommands(context).mayClose(); });
}

}  // namespace plazor
