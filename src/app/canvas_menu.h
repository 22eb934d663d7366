// The canvas's context menu: the layers under the pointer, or the standard items to create layers;
// alignment for one listed layer of a multiple selection; the main window's level and style
// sub-menus. Built afresh on each right click from the interaction's plan.
#pragma once

#include <QObject>

class QMenu;
class QPoint;

namespace plazor {

class Canvas;
class CommandContext;
struct ContextMenuPlan;

class CanvasMenu : public QObject {
    Q_OBJECT

  public:
    CanvasMenu(CommandContext& context, Canvas& canvas);

    void show(const ContextMenuPlan& plan, const QPoint& globalPos);
    // The menu as last built (for tests).
    QMenu* menu() const { return menu_; }

  private:
    void build(const ContextMenuPlan& plan);
    void runItem(int id);

    CommandContext& c_;
    Canvas& canvas_;
    QMenu* menu_;
    QMenu* alignMenu_;
};

}  // namespace plazor
