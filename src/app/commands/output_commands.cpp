// The switches of the layer blocks, the source and output folders, refreshing every picture and the
// start of a run.
#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <filesystem>

#include "app/command_ids.h"
#include "app/commands/command_checks.h"
#include "app/commands/command_context.h"
#include "app/commands/command_steps.h"
#include "app/commands/editor_commands.h"
#include "app/commands/layer_commands.h"
#include "app/layer_lists.h"
#include "app/main_window.h"
#include "app/preferences.h"
#include "app/run_check_notice.h"
#include "app/run_controller.h"
#include "app/side_panel.h"
#include "shell/common_dialogs.h"
#include "template/document.h"
#include "util/fs.h"

namespace plazor {
namespace {

class OutputCommands {
    Q_DECLARE_TR_FUNCTIONS(plazor::OutputCommands)

  public:
    explicit OutputCommands(CommandContext& context)
        : c_(context), state_(context.state), controls_(context.window().panel()) {}

    // A list switched off takes its layer kind out of editing.
    void watermarksSwitched() {
        switchLayers(LayerKind::Watermark, controls_.watermarksOn->isChecked(), CanvasMode::WatermarkPending,
                     CanvasMode::WatermarkSelected);
    }
    void slicesSwitched() {
        switchLayers(LayerKind::Slice, controls_.slicesOn->isChecked(), CanvasMode::SlicePending,
                     CanvasMode::SliceSelected);
    }

    // The window has applied the rule that pictures or areas are always drawn.
    void showPicturesSwitched() {
        if (controls_.showPictures->isChecked() && isFolder(sourceFolder())) reloadSources(c_);
        emit state_.repaintRequested();
    }

    // The output folder is proposed beside the chosen source folder.
    void chooseSourceFolder() {
        const std::optional<QString> folder = chooseExistingFolder(
            c_.ui(), &c_.window(), tr("选择【源图片文件夹】："), controls_.sourceFolder->text(), false);
        if (folder && !folder->isEmpty()) useSourceFolder(folder->toStdString());
        focusCanvas(c_);
    }

    void useSourceFolder(const std::string& source) {
        setSourceFolder(source);
        setOutputFolder(proposedOutputFolder(source, [](const std::string& path) {
            std::error_code ec;
            return std::filesystem::exists(path, ec);
        }));
        if (controls_.showPictures->isChecked() && isFolder(source)) reloadSources(c_);
    }

    void chooseOutputFolder() {
        const std::optional<QString> folder = chooseExistingFolder(
            c_.ui(), &c_.window(), tr("图片处理后保存到："), controls_.outputFolder->text(), true);
        if (folder && !folder->isEmpty()) setOutputFolder(folder->toStdString());
    }

    // "刷新": checks and reads every picture again, stopping at the first problem.
    void refresh() {
        Document& doc = c_.doc();
        const std::string picture = controls_.picturePath->text().toStdString();
        if (controls_.pictureOption->isChecked() && !picture.empty()) {
            if (const std::optional<std::string> problem = backgroundPictureProblem(picture)) {
                showMessage(c_.ui(), &c_.window(), QString::fromStdString(*problem), tr("提示"),
                            UiIcon::Warning);
                return;
            }
            doc.setBackgroundPicture(picture);
            refreshBackground(c_);
        }

        const std::string source = sourceFolder();
        if (!source.empty() && !isFolder(source)) {
            showMessage(c_.ui(), &c_.window(), QString::fromStdString(missingSourceFolderText(source)),
                        tr("提示"), UiIcon::Error);
            controls_.chooseSource->setFocus();
            return;
        }
        reloadSources(c_);

        if (controls_.watermarksOn->isChecked() && !refreshWatermarks()) return;
        emit state_.repaintRequested();
        focusCanvas(c_);
    }

    void start() {
        MainWindow& window = c_.window();
        window.storeSettingsInDocument();
        RunRequest request;
        request.sourceFolder = sourceFolder();
        request.outputFolder = controls_.outputFolder->text().toStdString();
        c_.doc().setSourceFolder(request.sourceFolder);
        c_.doc().setOutputFolder(request.outputFolder);
        request.document = c_.doc();
        const Preferences& prefs = c_.prefs();
        request.mode = static_cast<LoadMode>(prefs.loadMode);
        request.sliceSubFolder = prefs.sliceSubFolder != 0;
        request.jobs = defaultRunJobs();
        // Runs of the companion's external tasks start here too, so they follow the same switch.
        request.decode = prefs.exactDecoding ? DecodeMode::kExact : DecodeMode::kScaled;
        const RunOutcome outcome = c_.run.run(std::move(request), prefs.completedAlert != 0);
        if (outcome.failure) presentCheckFailure(c_.ui(), noticeTargets(), *outcome.failure);
    }

