#include "app/command_ids.h"
#include "app/status_bar.h"
#include "main_window_test_support.h"

#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

namespace plazor {
namespace {

using Popup = MainWindow::Popup;

// One line per item: text and identifier, "-" for a separator, a sub-menu's title followed by its
// items indented.
void dump(const QMenu* menu, const std::string& indent, std::vector<std::string>& out) {
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator()) {
            out.push_back(indent + "-");
        } else if (action->menu()) {
            out.push_back(indent + action->text().toStdString());
            dump(action->menu(), indent + "  ", out);
        } else {
            out.push_back(indent + action->text().toStdString() + " [" +
                          std::to_string(action->data().toInt()) + "]");
        }
    }
}

std::vector<std::string> dump(const QMenu* menu) {
    std::vector<std::string> out;
    dump(menu, "", out);
    return out;
}

class MainWindowMenusTest : public testing::MainWindowTest {};

TEST_F(MainWindowMenusTest, MenuBarItemsAndIdentifiers) {
    std::vector<std::string> lines;
    for (const QAction* top : window->menuBar()->actions()) {
        lines.push_back(top->text().toStdString());
        dump(top->menu(), "  ", lines);
    }
    const std::vector<std::string> expected = {
        "文件(&F)",
        "  新建(&N)\tCtrl+N [35200]",
        "  打开(&O)...\tCtrl+O [35201]",
        "  -",
        "  保存(&S)...\tCtrl+S [35202]",
        "  另存为(&A)... [35203]",
        "  -",
        "  退出(&X) [35204]",
        "编辑(&E)",
        "  撤销 [35210]",
        "  重做 [35211]",
        "设置(&O)",
        "  【贴图层】默认层次",
        "    背景上方 [35400]",
        "    背景下方 [35401]",
        "  【贴图层】默认溢出样式",
        "    等比例缩小 [35402]",
        "    等比例缩放 [35403]",
        "    填充式缩放 [35404]",
        "    裁剪左上角 [35405]",
        "    裁剪正中间 [35406]",
        "    自定义 [35407]",
        "  【贴图层】源图片文件夹加载模式",
        "    加载【源图片文件夹】中的图片 [35408]",
        "    加载【源图片文件夹】下一级子文件夹列表中的图片 [35409]",
        "  -",
        "  【横切片】图片保存到子文件夹 [35410]",
        "  -",
        "  处理完成后弹出提示对话框 [35411]",
        "  按原图尺寸精确解码图片（较慢） [35420]",
        "工具(&T)",
        "  批量处理多个文件夹 [35205]",
        "帮助(&H)",
        "  使用指南 [35206]",
        "  -",
        "  在桌面创建快捷启动方式 [35207]",
        "  -",
        "  官方网站 [35208]",
        "  关于(&A)... [35209]",
    };
    EXPECT_EQ(lines, expected);
}

