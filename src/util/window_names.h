// Window class names and window titles kept for the program's peers. The companion program finds the
// editor's main window by its class and the start of its title, and keeps clear of its own window by
// that window's title; a companion of another version looks for the same names. The dialogs keep the
// class names they have always had, by which the event filter and tools that drive the editor find
// them. Do not rename any of these.
#pragma once

namespace plazor::window_names {

// The class of both programs' main windows; their titles tell them apart.
inline constexpr const char* kMainWindowClass = "CodeBlocksWindowsApp";
inline constexpr const char* kCanvasClass = "Preview";
inline constexpr const char* kProgressWindowClass = "Process";
inline constexpr const char* kPasteLayerDialogClass = "Dialog_Picture_Layer_Property";
inline constexpr const char* kWatermarkDialogClass = "Dialog_Watermark_Layer_Property";
inline constexpr const char* kSliceDialogClass = "Dialog_CutLine_Layer_Property";
inline constexpr const char* kCustomStyleWindowClass = "Dialog_Picture_Customize";
inline constexpr const char* kMultiGridDialogClass = "Dialog_Multi_Grid";
inline constexpr const char* kHeartDialogClass = "Dialog_Heart_Layout";
inline constexpr const char* kInputBoxClass = "Input_Dialog_";

// The editor's main window is titled this, then the template's name.
inline constexpr const char* kMainTitlePrefix = "Plazor图片排版工具 - ";
// The companion's window; the companion never binds to a window of this title.
inline constexpr const char* kCompanionTitle = "批量处理多个文件夹 - Plazor图片排版工具";
// The title the companion offers to bind to at first: an editor with a new template.
inline constexpr const char* kDefaultBindTitle = "Plazor图片排版工具 - 新模版";

}  // namespace plazor::window_names
