// The main window's menus: the menu bar, the accelerators, the lists' context menus and the pop-ups of
// the lists and the status bar, and the settings menu's preferences with their check marks.
#include "app/command_ids.h"
#include "app/main_window.h"
#include "app/panel_rules.h"
#include "app/preferences.h"
#include "app/status_bar.h"
#include "app/zoom_steps.h"
#include "template/document.h"
#include "template/names.h"

#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

#include <vector>

namespace plazor {

// One menu item: a command, a separator (no text) or a sub-menu (items). Texts are translated when the
// menu is built.
struct MenuDef {
    const char* text = nullptr;
    int id = 0;
    bool checkable = false;
    std::vector<MenuDef> items;
};

namespace {

#define MENU_TEXT(text) QT_TRANSLATE_NOOP("plazor::MainWindow", text)

const MenuDef kSeparator{};

MenuDef item(const char* text, int id, bool checkable = false) {
    return {text, id, checkable, {}};
}
MenuDef check(const char* text, int id) {
    return item(text, id, true);
}
MenuDef subMenu(const char* text, std::vector<MenuDef> items) {
    return {text, 0, false, std::move(items)};
}

// The level and style sub-menus list "等比例缩小", "等比例缩放", "填充式缩放", "裁剪左上角", "裁剪正中间",
// "自定义" (values 0, 4, 1, 2, 3, 5).
std::vector<MenuDef> styleItems(int firstId, const char* customText) {
    return {check(MENU_TEXT("等比例缩小"), firstId),     check(MENU_TEXT("等比例缩放"), firstId + 1),
            check(MENU_TEXT("填充式缩放"), firstId + 2), check(MENU_TEXT("裁剪左上角"), firstId + 3),
            check(MENU_TEXT("裁剪正中间"), firstId + 4), check(customText, firstId + 5)};
}

const std::vector<MenuDef>& menuBarDef() {
    static const std::vector<MenuDef> def = {
        subMenu(MENU_TEXT("文件(&F)"),
                {item(MENU_TEXT("新建(&N)\tCtrl+N"), cmd::kNewTemplate),
                 item(MENU_TEXT("打开(&O)...\tCtrl+O"), cmd::kOpenTemplate), kSeparator,
                 item(MENU_TEXT("保存(&S)...\tCtrl+S"), cmd::kSaveTemplate),
                 item(MENU_TEXT("另存为(&A)..."), cmd::kSaveTemplateAs), kSeparator,
                 item(MENU_TEXT("退出(&X)"), cmd::kExit)}),
        subMenu(MENU_TEXT("编辑(&E)"),
                {item(MENU_TEXT("撤销"), cmd::kUndo), item(MENU_TEXT("重做"), cmd::kRedo)}),
        subMenu(MENU_TEXT("设置(&O)"),
                {subMenu(MENU_TEXT("【贴图层】默认层次"),
                         {check(MENU_TEXT("背景上方"), cmd::kDefaultLevelAbove),
                          check(MENU_TEXT("背景下方"), cmd::kDefaultLevelBelow)}),
                 subMenu(MENU_TEXT("【贴图层】默认溢出样式"),
                         styleItems(cmd::kDefaultStyleFirst, MENU_TEXT("自定义"))),
                 subMenu(MENU_TEXT("【贴图层】源图片文件夹加载模式"),
                         {check(MENU_TEXT("加载【源图片文件夹】中的图片"), cmd::kLoadModePictures),
                          check(MENU_TEXT("加载【源图片文件夹】下一级子文件夹列表中的图片"),
                                cmd::kLoadModeSubFolders)}),
                 kSeparator, check(MENU_TEXT("【横切片】图片保存到子文件夹"), cmd::kToggleSliceSubFolder),
                 kSeparator, check(MENU_TEXT("处理完成后弹出提示对话框"), cmd::kToggleCompletedAlert),
                 check(MENU_TEXT("按原图尺寸精确解码图片（较慢）"), cmd::kToggleExactDecoding)}),
        subMenu(MENU_TEXT("工具(&T)"), {item(MENU_TEXT("批量处理多个文件夹"), cmd::kBatchFolders)}),
        subMenu(MENU_TEXT("帮助(&H)"),
                {item(MENU_TEXT("使用指南"), cmd::kUserGuide), kSeparator,
                 item(MENU_TEXT("在桌面创建快捷启动方式"), cmd::kDesktopShortcut), kSeparator,
                 item(MENU_TEXT("官方网站"), cmd::kWebSite), item(MENU_TEXT("关于(&A)..."), cmd::kAbout)}),
    };
    return def;
}

MenuDef pasteContextDef() {
    return subMenu(
        nullptr, {item(MENU_TEXT("新建"), cmd::kPasteNew), item(MENU_TEXT("插入"), cmd::kPasteInsert),
                  kSeparator, item(MENU_TEXT("编辑"), cmd::kPasteEdit), kSeparator,
                  item(MENU_TEXT("复制"), cmd::kPasteCopy), item(MENU_TEXT("删除"), cmd::kPasteDelete),
                  kSeparator, item(MENU_TEXT("添加多宫格"), cmd::kPasteMultiGrid),
                  item(MENU_TEXT("添加心型图"), cmd::kPasteHeart), kSeparator,
                  subMenu(MENU_TEXT("层次"), {check(MENU_TEXT("背景上方"), cmd::kSelectedLevelAbove),
                                              check(MENU_TEXT("背景下方"), cmd::kSelectedLevelBelow)}),
                  subMenu(MENU_TEXT("溢出样式"), styleItems(cmd::kSelectedStyleFirst, MENU_TEXT("自定义")))});
}

MenuDef watermarkContextDef() {
    return subMenu(
        nullptr, {item(MENU_TEXT("新建"), cmd::kWatermarkNew), item(MENU_TEXT("插入"), cmd::kWatermarkInsert),
                  kSeparator, item(MENU_TEXT("编辑"), cmd::kWatermarkEdit),
                  item(MENU_TEXT("更换图片"), cmd::kWatermarkChangePicture), kSeparator,
                  item(MENU_TEXT("删除"), cmd::kWatermarkDelete)});
}

MenuDef sliceContextDef() {
    return subMenu(nullptr, {item(MENU_TEXT("新建"), cmd::kSliceNew), kSeparator,
                             item(MENU_TEXT("编辑"), cmd::kSliceEdit), kSeparator,
                             item(MENU_TEXT("删除"), cmd::kSliceDelete)});
}

MenuDef currentLevelDef() {
    return subMenu(nullptr, {check(MENU_TEXT("背景上方"), cmd::kCurrentLevelAbove),
                             check(MENU_TEXT("背景下方"), cmd::kCurrentLevelBelow)});
}

// This pop-up's identifiers follow the style values, not the menu order.
MenuDef currentStyleDef() {
    const int first = cmd::kCurrentStyleFirst;
    return subMenu(nullptr, {check(MENU_TEXT("等比例缩小"), first + kShrinkToFit),
                             check(MENU_TEXT("等比例缩放"), first + kScaleToFit),
                             check(MENU_TEXT("填充式缩放"), first + kStretch),
                             check(MENU_TEXT("裁剪左上角"), first + kCropTopLeft),
                             check(MENU_TEXT("裁剪正中间"), first + kCropCentre),
                             check(MENU_TEXT("自定义..."), first + kCustom)});
}

MenuDef zoomDef() {
    static const char* const kTexts[] = {MENU_TEXT("25%"),  MENU_TEXT("50%"),  MENU_TEXT("75%"),
                                         MENU_TEXT("100%"), MENU_TEXT("200%"), MENU_TEXT("300%"),
                                         MENU_TEXT("400%"), MENU_TEXT("500%"), MENU_TEXT("600%"),
                                         MENU_TEXT("700%"), MENU_TEXT("800%")};
    MenuDef def;
    for (int id = cmd::kZoomFirst; id <= cmd::kZoomLast; ++id)
        def.items.push_back(check(kTexts[id - cmd::kZoomFirst], id));
    return def;
}

MenuDef dpiDef() {
    return subMenu(nullptr, {check(MENU_TEXT("自定义..."), cmd::kDpiCustom), kSeparator,
                             check(MENU_TEXT("350 dpi"), cmd::kDpiFirstFixed),
                             check(MENU_TEXT("300 dpi"), cmd::kDpiFirstFixed + 1),
                             check(MENU_TEXT("150 dpi"), cmd::kDpiFirstFixed + 2),
                             check(MENU_TEXT("120 dpi"), cmd::kDpiFirstFixed + 3),
                             check(MENU_TEXT(" 96 dpi"), cmd::kDpiFirstFixed + 4),
                             check(MENU_TEXT(" 72 dpi"), cmd::kDpiFirstFixed + 5)});
}

#undef MENU_TEXT

// Every item of a menu and its sub-menus.
void forEachAction(QMenu* menu, const std::function<void(QAction*)>& visit) {
    for (QAction* action : menu->actions()) {
        visit(action);
        if (action->menu()) forEachAction(action->menu(), visit);
    }
}

}  // namespace

QMenu* MainWindow::buildMenu(QWidget* parent, const MenuDef& def) {
    auto* menu = new QMenu(def.text ? tr(def.text) : QString(), parent);
    for (const MenuDef& entry : def.items) {
        if (!entry.text) {
            menu->addSeparator();
        } else if (!entry.items.empty()) {
            menu->addMenu(buildMenu(menu, entry));
        } else {
            QAction* action = menu->addAction(tr(entry.text));
            action->setCheckable(entry.checkable);
            action->setData(entry.id);
            actions_[entry.id] = action;
            const int id = entry.id;
            connect(action, &QAction::triggered, this, [this, id] { onCommand(id); });
        }
    }
    return menu;
}

void MainWindow::buildMenus() {
    for (const MenuDef& def : menuBarDef())
        menuBar()->addMenu(buildMenu(menuBar(), def));
    popups_[Popup::PasteContext] = buildMenu(this, pasteContextDef());
    popups_[Popup::WatermarkContext] = buildMenu(this, watermarkContextDef());
    popups_[Popup::SliceContext] = buildMenu(this, sliceContextDef());
    popups_[Popup::CurrentLevel] = buildMenu(this, currentLevelDef());
    popups_[Popup::CurrentStyle] = buildMenu(this, currentStyleDef());
    popups_[Popup::Zoom] = buildMenu(this, zoomDef());
    popups_[Popup::Dpi] = buildMenu(this, dpiDef());
    // The load mode pop-up is the settings menu's own sub-menu.
    popups_[Popup::LoadMode] = qobject_cast<QMenu*>(actions_.at(cmd::kLoadModePictures)->parent());
    updateSettingsChecks();
}

void MainWindow::buildAccelerators() {
    const std::pair<QKeySequence, int> accelerators[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_N), cmd::kNewTemplate},
        {QKeySequence(Qt::CTRL | Qt::Key_O), cmd::kOpenTemplate},
        {QKeySequence(Qt::CTRL | Qt::Key_S), cmd::kSaveTemplate},
        {QKeySequence(Qt::Key_F2), cmd::kToggleInfoWindow}};
    for (const auto& [keys, id] : accelerators) {
        auto* shortcut = new QShortcut(keys, this);
        // Tried before anything else, whichever of the program's windows has the focus.
        shortcut->setContext(Qt::ApplicationShortcut);
        shortcut->setObjectName(QStringLiteral("Accelerator%1").arg(id));
        connect(shortcut, &QShortcut::activated, this, [this, id] { onCommand(id); });
    }
    // The items' own shortcuts work only in this window; a line edit with the focus claims its undo
    // and redo keys first, so it keeps its own undo.
    action(cmd::kUndo)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    action(cmd::kRedo)
        ->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    showEditSteps(false, {}, false, {});
}

