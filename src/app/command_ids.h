// Identifiers of the main window's commands and controls: the one place they are written. They are the
// program's internal command bus: menus, accelerators, controls, the canvas and external tasks all reach
// MainWindow::onCommand with these numbers.
//
// The numbers are fixed, not just unique: they are the identifiers the program's earlier versions gave
// their menu items and controls, and each control's object name is its number (MainWindow::control), by
// which tests and tools that drive the editor find it. Do not renumber them; a new command takes a
// number of its own.
#pragma once

namespace plazor::cmd {

// Accelerator F2: show or hide the info window.
inline constexpr int kToggleInfoWindow = 131;

// Menu "文件(&F)", "工具(&T)", "帮助(&H)".
inline constexpr int kNewTemplate = 35200;
inline constexpr int kOpenTemplate = 35201;
inline constexpr int kSaveTemplate = 35202;
inline constexpr int kSaveTemplateAs = 35203;
inline constexpr int kExit = 35204;
inline constexpr int kBatchFolders = 35205;
inline constexpr int kUserGuide = 35206;
inline constexpr int kDesktopShortcut = 35207;
inline constexpr int kWebSite = 35208;
inline constexpr int kAbout = 35209;

// Menu "编辑(&E)": undo and redo of the template's edits.
inline constexpr int kUndo = 35210;
inline constexpr int kRedo = 35211;

// Paste list context menu.
inline constexpr int kPasteNew = 35300;
inline constexpr int kPasteInsert = 35301;
inline constexpr int kPasteEdit = 35302;
inline constexpr int kPasteCopy = 35303;
inline constexpr int kPasteDelete = 35304;
inline constexpr int kPasteMultiGrid = 35305;
inline constexpr int kPasteHeart = 35306;

// Watermark list context menu.
inline constexpr int kWatermarkNew = 35307;
inline constexpr int kWatermarkInsert = 35308;
inline constexpr int kWatermarkEdit = 35309;
inline constexpr int kWatermarkChangePicture = 35310;
inline constexpr int kWatermarkDelete = 35311;

// Slice list context menu.
inline constexpr int kSliceNew = 35312;
inline constexpr int kSliceEdit = 35313;
inline constexpr int kSliceDelete = 35314;

// Canvas context menu "刷新".
inline constexpr int kRefresh = 35315;

// Level pop-up of the current paste layer: level 0, 1.
inline constexpr int kCurrentLevelAbove = 35316;
inline constexpr int kCurrentLevelBelow = 35317;
// Style pop-up of the current paste layer: kCurrentStyleFirst + style value for styles 0 to 5.
inline constexpr int kCurrentStyleFirst = 35318;
inline constexpr int kCurrentStyleLast = 35323;

// Zoom pop-up: one identifier per zoom step, in the order of the steps.
inline constexpr int kZoomFirst = 35324;
inline constexpr int kZoomLast = 35334;

// DPI pop-up: custom, then 350, 300, 150, 120, 96, 72.
inline constexpr int kDpiCustom = 35335;
inline constexpr int kDpiFirstFixed = 35336;
inline constexpr int kDpiLastFixed = 35341;

// The canvas's context menu: alignment of the selected paste layers, and one item per layer under the
// pointer (the base plus the layer's number).
inline constexpr int kAlignTop = 35342;
inline constexpr int kAlignBottom = 35343;
inline constexpr int kAlignLeft = 35344;
inline constexpr int kAlignRight = 35345;
inline constexpr int kCanvasPasteItemBase = 35700;
inline constexpr int kCanvasWatermarkItemBase = 35800;
inline constexpr int kCanvasSliceItemBase = 35900;

// Settings menu.
inline constexpr int kDefaultLevelAbove = 35400;
inline constexpr int kDefaultLevelBelow = 35401;
inline constexpr int kDefaultStyleFirst = 35402;  // menu order: 0, 4, 1, 2, 3, 5
inline constexpr int kDefaultStyleLast = 35407;
inline constexpr int kLoadModePictures = 35408;
inline constexpr int kLoadModeSubFolders = 35409;
inline constexpr int kToggleSliceSubFolder = 35410;
inline constexpr int kToggleCompletedAlert = 35411;
inline constexpr int kToggleExactDecoding = 35420;

// Paste list context menu sub-menus, for all selected paste layers.
inline constexpr int kSelectedLevelAbove = 35412;
inline constexpr int kSelectedLevelBelow = 35413;
inline constexpr int kSelectedStyleFirst = 35414;  // menu order: 0, 4, 1, 2, 3, 5
inline constexpr int kSelectedStyleLast = 35419;

}  // namespace plazor::cmd

namespace plazor::ctl {

inline constexpr int kCanvasHost = 36100;
inline constexpr int kSidePanel = 36101;

// Background block.
inline constexpr int kBackgroundPath = 36102;
inline constexpr int kChooseBackground = 36103;
inline constexpr int kBackgroundWidth = 36104;
inline constexpr int kBackgroundHeight = 36105;
inline constexpr int kUnitList = 36106;
inline constexpr int kColourList = 36107;
inline constexpr int kSwatch = 36108;
inline constexpr int kPictureOption = 36109;
inline constexpr int kCustomOption = 36110;

// Paste block.
inline constexpr int kPasteList = 36111;
inline constexpr int kSourceFolder = 36112;
inline constexpr int kChooseSource = 36113;

// Watermark and slice blocks.
inline constexpr int kWatermarkList = 36114;
inline constexpr int kWatermarksOn = 36115;
inline constexpr int kSliceList = 36116;
inline constexpr int kSlicesOn = 36117;
inline constexpr int kSliceHtml = 36118;

// Caption check boxes.
inline constexpr int kPasteShowAreas = 36119;
inline constexpr int kShowPictures = 36120;
inline constexpr int kWatermarkShowAreas = 36121;

// Output block. The format list and the colour-space list share one identifier.
inline constexpr int kFormatList = 36122;
inline constexpr int kTransparency = 36123;
inline constexpr int kPng8 = 36124;
inline constexpr int kColourCount = 36125;
inline constexpr int kOutputFolder = 36126;
inline constexpr int kChooseOutput = 36127;
inline constexpr int kStart = 36128;
// The quality track bar has no identifier of its own; its moves reach the step bracket under this one.
inline constexpr int kQualitySlider = 36129;

}  // namespace plazor::ctl