    void setOutputFolder(const std::string& folder) {
        controls_.outputFolder->setText(QString::fromStdString(folder));
        c_.doc().setOutputFolder(folder);
    }

  private:
    std::string sourceFolder() const { return controls_.sourceFolder->text().toStdString(); }

    void setSourceFolder(const std::string& folder) {
        controls_.sourceFolder->setText(QString::fromStdString(folder));
        c_.doc().setSourceFolder(folder);
    }

    void switchLayers(LayerKind kind, bool on, CanvasMode pending, CanvasMode selected) {
        if (!on) {
            if (state_.mode == pending || state_.mode == selected) state_.mode = CanvasMode::Idle;
            if (state_.current.kind == kind) {
                state_.current = {};
                c_.window().setStatusText(kStatusLayerSize, QString());
                layerList(c_, kind).clearSelection();
            }
        }
        emit state_.repaintRequested();
        focusCanvas(c_);
    }

    // Every watermark's picture in order; false at the first one that is missing or not supported.
    bool refreshWatermarks() {
        Document& doc = c_.doc();
        for (std::size_t i = 0; i < doc.watermarks.size(); ++i) {
            const WatermarkLayer& layer = doc.watermarks[i];
            const WatermarkPictureCheck check = checkWatermarkPicture(layer);
            const int row = static_cast<int>(i);
            if (check.status == WatermarkPictureCheck::kMissing) {
                selectListRow(*c_.window().watermarkList(), row);
                showMessage(c_.ui(), &c_.window(), QString::fromStdString(check.text), tr("提示"),
                            UiIcon::Error);
                return false;
            }
            if (check.status == WatermarkPictureCheck::kUnsupported) {
                showMessage(c_.ui(), &c_.window(), QString::fromStdString(check.text), tr("提示"),
                            UiIcon::Warning);
                return false;
            }
            emit state_.layerAppearanceChanged(LayerKind::Watermark, row);
            if (check.width == layer.width && check.height == layer.height) continue;
            doc.setWatermarkPicture(i, layer.path, check.width, check.height);
            c_.window().setWatermarkRow(row, layer);
            if (state_.current == CurrentLayer{LayerKind::Watermark, row}) {
                showLayerSize(c_, check.width, check.height);
            }
        }
        return true;
    }

    CheckNoticeTargets noticeTargets() {
        CheckNoticeTargets targets;
        const PanelControls& controls = controls_;
        targets.control = [&controls](CheckControl control) { return panelControlOf(controls, control); };
        targets.selectRow = [&controls](CheckControl list, std::size_t row) {
            LayerList* target = list == CheckControl::WatermarkList ? controls.watermarkList
                                : list == CheckControl::SliceList   ? controls.sliceList
                                                                    : controls.pasteList;
            selectListRow(*target, static_cast<int>(row));
        };
        SidePanel* panel = c_.window().sidePanel();
        targets.scrollPasteListToTop = [panel] { panel->scrollTo(0); };
        return targets;
    }

    CommandContext& c_;
    EditorState& state_;
    const PanelControls& controls_;
};

}  // namespace

void useSourceFolder(CommandContext& context, const std::string& folder) {
    OutputCommands(context).useSourceFolder(folder);
}

void useOutputFolder(CommandContext& context, const std::string& folder) {
    OutputCommands(context).setOutputFolder(folder);
}

void installOutputCommands(CommandContext& context) {
    MainWindow& window = context.window();
    bindCommand(context, ctl::kWatermarksOn, &OutputCommands::watermarksSwitched);
    bindCommand(context, ctl::kSlicesOn, &OutputCommands::slicesSwitched);
    bindCommand(context, ctl::kShowPictures, &OutputCommands::showPicturesSwitched);
    bindCommand(context, ctl::kChooseSource, &OutputCommands::chooseSourceFolder);
    bindCommand(context, ctl::kChooseOutput, &OutputCommands::chooseOutputFolder);
    bindCommand(context, cmd::kRefresh, &OutputCommands::refresh);
    bindCommand(context, ctl::kStart, &OutputCommands::start);
    window.setCommandHandler(ctl::kSliceHtml, [&context] { focusCanvas(context); });
    for (const int id : {ctl::kPasteShowAreas, ctl::kWatermarkShowAreas}) {
        window.setCommandHandler(id, [&state = context.state] { emit state.repaintRequested(); });
    }
}

}  // namespace plazor