void MainWindow::showEditSteps(bool canUndo, const QString& undoLabel, bool canRedo,
                               const QString& redoLabel) {
    const auto show = [](QAction* item, const QString& verb, bool enabled, const QString& label) {
        item->setText(enabled && !label.isEmpty() ? verb + QLatin1Char(' ') + label : verb);
        item->setEnabled(enabled);
    };
    show(action(cmd::kUndo), tr("撤销"), canUndo, undoLabel);
    show(action(cmd::kRedo), tr("重做"), canRedo, redoLabel);
}

QAction* MainWindow::action(int id) const {
    const auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

QMenu* MainWindow::popupMenu(Popup popup) const {
    const auto it = popups_.find(popup);
    return it == popups_.end() ? nullptr : it->second;
}

void MainWindow::showPopup(Popup popup, const QPoint& globalPos, std::optional<int> checkedId) {
    QMenu* menu = popupMenu(popup);
    if (!menu) return;
    if (checkedId) {
        forEachAction(menu, [&](QAction* a) {
            if (a->isCheckable()) a->setChecked(a->data().toInt() == *checkedId);
        });
    }
    menu->popup(globalPos);
}

bool MainWindow::runPreferenceCommand(int id) {
    if (id == cmd::kDefaultLevelAbove || id == cmd::kDefaultLevelBelow) {
        prefs_.setDefaultLayerLevel(id - cmd::kDefaultLevelAbove);
    } else if (id >= cmd::kDefaultStyleFirst && id <= cmd::kDefaultStyleLast) {
        prefs_.setDefaultOverflowStyle(styleOfDefaultStyleCommand(id));
    } else if (id == cmd::kLoadModePictures || id == cmd::kLoadModeSubFolders) {
        prefs_.setLoadMode(id == cmd::kLoadModeSubFolders ? kSubFolderListMode : kPictureListMode);
    } else if (id == cmd::kToggleSliceSubFolder) {
        prefs_.toggleSliceSubFolder();
    } else if (id == cmd::kToggleCompletedAlert) {
        prefs_.toggleCompletedAlert();
    } else if (id == cmd::kToggleExactDecoding) {
        prefs_.toggleExactDecoding();
    } else if (const int dpi = fixedDpiOfCommand(id); dpi > 0) {
        setDpi(dpi);
        return true;
    } else {
        return false;
    }
    updateSettingsChecks();
    return true;
}

void MainWindow::updateSettingsChecks() {
    action(cmd::kDefaultLevelAbove)->setChecked(prefs_.defaultLayerLevel == 0);
    action(cmd::kDefaultLevelBelow)->setChecked(prefs_.defaultLayerLevel == 1);
    const int styleCommand = defaultStyleCommand(prefs_.defaultOverflowStyle);
    for (int id = cmd::kDefaultStyleFirst; id <= cmd::kDefaultStyleLast; ++id)
        action(id)->setChecked(id == styleCommand);
    action(cmd::kLoadModePictures)->setChecked(prefs_.loadMode == kPictureListMode);
    action(cmd::kLoadModeSubFolders)->setChecked(prefs_.loadMode == kSubFolderListMode);
    action(cmd::kToggleSliceSubFolder)->setChecked(prefs_.sliceSubFolder != 0);
    action(cmd::kToggleCompletedAlert)->setChecked(prefs_.completedAlert != 0);
    action(cmd::kToggleExactDecoding)->setChecked(prefs_.exactDecoding != 0);
}

void MainWindow::showListContextMenu(int listId, const QPoint& globalPos) {
    const Popup popup = listId == ctl::kPasteList       ? Popup::PasteContext
                        : listId == ctl::kWatermarkList ? Popup::WatermarkContext
                                                        : Popup::SliceContext;
    LayerList* list = qobject_cast<LayerList*>(control(listId));
    const std::vector<int> rows = list->selectedRowIndices();
    const bool hasSelection = !rows.empty();
    QMenu* menu = popupMenu(popup);
    forEachAction(menu, [&](QAction* a) {
        if (QMenu* sub = a->menu()) {
            const QList<QAction*> items = sub->actions();
            const bool needs = std::any_of(items.begin(), items.end(), [](QAction* i) {
                return contextItemNeedsSelection(i->data().toInt());
            });
            a->setEnabled(hasSelection || !needs);
        } else if (!a->isSeparator()) {
            a->setEnabled(hasSelection || !contextItemNeedsSelection(a->data().toInt()));
        }
    });
    if (popup == Popup::PasteContext) {
        // The sub-menus check the level and style that every selected layer shares.
        std::vector<unsigned> levels, styles;
        for (int row : rows) {
            if (row < 0 || static_cast<std::size_t>(row) >= doc_.pasteLayers.size()) continue;
            levels.push_back(doc_.pasteLayers[static_cast<std::size_t>(row)].level);
            styles.push_back(doc_.pasteLayers[static_cast<std::size_t>(row)].overflowStyle);
        }
        const auto level = sharedValue(levels);
        const auto style = sharedValue(styles);
        for (int id = cmd::kSelectedLevelAbove; id <= cmd::kSelectedLevelBelow; ++id) {
            action(id)->setChecked(level && static_cast<int>(*level) == id - cmd::kSelectedLevelAbove);
        }
        const int styleId = style ? cmd::kSelectedStyleFirst + listPositionOfOverflowStyle(*style) : 0;
        for (int id = cmd::kSelectedStyleFirst; id <= cmd::kSelectedStyleLast; ++id)
            action(id)->setChecked(id == styleId);
    }
    menu->popup(globalPos);
}

void MainWindow::onStatusPartClicked(int part) {
    const QRect rect = statusParts()->partRect(part);
    // The zoom and DPI pop-ups open just above their part.
    const auto above = [&](Popup popup) {
        QPoint pos = statusParts()->mapToGlobal(rect.topLeft());
        pos.ry() -= popupMenu(popup)->sizeHint().height();
        return pos;
    };
    switch (part) {
        case kStatusZoom:
            showPopup(Popup::Zoom, above(Popup::Zoom), zoomCommand(zoom_));
            break;
        case kStatusDpi:
            showPopup(Popup::Dpi, above(Popup::Dpi), commandOfFixedDpi(prefs_.dpi));
            break;
        case kStatusLoadMode:
            showPopup(Popup::LoadMode, QCursor::pos());
            break;
        default:
            break;
    }
}

void MainWindow::onListEvent(const ListEvent& event) {
    if (syncing_) return;
    if (event.kind == ListEventKind::ContextMenu) {
        showListContextMenu(event.listId, event.globalPos);
        return;
    }
    if (listHandler_) bracketed(event.listId, [this, &event] { listHandler_(event); });
}

}  // namespace plazor
