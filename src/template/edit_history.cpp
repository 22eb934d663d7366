#include "template/edit_history.h"

#include <set>
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

const std::string& bytesOf(const std::shared_ptr<const std::string>& picture) {
    static const std::string kNone;
    return picture ? *picture : kNone;
}

}  // namespace

DocumentContent DocumentContent::of(const Document& doc, const DocumentContent* shareWith) {
    DocumentContent content{doc.background, nullptr,    doc.pasteLayers,
                            doc.watermarks, doc.slices, doc.settings};
    std::string& bytes = content.background.pictureData;
    if (shareWith && shareWith->picture && *shareWith->picture == bytes) {
        content.picture = shareWith->picture;
    } else {
        content.picture = std::make_shared<const std::string>(std::move(bytes));
    }
    bytes.clear();
    return content;
}

void DocumentContent::applyTo(Document& doc) const {
    doc.background = background;
    doc.background.pictureData = bytesOf(picture);
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
           (picture == other.picture || bytesOf(picture) == bytesOf(other.picture)) &&
           sameIgnoringSelection(pasteLayers, other.pasteLayers) &&
           sameIgnoringSelection(watermarks, other.watermarks) && sameIgnoringSelection(slices, other.slices);
}

void EditHistory::begin(const Document& doc, std::string label, int mergeKey) {
    if (depth_++ > 0) return;
    opened_ = DocumentContent::of(doc, newestContent());
    openedLabel_ = std::move(label);
    openedKey_ = mergeKey;
}

bool EditHistory::end(const Document& doc, const std::string& label) {
    if (depth_ == 0 || --depth_ > 0) return false;
    DocumentContent before = std::move(*opened_);
    opened_.reset();
    DocumentContent after = DocumentContent::of(doc, &before);
    if (after.sameAs(before)) return false;

    if (openedKey_ != kNoMerge && mergeOpen_ && !undo_.empty() && undo_.back().mergeKey == openedKey_) {
        Step& last = undo_.back();
        last.after = std::move(after);
        if (!label.empty()) last.label = label;
        // Typed back to where the session started: nothing is left to undo.
        if (last.after.sameAs(last.before)) {
            undo_.pop_back();
            mergeOpen_ = false;
        }
        notify();
        return true;
    }

    undo_.push_back(
        {label.empty() ? std::move(openedLabel_) : label, std::move(before), std::move(after), openedKey_});
    if (undo_.size() > kMaxSteps) undo_.pop_front();
    redo_.clear();
    mergeOpen_ = openedKey_ != kNoMerge;
    notify();
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
    mergeOpen_ = false;
    notify();
    return true;
}

bool EditHistory::redo(Document& doc) {
    if (redo_.empty() || isOpen()) return false;
    redo_.back().after.applyTo(doc);
    undo_.push_back(std::move(redo_.back()));
    redo_.pop_back();
    mergeOpen_ = false;
    notify();
    return true;
}

void EditHistory::clear() {
    undo_.clear();
    redo_.clear();
    depth_ = 0;
    opened_.reset();
    openedLabel_.clear();
    openedKey_ = kNoMerge;
    mergeOpen_ = false;
    notify();
}

std::size_t EditHistory::pictureBytesHeld() const {
    std::set<const std::string*> held;
    for (const auto* steps : {&undo_, &redo_}) {
        for (const Step& step : *steps) {
            held.insert(step.before.picture.get());
            held.insert(step.after.picture.get());
        }
    }
    if (opened_) held.insert(opened_->picture.get());
    std::size_t bytes = 0;
    for (const std::string* picture : held) {
        if (picture) bytes += picture->size();
    }
    return bytes;
}

const DocumentContent* EditHistory::newestContent() const {
    if (opened_) return &*opened_;
    if (!undo_.empty()) return &undo_.back().after;
    if (!redo_.empty()) return &redo_.back().before;
    return nullptr;
}

void EditHistory::notify() const {
    if (changed_) changed_();
}

}  // namespace plazor
