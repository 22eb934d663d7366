// Watermark layer commands: new and insert with a chosen picture, edit through the position dialog,
// change the picture, delete.
#include "app/command_ids.h"
#include "app/commands/command_context.h"
#include "app/commands/editor_commands.h"
#include "app/commands/layer_commands.h"
#include "app/commands/layer_list_rules.h"
#include "app/layer_lists.h"
#include "app/main_window.h"
#include "app/preferences.h"
#include "dialogs/watermark_dialog.h"
#include "render/sources.h"
#include "shell/common_dialogs.h"
#include "template/document.h"
#include "util/probe.h"

namespace plazor {
namespace {

struct WatermarkPicture {
    std::string path;
    int width = 0;
    int height = 0;
};

void warn(CommandContext& context, const QString& text) {
    showMessage(context.ui(), &context.window(), text, layerText("提示"), UiIcon::Warning);
}

// The picture dialog, opened again after a name that is no picture or a picture whose header is not a
// JPEG, PNG or GIF one; nothing when the user cancels.
std::optional<WatermarkPicture> chooseWatermarkPicture(CommandContext& context) {
    while (true) {
        FileDialogRequest request;
        request.owner = &context.window();
        request.title = layerText("选择水印图片");
        request.filter = pictureFileFilter();
        request.startPath = QString::fromStdString(context.prefs().watermarkDialogFolder);
        const std::optional<ChosenFile> chosen = chooseFileToOpen(context.ui(), request);
        if (!chosen) return std::nullopt;
        context.prefs().watermarkDialogFolder = chosen->folder.toStdString();
        const std::string path = chosen->path.toStdString();
        if (!isPicture(path)) {
            warn(context, layerText("水印图片 '%1' 格式不对，请重新选择。\n\n支持的格式: png, jpg, gif")
                              .arg(chosen->path));
            continue;
        }
        const std::optional<ProbeResult> probe = probePicture(path);
        if (!probe || !isAcceptedPictureFormat(*probe)) {
            warn(context, layerText("水印图片 '%1' 内部数据格式不符合要求，请重新选择").arg(chosen->path));
            continue;
        }
        return WatermarkPicture{path, probe->width, probe->height};
    }
}

// A new watermark at `index` (the end to append), placed at the top-left of the canvas's visible area.
void addWatermark(CommandContext& context, std::size_t index) {
    const std::optional<WatermarkPicture> picture = chooseWatermarkPicture(context);
    if (!picture) return;
    const EditorState& state = context.state;
    const int x = static_cast<int>(state.scrollX / state.zoom);
    const int y = static_cast<int>(state.scrollY / state.zoom);
    Document& doc = context.doc();
    doc.insertWatermark(index, picture->path, x, y);
    doc.setWatermarkPicture(index, picture->path, picture->width, picture->height);
    emit context.state.layerAppearanceChanged(LayerKind::Watermark, static_cast<int>(index));
    const int row = static_cast<int>(index);
    context.window().insertWatermarkRow(doc.watermarks[index], row);
    rewriteRows(context, LayerKind::Watermark, index + 1);
    selectListRow(*context.window().watermarkList(), row);
    emit context.state.repaintRequested();
}

void newWatermarkLayer(CommandContext& context) {
    addWatermark(context, context.doc().watermarks.size());
}

void insertWatermarkLayer(CommandContext& context) {
    const LayerList& list = *context.window().watermarkList();
    if (const std::optional<int> at = insertPosition(list.selectedRowIndices(), focusedListRow(list))) {
        addWatermark(context, static_cast<std::size_t>(*at));
    }
}

void editWatermark(CommandContext& context) {
    EditorState& state = context.state;
    if (!state.current.is(LayerKind::Watermark)) return;
    const int row = state.current.index;
    const auto index = static_cast<std::size_t>(row);
    Document& doc = context.doc();
    const std::optional<WatermarkPosition> position =
        context.watermarkDialog().run(doc.watermarks[index], doc.background.width, doc.background.height);
    if (position) {
        doc.setWatermarkPosition(index, position->x, position->y);
        state.mode = CanvasMode::WatermarkSelected;
        context.window().setWatermarkRow(row, doc.watermarks[index]);
        emit state.scrollIntoViewRequested(LayerKind::Watermark, row);
        emit state.repaintRequested();
    }
    focusCanvas(context);
}

void changePicture(CommandContext& context) {
    EditorState& state = context.state;
    if (!state.current.is(LayerKind::Watermark)) return;
    const std::optional<WatermarkPicture> picture = chooseWatermarkPicture(context);
    if (!picture) return;
    const int row = state.current.index;
    const auto index = static_cast<std::size_t>(row);
    Document& doc = context.doc();
    doc.setWatermarkPicture(index, picture->path, picture->width, picture->height);
    emit state.layerAppearanceChanged(LayerKind::Watermark, row);
    context.window().setWatermarkRow(row, doc.watermarks[index]);
    showLayerSize(context, picture->width, picture->height);
    emit state.repaintRequested();
}

}  // namespace

void installWatermarkCommands(CommandContext& context) {
    MainWindow& window = context.window();
    CommandContext* c = &context;
    window.setCommandHandler(cmd::kWatermarkNew, [c] { newWatermarkLayer(*c); });
    window.setCommandHandler(cmd::kWatermarkInsert, [c] { insertWatermarkLayer(*c); });
    window.setCommandHandler(cmd::kWatermarkEdit, [c] { editWatermark(*c); });
    window.setCommandHandler(cmd::kWatermarkChangePicture, [c] { changePicture(*c); });
    window.setCommandHandler(cmd::kWatermarkDelete, [c] { deleteSelectedLayer(*c, LayerKind::Watermark); });
}

}  // namespace plazor
