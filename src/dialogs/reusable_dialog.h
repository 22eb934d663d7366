// The common frame of the small modal windows (layer position dialogs, input box): a fixed client
// size, made once and hidden between runs, modal over its owner while it runs, and a field that takes
// the focus whenever the window is activated.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QString>

#include <string>

class QLabel;
class QLineEdit;

namespace plazor {

class SpinBuddy;
class UiPort;

class ReusableDialog : public QDialog {
    Q_OBJECT

  public:
    // A run request while a run is active only refreshes the window's texts.
    bool isRunning() const { return running_; }

  protected:
    enum class Frame { WithSystemMenu, WithoutSystemMenu };
    enum class Placement { CentreOnce, CentreEachRun };

    ReusableDialog(QWidget* owner, UiPort& ui, const QString& className, QSize clientSize, Frame frame,
                   Placement placement);

    // Shows the window modally over its owner until it ends; true when it ended through accept().
    // The owner is brought back to the front afterwards.
    bool runModal();

    void setActivationFocus(QLineEdit* field) { activationFocus_ = field; }

    // A refused entry: a warning box captioned "提示" owned by this window, then the focus to `field`
    // when one is given, else back where it was.
    void showRefusal(const std::string& message, QWidget* field);

    QLabel* addLabel(const QString& text, const QRect& rect);
    QLineEdit* addEdit(const QString& name, const QRect& rect, int maxLength);

    // A labelled number field of at most 5 characters with spin arrows beside it.
    struct SpinField {
        QLineEdit* edit = nullptr;
        SpinBuddy* spin = nullptr;
    };
    enum class Characters { DigitsOnly, Any };
    SpinField addSpinField(const QString& label, const QRect& labelRect, const QString& name,
                           const QRect& editRect, Characters characters);
    // "确定" (the default button, accepting through onConfirm) and "取消" (rejecting).
    void addButtons(const QRect& okRect, const QRect& cancelRect);

    virtual void onConfirm() = 0;

    // "%d" of a layer value, or an empty text for -1 (not placed yet).
    static QString shownNumber(int value);
    // Gives `field` the focus with its whole text selected.
    static void focusWholeText(QLineEdit* field);

    bool event(QEvent* event) override;

  private:
    UiPort& ui_;
    Placement placement_;
    QLineEdit* activationFocus_ = nullptr;
    // Where the focus goes when the window is activated again after a refusal's box.
    QPointer<QWidget> refusalFocus_;
    bool placed_ = false;
    bool running_ = false;
};

}  // namespace plazor