TEST_F(MainWindowMenusTest, ContextMenusAndPopUps) {
    EXPECT_EQ(dump(window->popupMenu(Popup::PasteContext)), (std::vector<std::string>{"新建 [35300]",
                                                                                      "插入 [35301]",
                                                                                      "-",
                                                                                      "编辑 [35302]",
                                                                                      "-",
                                                                                      "复制 [35303]",
                                                                                      "删除 [35304]",
                                                                                      "-",
                                                                                      "添加多宫格 [35305]",
                                                                                      "添加心型图 [35306]",
                                                                                      "-",
                                                                                      "层次",
                                                                                      "  背景上方 [35412]",
                                                                                      "  背景下方 [35413]",
                                                                                      "溢出样式",
                                                                                      "  等比例缩小 [35414]",
                                                                                      "  等比例缩放 [35415]",
                                                                                      "  填充式缩放 [35416]",
                                                                                      "  裁剪左上角 [35417]",
                                                                                      "  裁剪正中间 [35418]",
                                                                                      "  自定义 [35419]"}));
    EXPECT_EQ(dump(window->popupMenu(Popup::WatermarkContext)),
              (std::vector<std::string>{"新建 [35307]", "插入 [35308]", "-", "编辑 [35309]",
                                        "更换图片 [35310]", "-", "删除 [35311]"}));
    EXPECT_EQ(dump(window->popupMenu(Popup::SliceContext)),
              (std::vector<std::string>{"新建 [35312]", "-", "编辑 [35313]", "-", "删除 [35314]"}));
    EXPECT_EQ(dump(window->popupMenu(Popup::CurrentLevel)),
              (std::vector<std::string>{"背景上方 [35316]", "背景下方 [35317]"}));
    EXPECT_EQ(dump(window->popupMenu(Popup::CurrentStyle)),
              (std::vector<std::string>{"等比例缩小 [35318]", "等比例缩放 [35322]", "填充式缩放 [35319]",
                                        "裁剪左上角 [35320]", "裁剪正中间 [35321]", "自定义... [35323]"}));
    EXPECT_EQ(dump(window->popupMenu(Popup::Zoom)),
              (std::vector<std::string>{"25% [35324]", "50% [35325]", "75% [35326]", "100% [35327]",
                                        "200% [35328]", "300% [35329]", "400% [35330]", "500% [35331]",
                                        "600% [35332]", "700% [35333]", "800% [35334]"}));
    EXPECT_EQ(dump(window->popupMenu(Popup::Dpi)),
              (std::vector<std::string>{"自定义... [35335]", "-", "350 dpi [35336]", "300 dpi [35337]",
                                        "150 dpi [35338]", "120 dpi [35339]", " 96 dpi [35340]",
                                        " 72 dpi [35341]"}));
    // The load mode pop-up is the settings menu's sub-menu itself.
    EXPECT_EQ(window->popupMenu(Popup::LoadMode), window->action(cmd::kLoadModePictures)->parent());
}

TEST_F(MainWindowMenusTest, EveryItemReachesTheDispatcherWithItsIdentifier) {
    const int ranges[][2] = {{cmd::kNewTemplate, cmd::kAbout},
                             {cmd::kPasteNew, cmd::kDpiLastFixed},
                             {cmd::kDefaultLevelAbove, cmd::kSelectedStyleLast}};
    std::vector<int> expected;
    for (const auto& range : ranges) {
        recordCommands(range[0], range[1]);
        for (int id = range[0]; id <= range[1]; ++id) {
            if (id == cmd::kRefresh) continue;  // the canvas's own context menu
            QAction* action = window->action(id);
            ASSERT_NE(action, nullptr) << id;
            action->trigger();
            expected.push_back(id);
        }
    }
    EXPECT_EQ(ran, expected);
}

TEST_F(MainWindowMenusTest, AcceleratorsSendTheirCommands) {
    recordCommands(cmd::kToggleInfoWindow, cmd::kToggleInfoWindow);
    recordCommands(cmd::kNewTemplate, cmd::kSaveTemplate);
    std::map<std::string, int> keys;
    for (QShortcut* shortcut : window->findChildren<QShortcut*>()) {
        ran.clear();
        emit shortcut->activated();
        ASSERT_EQ(ran.size(), 1u);
        keys[shortcut->key().toString().toStdString()] = ran.front();
        EXPECT_EQ(shortcut->context(), Qt::ApplicationShortcut);
    }
    EXPECT_EQ(keys, (std::map<std::string, int>{
                        {"Ctrl+N", 35200}, {"Ctrl+O", 35201}, {"Ctrl+S", 35202}, {"F2", 131}}));
}

TEST_F(MainWindowMenusTest, SettingsChecksFollowTheDefaults) {
    for (int id = cmd::kDefaultLevelAbove; id <= cmd::kToggleCompletedAlert; ++id) {
        EXPECT_TRUE(window->action(id)->isCheckable()) << id;
    }
    const std::set<int> checked = {cmd::kDefaultLevelAbove, 35404, cmd::kLoadModePictures,
                                   cmd::kToggleSliceSubFolder, cmd::kToggleCompletedAlert};
    for (int id = cmd::kDefaultLevelAbove; id <= cmd::kToggleCompletedAlert; ++id) {
        EXPECT_EQ(window->action(id)->isChecked(), checked.contains(id)) << id;
    }
    EXPECT_EQ(window->statusText(kStatusLoadMode), loadModeStatusText(kPictureListMode));
    EXPECT_EQ(window->statusText(kStatusDpi), QStringLiteral("\t72 dpi"));
}

