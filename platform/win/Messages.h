#pragma once
// Message numbers, as the window system and the component library use them.
// They are plain constants so that a window procedure can switch on them and a stored number
// (a message posted by number, a value compared in a handler) means the same thing everywhere.
// Nothing here has behaviour; the window layer's calls live in WinApi.h.
#include "platform/rtl/Types.h"

constexpr BOOL FALSE = 0;
constexpr BOOL TRUE = 1;

// Window system messages.
constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_CREATE = 0x0001;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_MOVE = 0x0003;
constexpr UINT WM_SIZE = 0x0005;
constexpr UINT WM_ACTIVATE = 0x0006;
constexpr UINT WM_SETFOCUS = 0x0007;
constexpr UINT WM_KILLFOCUS = 0x0008;
constexpr UINT WM_ENABLE = 0x000A;
constexpr UINT WM_SETREDRAW = 0x000B;
constexpr UINT WM_SETTEXT = 0x000C;
constexpr UINT WM_GETTEXT = 0x000D;
constexpr UINT WM_GETTEXTLENGTH = 0x000E;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUERYENDSESSION = 0x0011;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_ERASEBKGND = 0x0014;
constexpr UINT WM_SYSCOLORCHANGE = 0x0015;
constexpr UINT WM_SHOWWINDOW = 0x0018;
constexpr UINT WM_SETTINGCHANGE = 0x001A;
constexpr UINT WM_FONTCHANGE = 0x001D;
constexpr UINT WM_CANCELMODE = 0x001F;
constexpr UINT WM_SETCURSOR = 0x0020;
constexpr UINT WM_MOUSEACTIVATE = 0x0021;
constexpr UINT WM_GETMINMAXINFO = 0x0024;
constexpr UINT WM_DRAWITEM = 0x002B;
constexpr UINT WM_MEASUREITEM = 0x002C;
constexpr UINT WM_SETFONT = 0x0030;
constexpr UINT WM_GETFONT = 0x0031;
constexpr UINT WM_WINDOWPOSCHANGING = 0x0046;
constexpr UINT WM_WINDOWPOSCHANGED = 0x0047;
constexpr UINT WM_NOTIFY = 0x004E;
constexpr UINT WM_CONTEXTMENU = 0x007B;
constexpr UINT WM_STYLECHANGING = 0x007C;
constexpr UINT WM_STYLECHANGED = 0x007D;
constexpr UINT WM_DISPLAYCHANGE = 0x007E;
constexpr UINT WM_NCCREATE = 0x0081;
constexpr UINT WM_NCDESTROY = 0x0082;
constexpr UINT WM_NCCALCSIZE = 0x0083;
constexpr UINT WM_NCHITTEST = 0x0084;
constexpr UINT WM_NCPAINT = 0x0085;
constexpr UINT WM_NCACTIVATE = 0x0086;
constexpr UINT WM_GETDLGCODE = 0x0087;
constexpr UINT WM_SYNCPAINT = 0x0088;
constexpr UINT WM_NCMOUSEMOVE = 0x00A0;
constexpr UINT WM_NCLBUTTONDOWN = 0x00A1;
constexpr UINT WM_NCLBUTTONUP = 0x00A2;
constexpr UINT WM_NCLBUTTONDBLCLK = 0x00A3;
constexpr UINT WM_NCRBUTTONDOWN = 0x00A4;
constexpr UINT WM_NCRBUTTONUP = 0x00A5;
constexpr UINT WM_NCRBUTTONDBLCLK = 0x00A6;
constexpr UINT WM_NCMBUTTONDOWN = 0x00A7;
constexpr UINT WM_NCMBUTTONUP = 0x00A8;
constexpr UINT WM_NCMBUTTONDBLCLK = 0x00A9;
constexpr UINT WM_KEYFIRST = 0x0100;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_DEADCHAR = 0x0103;
constexpr UINT WM_SYSKEYDOWN = 0x0104;
constexpr UINT WM_SYSKEYUP = 0x0105;
constexpr UINT WM_SYSCHAR = 0x0106;
constexpr UINT WM_KEYLAST = 0x0108;
constexpr UINT WM_INITDIALOG = 0x0110;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_SYSCOMMAND = 0x0112;
constexpr UINT WM_TIMER = 0x0113;
constexpr UINT WM_HSCROLL = 0x0114;
constexpr UINT WM_VSCROLL = 0x0115;
constexpr UINT WM_INITMENU = 0x0116;
constexpr UINT WM_INITMENUPOPUP = 0x0117;
constexpr UINT WM_MENUSELECT = 0x011F;
constexpr UINT WM_ENTERIDLE = 0x0121;
constexpr UINT WM_CTLCOLOREDIT = 0x0133;
constexpr UINT WM_CTLCOLORLISTBOX = 0x0134;
constexpr UINT WM_CTLCOLORBTN = 0x0135;
constexpr UINT WM_CTLCOLORSTATIC = 0x0138;
constexpr UINT WM_MOUSEFIRST = 0x0200;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_RBUTTONDOWN = 0x0204;
constexpr UINT WM_RBUTTONUP = 0x0205;
constexpr UINT WM_RBUTTONDBLCLK = 0x0206;
constexpr UINT WM_MBUTTONDOWN = 0x0207;
constexpr UINT WM_MBUTTONUP = 0x0208;
constexpr UINT WM_MBUTTONDBLCLK = 0x0209;
constexpr UINT WM_MOUSEWHEEL = 0x020A;
constexpr UINT WM_MOUSELAST = 0x020A;
constexpr UINT WM_PARENTNOTIFY = 0x0210;
constexpr UINT WM_ENTERMENULOOP = 0x0211;
constexpr UINT WM_EXITMENULOOP = 0x0212;
constexpr UINT WM_SIZING = 0x0214;
constexpr UINT WM_CAPTURECHANGED = 0x0215;
constexpr UINT WM_MOVING = 0x0216;
constexpr UINT WM_DEVICECHANGE = 0x0219;
// The MDI client's messages (see MdiClient.h).
constexpr UINT WM_MDIDESTROY = 0x0221;
constexpr UINT WM_MDIACTIVATE = 0x0222;
constexpr UINT WM_MDIRESTORE = 0x0223;
constexpr UINT WM_MDINEXT = 0x0224;
constexpr UINT WM_MDIMAXIMIZE = 0x0225;
constexpr UINT WM_MDITILE = 0x0226;
constexpr UINT WM_MDICASCADE = 0x0227;
constexpr UINT WM_MDIICONARRANGE = 0x0228;
constexpr UINT WM_MDIGETACTIVE = 0x0229;
constexpr WPARAM MDITILE_VERTICAL = 0;
constexpr WPARAM MDITILE_HORIZONTAL = 1;
constexpr UINT WM_ENTERSIZEMOVE = 0x0231;
constexpr UINT WM_EXITSIZEMOVE = 0x0232;
constexpr UINT WM_DROPFILES = 0x0233;
constexpr UINT WM_MOUSEHOVER = 0x02A1;
constexpr UINT WM_MOUSELEAVE = 0x02A3;
constexpr UINT WM_CUT = 0x0300;
constexpr UINT WM_COPY = 0x0301;
constexpr UINT WM_PASTE = 0x0302;
constexpr UINT WM_CLEAR = 0x0303;
constexpr UINT WM_UNDO = 0x0304;
constexpr UINT WM_PRINT = 0x0317;
constexpr UINT WM_PRINTCLIENT = 0x0318;
constexpr UINT WM_USERCHANGED = 0x0054;
constexpr UINT WM_USER = 0x0400;
constexpr UINT WM_APP = 0x8000;

