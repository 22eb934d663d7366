#include "shell/common_dialogs.h"

#include "util/encoding.h"
#include "util/fs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QWidget>

namespace plazor {

namespace {

const std::string kLimit = std::to_string(kMaxPathBytes);
constexpr const char* kLengthHint = "\n\n提示：一个英文字母占 1 个字符，一个汉字占 2 个字符。";

std::optional<ChosenFile> checkedChoice(UiPort& ui, QWidget* owner, const std::optional<QString>& choice,
                                        PathDialogKind kind) {
    if (!choice) return std::nullopt;
    const std::string path = choice->toStdString();
    if (const std::optional<std::string> refusal = chosenPathRefusal(path, kind)) {
        showMessage(ui, owner, QString::fromStdString(*refusal),
                    QCoreApplication::translate("CommonDialogs", "提示"), UiIcon::Error);
        return std::nullopt;
    }
    return ChosenFile{*choice, QString::fromStdString(folderOfPath(path))};
}

}  // namespace

std::string folderOfPath(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return {};
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::optional<std::string> chosenPathRefusal(const std::string& path, PathDialogKind kind) {
    const std::string folder = folderOfPath(path);
    const std::size_t folderLength = gbkByteLength(folder);
    if (folderLength > kMaxPathBytes) {
        return "文件夹路径长度不能大于 " + kLimit + " 个字符！\n\n当前文件夹路径长度：" +
               std::to_string(folderLength) + " 个字符\n" + folder +
               "\n\n解决方案：修改文件夹路径长度，使其长度不超过 " + kLimit + " 个字符。" + kLengthHint;
    }
    const std::size_t pathLength = gbkByteLength(path);
    if (pathLength > kMaxPathBytes) {
        const char* current =
            kind == PathDialogKind::Save ? "当前选择的文件路径长度：" : "当前文件路径长度：";
        return "文件路径长度不能大于 " + kLimit + " 个字符！\n\n" + current + std::to_string(pathLength) +
               " 个字符\n" + path + "\n\n解决方案：修改文件路径长度，使其长度不超过 " + kLimit + " 个字符。" +
               kLengthHint;
    }
    return std::nullopt;
}

QString pictureFileFilter() {
    // The pattern list after the shown text is what the file dialog matches; file names on Linux are
    // case-sensitive, so both letter cases are listed.
    return QCoreApplication::translate("CommonDialogs", "图片格式 (*.PNG;*.JPG;*.GIF)") +
           QStringLiteral(" (*.PNG *.JPG *.JPEG *.GIF *.png *.jpg *.jpeg *.gif)");
}

bool filterLabelShowsPatterns(const QString& filter) {
    if (filter.isEmpty()) return false;
    for (const QString& one : filter.split(QStringLiteral(";;"))) {
        const QString text = one.trimmed();
        const qsizetype open = text.lastIndexOf(QLatin1Char('('));
        if (open <= 0 || !text.endsWith(QLatin1Char(')'))) return false;
        if (!text.left(open).trimmed().endsWith(QLatin1Char(')'))) return false;
    }
    return true;
}

std::optional<ChosenFile> chooseFileToOpen(UiPort& ui, const FileDialogRequest& request) {
    return checkedChoice(ui, request.owner, ui.openFile(request), PathDialogKind::Open);
}

std::optional<ChosenFile> chooseFileToSave(UiPort& ui, const FileDialogRequest& request) {
    return checkedChoice(ui, request.owner, ui.saveFile(request), PathDialogKind::Save);
}

std::optional<QString> chooseExistingFolder(UiPort& ui, QWidget* owner, const QString& title,
                                            const QString& startPath, bool allowNewFolder) {
    while (true) {
        const std::optional<QString> folder = ui.chooseFolder(owner, title, startPath, allowNewFolder);
        if (!folder || isFolder(folder->toStdString())) return folder;
        showMessage(ui, owner,
                    QCoreApplication::translate("CommonDialogs", "文件夹 '%1' 不存在").arg(*folder),
                    QCoreApplication::translate("CommonDialogs", "提示"), UiIcon::Error);
    }
}

QString folderChooserStart(const QString& startPath, const QString& fallback) {
    if (startPath.isEmpty()) return fallback;
    QString folder = QDir::cleanPath(QFileInfo(startPath).absoluteFilePath());
    while (!QFileInfo(folder).isDir()) {
        const QString parent = QFileInfo(folder).absolutePath();
        if (parent == folder) return fallback;
        folder = parent;
    }
    return folder;
}

void setClientSize(QWidget* window, int width, int height, const QWidget* statusBar) {
    int extra = 0;
    if (const auto* main = qobject_cast<const QMainWindow*>(window); main && main->menuWidget()) {
        extra += main->menuWidget()->sizeHint().height();
    }
    if (statusBar) extra += statusBar->height();
    window->resize(width, height + extra);
}

void centreOnScreen(QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect whole = screen->geometry();
    const QRect work = screen->availableGeometry();
    const QSize frame = window->frameGeometry().size();
    window->move(whole.x() + (whole.width() - frame.width()) / 2,
                 work.y() + (work.height() - frame.height()) / 2);
}

}  // namespace plazor
