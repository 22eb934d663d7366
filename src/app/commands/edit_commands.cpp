// Undo and redo. Every command and list event that reaches the main window is one step of the edit
// history, however many commands it runs; undo and redo put a recorded template back and show it in
// the controls, the lists and the canvas.
#include <QApplication>
#include <QLineEdit>
#include <QSlider>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/command_ids.h"
#include "app/commands/command_context.h"
#include "app/commands/command_steps.h"
#include "app/commands/editor_commands.h"
#include "app/commands/layer_commands.h"
#include "app/commands/step_labels.h"
#include "app/main_window.h"
#include "app/preferences.h"
#include "template/document.h"

namespace plazor {
namespace {

// Typing into a size field and moving the quality track bar are one step per edit session.
int mergeKeyOf(int id) {
    const bool typed =
        id == ctl::kBackgroundWidth || id == ctl::kBackgroundHeight || id == ctl::kQualitySlider;
    return typed ? id : EditHistory::kNoMerge;
}

class StepBracket {
  public:
    explicit StepBracket(CommandContext& context) : c_(context) {}

    void run(int id, const std::function<void()>& body) {
        // Undo and redo are no steps; while a template is loaded or restored, the commands it runs
        // belong to that.
        if (id == cmd::kUndo || id == cmd::kRedo || c_.state.loading()) {
            body();
            return;
        }
        open(id);
        struct Closer {
            StepBracket& bracket;
            ~Closer() { bracket.close(); }
        } closer{*this};
        body();
    }

  private:
    void open(int id) {
        std::string label = commandStepLabel(id, c_.doc(), c_.state.current);
        if (depth_++ > 0) {
            // The outermost command names the step; a list event takes the name of what it ran.
            if (label_.empty()) label_ = std::move(label);
            return;
        }
        label_ = std::move(label);
        c_.state.history.begin(c_.doc(), label_, mergeKeyOf(id));
    }

    void close() {
        if (--depth_ > 0) return;
        // The output settings live in the controls until now: the step records them too.
        c_.window().storeSettingsInDocument();
        c_.state.history.end(c_.doc(), label_.empty() ? editStepLabel() : label_);
    }

    CommandContext& c_;
    int depth_ = 0;
    std::string label_;
};

bool samePasteLayer(PasteLayer a, const PasteLayer& b) {
    a.selected = b.selected;
    return a == b;
}

// The canvas drops what it cached for paste layers that changed, and deals the sample pictures out
// again from the first layer that is not what it was when the count changed.
void dropChangedPreviews(CommandContext& context, const std::vector<PasteLayer>& before) {
    const std::vector<PasteLayer>& now = context.doc().pasteLayers;
    const std::size_t common = std::min(before.size(), now.size());
    std::size_t firstChanged = common;
    for (std::size_t i = 0; i < common; ++i) {
        if (samePasteLayer(before[i], now[i])) continue;
        firstChanged = std::min(firstChanged, i);
        emit context.state.layerAppearanceChanged(LayerKind::Paste, static_cast<int>(i));
    }
    if (before.size() != now.size()) emit context.state.previewsInvalidated(static_cast<int>(firstChanged));
}

// Shows the template that undo or redo put back. No layer is current afterwards: the one that was
// may be gone, and a pending layer would follow the pointer.
void showRestored(CommandContext& context, const Background& background, const std::vector<PasteLayer>& paste,
                  const Settings& settings) {
    EditorState& state = context.state;
    MainWindow& window = context.window();
    const Document& doc = context.doc();
    clearCurrentLayer(context);
    emit state.customStyleWindowRequested(-1);
    {
        DepthGuard loading(state.loadingDepth);
        window.syncFromDocument();
        // As after opening a template: the unit decides the size fields' number filter, the colour
        // list the chosen colour; showing pictures again reads the source folder.
        window.onCommand(ctl::kUnitList);
        window.onCommand(ctl::kColourList);
        if (doc.settings.picturesShowPicture != settings.picturesShowPicture)
            window.onCommand(ctl::kShowPictures);
    }
    if (doc.background.dpi != context.prefs().dpi) window.setDpi(doc.background.dpi);
    if (!(doc.background == background)) refreshBackground(context);
    dropChangedPreviews(context, paste);
    emit state.repaintRequested();
}

void takeStep(CommandContext& context, bool forward) {
    Document& doc = context.doc();
    EditHistory& history = context.state.history;
    const Background background = doc.background;
    const std::vector<PasteLayer> paste = doc.pasteLayers;
    const Settings settings = doc.settings;
    if (!(forward ? history.redo(doc) : history.undo(doc))) return;
    showRestored(context, background, paste, settings);
}

void showEditSteps(CommandContext& context) {
    const EditHistory& history = context.state.history;
    context.window().showEditSteps(history.canUndo(), QString::fromStdString(history.undoLabel()),
                                   history.canRedo(), QString::fromStdString(history.redoLabel()));
}

}  // namespace

void installEditCommands(CommandContext& context) {
    MainWindow& window = context.window();
    auto bracket = std::make_shared<StepBracket>(context);
    window.setStepBracket([bracket](int id, const std::function<void()>& body) { bracket->run(id, body); });
    window.setCommandHandler(cmd::kUndo, [&context] { takeStep(context, false); });
    window.setCommandHandler(cmd::kRedo, [&context] { takeStep(context, true); });

    EditHistory& history = context.state.history;
    history.setChangeHandler([&context] { showEditSteps(context); });
    showEditSteps(context);

    // An edit session of a field or of the track bar ends when the focus moves, on Return and when
    // the track bar is let go. The state receives these, so none arrives after it is gone (focus
    // moves while the window deletes its children).
    EditorState* const state = &context.state;
    const auto stop = [&history] { history.stopMerging(); };
    QObject::connect(qApp, &QApplication::focusChanged, state, stop);
    const PanelControls& panel = window.panel();
    for (QLineEdit* field : {panel.width, panel.height})
        QObject::connect(field, &QLineEdit::editingFinished, state, stop);
    QObject::connect(panel.quality, &QSlider::sliderReleased, state, stop);
}

}  // namespace plazor
