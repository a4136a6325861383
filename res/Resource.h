#pragma once

// The resource, command and control IDs: one place for the menu, toolbar,
// accelerators, string table and dialogs. The commands numbered 32771 and up
// are the program's own; the others are the standard framework commands.

enum ResourceId : int
{
    IDR_MAINFRAME = 128,  // menu, toolbar 128, accelerators, icon, template string
    // 130, the progress dialog, is laid out in updater/ProgressDlgLayout.h.
    IDB_TOOLBAR_HICOLOR = 131,
    IDD_ABOUTBOX = 132,
    IDB_ABOUT = 133,
};

enum ControlId : int
{
    IDC_HOMEPAGE = 1006,
    IDC_ABOUT_TEXT = 1007,
};

enum CommandId : int
{
    ID_UPDATE_DATABASE = 32771,
    ID_GO_UP = 32774,
    ID_PREV_ITEM = 32775,
    ID_NEXT_ITEM = 32776,
    ID_VISIT_HOMEPAGE = 32778,

    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_PRINT = 57607,
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_UNDO = 57643,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
};

enum StringId : int
{
    IDS_APP_TITLE = 57344,
    IDS_IDLE_MESSAGE = 57345,
};
