// Files dragged onto the editor: a template dropped anywhere on the main window opens (after the save
// question), a folder dropped on the source or output folder field fills that field as if chosen.
#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <string>

class QLineEdit;
class QMimeData;
class QWidget;

namespace plazor {

enum class DropAction { None, OpenTemplate, SourceFolder, OutputFolder };
enum class DropField { Other, Source, Output };

// What a drop of `path` on `field` does. `isFolder` and `isFile` tell what the path names now.
DropAction dropActionFor(const std::string& path, bool isFolder, bool isFile, DropField field);

// The one local path of a drag, or an empty text for none or several.
QString droppedPath(const QMimeData* data);

// Watches the main window and the two folder fields. The handler runs after the drop has returned, so
// that its boxes and dialogs do not run inside the drag and drop machinery.
class FileDropFilter : public QObject {
    Q_OBJECT

  public:
    using Handler = std::function<void(DropAction action, const QString& path)>;
    FileDropFilter(QWidget* window, QLineEdit* sourceField, QLineEdit* outputField, Handler handler);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    DropAction actionFor(QObject* watched, const QMimeData* data) const;

    QWidget* window_;
    QLineEdit* source_;
    QLineEdit* output_;
    Handler handler_;
};

}  // namespace plazor
