#pragma once

#include <cstdint>

// The device library's basic types, message numbers and style bits, with their usual values, so
// that dialog code and templates read as they would on the device.

using UINT = unsigned int;
using BOOL = int;
using INT_PTR = intptr_t;
using UINT_PTR = uintptr_t;
using LPARAM = intptr_t;
using WPARAM = uintptr_t;
using LRESULT = intptr_t;
using DWORD = uint32_t;
using DWORD_PTR = uintptr_t;

inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDC_STATIC = -1;

// Messages that carry notifications to the dialog.
inline constexpr UINT WM_COMMAND = 0x0111;
inline constexpr UINT WM_NOTIFY = 0x004E;

// Notification codes.
inline constexpr int BN_CLICKED = 0;
inline constexpr int EN_SETFOCUS = 0x0100;
inline constexpr int NM_CLICK = -2;
inline constexpr int LVN_COLUMNCLICK = -108;
inline constexpr int NM_DBLCLK = -3;
inline constexpr int NM_RETURN = -4;
inline constexpr int LVN_KEYDOWN = -155;
inline constexpr int EN_CHANGE = 0x0300;
inline constexpr int DTN_DATETIMECHANGE = -759;
inline constexpr int DTN_CLOSEUP = -753;
inline constexpr int CBN_SELCHANGE = 1;

// The header every WM_NOTIFY carries.
struct NMHDR {
    void* hwndFrom = nullptr;
    UINT_PTR idFrom = 0;
    int code = 0;
};

// LVN_COLUMNCLICK's payload: iSubItem is the clicked column.
struct NMLISTVIEW {
    NMHDR hdr;
    int iItem = -1;
    int iSubItem = 0;
};

// LVN_KEYDOWN's payload: the virtual key pressed in the list.
struct NMLVKEYDOWN {
    NMHDR hdr;
    uint16_t wVKey = 0;
};

// ShowWindow commands.
inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOW = 5;

// Message box types and results.
inline constexpr UINT MB_OK = 0x0;
inline constexpr UINT MB_OKCANCEL = 0x1;
inline constexpr UINT MB_ICONERROR = 0x10;
inline constexpr UINT MB_ICONWARNING = 0x30;
inline constexpr UINT MB_ICONINFORMATION = 0x40;

inline constexpr int ICON_SMALL = 0;
inline constexpr int ICON_BIG = 1;

inline constexpr UINT LVNI_SELECTED = 0x0002;
inline constexpr int LVCFMT_LEFT = 0;
inline constexpr int LVCFMT_RIGHT = 1;
// SetColumnWidth: fit the column to its texts, or to its texts and its title.
inline constexpr int LVSCW_AUTOSIZE = -1;
inline constexpr int LVSCW_AUTOSIZE_USEHEADER = -2;

// Virtual keys the dialogs react to.
inline constexpr UINT VK_BACK = 0x08;
inline constexpr UINT VK_RETURN = 0x0D;
inline constexpr UINT VK_ESCAPE = 0x1B;
inline constexpr UINT VK_DELETE = 0x2E;

// Window styles.
inline constexpr DWORD WS_POPUP = 0x80000000;
inline constexpr DWORD WS_VISIBLE = 0x10000000;
inline constexpr DWORD WS_CAPTION = 0x00C00000;
inline constexpr DWORD WS_BORDER = 0x00800000;
inline constexpr DWORD WS_SYSMENU = 0x00080000;
inline constexpr DWORD WS_GROUP = 0x00020000;
inline constexpr DWORD WS_TABSTOP = 0x00010000;
inline constexpr DWORD WS_VSCROLL = 0x00200000;
inline constexpr DWORD WS_HSCROLL = 0x00100000;
inline constexpr DWORD DS_MODALFRAME = 0x80;
// A dialog's frame: a resizable border and a maximize box. (For a control, the same bits mean
// WS_GROUP and WS_TABSTOP, as on the device.)
inline constexpr DWORD WS_THICKFRAME = 0x00040000;
inline constexpr DWORD WS_MINIMIZEBOX = 0x00020000;
inline constexpr DWORD WS_MAXIMIZEBOX = 0x00010000;

// Extended window styles.
inline constexpr DWORD WS_EX_DLGMODALFRAME = 0x00000001;
inline constexpr DWORD WS_EX_CLIENTEDGE = 0x00000200;
inline constexpr DWORD WS_EX_STATICEDGE = 0x00020000;
inline constexpr DWORD WS_EX_APPWINDOW = 0x00040000;
inline constexpr DWORD WS_EX_CAPTIONOKBTN = 0x80000000;

// Button styles (the low nibble is the button type).
inline constexpr DWORD BS_PUSHBUTTON = 0x0;
inline constexpr DWORD BS_DEFPUSHBUTTON = 0x1;
inline constexpr DWORD BS_AUTOCHECKBOX = 0x3;
inline constexpr DWORD BS_GROUPBOX = 0x7;
inline constexpr DWORD BS_AUTORADIOBUTTON = 0x9;
inline constexpr DWORD BS_TYPEMASK = 0xF;
inline constexpr DWORD BS_MULTILINE = 0x2000;

// Combo box styles: a list to choose from, without an edit of its own.
inline constexpr DWORD CBS_DROPDOWNLIST = 0x3;
inline constexpr int CB_ERR = -1;

// Edit styles.
inline constexpr DWORD ES_LEFT = 0x0;
inline constexpr DWORD ES_CENTER = 0x1;
inline constexpr DWORD ES_RIGHT = 0x2;
inline constexpr DWORD ES_MULTILINE = 0x4;
inline constexpr DWORD ES_AUTOHSCROLL = 0x80;
inline constexpr DWORD ES_READONLY = 0x800;
inline constexpr DWORD ES_WANTRETURN = 0x1000;

// Static styles.
inline constexpr DWORD SS_LEFT = 0x0;
inline constexpr DWORD SS_CENTER = 0x1;
inline constexpr DWORD SS_CENTERIMAGE = 0x200;
inline constexpr DWORD SS_SUNKEN = 0x1000;

// List view and date-time picker styles.
inline constexpr DWORD LVS_REPORT = 0x1;
inline constexpr DWORD DTS_SHORTDATEFORMAT = 0x0;
inline constexpr DWORD DTS_UPDOWN = 0x1;
inline constexpr DWORD DTS_TIMEFORMAT = 0x9;
