#pragma once
// The class library's private messages: notices sent to controls, and the
// child notifications a parent reflects back to the child's object.
#include <windows.h>

// Private messages of the class library. A control forwards the mouse notices to
// its parent with itself in LParam; LParam 0 means the receiver's own notice.
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 11;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr UINT CM_COLORCHANGED = CM_BASE + 13;
constexpr UINT CM_FONTCHANGED = CM_BASE + 14;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 18;
constexpr UINT CM_MOUSEENTER = 0xB013;
constexpr UINT CM_MOUSELEAVE = 0xB014;
// Posted to a form that frees itself once the current message is done.
constexpr UINT CM_RELEASE = CM_BASE + 33;
// Goes through a control's WindowProc when a window that is part of it (a combo
// box's edit, whose own messages do not) gains (WParam 1) or loses (WParam 0)
// the keyboard focus; LParam is that window.
constexpr UINT CM_INNERFOCUS = CM_BASE + 40;

// A parent window reflects these notifications to the child's object as
// CN_BASE + the message (WM_COMMAND arrives at the child as CN_COMMAND).
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_CTLCOLORMSGBOX = CN_BASE + WM_CTLCOLORMSGBOX;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORDLG = CN_BASE + WM_CTLCOLORDLG;
constexpr UINT CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
