#include "shell/qt_ui_port.h"

#include "shell/balloon_tip.h"
#include "shell/common_dialogs.h"
#include "shell/web_opener.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include <vector>

namespace plazor {

namespace {

std::vector<QMessageBox::StandardButton> standardButtons(UiButtons buttons) {
    switch (buttons) {
        case UiButtons::YesNo:
            return {QMessageBox::Yes, QMessageBox::No};
        case UiButtons::YesNoCancel:
            return {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
        case UiButtons::OkCancel:
            return {QMessageBox::Ok, QMessageBox::Cancel};
        case UiButtons::Ok:
            break;
    }
    return {QMessageBox::Ok};
}

QMessageBox::StandardButton standardButton(UiButton button) {
    switch (button) {
        case UiButton::Yes:
            return QMessageBox::Yes;
        case UiButton::No:
            return QMessageBox::No;
        case UiButton::Cancel:
            return QMessageBox::Cancel;
        default:
            return QMessageBox::Ok;
    }
}

UiButton answer(QMessageBox::StandardButton button) {
    switch (button) {
        case QMessageBox::Yes:
            return UiButton::Yes;
        case QMessageBox::No:
            return UiButton::No;
        case QMessageBox::Ok:
            return UiButton::Ok;
        default:
            return UiButton::Cancel;
    }
}

QMessageBox::Icon boxIcon(UiIcon icon) {
    switch (icon) {
        case UiIcon::Information:
            return QMessageBox::Information;
        case UiIcon::Warning:
            return QMessageBox::Warning;
        case UiIcon::Error:
            return QMessageBox::Critical;
        case UiIcon::Question:
            return QMessageBox::Question;
        case UiIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

// Hands a typed folder that does not exist back to the caller, which refuses it in the program's own
// words, instead of Qt's.
class FolderDialog : public QFileDialog {
  public:
    using QFileDialog::QFileDialog;

  protected:
    void accept() override {
        const QStringList files = selectedFiles();
        if (!files.isEmpty() && !QFileInfo(files.constFirst()).isDir()) {
            QDialog::accept();
            return;
        }
        QFileDialog::accept();
    }
};

// Always a folder and an empty name: Qt would type the last part of a folder that does not exist (a
// fresh account's ~/Desktop) into the name field.
void startAt(QFileDialog& dialog, const QString& startPath) {
    dialog.setDirectory(folderChooserStart(startPath, QDir::homePath()));
}

std::optional<QString> runFileDialog(QFileDialog& dialog, const FileDialogRequest& request) {
    // Qt's "*.*" would hide every file without an extension, so "all files" is "*" here.
    dialog.setNameFilters(request.filter.isEmpty() ? QStringList{QFileDialog::tr("所有文件 (*)")}
                                                   : request.filter.split(QStringLiteral(";;")));
    // A label that writes its own patterns is shown as written, without Qt's pattern list after it.
    dialog.setOption(QFileDialog::HideNameFilterDetails, filterLabelShowsPatterns(request.filter));
    dialog.setDefaultSuffix(request.defaultSuffix);
    startAt(dialog, request.startPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

}  // namespace

UiButton QtUiPort::messageBox(const MessageBoxRequest& request) {
    QMessageBox box(boxIcon(request.icon), request.caption, request.text, QMessageBox::NoButton,
                    request.owner);
    const std::vector<QMessageBox::StandardButton> buttons = standardButtons(request.buttons);
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        QPushButton* button = box.addButton(buttons[i]);
        if (i < static_cast<std::size_t>(request.labels.size()) && !request.labels[i].isEmpty()) {
            button->setText(request.labels[i]);
        }
    }
    if (QAbstractButton* preferred = box.button(standardButton(request.defaultButton))) {
        box.setDefaultButton(static_cast<QPushButton*>(preferred));
    }
    box.exec();
    return answer(box.standardButton(box.clickedButton()));
}

void QtUiPort::balloon(QWidget* control, const QString& title, const QString& text, UiIcon icon,
                       bool atCursor) {
    if (control) balloons_.show(control, title, text, icon, atCursor);
}

void QtUiPort::closeAllBalloons() {
    balloons_.closeAll();
}

std::optional<QString> QtUiPort::openFile(const FileDialogRequest& request) {
    QFileDialog dialog(request.owner, request.title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return runFileDialog(dialog, request);
}

std::optional<QString> QtUiPort::saveFile(const FileDialogRequest& request) {
    QFileDialog dialog(request.owner, request.title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    return runFileDialog(dialog, request);
}

std::optional<QString> QtUiPort::chooseFolder(QWidget* owner, const QString& title, const QString& startPath,
                                              bool allowNewFolder) {
    FolderDialog dialog(owner, title);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    // A read-only view offers no "new folder" button.
    dialog.setOption(QFileDialog::ReadOnly, !allowNewFolder);
    // Qt's chooser would open on the program's folder for a folder that does not exist (yet).
    dialog.setDirectory(folderChooserStart(startPath, QDir::homePath()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<std::uint32_t> QtUiPort::chooseColour(QWidget* owner, std::uint32_t initial) {
    // QColorDialog keeps its 16 custom colours for the whole process (and saves them for the next one).
    QColorDialog dialog(QColor(initial & 0xFF, (initial >> 8) & 0xFF, (initial >> 16) & 0xFF), owner);
    dialog.adjustSize();
    centreOnScreen(&dialog);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QColor chosen = dialog.selectedColor();
    return static_cast<std::uint32_t>(chosen.red()) | static_cast<std::uint32_t>(chosen.green()) << 8 |
           static_cast<std::uint32_t>(chosen.blue()) << 16;
}

void QtUiPort::openUrl(const QString& url) {
    openWebPage(url);
}

}  // namespace plazor
