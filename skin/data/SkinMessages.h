#pragma once
// The skin engine's own message numbers and the answers its frame protocol gives. They belong to the skin,
// not to the window layer: every skinned form and control takes them from here, under one name each.
#include "platform/gfx/TDeviceContext.h"
#include "platform/rtl/Types.h"
#include "platform/win/Messages.h"

// Sent to forms and controls when the skin data changes, and by the skinned menus.
constexpr UINT WM_BEFORECHANGESKINDATA = 1225;
constexpr UINT WM_CHANGESKINDATA = 1226;
constexpr UINT WM_AFTERCHANGESKINDATA = 1227;
constexpr UINT WM_CLOSESKINMENU = 1228;
constexpr UINT WM_AFTERSKINMENUCLICK = 1229;
// The MDI cooperation of the frames has no numbers of its own in the library; these are free ones next
// to the skin messages. WM_MDICHILDMAX and WM_MDICHILDRESTORE go from a child's frame to the main
// form (wParam = the child's window); WM_UPDATEMAXIMIZEDCHILD goes from the main frame to each child.
constexpr UINT WM_MDICHILDMAX = 1230;
constexpr UINT WM_MDICHILDRESTORE = 1231;
constexpr UINT WM_UPDATEMAXIMIZEDCHILD = 1232;
constexpr UINT WM_CHANGERESSTRDATA = 1274;
constexpr UINT WM_SKPARENTBGCHANGED = 1284;  // WM_USER + 260
constexpr UINT WM_CHANGEFORMSKINNABLE = 1294;

// The frame protocol between a skinned form and the controls on it.
constexpr UINT CM_QUERYSKINFORM = 45490;    // answered by the skinned frame
constexpr UINT CM_PAINTSKINFRAME = 45513;   // a control asked to paint its skinned frame
constexpr UINT CM_PAINTSKINFRAME2 = 48203;  // second form of CM_PAINTSKINFRAME, told apart by its lParam

// The answer to CM_PAINTSKINFRAME: the frame was painted (or the control paints its own).
constexpr LRESULT SkinFramePainted = 12851;
// The lParam of CM_PAINTSKINFRAME2, echoed back as its answer.
constexpr LPARAM SkinFramePainted2 = 16802;

// A control's answer to CM_PAINTSKINFRAME and CM_PAINTSKINFRAME2; false for a CM_PAINTSKINFRAME2 in a
// form not its own (lParam other than SkinFramePainted2), which the caller passes on. PaintFrame(DC,
// Second) paints the frame into the message's device context (DC may be 0: nothing to paint into) and
// says whether the control answers as one whose frame is painted; the second form is answered by the echo
// of its lParam whatever PaintFrame says.
template <class TPaintFrame> bool AnswerPaintSkinFrame(TMessage& Message, TPaintFrame PaintFrame)
{
    const bool second = Message.Msg == CM_PAINTSKINFRAME2;
    if (second && Message.LParam != SkinFramePainted2) return false;
    const bool painted = PaintFrame(reinterpret_cast<HDC>(Message.WParam), second);
    Message.Result = second ? SkinFramePainted2 : (painted ? SkinFramePainted : 0);
    return true;
}

// True for a press of any mouse button, in a window's client area or on its frame: what closes an open
// skin menu or drop-down list when it lands outside it.
inline bool IsMouseButtonPress(UINT Msg)
{
    switch (Msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
        return true;
    default:
        return false;
    }
}
