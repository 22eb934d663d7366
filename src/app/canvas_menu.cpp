#include "app/canvas_menu.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>

#include "app/command_ids.h"
#include "app/commands/command_context.h"
#include "app/commands/layer_commands.h"
#include "app/layer_lists.h"
#include "app/main_window.h"
#include "canvas/canvas_widget.h"
#include "template/names.h"

namespace plazor {
namespace {

QString menuText(const char* text) {
    return QCoreApplication::translate("CanvasMenu", text);
}

// The sub-menu that holds the main window's item `id`.
QMenu* subMenuOf(MainWindow& window, int id) {
    for (QObject* owner : window.action(id)->associatedObjects()) {
        if (auto* menu = qobject_cast<QMenu*>(owner)) return menu;
    }
    return nullptr;
}

}  // namespace

CanvasMenu::CanvasMenu(CommandContext& context, Canvas& canvas)
    : QObject(&canvas),
      c_(context),
      canvas_(canvas),
      menu_(new QMenu(&canvas)),
      alignMenu_(new QMenu(&canvas)) {
    menu_->setObjectName(QStringLiteral("canvasContextMenu"));
    alignMenu_->setTitle(menuText("对齐"));
    const std::pair<const char*, int> edges[] = {{"顶边", cmd::kAlignTop},
                                                 {"底边", cmd::kAlignBottom},
                                                 {"左边", cmd::kAlignLeft},
                                                 {"右边", cmd::kAlignRight}};
    for (const auto& [text, id] : edges) {
        connect(alignMenu_->addAction(menuText(text)), &QAction::triggered, this,
                [this, id = id] { runItem(id); });
    }
}

void CanvasMenu::show(const ContextMenuPlan& plan, const QPoint& globalPos) {
    build(plan);
    menu_->popup(globalPos);
}

void CanvasMenu::build(const ContextMenuPlan& plan) {
    // The sub-menus belong to others and are only detached; the menu's own items go.
    menu_->clear();
    const PanelControls& panel = c_.window().panel();
    auto add = [this](const QString& text, int id) {
        QAction* a = menu_->addAction(text);
        connect(a, &QAction::triggered, this, [this, id] { runItem(id); });
        return a;
    };
    if (plan.standard) {
        add(menuText("新建贴图层"), cmd::kPasteNew);
        add(menuText("新建水印层"), cmd::kWatermarkNew)->setEnabled(panel.watermarksOn->isChecked());
        add(menuText("新建横切片"), cmd::kSliceNew)->setEnabled(panel.slicesOn->isChecked());
        menu_->addSeparator();
        add(menuText("添加多宫格"), cmd::kPasteMultiGrid);
        add(menuText("添加心型图"), cmd::kPasteHeart);
        menu_->addSeparator();
        add(menuText("刷新"), cmd::kRefresh);
        return;
    }
    LayerKind last = LayerKind::None;
    for (const ContextMenuItem& item : plan.layers) {
        if (last != LayerKind::None && item.kind != last) menu_->addSeparator();
        last = item.kind;
        const char* text = item.kind == LayerKind::Paste       ? "贴图 %1"
                           : item.kind == LayerKind::Watermark ? "水印 %1"
                                                               : "切片 %1";
        const int base = item.kind == LayerKind::Paste       ? cmd::kCanvasPasteItemBase
                         : item.kind == LayerKind::Watermark ? cmd::kCanvasWatermarkItemBase
                                                             : cmd::kCanvasSliceItemBase;
        QAction* a = add(menuText(text).arg(item.number), base + item.number);
        a->setCheckable(true);
        a->setChecked(item.checked);
    }
    if (plan.align) {
        menu_->addSeparator();
        menu_->addMenu(alignMenu_);
    }
    if (!plan.levelAndStyle) return;
    MainWindow& window = c_.window();
    QMenu* levels = subMenuOf(window, cmd::kSelectedLevelAbove);
    QMenu* styles = subMenuOf(window, cmd::kSelectedStyleFirst);
    if (!levels || !styles) return;
    menu_->addSeparator();
    menu_->addMenu(levels)->setEnabled(plan.anySelected);
    menu_->addMenu(styles)->setEnabled(plan.anySelected);
    for (int id = cmd::kSelectedLevelAbove; id <= cmd::kSelectedLevelBelow; ++id) {
        window.action(id)->setChecked(plan.commonLevel &&
                                      static_cast<int>(*plan.commonLevel) == id - cmd::kSelectedLevelAbove);
    }
    const int styleId =
        plan.commonStyle ? cmd::kSelectedStyleFirst + listPositionOfOverflowStyle(*plan.commonStyle) : 0;
    for (int id = cmd::kSelectedStyleFirst; id <= cmd::kSelectedStyleLast; ++id)
        window.action(id)->setChecked(id == styleId);
}

void CanvasMenu::runItem(int id) {
    MainWindow& window = c_.window();
    switch (id) {
        case cmd::kAlignTop:
            canvas_.align(AlignEdge::Top);
            return;
        case cmd::kAlignBottom:
            canvas_.align(AlignEdge::Bottom);
            return;
        case cmd::kAlignLeft:
            canvas_.align(AlignEdge::Left);
            return;
        case cmd::kAlignRight:
            canvas_.align(AlignEdge::Right);
            return;
        default:
            break;
    }
    if (id > cmd::kCanvasSliceItemBase) {
        selectListRow(*window.sliceList(), id - cmd::kCanvasSliceItemBase - 1);
    } else if (id > cmd::kCanvasWatermarkItemBase) {
        selectListRow(*window.watermarkList(), id - cmd::kCanvasWatermarkItemBase - 1);
    } else if (id > cmd::kCanvasPasteItemBase) {
        selectListRow(*window.pasteList(), id - cmd::kCanvasPasteItemBase - 1);
    } else {
        // The standard items are the main window's commands.
        window.onCommand(id);
    }
}

}  // namespace plazor
