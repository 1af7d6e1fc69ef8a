#pragma once

// Menu and accelerator command ids, kept from the resource script.
namespace CommandIds {
constexpr int FileNew = 57600;
constexpr int FileOpen = 57601;
constexpr int FileClose = 57602;
constexpr int FileSave = 57603;
constexpr int FileSaveAs = 57604;
constexpr int FileMru1 = 57616;
// Reads the active document's file again.
constexpr int FileReload = 32790;
// What the active document changed since it was saved, or how it differs
// from another file.
constexpr int FileCompareSaved = 32801;
constexpr int FileCompareWith = 32802;
constexpr int AppExit = 57665;
constexpr int EditUndo = 57643;
constexpr int EditRedo = 57644;
constexpr int EditCut = 57635;
constexpr int EditCopy = 57634;
constexpr int EditPaste = 57637;
// Ctrl+D: a copy of the selected package or application under a new name.
constexpr int EditDuplicate = 32801;
constexpr int AppAbout = 57664;
constexpr int HelpFinder = 57667;
constexpr int Help = 57670;
constexpr int ViewToolbar = 59392;
constexpr int ViewStatusBar = 59393;
constexpr int ViewWeekSchedule = 32800;
constexpr int WindowNew = 57648;
constexpr int WindowArrange = 57649;
constexpr int WindowCascade = 57650;
constexpr int WindowTile = 57651;
constexpr int NextPane = 57680;
constexpr int PrevPane = 57681;
constexpr int NewApplication = 32774;
constexpr int NewPackage = 32775;
constexpr int Delete = 32782;
constexpr int Insert = 32783;
// Delete in the detail lists' popup menu 159.
constexpr int ListDelete = 1002;
} // namespace CommandIds

// Resource ids of the menus.
namespace MenuIds {
constexpr int NoDocument = 128;
constexpr int Configuration = 129;
constexpr int TaskFile = 167;
} // namespace MenuIds
