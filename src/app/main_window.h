// The editor's main window: menu bar, canvas host, the scrolling side panel with the layer lists and
// output settings, and the status bar. Every menu item, accelerator and control reaches onCommand with
// its identifier; what a command does to the template is registered from outside with
// setCommandHandler. The window itself keeps only what belongs to the layout: which controls are
// enabled or visible, the menus' check marks and the preferences of the settings menu.
#pragma once

#include "app/layer_lists.h"
#include "app/panel_blocks.h"

#include <QMainWindow>

#include <functional>
#include <map>
#include <optional>

class QMenu;

namespace plazor {

class Document;
class SidePanel;
struct MenuDef;
class StatusBar;
struct PasteLayer;
struct Preferences;
struct Settings;
struct Slice;
struct WatermarkLayer;

// Status bar parts.
enum StatusPartIndex : int {
    kStatusBackgroundSize = 0,
    kStatusCursor = 1,
    kStatusLayerSize = 2,
    kStatusZoom = 3,
    kStatusDpi = 4,
    kStatusLoadMode = 5,
};

class MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    // The menus and pop-up menus besides the menu bar.
    enum class Popup {
        PasteContext,
        WatermarkContext,
        SliceContext,
        CurrentLevel,
        CurrentStyle,
        Zoom,
        Dpi,
        LoadMode
    };

    MainWindow(Document& doc, Preferences& prefs, QWidget* parent = nullptr);
    // Stores the two picture dialogs' folders.
    ~MainWindow() override;

    // The one command dispatcher. The window's own part runs first (control rules, preferences of the
    // settings menu and fixed DPI values), then the registered handler, if any.
    void onCommand(int id);
    void setCommandHandler(int id, std::function<void()> handler);
    // Selection changes and double clicks of the three lists.
    void setListEventHandler(std::function<void(const ListEvent&)> handler);

    // Runs around every command and every list event (with the list's identifier), so that each one
    // is a single undo step however many commands it runs; it must call `body` once.
    using StepBracket = std::function<void(int id, const std::function<void()>& body)>;
    void setStepBracket(StepBracket bracket);
    // The Edit menu's items: "撤销 <label>" and "重做 <label>", greyed when there is nothing.
    void showEditSteps(bool canUndo, const QString& undoLabel, bool canRedo, const QString& redoLabel);

    // Asked whenever the window is about to close (its close box, cmd::kExit); false keeps it open.
    void setCloseHandler(std::function<bool()> handler);

    // "Plazor图片排版工具 - <name>"
    static QString titleFor(const QString& templateName);
    void setTitleName(const QString& templateName);

    // Any window or control by its identifier (ctl::kCanvasHost to ctl::kStart); the format list for
    // ctl::kFormatList.
    QWidget* control(int id) const;
    const PanelControls& panel() const { return controls_; }
    LayerList* pasteList() const { return controls_.pasteList; }
    LayerList* watermarkList() const { return controls_.watermarkList; }
    LayerList* sliceList() const { return controls_.sliceList; }
    SidePanel* sidePanel() const { return sidePanel_; }
    QWidget* canvasHost() const { return canvasHost_; }
    QWidget* canvas() const { return canvas_; }
    // Puts the canvas into its host in place of the empty placeholder.
    void setCanvas(QWidget* canvas);

    StatusBar* statusParts() const { return statusBar_; }
    void setStatusText(int part, const QString& text);
    QString statusText(int part) const;
    // The zoom part of the status bar: "%d%%" and the icon for below, at or above 100%.
    void setZoomStatus(double zoom);
    double zoomStatus() const { return zoom_; }
    // The DPI preference: stored, and shown in the DPI part of the status bar.
    void setDpi(int dpi);

    // Menus.
    QAction* action(int id) const;
    QMenu* popupMenu(Popup popup) const;
    // Opens a pop-up at `globalPos`; with `checkedId`, exactly that item of the menu is checked.
    void showPopup(Popup popup, const QPoint& globalPos, std::optional<int> checkedId = std::nullopt);

    // Sets every control and list from the document without running any command.
    void syncFromDocument();
    // Applies the enable and visibility rules to the controls' current states.
    void applyControlRules();
    // Copies the switches and output settings shown by the controls into the document.
    void storeSettingsInDocument();

    // Rows of the three lists.
    void refreshLists();
    void appendPasteRow(const PasteLayer& layer);
    // The inserted row shows number, level and style until it is next written in full.
    void insertPasteRow(const PasteLayer& layer, int index);
    void setPasteRow(int index, const PasteLayer& layer);
    void appendWatermarkRow(const WatermarkLayer& layer);
    void insertWatermarkRow(const WatermarkLayer& layer, int index);
    void setWatermarkRow(int index, const WatermarkLayer& layer);
    void appendSliceRow(const Slice& slice);
    void setSliceRow(int index, const Slice& slice);

    // The paste block's height follows the screen's maximised window height.
    void applyScreenHeight(int maximisedHeight);
    // Stacks the side panel's blocks and lays out the canvas host and the side panel.
    void stackBlocks();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildMenus();
    void buildAccelerators();
    void buildStatusBar();
    void connectControls();
    void forward(int id);
    void runCommand(int id);
    void bracketed(int id, const std::function<void()>& body);
    bool runPreferenceCommand(int id);
    void updateSettingsChecks();
    void onListEvent(const ListEvent& event);
    void showListContextMenu(int listId, const QPoint& globalPos);
    void onStatusPartClicked(int part);
    void layoutContent();
    QMenu* buildMenu(QWidget* parent, const MenuDef& def);

    Document& doc_;
    Preferences& prefs_;
    PanelControls controls_;
    QWidget* content_ = nullptr;
    QWidget* canvasHost_ = nullptr;
    QWidget* canvas_ = nullptr;
    SidePanel* sidePanel_ = nullptr;
    StatusBar* statusBar_ = nullptr;
    std::map<int, QAction*> actions_;
    std::map<Popup, QMenu*> popups_;
    std::map<int, std::function<void()>> handlers_;
    std::function<void(const ListEvent&)> listHandler_;
    StepBracket stepBracket_;
    std::function<bool()> closeHandler_;
    double zoom_ = 1.0;
    bool syncing_ = false;  // controls are being set from the document: no commands
};

}  // namespace plazor