TEST_F(MainWindowMenusTest, StoredPreferencesSetTheChecksOfANewWindow) {
    store.writeNumber(pref::kDefaultLayerLevel, 1);
    store.writeNumber(pref::kDefaultOverflowStyle, 0);
    store.writeNumber(pref::kLoadMode, 1);
    store.writeNumber(pref::kSliceSubFolder, 0);
    store.writeNumber(pref::kDpi, 96);
    window.reset();
    prefs = Preferences::load(store, desktop);
    window = std::make_unique<MainWindow>(doc, prefs);
    EXPECT_FALSE(window->action(cmd::kDefaultLevelAbove)->isChecked());
    EXPECT_TRUE(window->action(cmd::kDefaultLevelBelow)->isChecked());
    EXPECT_TRUE(window->action(35402)->isChecked());
    EXPECT_FALSE(window->action(35404)->isChecked());
    EXPECT_TRUE(window->action(cmd::kLoadModeSubFolders)->isChecked());
    EXPECT_FALSE(window->action(cmd::kToggleSliceSubFolder)->isChecked());
    EXPECT_EQ(window->statusText(kStatusLoadMode), QStringLiteral("\t\t子文件夹列表模式　 "));
    EXPECT_EQ(window->statusText(kStatusDpi), QStringLiteral("\t96 dpi"));
}

TEST_F(MainWindowMenusTest, TogglingSliceSubFolderTwiceReturnsToTheStart) {
    QAction* toggle = window->action(cmd::kToggleSliceSubFolder);
    toggle->trigger();
    EXPECT_FALSE(toggle->isChecked());
    EXPECT_EQ(prefs.sliceSubFolder, 0);
    EXPECT_EQ(store.readNumber(pref::kSliceSubFolder), 0);
    toggle->trigger();
    EXPECT_TRUE(toggle->isChecked());
    EXPECT_EQ(prefs.sliceSubFolder, 1);
    EXPECT_EQ(store.readNumber(pref::kSliceSubFolder), 1);

    window->onCommand(cmd::kToggleCompletedAlert);
    EXPECT_FALSE(window->action(cmd::kToggleCompletedAlert)->isChecked());
    EXPECT_EQ(store.readNumber(pref::kCompletedAlert), 0);
}

TEST_F(MainWindowMenusTest, ExactDecodingIsOffByDefaultAndStoredWhenSwitched) {
    QAction* toggle = window->action(cmd::kToggleExactDecoding);
    ASSERT_TRUE(toggle->isCheckable());
    EXPECT_FALSE(toggle->isChecked());
    toggle->trigger();
    EXPECT_TRUE(toggle->isChecked());
    EXPECT_EQ(store.readNumber(pref::kExactDecoding), 1);

    window.reset();
    prefs = Preferences::load(store, desktop);
    window = std::make_unique<MainWindow>(doc, prefs);
    EXPECT_TRUE(window->action(cmd::kToggleExactDecoding)->isChecked());
    window->onCommand(cmd::kToggleExactDecoding);
    EXPECT_EQ(prefs.exactDecoding, 0);
    EXPECT_EQ(store.readNumber(pref::kExactDecoding), 0);
}

