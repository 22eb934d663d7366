// The custom display style window of the current paste layer: shown and hidden on the editor's
// requests, writing each edit into the layer's record, which the canvas then draws again.
#include <QCheckBox>
#include <QImageReader>

#include <memory>

#include "app/commands/command_context.h"
#include "app/commands/editor_commands.h"
#include "app/commands/step_labels.h"
#include "app/main_window.h"
#include "app/panel_blocks.h"
#include "app/preferences.h"
#include "canvas/sample_preview.h"
#include "dialogs/custom_style_window.h"
#include "template/document.h"

namespace plazor {
namespace {

struct CustomStyleLink {
    explicit CustomStyleLink(CommandContext& c) : context(c) {}

    CommandContext& context;
    CustomStyleWindow* window = nullptr;  // owned by the main window, made at the first show
    int index = -1;                       // the paste layer of the last show
    std::optional<SampleSize> sample;     // its sample picture's size as last read

    bool holdsLayer() const {
        return index >= 0 && static_cast<std::size_t>(index) < context.doc().pasteLayers.size();
    }
    const PasteLayer& layer() const { return context.doc().pasteLayers[static_cast<std::size_t>(index)]; }
};

// The size of the sample picture the canvas previews in paste layer `index`, when it shows pictures.
std::optional<SampleSize> sampleOf(const CommandContext& context, int index) {
    if (!context.window().panel().showPictures->isChecked()) return std::nullopt;
    const std::vector<std::string> pictures =
        samplePictures(context.state.sources, static_cast<LoadMode>(context.prefs().loadMode),
                       context.doc().pasteLayers.size());
    if (static_cast<std::size_t>(index) >= pictures.size()) return std::nullopt;
    const QSize size = QImageReader(QString::fromStdString(pictures[static_cast<std::size_t>(index)])).size();
    if (size.isEmpty()) return std::nullopt;
    return SampleSize{size.width(), size.height()};
}

CustomStyleTarget targetOf(const CustomStyleLink& link) {
    const PasteLayer& layer = link.layer();
    return {layer.number, layer.width, layer.height, layer.customize, link.sample};
}

// Typing into one of the window's fields is one undo step per layer and edit session; the keys stay
// clear of the command identifiers that the main window's steps use.
constexpr int kCustomStyleMergeKey = 100000;

void applyEdit(CustomStyleLink& link, const Customize& record) {
    if (!link.holdsLayer()) return;
    EditorState& state = link.context.state;
    Document& doc = link.context.doc();
    state.history.begin(doc, customStyleStepLabel(link.layer().number), kCustomStyleMergeKey + link.index);
    const bool changed = doc.setPasteLayerCustomize(static_cast<std::size_t>(link.index), record);
    state.history.end(doc);
    if (changed) emit state.layerAppearanceChanged(LayerKind::Paste, link.index);
    emit state.repaintRequested();
}

void showWindow(const std::shared_ptr<CustomStyleLink>& link, int row) {
    link->index = row;
    if (!link->holdsLayer()) return;
    if (!link->window) {
        CommandContext& context = link->context;
        link->window = new CustomStyleWindow(&context.window(), context.ui());
        link->window->setEditHandler([weak = std::weak_ptr(link)](const Customize& record) {
            if (const auto held = weak.lock()) applyEdit(*held, record);
        });
    }
    link->sample = sampleOf(link->context, row);
    link->window->showFor(targetOf(*link));
}

// The window belongs to the current paste layer while it has the custom style; a repaint after any
// other change of the current layer hides it, and the layer's size is shown again while it is resized.
void followRepaint(CustomStyleLink& link) {
    if (!link.window || !link.window->isVisible()) return;
    const EditorState& state = link.context.state;
    if (!link.holdsLayer() || !state.current.is(LayerKind::Paste) || state.current.index != link.index ||
        link.layer().overflowStyle != kCustom) {
        link.window->hide();
        return;
    }
    link.window->refreshInfo(targetOf(link));
}

void followNewSamples(CustomStyleLink& link) {
    if (!link.window || !link.window->isVisible() || !link.holdsLayer()) return;
    link.sample = sampleOf(link.context, link.index);
    link.window->refresh(targetOf(link));
}

}  // namespace

void installCustomStyleWindow(CommandContext& context) {
    auto link = std::make_shared<CustomStyleLink>(context);
    EditorState& state = context.state;
    QObject* const owner = &context.window();
    QObject::connect(&state, &EditorState::customStyleWindowRequested, owner, [link](int pasteIndex) {
        if (pasteIndex >= 0) {
            showWindow(link, pasteIndex);
        } else if (link->window) {
            link->window->hide();
        }
    });
    QObject::connect(&state, &EditorState::repaintRequested, owner, [link] { followRepaint(*link); });
    QObject::connect(&state, &EditorState::previewsInvalidated, owner, [link] { followNewSamples(*link); });
}

}  // namespace plazor
