#include "template/edit_history.h"

#include <utility>

namespace plazor {
namespace {

template <typename T>
void clearSelection(std::vector<T>& items) {
    for (auto& item : items)
        item.selected = false;
}

template <typename T>
bool sameIgnoringSelection(std::vector<T> a, std::vector<T> b) {
    clearSelection(a);
    clearSelection(b);
    return a == b;
}

}  // namespace

DocumentContent DocumentContent::of(const Document& doc) {
    return {doc.background, doc.pasteLayers, doc.watermarks, doc.slices, doc.settings};
}

void DocumentContent::applyTo(Document& doc) const {
    doc.background = background;
    doc.pasteLayers = pasteLayers;
    doc.watermarks = watermarks;
    doc.slices = slices;
    doc.settings = settings;
    clearSelection(doc.pasteLayers);
    clearSelection(doc.watermarks);
    clearSelection(doc.slices);
}

bool DocumentContent::sameAs(const DocumentContent& other) const {
    return background == other.background && settings == other.settings &&
           sameIgnoringSelection(pasteLayers, other.pasteLayers) &&
           sameIgnoringSelection(watermarks, other.watermarks) && sameIgnoringSelection(slices, other.slices);
}

void EditHistory::begin(const Document& doc, std::string label) {
    if (depth_++ > 0) return;
    opened_ = DocumentContent::of(doc);
    openedLabel_ = std::move(label);
}

bool EditHistory::end(const Document& doc, const std::string& label) {
    if (depth_ == 0 || --depth_ > 0) return false;
    DocumentContent after = DocumentContent::of(doc);
    DocumentContent before = std::move(*opened_);
    opened_.reset();
    if (after.sameAs(before)) return false;
    undo_.push_back({label.empty() ? std::move(openedLabel_) : label, std::move(before), std::move(after)});
    if (undo_.size() > kMaxSteps) undo_.pop_front();
    redo_.clear();
    return true;
}

std::string EditHistory::undoLabel() const {
    return undo_.empty() ? std::string() : undo_.back().label;
}

std::string EditHistory::redoLabel() const {
    return redo_.empty() ? std::string() : redo_.back().label;
}

bool EditHistory::undo(Document& doc) {
    if (undo_.empty() || isOpen()) return false;
    undo_.back().before.applyTo(doc);
    redo_.push_back(std::move(undo_.back()));
    undo_.pop_back();
    return true;
}

bool EditHistory::redo(Document& doc) {
    if (redo_.empty() || isOpen()) return false;
    redo_.back().after.applyTo(doc);
    undo_.push_back(std::move(redo_.back()));
    redo_.pop_back();
    return true;
}

void EditHistory::clear() {
    undo_.clear();
    redo_.clear();
    depth_ = 0;
    opened_.reset();
    openedLabel_.clear();
}

}  // namespace plazor
