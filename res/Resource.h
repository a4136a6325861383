#pragma once

#include "app/framework/FrameworkIds.h"

// The resource, command and control IDs: one place for the menu, toolbar,
// accelerators, string table and dialogs. The commands numbered 32771 and up
// are the program's own; the standard ones are the framework's.

inline constexpr int IDR_MAINFRAME = 128;  // menu, toolbar 128, accelerators, icon, template string
// 130, the progress dialog, is laid out in updater/dialog/ProgressDlgLayout.h.
inline constexpr int IDB_TOOLBAR_HICOLOR = 131;
inline constexpr int IDD_ABOUTBOX = 132;
inline constexpr int IDB_ABOUT = 133;

inline constexpr int IDC_HOMEPAGE = 1006;
inline constexpr int IDC_ABOUT_TEXT = 1007;

inline constexpr int ID_UPDATE_DATABASE = 32771;
inline constexpr int ID_GO_UP = 32774;
inline constexpr int ID_PREV_ITEM = 32775;
inline constexpr int ID_NEXT_ITEM = 32776;
inline constexpr int ID_VISIT_HOMEPAGE = 32778;
inline constexpr int ID_FIND_CATALOG = 32779;  // focuses the toolbar's search field
inline constexpr int ID_VIEW_DOWNLOADS = 32780;  // shows the downloads list
