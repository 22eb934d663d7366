// A UI port for tests: records every box, balloon, chooser and opened address with its texts, and
// answers from scripted queues. With an empty queue a box answers its default button (or its first
// button when the default is not one of its buttons) and every chooser answers cancel.
//
//     RecordingUiPort ui;
//     ui.answerBox(UiButton::No).answerSave("/tmp/a.dat");
//     runTheCommand(ui);
//     EXPECT_EQ(ui.lastBox().text, "...");
#pragma once

#include "shell/ui_port.h"
#include "support/qt_print.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <stdexcept>
#include <vector>

namespace plazor::testing {

class RecordingUiPort : public UiPort {
  public:
    struct Box {
        MessageBoxRequest request;
        UiButton answer;
        // Shorthands for the request's fields.
        const QString& text() const { return request.text; }
        const QString& caption() const { return request.caption; }
        UiIcon icon() const { return request.icon; }
    };

    struct Balloon {
        QWidget* control = nullptr;
        QString title;
        QString text;
        UiIcon icon = UiIcon::None;
        bool atCursor = false;
    };

    enum class ChooserKind { Open, Save, Folder, Colour };
    struct Chooser {
        ChooserKind kind = ChooserKind::Open;
        QWidget* owner = nullptr;
        QString title;
        QString filter;
        QString startPath;
        QString defaultSuffix;
        bool allowNewFolder = false;
        std::uint32_t initialColour = 0;
    };

    // Scripted answers, used in order.
    RecordingUiPort& answerBox(UiButton button) {
        boxAnswers_.push_back(button);
        return *this;
    }
    RecordingUiPort& answerOpen(std::optional<QString> path) {
        openAnswers_.push_back(std::move(path));
        return *this;
    }
    RecordingUiPort& answerSave(std::optional<QString> path) {
        saveAnswers_.push_back(std::move(path));
        return *this;
    }
    RecordingUiPort& answerFolder(std::optional<QString> path) {
        folderAnswers_.push_back(std::move(path));
        return *this;
    }
    RecordingUiPort& answerColour(std::optional<std::uint32_t> colour) {
        colourAnswers_.push_back(colour);
        return *this;
    }

    // What was asked and shown, in order.
    std::vector<Box> boxes;
    std::vector<Balloon> balloons;
    std::vector<Chooser> choosers;
    std::vector<QString> openedUrls;
    int closeAllCount = 0;

    const Box& lastBox() const {
        if (boxes.empty()) throw std::logic_error("no message box was shown");
        return boxes.back();
    }
    const Balloon& lastBalloon() const {
        if (balloons.empty()) throw std::logic_error("no balloon was shown");
        return balloons.back();
    }
    QStringList boxTexts() const {
        QStringList texts;
        for (const Box& box : boxes)
            texts.append(box.request.text);
        return texts;
    }
    // True when every scripted answer was used.
    bool allAnswersUsed() const {
        return boxAnswers_.empty() && openAnswers_.empty() && saveAnswers_.empty() &&
               folderAnswers_.empty() && colourAnswers_.empty();
    }

    UiButton messageBox(const MessageBoxRequest& request) override {
        const UiButton answer = boxAnswers_.empty() ? defaultAnswer(request) : pop(boxAnswers_);
        boxes.push_back({request, answer});
        return answer;
    }

    void balloon(QWidget* control, const QString& title, const QString& text, UiIcon icon,
                 bool atCursor) override {
        balloons.push_back({control, title, text, icon, atCursor});
    }

    void closeAllBalloons() override { ++closeAllCount; }

    std::optional<QString> openFile(const FileDialogRequest& request) override {
        choosers.push_back(fileChooser(ChooserKind::Open, request));
        return openAnswers_.empty() ? std::nullopt : pop(openAnswers_);
    }

    std::optional<QString> saveFile(const FileDialogRequest& request) override {
        choosers.push_back(fileChooser(ChooserKind::Save, request));
        return saveAnswers_.empty() ? std::nullopt : pop(saveAnswers_);
    }

    std::optional<QString> chooseFolder(QWidget* owner, const QString& title, const QString& startPath,
                                        bool allowNewFolder) override {
        Chooser chooser;
        chooser.kind = ChooserKind::Folder;
        chooser.owner = owner;
        chooser.title = title;
        chooser.startPath = startPath;
        chooser.allowNewFolder = allowNewFolder;
        choosers.push_back(chooser);
        return folderAnswers_.empty() ? std::nullopt : pop(folderAnswers_);
    }

    std::optional<std::uint32_t> chooseColour(QWidget* owner, std::uint32_t initial) override {
        Chooser chooser;
        chooser.kind = ChooserKind::Colour;
        chooser.owner = owner;
        chooser.initialColour = initial;
        choosers.push_back(chooser);
        return colourAnswers_.empty() ? std::nullopt : pop(colourAnswers_);
    }

    void openUrl(const QString& url) override { openedUrls.push_back(url); }

  private:
    template <typename T>
    static T pop(std::deque<T>& queue) {
        T front = std::move(queue.front());
        queue.pop_front();
        return front;
    }

    static UiButton defaultAnswer(const MessageBoxRequest& request) {
        const UiButton d = request.defaultButton;
        switch (request.buttons) {
            case UiButtons::Ok:
                return UiButton::Ok;
            case UiButtons::OkCancel:
                return d == UiButton::Cancel ? d : UiButton::Ok;
            case UiButtons::YesNo:
                return d == UiButton::No ? d : UiButton::Yes;
            case UiButtons::YesNoCancel:
                return d == UiButton::No || d == UiButton::Cancel ? d : UiButton::Yes;
        }
        return UiButton::Ok;
    }

    static Chooser fileChooser(ChooserKind kind, const FileDialogRequest& request) {
        Chooser chooser;
        chooser.kind = kind;
        chooser.owner = request.owner;
        chooser.title = request.title;
        chooser.filter = request.filter;
        chooser.startPath = request.startPath;
        chooser.defaultSuffix = request.defaultSuffix;
        return chooser;
    }

    std::deque<UiButton> boxAnswers_;
    std::deque<std::optional<QString>> openAnswers_;
    std::deque<std::optional<QString>> saveAnswers_;
    std::deque<std::optional<QString>> folderAnswers_;
    std::deque<std::optional<std::uint32_t>> colourAnswers_;
};

}  // namespace plazor::testing
