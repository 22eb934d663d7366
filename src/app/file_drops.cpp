#include "app/file_drops.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <cctype>

namespace plazor {

DropAction dropActionFor(const std::string& path, bool isFolder, bool isFile, DropField field) {
    if (isFile) {
        std::string suffix = path.size() >= 4 ? path.substr(path.size() - 4) : std::string();
        std::transform(suffix.begin(), suffix.end(), suffix.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return suffix == ".dat" ? DropAction::OpenTemplate : DropAction::None;
    }
    if (!isFolder) return DropAction::None;
    switch (field) {
        case DropField::Source:
            return DropAction::SourceFolder;
        case DropField::Output:
            return DropAction::OutputFolder;
        case DropField::Other:
            break;
    }
    return DropAction::None;
}

QString droppedPath(const QMimeData* data) {
    if (!data || !data->hasUrls()) return {};
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.constFirst().isLocalFile()) return {};
    // A folder dragged from a file manager may end in "/"; the fields show folders without it.
    QString path = urls.constFirst().toLocalFile();
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

FileDropFilter::FileDropFilter(QWidget* window, QLineEdit* sourceField, QLineEdit* outputField,
                               Handler handler)
    : QObject(window),
      window_(window),
      source_(sourceField),
      output_(outputField),
      handler_(std::move(handler)) {
    window_->setAcceptDrops(true);
    for (QObject* watched :
         {static_cast<QObject*>(window_), static_cast<QObject*>(source_), static_cast<QObject*>(output_)}) {
        watched->installEventFilter(this);
    }
}

DropAction FileDropFilter::actionFor(QObject* watched, const QMimeData* data) const {
    const QString path = droppedPath(data);
    if (path.isEmpty() || !window_->isEnabled()) return DropAction::None;
    const QFileInfo info(path);
    const DropField field = watched == source_   ? DropField::Source
                            : watched == output_ ? DropField::Output
                                                 : DropField::Other;
    return dropActionFor(path.toStdString(), info.isDir(), info.isFile(), field);
}

bool FileDropFilter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (actionFor(watched, drag->mimeData()) == DropAction::None) {
                drag->ignore();
            } else {
                drag->acceptProposedAction();
            }
            // The fields would otherwise take any drag as text to insert.
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const DropAction action = actionFor(watched, drop->mimeData());
            if (action == DropAction::None) {
                drop->ignore();
                return true;
            }
            drop->acceptProposedAction();
            QTimer::singleShot(
                0, this, [this, action, path = droppedPath(drop->mimeData())] { handler_(action, path); });
            return true;
        }
        default:
            return false;
    }
}

}  // namespace plazor