// The process runner's hidden window.
constexpr UINT CM_READ = WM_USER + 1;
constexpr UINT CM_THREADTERMINATED = WM_USER + 2;

// Component library messages (CM_*) and notifications reflected back to a control (CN_*).
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ACTIVATE = CM_BASE + 0;
constexpr UINT CM_DEACTIVATE = CM_BASE + 1;
constexpr UINT CM_GOTFOCUS = CM_BASE + 2;
constexpr UINT CM_LOSTFOCUS = CM_BASE + 3;
constexpr UINT CM_CANCELMODE = CM_BASE + 4;
constexpr UINT CM_DIALOGKEY = CM_BASE + 5;
constexpr UINT CM_DIALOGCHAR = CM_BASE + 6;
constexpr UINT CM_FOCUSCHANGED = CM_BASE + 7;
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 8;
constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 9;
constexpr UINT CM_HITTEST = CM_BASE + 10;
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 11;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr UINT CM_COLORCHANGED = CM_BASE + 13;
constexpr UINT CM_FONTCHANGED = CM_BASE + 14;
constexpr UINT CM_CURSORCHANGED = CM_BASE + 15;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 18;
constexpr UINT CM_MOUSEENTER = CM_BASE + 19;
constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;
constexpr UINT CM_MENUCHANGED = CM_BASE + 21;
constexpr UINT CM_APPKEYDOWN = CM_BASE + 22;
constexpr UINT CM_APPSYSCOMMAND = CM_BASE + 23;
constexpr UINT CM_BUTTONPRESSED = CM_BASE + 24;
constexpr UINT CM_SHOWINGCHANGED = CM_BASE + 25;
constexpr UINT CM_ENTER = CM_BASE + 26;
constexpr UINT CM_EXIT = CM_BASE + 27;
constexpr UINT CM_DESIGNHITTEST = CM_BASE + 28;
constexpr UINT CM_ICONCHANGED = CM_BASE + 29;
constexpr UINT CM_WANTSPECIALKEY = CM_BASE + 30;
constexpr UINT CM_INVOKEHELP = CM_BASE + 31;
constexpr UINT CM_WINDOWHOOK = CM_BASE + 32;
constexpr UINT CM_RELEASE = CM_BASE + 33;
constexpr UINT CM_SHOWHINTCHANGED = CM_BASE + 34;
constexpr UINT CM_PARENTSHOWHINTCHANGED = CM_BASE + 35;
constexpr UINT CM_SYSCOLORCHANGE = CM_BASE + 36;
constexpr UINT CM_WININICHANGE = CM_BASE + 37;
constexpr UINT CM_FONTCHANGE = CM_BASE + 38;
constexpr UINT CM_TIMECHANGE = CM_BASE + 39;
constexpr UINT CM_TABSTOPCHANGED = CM_BASE + 40;
constexpr UINT CM_UIACTIVATE = CM_BASE + 41;
constexpr UINT CM_UIDEACTIVATE = CM_BASE + 42;
constexpr UINT CM_DOCWINDOWACTIVATE = CM_BASE + 43;
constexpr UINT CM_CONTROLLISTCHANGE = CM_BASE + 44;
constexpr UINT CM_GETDATALINK = CM_BASE + 45;
constexpr UINT CM_CHILDKEY = CM_BASE + 46;
constexpr UINT CM_DRAG = CM_BASE + 47;
constexpr UINT CM_HINTSHOW = CM_BASE + 48;
constexpr UINT CM_DIALOGHANDLE = CM_BASE + 49;
constexpr UINT CM_ISTOOLCONTROL = CM_BASE + 50;
constexpr UINT CM_RECREATEWND = CM_BASE + 51;
constexpr UINT CM_INVALIDATE = CM_BASE + 52;
constexpr UINT CM_SYSFONTCHANGED = CM_BASE + 53;
constexpr UINT CM_CONTROLCHANGE = CM_BASE + 54;
constexpr UINT CM_CHANGED = CM_BASE + 55;

constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
constexpr UINT CN_KEYUP = CN_BASE + WM_KEYUP;
constexpr UINT CN_CHAR = CN_BASE + WM_CHAR;
constexpr UINT CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN;
constexpr UINT CN_SYSCHAR = CN_BASE + WM_SYSCHAR;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;

// WM_SIZE wParam.
constexpr WPARAM SIZE_RESTORED = 0;
constexpr WPARAM SIZE_MINIMIZED = 1;
constexpr WPARAM SIZE_MAXIMIZED = 2;

// WM_ACTIVATE wParam (low word).
constexpr WPARAM WA_INACTIVE = 0;
constexpr WPARAM WA_ACTIVE = 1;
constexpr WPARAM WA_CLICKACTIVE = 2;

// WM_MOUSEACTIVATE results.
constexpr LRESULT MA_ACTIVATE = 1;
constexpr LRESULT MA_ACTIVATEANDEAT = 2;
constexpr LRESULT MA_NOACTIVATE = 3;
constexpr LRESULT MA_NOACTIVATEANDEAT = 4;

// WM_SYSCOMMAND wParam (the low four bits are the system's own and are masked off by handlers).
constexpr WPARAM SC_SIZE = 0xF000;
constexpr WPARAM SC_MOVE = 0xF010;
constexpr WPARAM SC_MINIMIZE = 0xF020;
constexpr WPARAM SC_MAXIMIZE = 0xF030;
constexpr WPARAM SC_NEXTWINDOW = 0xF040;
constexpr WPARAM SC_PREVWINDOW = 0xF050;
constexpr WPARAM SC_CLOSE = 0xF060;
constexpr WPARAM SC_KEYMENU = 0xF100;
constexpr WPARAM SC_RESTORE = 0xF120;
constexpr WPARAM SC_HOTKEY = 0xF150;
constexpr WPARAM SC_DEFAULT = 0xF160;

