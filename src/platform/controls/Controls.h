// The standard controls: single-line edit, list box, drop-down list combo
// box, push button, static text and group box. Each is a window class with
// a window procedure, registered with every new window system under its
// classic name, so a program creates one with CreateWindowEx("EDIT", ...)
// and can subclass it (SetWindowLongPtr(GWLP_WNDPROC) + CallWindowProc).
//
// Controls talk to their parent with WM_COMMAND notifications
// (MAKEWPARAM(id, code), lParam = the control's handle value), ask it for
// colours with WM_CTLCOLOR..., and for owner-drawn items with
// WM_MEASUREITEM / WM_DRAWITEM. They draw in the classic look: sunken 3-D
// edges (WS_EX_CLIENTEDGE) or a single border (WS_BORDER) come from the
// window system's frame; selections in the highlight colours; focus
// rectangles; grey text when disabled.
//
// Text is 8-bit Windows-1252. Indexes out of range are answered with the
// classic error results (LB_ERR, CB_ERR), never by a crash.
#pragma once

#include "platform/base/Types.h"
#include "platform/window/OwnerDraw.h"
#include "platform/window/Window.h"

namespace platform {

// Class names.
constexpr const char* WC_EDIT = "EDIT";
constexpr const char* WC_LISTBOX = "LISTBOX";
constexpr const char* WC_COMBOBOX = "COMBOBOX";
constexpr const char* WC_BUTTON = "BUTTON";
constexpr const char* WC_STATIC = "STATIC";
// The drop-down list window of a combo box.
constexpr const char* WC_COMBOLBOX = "ComboLBox";

// ---------------------------------------------------------------- edit

constexpr DWORD ES_LEFT = 0x0000;
constexpr DWORD ES_CENTER = 0x0001;
constexpr DWORD ES_RIGHT = 0x0002;
constexpr DWORD ES_MULTILINE = 0x0004;  // not supported: the edit is single-line
constexpr DWORD ES_UPPERCASE = 0x0008;
constexpr DWORD ES_LOWERCASE = 0x0010;
constexpr DWORD ES_PASSWORD = 0x0020;
constexpr DWORD ES_AUTOVSCROLL = 0x0040;
constexpr DWORD ES_AUTOHSCROLL = 0x0080;  // the edit always scrolls to keep the caret in view
constexpr DWORD ES_NOHIDESEL = 0x0100;
constexpr DWORD ES_OEMCONVERT = 0x0400;
constexpr DWORD ES_READONLY = 0x0800;
constexpr DWORD ES_WANTRETURN = 0x1000;
constexpr DWORD ES_NUMBER = 0x2000;

constexpr UINT EM_GETSEL = 0x00B0;  // wParam/lParam: DWORD* start, end (may be null)
constexpr UINT EM_SETSEL = 0x00B1;  // start, end; -1 start: no selection; -1 end: to the end
constexpr UINT EM_GETRECT = 0x00B2;
constexpr UINT EM_SCROLLCARET = 0x00B7;
constexpr UINT EM_GETMODIFY = 0x00B8;
constexpr UINT EM_SETMODIFY = 0x00B9;
constexpr UINT EM_GETLINECOUNT = 0x00BA;
constexpr UINT EM_LINEINDEX = 0x00BB;
constexpr UINT EM_LINELENGTH = 0x00C1;
constexpr UINT EM_REPLACESEL = 0x00C2;  // wParam: can undo; lParam: const char*
constexpr UINT EM_GETLINE = 0x00C4;
constexpr UINT EM_LIMITTEXT = 0x00C5;  // 0: as much as the edit can hold
constexpr UINT EM_SETLIMITTEXT = EM_LIMITTEXT;
constexpr UINT EM_CANUNDO = 0x00C6;
constexpr UINT EM_UNDO = 0x00C7;
constexpr UINT EM_LINEFROMCHAR = 0x00C9;
constexpr UINT EM_SETPASSWORDCHAR = 0x00CC;  // 0: show the text again
constexpr UINT EM_EMPTYUNDOBUFFER = 0x00CD;
constexpr UINT EM_GETFIRSTVISIBLELINE = 0x00CE;
constexpr UINT EM_SETREADONLY = 0x00CF;
constexpr UINT EM_GETPASSWORDCHAR = 0x00D2;
constexpr UINT EM_SETMARGINS = 0x00D3;  // wParam EC_ flags, lParam MAKELPARAM(left, right)
constexpr UINT EM_GETMARGINS = 0x00D4;
constexpr UINT EM_GETLIMITTEXT = 0x00D5;
constexpr UINT EM_POSFROMCHAR = 0x00D6;  // MAKELPARAM(x, y) of the character's left edge
constexpr UINT EM_CHARFROMPOS = 0x00D7;  // lParam MAKELPARAM(x, y): the nearest index
constexpr WPARAM EC_LEFTMARGIN = 0x0001;
constexpr WPARAM EC_RIGHTMARGIN = 0x0002;
constexpr WPARAM EC_USEFONTINFO = 0xFFFF;

constexpr UINT EN_SETFOCUS = 0x0100;
constexpr UINT EN_KILLFOCUS = 0x0200;
constexpr UINT EN_CHANGE = 0x0300;  // after the new text is shown
constexpr UINT EN_UPDATE = 0x0400;  // before the new text is shown
constexpr UINT EN_ERRSPACE = 0x0500;
constexpr UINT EN_MAXTEXT = 0x0501;  // input cut at the limit
constexpr UINT EN_HSCROLL = 0x0601;

// Context menu command identifiers of the edit (the classic ones); their
// captions in the user interface language: EditMenuCaption.h.
constexpr UINT IDM_EDIT_UNDO = 772;
constexpr UINT IDM_EDIT_CUT = 768;
constexpr UINT IDM_EDIT_COPY = 769;
constexpr UINT IDM_EDIT_PASTE = 770;
constexpr UINT IDM_EDIT_DELETE = 771;
constexpr UINT IDM_EDIT_SELECTALL = 177;

// ---------------------------------------------------------------- list box

constexpr DWORD LBS_NOTIFY = 0x0001;
constexpr DWORD LBS_SORT = 0x0002;
constexpr DWORD LBS_NOREDRAW = 0x0004;
constexpr DWORD LBS_MULTIPLESEL = 0x0008;  // not supported: single selection
constexpr DWORD LBS_OWNERDRAWFIXED = 0x0010;
constexpr DWORD LBS_OWNERDRAWVARIABLE = 0x0020;  // treated as fixed
constexpr DWORD LBS_HASSTRINGS = 0x0040;
constexpr DWORD LBS_USETABSTOPS = 0x0080;
constexpr DWORD LBS_NOINTEGRALHEIGHT = 0x0100;  // the list never changes its own height
constexpr DWORD LBS_WANTKEYBOARDINPUT = 0x0400;
constexpr DWORD LBS_DISABLENOSCROLL = 0x1000;
constexpr DWORD LBS_NOSEL = 0x4000;
constexpr DWORD LBS_COMBOBOX = 0x8000;
constexpr DWORD LBS_STANDARD = LBS_NOTIFY | LBS_SORT | WS_VSCROLL | WS_BORDER;

constexpr LRESULT LB_OKAY = 0;
constexpr LRESULT LB_ERR = -1;
constexpr LRESULT LB_ERRSPACE = -2;

constexpr UINT LB_ADDSTRING = 0x0180;     // lParam text (or item data without LBS_HASSTRINGS)
constexpr UINT LB_INSERTSTRING = 0x0181;  // wParam index, -1: at the end
constexpr UINT LB_DELETESTRING = 0x0182;  // the number left, LB_ERR for a bad index
constexpr UINT LB_RESETCONTENT = 0x0184;
constexpr UINT LB_SETSEL = 0x0185;
constexpr UINT LB_SETCURSEL = 0x0186;  // -1 clears; never notifies
constexpr UINT LB_GETSEL = 0x0187;
constexpr UINT LB_GETCURSEL = 0x0188;
constexpr UINT LB_GETTEXT = 0x0189;  // wParam index, lParam char* (GETTEXTLEN + 1 bytes)
constexpr UINT LB_GETTEXTLEN = 0x018A;
constexpr UINT LB_GETCOUNT = 0x018B;
constexpr UINT LB_SELECTSTRING = 0x018C;
constexpr UINT LB_GETTOPINDEX = 0x018E;
constexpr UINT LB_FINDSTRING = 0x018F;  // wParam start (-1: from the top), lParam prefix
constexpr UINT LB_GETSELCOUNT = 0x0190;
constexpr UINT LB_SETTOPINDEX = 0x0197;
constexpr UINT LB_GETITEMRECT = 0x0198;  // wParam index, lParam RECT*
constexpr UINT LB_GETITEMDATA = 0x0199;
constexpr UINT LB_SETITEMDATA = 0x019A;
constexpr UINT LB_SETCARETINDEX = 0x019E;
constexpr UINT LB_GETCARETINDEX = 0x019F;
constexpr UINT LB_SETITEMHEIGHT = 0x01A0;
constexpr UINT LB_GETITEMHEIGHT = 0x01A1;
constexpr UINT LB_FINDSTRINGEXACT = 0x01A2;
constexpr UINT LB_INITSTORAGE = 0x01A8;
constexpr UINT LB_ITEMFROMPOINT = 0x01A9;  // lParam client point; HIWORD 1 when outside

constexpr UINT LBN_ERRSPACE = UINT(-2);
constexpr UINT LBN_SELCHANGE = 1;  // only for the user's own selection (LBS_NOTIFY)
constexpr UINT LBN_DBLCLK = 2;
constexpr UINT LBN_SELCANCEL = 3;
constexpr UINT LBN_SETFOCUS = 4;
constexpr UINT LBN_KILLFOCUS = 5;

// ---------------------------------------------------------------- combo box

constexpr DWORD CBS_SIMPLE = 0x0001;    // these two behave as
constexpr DWORD CBS_DROPDOWN = 0x0002;  // CBS_DROPDOWNLIST: no typing of free text
constexpr DWORD CBS_DROPDOWNLIST = 0x0003;
constexpr DWORD CBS_OWNERDRAWFIXED = 0x0010;  // not supported
constexpr DWORD CBS_AUTOHSCROLL = 0x0040;
constexpr DWORD CBS_SORT = 0x0100;
constexpr DWORD CBS_HASSTRINGS = 0x0200;
constexpr DWORD CBS_NOINTEGRALHEIGHT = 0x0400;

constexpr LRESULT CB_OKAY = 0;
constexpr LRESULT CB_ERR = -1;
constexpr LRESULT CB_ERRSPACE = -2;

constexpr UINT CB_ADDSTRING = 0x0143;
constexpr UINT CB_DELETESTRING = 0x0144;
constexpr UINT CB_GETCOUNT = 0x0146;
constexpr UINT CB_GETCURSEL = 0x0147;
constexpr UINT CB_GETLBTEXT = 0x0148;
constexpr UINT CB_GETLBTEXTLEN = 0x0149;
constexpr UINT CB_INSERTSTRING = 0x014A;
constexpr UINT CB_RESETCONTENT = 0x014B;
constexpr UINT CB_FINDSTRING = 0x014C;
constexpr UINT CB_SELECTSTRING = 0x014D;
constexpr UINT CB_SETCURSEL = 0x014E;  // never notifies
constexpr UINT CB_SHOWDROPDOWN = 0x014F;
constexpr UINT CB_GETITEMDATA = 0x0150;
constexpr UINT CB_SETITEMDATA = 0x0151;
constexpr UINT CB_GETDROPPEDCONTROLRECT = 0x0152;
constexpr UINT CB_SETITEMHEIGHT = 0x0153;  // wParam -1: the closed box's text field
constexpr UINT CB_GETITEMHEIGHT = 0x0154;
constexpr UINT CB_GETDROPPEDSTATE = 0x0157;
constexpr UINT CB_FINDSTRINGEXACT = 0x0158;
constexpr UINT CB_GETTOPINDEX = 0x015B;
constexpr UINT CB_SETTOPINDEX = 0x015C;
constexpr UINT CB_GETDROPPEDWIDTH = 0x015F;
constexpr UINT CB_SETDROPPEDWIDTH = 0x0160;
constexpr UINT CB_SETMINVISIBLE = 0x1701;  // rows of the drop-down list (16 at creation)
constexpr UINT CB_GETMINVISIBLE = 0x1702;

constexpr UINT CBN_ERRSPACE = UINT(-1);
constexpr UINT CBN_SELCHANGE = 1;
constexpr UINT CBN_DBLCLK = 2;
constexpr UINT CBN_SETFOCUS = 3;
constexpr UINT CBN_KILLFOCUS = 4;
constexpr UINT CBN_EDITCHANGE = 5;
constexpr UINT CBN_EDITUPDATE = 6;
constexpr UINT CBN_DROPDOWN = 7;
constexpr UINT CBN_CLOSEUP = 8;
constexpr UINT CBN_SELENDOK = 9;
constexpr UINT CBN_SELENDCANCEL = 10;

// A pause of this long between typed letters starts a new search prefix
// (combo box and list box type-ahead).
constexpr UINT kTypeAheadPauseMs = 500;

// ---------------------------------------------------------------- button

constexpr DWORD BS_PUSHBUTTON = 0x0000;
constexpr DWORD BS_DEFPUSHBUTTON = 0x0001;
constexpr DWORD BS_CHECKBOX = 0x0002;
constexpr DWORD BS_AUTOCHECKBOX = 0x0003;
constexpr DWORD BS_RADIOBUTTON = 0x0004;
constexpr DWORD BS_GROUPBOX = 0x0007;
constexpr DWORD BS_AUTORADIOBUTTON = 0x0009;
constexpr DWORD BS_OWNERDRAW = 0x000B;
constexpr DWORD BS_TYPEMASK = 0x000F;
constexpr DWORD BS_LEFT = 0x0100;
constexpr DWORD BS_RIGHT = 0x0200;
constexpr DWORD BS_CENTER = 0x0300;
constexpr DWORD BS_TOP = 0x0400;
constexpr DWORD BS_BOTTOM = 0x0800;
constexpr DWORD BS_VCENTER = 0x0C00;
constexpr DWORD BS_MULTILINE = 0x2000;
constexpr DWORD BS_NOTIFY = 0x4000;
constexpr DWORD BS_FLAT = 0x8000;

constexpr UINT BM_GETCHECK = 0x00F0;
constexpr UINT BM_SETCHECK = 0x00F1;
constexpr UINT BM_GETSTATE = 0x00F2;
constexpr UINT BM_SETSTATE = 0x00F3;  // wParam TRUE: shown pushed
constexpr UINT BM_SETSTYLE = 0x00F4;  // wParam the new BS_ type, lParam TRUE: redraw
constexpr UINT BM_CLICK = 0x00F5;     // as if the user clicked it

constexpr WPARAM BST_UNCHECKED = 0x0000;
constexpr WPARAM BST_CHECKED = 0x0001;
constexpr WPARAM BST_INDETERMINATE = 0x0002;
constexpr LRESULT BST_PUSHED = 0x0004;
constexpr LRESULT BST_FOCUS = 0x0008;

constexpr UINT BN_CLICKED = 0;
constexpr UINT BN_DOUBLECLICKED = 5;
constexpr UINT BN_SETFOCUS = 6;   // with BS_NOTIFY
constexpr UINT BN_KILLFOCUS = 7;  // with BS_NOTIFY

// ---------------------------------------------------------------- static

constexpr DWORD SS_LEFT = 0x0000;
constexpr DWORD SS_CENTER = 0x0001;
constexpr DWORD SS_RIGHT = 0x0002;
constexpr DWORD SS_SIMPLE = 0x000B;
constexpr DWORD SS_LEFTNOWORDWRAP = 0x000C;
constexpr DWORD SS_ETCHEDHORZ = 0x0010;
constexpr DWORD SS_ETCHEDVERT = 0x0011;
constexpr DWORD SS_ETCHEDFRAME = 0x0012;
constexpr DWORD SS_TYPEMASK = 0x001F;
constexpr DWORD SS_NOPREFIX = 0x0080;  // "&" is shown as itself
constexpr DWORD SS_NOTIFY = 0x0100;
constexpr DWORD SS_CENTERIMAGE = 0x0200;  // text centred vertically
constexpr DWORD SS_SUNKEN = 0x1000;
constexpr DWORD SS_ENDELLIPSIS = 0x4000;

constexpr UINT STN_CLICKED = 0;
constexpr UINT STN_DBLCLK = 1;

// ---------------------------------------------------------------- dialog codes

// WM_GETDLGCODE answers: what keys a control handles itself.
constexpr LRESULT DLGC_WANTARROWS = 0x0001;
constexpr LRESULT DLGC_WANTTAB = 0x0002;
constexpr LRESULT DLGC_WANTALLKEYS = 0x0004;
constexpr LRESULT DLGC_WANTMESSAGE = 0x0004;
constexpr LRESULT DLGC_HASSETSEL = 0x0008;
constexpr LRESULT DLGC_DEFPUSHBUTTON = 0x0010;
constexpr LRESULT DLGC_UNDEFPUSHBUTTON = 0x0020;
constexpr LRESULT DLGC_RADIOBUTTON = 0x0040;
constexpr LRESULT DLGC_WANTCHARS = 0x0080;
constexpr LRESULT DLGC_STATIC = 0x0100;
constexpr LRESULT DLGC_BUTTON = 0x2000;

// Registers the classes above; every new window system does it at start-up,
// so programs never need to call it. Returns FALSE if one was taken.
BOOL RegisterStandardControls();

}  // namespace platform
