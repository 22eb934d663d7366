// Undo and redo of the template's content. A step is everything between begin() and end(): one
// command, one dialog's OK, one canvas gesture. Steps are recorded as snapshots of the content before
// and after, so every document operation can be undone without an inverse of its own.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "template/document.h"

namespace plazor {

// What a step restores: the template itself, without the run's folders, the file path and the
// selection flags, which are not part of the content.
struct DocumentContent {
    Background background;  // without its picture bytes, which `picture` holds
    std::shared_ptr<const std::string> picture;
    std::vector<PasteLayer> pasteLayers;
    std::vector<WatermarkLayer> watermarks;
    std::vector<Slice> slices;
    Settings settings;

    // A background picture can be megabytes and rarely changes: when `shareWith` holds the same
    // bytes, the snapshot shares them instead of keeping a copy of its own.
    static DocumentContent of(const Document& doc, const DocumentContent* shareWith = nullptr);
    // Writes the content into `doc`, keeping its folders and path; every selected flag is cleared.
    void applyTo(Document& doc) const;
    // Equal content; selection flags do not count.
    bool sameAs(const DocumentContent& other) const;
};

class EditHistory {
  public:
    // Steps kept for undo; the oldest is dropped beyond this.
    static constexpr std::size_t kMaxSteps = 200;
    // No merging: the step stands on its own.
    static constexpr int kNoMerge = 0;

    // Opens a step. A begin() inside an open step only deepens it: the outermost pair is the step,
    // so a command that runs other commands is undone as one. A step with a `mergeKey` joins the last
    // recorded step when that one had the same key and nothing was recorded, undone or redone since
    // (and stopMerging() was not called): typing into one field is one step, not one per key.
    void begin(const Document& doc, std::string label, int mergeKey = kNoMerge);
    // Closes the step. When the outermost step closes and the content differs from its start, it is
    // recorded (and the redo list dropped). A non-empty `label` replaces the one given to begin(),
    // for steps whose name is only known at their end (a drag that turned out to be a resize).
    // Returns whether a step was recorded or joined.
    bool end(const Document& doc, const std::string& label = {});
    bool isOpen() const { return depth_ > 0; }
    // The edit session that merging joins has ended (the field lost the focus).
    void stopMerging() { mergeOpen_ = false; }

    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    // Names of the steps that undo() and redo() would take back; empty when there is none.
    std::string undoLabel() const;
    std::string redoLabel() const;

    // Restores the content before the last step (after the last undone one). False when there is
    // nothing to take back, or while a step is open.
    bool undo(Document& doc);
    bool redo(Document& doc);

    // Forgets every step, as opening or creating a template does.
    void clear();

    // Called after every change of what undo() and redo() would do, so menus can follow.
    void setChangeHandler(std::function<void()> handler) { changed_ = std::move(handler); }

    // Bytes of background pictures the steps hold, each shared picture counted once.
    std::size_t pictureBytesHeld() const;

  private:
    struct Step {
        std::string label;
        DocumentContent before;
        DocumentContent after;
        int mergeKey = kNoMerge;
    };
    const DocumentContent* newestContent() const;
    void notify() const;

    std::deque<Step> undo_;
    std::deque<Step> redo_;
    int depth_ = 0;
    std::optional<DocumentContent> opened_;
    std::string openedLabel_;
    int openedKey_ = kNoMerge;
    bool mergeOpen_ = false;
    std::function<void()> changed_;
};

}  // namespace plazor
