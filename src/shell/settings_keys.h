// The names in the settings stores. Earlier versions of both programs wrote the same names, so a user's
// preferences and the companion's last bind title are found again after an update, and the programs of
// different versions share one store. Do not rename any of these.
#pragma once

#include <string_view>

namespace plazor {

// The store of the main program and that of the companion program.
inline constexpr std::string_view kMainSettingsKey = "PlazorTramu";
inline constexpr std::string_view kCompanionSettingsKey = "PlazorTramu_fz";

// Value names in the main program's store.
namespace pref {
inline constexpr const char* kDefaultLayerLevel = "default_pictures_layer_level";
inline constexpr const char* kDefaultOverflowStyle = "default_pictures_overflow_style";
inline constexpr const char* kLoadMode = "default_pictures_source_load_mode";
inline constexpr const char* kSliceSubFolder = "save_cutline_use_sub_folder";
inline constexpr const char* kCompletedAlert = "completed_alert";
inline constexpr const char* kDpi = "dpi";
inline constexpr const char* kBackgroundDialogFolder = "file_dlg_choose_background";
inline constexpr const char* kWatermarkDialogFolder = "dlg_choose_watermark";
inline constexpr const char* kCheckShortcut = "check_shortcut_status";
inline constexpr const char* kExactDecoding = "exact_picture_decoding";
}  // namespace pref

// The value name in the companion's store: the bind title last used.
inline constexpr const char* kBindTitleValue = "find_window_title";

}  // namespace plazor
