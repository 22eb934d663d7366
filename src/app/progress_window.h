// The progress window of a run: created once, hidden between runs, and shown window-modal over the
// main window while a run is going. It shows the batch being processed and offers the stop button; it
// knows nothing of the run itself and only asks for a stop through its signal.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QProgressBar;
class QPushButton;

namespace plazor {

// "共 %d 批图片，正在处理第 %d 批。"
QString progressText(int batches, int batch);

class ProgressWindow : public QDialog {
    Q_OBJECT

  public:
    // Idle (hidden) -> running -> stopping (after the stop button) -> idle.
    enum class State { Idle, Running, Stopping };

    explicit ProgressWindow(QWidget* owner);

    State state() const { return state_; }

    // A run of `batches` batches begins: the button is ready again, the bar runs over 0..batches from
    // 0, the text names batch 1, and the window shows on top, centred on its owner.
    void beginRun(int batches);
    // Batch `batch` (1-based) is being processed.
    void showBatch(int batch);
    // The run has ended: the button is ready for the next run and the window is hidden.
    void endRun();

    QProgressBar* progressBar() const { return bar_; }
    QPushButton* stopButton() const { return stopButton_; }
    QLabel* textLabel() const { return text_; }

  signals:
    void stopRequested();

  protected:
    // The window goes away only when its run ends: closing it or pressing Escape does nothing.
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

  private:
    void onStopClicked();
    void resetStopButton();

    QProgressBar* bar_;
    QPushButton* stopButton_;
    QLabel* text_;
    State state_ = State::Idle;
    int batches_ = 0;
};

}  // namespace plazor
