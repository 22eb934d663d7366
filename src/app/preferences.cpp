#include "app/preferences.h"

#include "app/command_ids.h"
#include "shell/settings_store.h"
#include "template/names.h"
#include "template/units.h"
#include "util/fs.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>

namespace plazor {
namespace {

// A stored value outside its range would give new layers an unknown level or style, or divide sizes
// by a DPI of 0; it keeps its default like an unreadable one.
void readRanged(const SettingsStore& store, const char* name, int low, int high, int& value) {
    if (const auto stored = store.readNumber(name); stored && *stored >= low && *stored <= high)
        value = *stored;
}

void readFlag(const SettingsStore& store, const char* name, int& value) {
    if (const auto stored = store.readNumber(name)) value = *stored != 0 ? 1 : 0;
}

std::string readFolder(const SettingsStore& store, const char* name, const std::string& desktop) {
    const auto stored = store.readText(name, kDialogFolderBufferBytes);
    return stored && !stored->empty() && isFolder(*stored) ? *stored : desktop;
}

constexpr std::array<int, cmd::kDpiLastFixed - cmd::kDpiFirstFixed + 1> kFixedDpis = {350, 300, 150,
                                                                                      120, 96,  72};

}  // namespace

Preferences Preferences::load(SettingsStore& store, const std::string& desktop) {
    Preferences prefs;
    prefs.store_ = &store;
    readRanged(store, pref::kDefaultLayerLevel, 0, 1, prefs.defaultLayerLevel);
    readRanged(store, pref::kDefaultOverflowStyle, 0, static_cast<int>(kOverflowStyleListOrder.size()) - 1,
               prefs.defaultOverflowStyle);
    readRanged(store, pref::kLoadMode, kPictureListMode, kSubFolderListMode, prefs.loadMode);
    readFlag(store, pref::kSliceSubFolder, prefs.sliceSubFolder);
    readFlag(store, pref::kCompletedAlert, prefs.completedAlert);
    readRanged(store, pref::kDpi, kMinDpi, kMaxDpi, prefs.dpi);
    prefs.backgroundDialogFolder = readFolder(store, pref::kBackgroundDialogFolder, desktop);
    prefs.watermarkDialogFolder = readFolder(store, pref::kWatermarkDialogFolder, desktop);
    readFlag(store, pref::kCheckShortcut, prefs.checkShortcut);
    return prefs;
}

void Preferences::store(const char* name, int value) {
    if (store_) store_->writeNumber(name, value);
}

void Preferences::setDefaultLayerLevel(int level) {
    defaultLayerLevel = level;
    store(pref::kDefaultLayerLevel, level);
}

void Preferences::setDefaultOverflowStyle(int style) {
    defaultOverflowStyle = style;
    store(pref::kDefaultOverflowStyle, style);
}

void Preferences::setLoadMode(int mode) {
    loadMode = mode;
    store(pref::kLoadMode, mode);
}

void Preferences::toggleSliceSubFolder() {
    sliceSubFolder = sliceSubFolder ? 0 : 1;
    store(pref::kSliceSubFolder, sliceSubFolder);
}

void Preferences::toggleCompletedAlert() {
    completedAlert = completedAlert ? 0 : 1;
    store(pref::kCompletedAlert, completedAlert);
}

void Preferences::setDpi(int value) {
    dpi = value;
    store(pref::kDpi, value);
}

void Preferences::clearShortcutOffer() {
    checkShortcut = 0;
    store(pref::kCheckShortcut, 0);
}

void Preferences::storeDialogFolders() {
    if (!store_) return;
    store_->writeText(pref::kBackgroundDialogFolder, backgroundDialogFolder);
    store_->writeText(pref::kWatermarkDialogFolder, watermarkDialogFolder);
}

QString loadModeStatusText(int mode) {
    return mode == kSubFolderListMode
               ? QCoreApplication::translate("plazor::Preferences", "\t\t子文件夹列表模式　 ")
               : QCoreApplication::translate("plazor::Preferences", "\t\t图片列表模式　 ");
}

QString dpiStatusText(int dpi) {
    return QCoreApplication::translate("plazor::Preferences", "\t%1 dpi").arg(dpi);
}

int defaultStyleCommand(int style) {
    return cmd::kDefaultStyleFirst + listPositionOfOverflowStyle(static_cast<unsigned>(style));
}

int styleOfDefaultStyleCommand(int command) {
    return static_cast<int>(overflowStyleAtListPosition(command - cmd::kDefaultStyleFirst));
}

int fixedDpiOfCommand(int command) {
    if (command < cmd::kDpiFirstFixed || command > cmd::kDpiLastFixed) return 0;
    return kFixedDpis[static_cast<std::size_t>(command - cmd::kDpiFirstFixed)];
}

int commandOfFixedDpi(int dpi) {
    const auto* it = std::ranges::find(kFixedDpis, dpi);
    return it == kFixedDpis.end() ? 0 : cmd::kDpiFirstFixed + static_cast<int>(it - kFixedDpis.begin());
}

}  // namespace plazor