// WM_NCHITTEST results.
constexpr LRESULT HTERROR = -2;
constexpr LRESULT HTTRANSPARENT = -1;
constexpr LRESULT HTNOWHERE = 0;
constexpr LRESULT HTCLIENT = 1;
constexpr LRESULT HTCAPTION = 2;
constexpr LRESULT HTSYSMENU = 3;
constexpr LRESULT HTMENU = 5;
constexpr LRESULT HTHSCROLL = 6;
constexpr LRESULT HTVSCROLL = 7;
constexpr LRESULT HTMINBUTTON = 8;
constexpr LRESULT HTMAXBUTTON = 9;
constexpr LRESULT HTLEFT = 10;
constexpr LRESULT HTRIGHT = 11;
constexpr LRESULT HTTOP = 12;
constexpr LRESULT HTTOPLEFT = 13;
constexpr LRESULT HTTOPRIGHT = 14;
constexpr LRESULT HTBOTTOM = 15;
constexpr LRESULT HTBOTTOMLEFT = 16;
constexpr LRESULT HTBOTTOMRIGHT = 17;
constexpr LRESULT HTBORDER = 18;
constexpr LRESULT HTCLOSE = 20;
constexpr LRESULT HTHELP = 21;

// WM_SIZING wParam: which edge is dragged.
constexpr WPARAM WMSZ_LEFT = 1;
constexpr WPARAM WMSZ_RIGHT = 2;
constexpr WPARAM WMSZ_TOP = 3;
constexpr WPARAM WMSZ_TOPLEFT = 4;
constexpr WPARAM WMSZ_TOPRIGHT = 5;
constexpr WPARAM WMSZ_BOTTOM = 6;
constexpr WPARAM WMSZ_BOTTOMLEFT = 7;
constexpr WPARAM WMSZ_BOTTOMRIGHT = 8;

// Mouse message wParam: buttons and modifier keys held.
constexpr WPARAM MK_LBUTTON = 0x0001;
constexpr WPARAM MK_RBUTTON = 0x0002;
constexpr WPARAM MK_SHIFT = 0x0004;
constexpr WPARAM MK_CONTROL = 0x0008;
constexpr WPARAM MK_MBUTTON = 0x0010;
constexpr int WHEEL_DELTA = 120;

// WM_SHOWWINDOW lParam when the show is caused by the parent.
constexpr LPARAM SW_PARENTCLOSING = 1;
constexpr LPARAM SW_PARENTOPENING = 3;

