#include "app/info_window.h"

#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>
#include <QThread>
#include <QVBoxLayout>

#include <system_error>

namespace plazor {

QString infoLine(const QTime& time, const QString& text) {
    return time.toString(QStringLiteral("HH:mm:ss")) + QLatin1Char(' ') + text;
}

int infoCutPosition(int currentLength, int lineLength, int capacity) {
    return currentLength + lineLength >= capacity ? currentLength / 2 : 0;
}

InfoWindow::InfoWindow(QWidget* owner, int capacity)
    : QWidget(owner, Qt::Tool), edit_(new QPlainTextEdit(this)), capacity_(capacity) {
    setObjectName(QStringLiteral("InfoWindow"));
    setWindowTitle(tr("信息 - F2"));
    resize(680, 200);

    QPalette colours = edit_->palette();
    colours.setColor(QPalette::Base, Qt::black);
    colours.setColor(QPalette::Text, Qt::white);
    edit_->setPalette(colours);
    edit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit_);
}

void InfoWindow::appendLine(const QString& text, bool blankAfter) {
    // The empty line counts towards the capacity like the rest of the entry.
    const QString line =
        infoLine(QTime::currentTime(), text) + (blankAfter ? QStringLiteral("\n") : QString());
    if (QThread::currentThread() == thread()) {
        appendOnWindowThread(line);
    } else {
        QMetaObject::invokeMethod(
            this, [this, line] { appendOnWindowThread(line); }, Qt::BlockingQueuedConnection);
    }
}

void InfoWindow::appendLineWithSystemError(const QString& text, int errorCode) {
    appendLine(text);
    if (errorCode != 0) appendLine(QString::fromStdString(std::generic_category().message(errorCode)));
}

void InfoWindow::appendOnWindowThread(const QString& line) {
    QTextCursor cursor(edit_->document());
    const int length = edit_->document()->characterCount() - 1;
    if (const int cut = infoCutPosition(length, static_cast<int>(line.size()), capacity_); cut > 0) {
        cursor.setPosition(0);
        cursor.setPosition(cut, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(line);
    cursor.insertText(QStringLiteral("\n"));
    edit_->setTextCursor(cursor);
    edit_->verticalScrollBar()->setValue(edit_->verticalScrollBar()->maximum());
    if (isHidden()) show();
}

void InfoWindow::toggle() {
    setVisible(!isVisible());
}

QString InfoWindow::text() const {
    return edit_->toPlainText();
}

void InfoWindow::closeEvent(QCloseEvent* event) {
    // Closing only hides the window (it lives as long as the program), and it starts empty next time.
    edit_->clear();
    event->accept();
}

}  // namespace plazor
