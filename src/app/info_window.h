// The program's log: the tool window "信息 - F2" that collects time-stamped lines about problems that do
// not deserve a message box. A line shows the window; F2 shows or hides it; closing it empties it.
#pragma once

#include <QString>
#include <QTime>
#include <QWidget>

class QPlainTextEdit;

namespace plazor {

// "%H:%M:%S %s": the time and the text.
QString infoLine(const QTime& time, const QString& text);

// Where the log is cut before a line is added: when the current text and the line together reach the
// capacity, everything before the middle of the current text goes (the position returned); else 0.
int infoCutPosition(int currentLength, int lineLength, int capacity);

class InfoWindow : public QWidget {
    Q_OBJECT
  public:
    // The default text limit of a multi-line edit control, less one.
    static constexpr int kDefaultCapacity = 32766;

    explicit InfoWindow(QWidget* owner, int capacity = kDefaultCapacity);

    // Appends a time-stamped line (an empty one after it with `blankAfter`) and shows the window.
    // Callable from any thread: from another thread it waits until the window's thread has appended it.
    void appendLine(const QString& text, bool blankAfter = false);
    // Appends the line and, when `errorCode` (an errno value) is not 0, a second line with the system's
    // text for it.
    void appendLineWithSystemError(const QString& text, int errorCode);

    // The F2 command: hides the window when it is visible, shows it otherwise.
    void toggle();

    QString text() const;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void appendOnWindowThread(const QString& line);

    QPlainTextEdit* edit_;
    int capacity_;
};

}  // namespace plazor
