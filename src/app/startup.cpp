#include "app/startup.h"

#include "app/command_ids.h"
#include "app/desktop_launcher.h"
#include "app/event_filter.h"
#include "app/image_library_check.h"
#include "app/info_window.h"
#include "app/main_window.h"
#include "app/preferences.h"
#include "shell/common_dialogs.h"
#include "shell/settings_store.h"
#include "template/document.h"
#include "util/fs.h"
#include "util/magick.h"
#include "util/product.h"
#include "util/special_folders.h"

#include <QApplication>
#include <QCoreApplication>
#include <QScreen>
#include <QStatusBar>

#include <unistd.h>

#include <algorithm>
#include <filesystem>

namespace plazor {

namespace fs = std::filesystem;

namespace {

// Gives the start-up's texts their translation context.
class Startup {
    Q_DECLARE_TR_FUNCTIONS(Startup)
};

bool isInsideFolder(const std::string& path, const std::string& folder) {
    const fs::path inner = fs::path(path).lexically_normal();
    const fs::path outer = fs::path(folder).lexically_normal();
    const auto outerEnd = std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end()).first;
    // A trailing separator leaves an empty last element in `outer`.
    return outerEnd == outer.end() || (std::next(outerEnd) == outer.end() && outerEnd->empty());
}

void installShellCommands(EditorContext& context) {
    context.window.setCommandHandler(cmd::kToggleInfoWindow, [&info = context.info] { info.toggle(); });
    context.window.setCommandHandler(cmd::kDesktopShortcut, [&context] {
        createDesktopShortcut(context.ui, &context.window, context.folders.desktop, programFile());
    });
}

}  // namespace

std::string templatesFolderFor(const std::string& programFolder, bool programFolderWritable,
                               const std::string& documentsFolder) {
    return joinPath(programFolderWritable ? programFolder : documentsFolder, kTemplatesFolderName);
}

StartupFolders fixStartupFolders() {
    StartupFolders folders;
    folders.desktop = desktopFolder();
    folders.program = programFolder();
    const std::string beside = joinPath(folders.program, kTemplatesFolderName);
    // A templates folder already beside the program counts only if it may be written to as well.
    const bool writable =
        isFolder(beside) ? access(beside.c_str(), W_OK) == 0 : access(folders.program.c_str(), W_OK) == 0;
    folders.templates = templatesFolderFor(folders.program, writable, documentsFolder());
    std::error_code ec;
    fs::create_directories(folders.templates, ec);
    return folders;
}

ImageLibraryChecks realImageLibraryChecks() {
    return {imageLibraryHasJpegCoder, [](std::string& error) { return probeImageLibrary(error); }};
}

std::optional<int> checkImageLibrary(UiPort& ui, const std::string& programFolder,
                                     const ImageLibraryChecks& checks) {
    std::string error;
    // The JPEG coder is asked for first: without it the probe fails too, but says less.
    const auto validate = [&] { return checks.hasJpegCoder() && checks.probe(error); };
    const bool works = isFolder(privateCoderFolder(programFolder))
                           ? setUpImageEnvironment(programFolder, validate)
                           : validate();
    if (works) return std::nullopt;

    if (!checks.hasJpegCoder()) {
        showMessage(
            ui, nullptr,
            Startup::tr("软件无法正常启动，可能是没有对下载的软件压缩包进行正确的解压缩。\n\n点击[确定]"
                        "按钮，查看正确的解压缩方式。"),
            Startup::tr("提示"), UiIcon::Error);
        ui.openUrl(QString::fromUtf8(product::kUnpackPage));
        return -1;
    }
    showMessage(
        ui, nullptr,
        Startup::tr("图片处理组件无法读取图片，软件无法正常启动。\n\n%1").arg(QString::fromStdString(error)),
        Startup::tr("提示"), UiIcon::Error);
    return 0;
}

QString pixelSizeText(int width, int height) {
    return Startup::tr("%1 x %2 像素").arg(width).arg(height);
}

bool shouldOfferShortcut(bool offerEnabled, const std::string& programFolder,
                         const std::string& desktopFolder) {
    return offerEnabled && !isInsideFolder(programFolder, desktopFolder) &&
           !fs::exists(fs::path(desktopLauncherPath(desktopFolder)));
}

ShortcutAnswer askForShortcut(UiPort& ui, QWidget* owner) {
    MessageBoxRequest request;
    request.owner = owner;
    request.text = Startup::tr("需要在桌面上创建一个软件打开的快捷方式吗？");
    request.caption = Startup::tr("询问");
    request.icon = UiIcon::Question;
    request.buttons = UiButtons::YesNoCancel;
    // The system's yes button stays; the other two are renamed.
    request.labels = {QString(), Startup::tr("不再提示"), Startup::tr("否(&N)")};
    request.defaultButton = UiButton::Yes;
    switch (ui.messageBox(request)) {
        case UiButton::Yes:
            return ShortcutAnswer::Create;
        case UiButton::No:
            return ShortcutAnswer::NeverAsk;
        default:
            return ShortcutAnswer::NotNow;
    }
}

void offerDesktopShortcut(UiPort& ui, QWidget* owner, bool offerEnabled, const StartupFolders& folders,
                          const std::function<void()>& create, const std::function<void()>& neverAskAgain) {
    if (!shouldOfferShortcut(offerEnabled, folders.program, folders.desktop)) return;
    switch (askForShortcut(ui, owner)) {
        case ShortcutAnswer::Create:
            create();
            break;
        case ShortcutAnswer::NeverAsk:
            neverAskAgain();
            break;
        case ShortcutAnswer::NotNow:
            break;
    }
}

int runEditor(UiPort& ui, BalloonRegister& balloons, const EditorParts& parts) {
    Document doc;
    const StartupFolders folders = fixStartupFolders();
    // Relative image-library paths are relative to the program folder.
    std::error_code ec;
    fs::current_path(folders.program, ec);

    ensureMagickStarted();
    if (const std::optional<int> exitCode =
            checkImageLibrary(ui, folders.program, realImageLibraryChecks())) {
        return *exitCode;
    }

    SettingsStore store(kMainSettingsKey);
    Preferences prefs = Preferences::load(store, folders.desktop);
    doc.background.dpi = prefs.dpi;

    MainWindow window(doc, prefs);
    const QScreen* screen = window.screen();
    const QSize reference =
        screen ? QSize(screen->geometry().width() * 4 / 5, screen->availableGeometry().height() * 4 / 5)
               : QSize(1024, 768);
    setClientSize(&window, reference.width(), reference.height(), window.statusBar());
    centreOnScreen(&window);

    InfoWindow info(&window);
    EditorContext context{ui, doc, prefs, window, info, folders, reference};
    installShellCommands(context);
    if (parts.installCommands) parts.installCommands(context);

    AppEventFilter filter(balloons);
    qApp->installEventFilter(&filter);

    window.showMaximized();
    window.setStatusText(kStatusBackgroundSize, pixelSizeText(doc.background.width, doc.background.height));
    if (parts.afterShow) parts.afterShow();

    offerDesktopShortcut(
        ui, &window, prefs.checkShortcut != 0, folders,
        [&window] { window.onCommand(cmd::kDesktopShortcut); }, [&prefs] { prefs.clearShortcutOffer(); });

    return QApplication::exec();
}

}  // namespace plazor