TEST_F(MainWindowMenusTest, ChoosingScaleProportionallyStoresFourAndChecksTheSecondItem) {
    window->action(35403)->trigger();
    EXPECT_EQ(prefs.defaultOverflowStyle, 4);
    EXPECT_EQ(store.readNumber(pref::kDefaultOverflowStyle), 4);
    const QList<QAction*> items = qobject_cast<QMenu*>(window->action(35403)->parent())->actions();
    for (int i = 0; i < items.size(); ++i)
        EXPECT_EQ(items[i]->isChecked(), i == 1) << i;

    // Choosing the checked item again keeps its check mark.
    window->action(35403)->trigger();
    EXPECT_TRUE(window->action(35403)->isChecked());

    window->onCommand(cmd::kDefaultLevelBelow);
    EXPECT_EQ(store.readNumber(pref::kDefaultLayerLevel), 1);
    EXPECT_FALSE(window->action(cmd::kDefaultLevelAbove)->isChecked());
    EXPECT_TRUE(window->action(cmd::kDefaultLevelBelow)->isChecked());
}

TEST_F(MainWindowMenusTest, LoadModeRunsItsHandlerThenWritesTheStatusText) {
    QString textDuringHandler;
    int modeDuringHandler = -1;
    window->setCommandHandler(cmd::kLoadModeSubFolders, [&] {
        textDuringHandler = window->statusText(kStatusLoadMode);
        modeDuringHandler = prefs.loadMode;
    });
    window->onCommand(cmd::kLoadModeSubFolders);
    EXPECT_EQ(modeDuringHandler, kSubFolderListMode);
    EXPECT_EQ(textDuringHandler, QStringLiteral("\t\t图片列表模式　 "));
    EXPECT_EQ(window->statusText(kStatusLoadMode), QStringLiteral("\t\t子文件夹列表模式　 "));
    EXPECT_EQ(store.readNumber(pref::kLoadMode), 1);
    EXPECT_TRUE(window->action(cmd::kLoadModeSubFolders)->isChecked());
    EXPECT_FALSE(window->action(cmd::kLoadModePictures)->isChecked());

    window->onCommand(cmd::kLoadModePictures);
    EXPECT_EQ(window->statusText(kStatusLoadMode), QStringLiteral("\t\t图片列表模式　 "));
}

TEST_F(MainWindowMenusTest, FixedDpiIsStoredAndShown) {
    window->onCommand(35337);
    EXPECT_EQ(prefs.dpi, 300);
    EXPECT_EQ(store.readNumber(pref::kDpi), 300);
    EXPECT_EQ(window->statusText(kStatusDpi), QStringLiteral("\t300 dpi"));
    window->setDpi(640);
    EXPECT_EQ(store.readNumber(pref::kDpi), 640);
    EXPECT_EQ(window->statusText(kStatusDpi), QStringLiteral("\t640 dpi"));
}

TEST_F(MainWindowMenusTest, StatusPartsOpenTheirPopUpsWithTheCurrentValueChecked) {
    window->show();
    window->setZoomStatus(2);
    emit window->statusParts()->partClicked(kStatusZoom);
    QMenu* zoom = window->popupMenu(Popup::Zoom);
    EXPECT_TRUE(zoom->isVisible());
    for (int id = cmd::kZoomFirst; id <= cmd::kZoomLast; ++id)
        EXPECT_EQ(window->action(id)->isChecked(), id == 35328);
    zoom->hide();

    window->onCommand(35338);
    emit window->statusParts()->partClicked(kStatusDpi);
    EXPECT_TRUE(window->popupMenu(Popup::Dpi)->isVisible());
    for (int id = cmd::kDpiCustom; id <= cmd::kDpiLastFixed; ++id)
        EXPECT_EQ(window->action(id)->isChecked(), id == 35338);
    window->popupMenu(Popup::Dpi)->hide();

    emit window->statusParts()->partClicked(kStatusLoadMode);
    EXPECT_TRUE(window->popupMenu(Popup::LoadMode)->isVisible());
    EXPECT_TRUE(window->action(cmd::kLoadModePictures)->isChecked());
    window->popupMenu(Popup::LoadMode)->hide();

    emit window->statusParts()->partClicked(kStatusCursor);
    for (Popup popup : {Popup::Zoom, Popup::Dpi, Popup::LoadMode})
        EXPECT_FALSE(window->popupMenu(popup)->isVisible());
}

}  // namespace
}  // namespace plazor
