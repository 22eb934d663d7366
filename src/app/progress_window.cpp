#include "app/progress_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "util/window_names.h"

namespace plazor {

QString progressText(int batches, int batch) {
    return ProgressWindow::tr("共 %1 批图片，正在处理第 %2 批。").arg(batches).arg(batch);
}

ProgressWindow::ProgressWindow(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QString::fromUtf8(window_names::kProgressWindowClass));
    setWindowTitle(tr("处理进度"));
    setWindowModality(Qt::WindowModal);
    setFixedSize(353, 110);

    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("progressBar"));
    bar_->setGeometry(16, 22, 239, 23);
    bar_->setTextVisible(false);

    stopButton_ = new QPushButton(tr("停止"), this);
    stopButton_->setObjectName(QStringLiteral("stopButton"));
    stopButton_->setGeometry(265, 21, 66, 25);
    stopButton_->setAutoDefault(false);

    text_ = new QLabel(progressText(0, 0), this);
    text_->setObjectName(QStringLiteral("progressText"));
    text_->setGeometry(16, 55, 318, 21);

    connect(stopButton_, &QPushButton::clicked, this, &ProgressWindow::onStopClicked);
}

void ProgressWindow::beginRun(int batches) {
    batches_ = batches;
    if (!stopButton_->isEnabled()) resetStopButton();
    bar_->setRange(0, batches);
    bar_->setValue(0);
    text_->setText(progressText(batches, 1));
    state_ = State::Running;

    show();
    // Centred once shown, when the window's frame is known.
    if (QWidget* owner = parentWidget()) {
        QRect frame = frameGeometry();
        frame.moveCenter(owner->frameGeometry().center());
        move(frame.topLeft());
    }
    raise();
    activateWindow();
}

void ProgressWindow::showBatch(int batch) {
    text_->setText(progressText(batches_, batch));
    bar_->setValue(batch - 1);
}

void ProgressWindow::endRun() {
    resetStopButton();
    state_ = State::Idle;
    hide();
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
}

void ProgressWindow::reject() {}

void ProgressWindow::onStopClicked() {
    if (state_ != State::Running) return;
    state_ = State::Stopping;
    stopButton_->setText(tr("停止中..."));
    stopButton_->setEnabled(false);
    emit stopRequested();
}

void ProgressWindow::resetStopButton() {
    stopButton_->setText(tr("停止"));
    stopButton_->setEnabled(true);
}

}  // namespace plazor