// WM_DEVICECHANGE.
constexpr WPARAM DBT_DEVICEARRIVAL = 0x8000;
constexpr WPARAM DBT_DEVICEREMOVECOMPLETE = 0x8004;
constexpr DWORD DBT_DEVTYP_VOLUME = 0x00000002;

// WM_GETDLGCODE results.
constexpr LRESULT DLGC_WANTARROWS = 0x0001;
constexpr LRESULT DLGC_WANTTAB = 0x0002;
constexpr LRESULT DLGC_WANTALLKEYS = 0x0004;
constexpr LRESULT DLGC_HASSETSEL = 0x0008;
constexpr LRESULT DLGC_WANTCHARS = 0x0080;
constexpr LRESULT DLGC_BUTTON = 0x2000;

// Virtual key codes.
constexpr WORD VK_LBUTTON = 0x01;
constexpr WORD VK_RBUTTON = 0x02;
constexpr WORD VK_CANCEL = 0x03;
constexpr WORD VK_MBUTTON = 0x04;
constexpr WORD VK_BACK = 0x08;
constexpr WORD VK_TAB = 0x09;
constexpr WORD VK_CLEAR = 0x0C;
constexpr WORD VK_RETURN = 0x0D;
constexpr WORD VK_SHIFT = 0x10;
constexpr WORD VK_CONTROL = 0x11;
constexpr WORD VK_MENU = 0x12;
constexpr WORD VK_PAUSE = 0x13;
constexpr WORD VK_CAPITAL = 0x14;
constexpr WORD VK_ESCAPE = 0x1B;
constexpr WORD VK_SPACE = 0x20;
constexpr WORD VK_PRIOR = 0x21;
constexpr WORD VK_NEXT = 0x22;
constexpr WORD VK_END = 0x23;
constexpr WORD VK_HOME = 0x24;
constexpr WORD VK_LEFT = 0x25;
constexpr WORD VK_UP = 0x26;
constexpr WORD VK_RIGHT = 0x27;
constexpr WORD VK_DOWN = 0x28;
constexpr WORD VK_SNAPSHOT = 0x2C;
constexpr WORD VK_INSERT = 0x2D;
constexpr WORD VK_DELETE = 0x2E;
constexpr WORD VK_HELP = 0x2F;
// '0'..'9' and 'A'..'Z' are their ASCII codes.
constexpr WORD VK_LWIN = 0x5B;
constexpr WORD VK_RWIN = 0x5C;
constexpr WORD VK_APPS = 0x5D;
constexpr WORD VK_NUMPAD0 = 0x60;
constexpr WORD VK_MULTIPLY = 0x6A;
constexpr WORD VK_ADD = 0x6B;
constexpr WORD VK_SUBTRACT = 0x6D;
constexpr WORD VK_DECIMAL = 0x6E;
constexpr WORD VK_DIVIDE = 0x6F;
constexpr WORD VK_F1 = 0x70;
constexpr WORD VK_F2 = 0x71;
constexpr WORD VK_F3 = 0x72;
constexpr WORD VK_F4 = 0x73;
constexpr WORD VK_F5 = 0x74;
constexpr WORD VK_F6 = 0x75;
constexpr WORD VK_F7 = 0x76;
constexpr WORD VK_F8 = 0x77;
constexpr WORD VK_F9 = 0x78;
constexpr WORD VK_F10 = 0x79;
constexpr WORD VK_F11 = 0x7A;
constexpr WORD VK_F12 = 0x7B;
constexpr WORD VK_NUMLOCK = 0x90;
constexpr WORD VK_SCROLL = 0x91;
constexpr WORD VK_LSHIFT = 0xA0;
constexpr WORD VK_RSHIFT = 0xA1;
constexpr WORD VK_LCONTROL = 0xA2;
constexpr WORD VK_RCONTROL = 0xA3;
constexpr WORD VK_LMENU = 0xA4;
constexpr WORD VK_RMENU = 0xA5;
