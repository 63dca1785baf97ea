#include "controls/KdFlatStyle.h"

#include "controls/KdWinProcMan.h"
#include "framework/Graphics.h"
#include "framework/Handles.h"

namespace {

void SetLines(TStrings& list, const std::vector<std::wstring>& lines)
{
    TStringList copy;
    for (const std::wstring& line : lines)
        copy.Add(line);
    list.Assign(copy);
}

bool WindowEnabled(TWinControl& control)
{
    return control.HandleAllocated() ? IsWindowEnabled(control.Handle()) != FALSE : control.Enabled();
}

// Whether the window under the mouse cursor is control's window or inside it.
bool MouseOver(TWinControl& control)
{
    POINT cursor;
    if (!control.HandleAllocated() || !GetCursorPos(&cursor))
        return false;
    const HWND own = control.Handle();
    for (HWND w = WindowFromPoint(cursor); w && IsWindow(w); w = GetParent(w))
        if (w == own)
            return true;
    return false;
}

}  // namespace

TKdFlatStyle::TKdFlatStyle(TComponent* owner)
    : TKdCustomGlobalWinController(owner),
      frame_(std::make_unique<TKdEditPainter>()),
      frameHotTrack_(std::make_unique<TKdEditPainter>())
{
    SetActive(false);
    SetControl(dynamic_cast<TControl*>(owner));
    TStringList targets, exceptions;
    SetLines(targets, DefaultTargets());
    SetLines(exceptions, DefaultExceptions());
    SetTargets(targets);
    SetExcepting(exceptions);
    frameHotTrack_->SetEnabled(false);
}

TKdFlatStyle::~TKdFlatStyle()
{
    // While the painters still exist: no frame is drawn from a half-gone style.
    Destroying();
    Unapply();
}

const std::vector<std::wstring>& TKdFlatStyle::DefaultTargets()
{
    static const std::vector<std::wstring> lines = {
        L"TCustomEdit",     L"TCustomCombo",    L"TCustomListBox",     L"TCustomTreeView",
        L"TCustomListView", L"TDateTimePicker", L"TDirectoryOutline", L"TCustomHotKey"};
    return lines;
}

const std::vector<std::wstring>& TKdFlatStyle::DefaultExceptions()
{
    static const std::vector<std::wstring> lines = {L"TKdSpinEdit", L"TCustomComboBoxEx"};
    return lines;
}

bool TKdFlatStyle::ShouldHook(TControl* control, int32_t& state)
{
    auto* windowed = dynamic_cast<TWinControl*>(control);
    if (!windowed || !TKdCustomGlobalWinController::ShouldHook(control, state))
        return false;
    state = 0;
    if (WindowEnabled(*windowed))
        state |= KdfsEnabled;
    if (MouseOver(*windowed))
        state |= KdfsHover;
    if (windowed->Focused())
        state |= KdfsFocus;
    return true;
}

void TKdFlatStyle::ControlWndProc(TKdWPM* manager, TMessage& msg, int32_t& state, TWndMethod next)
{
    auto* control = dynamic_cast<TWinControl*>(KdHookedControl(manager));
    if (!control) {
        next(msg);
        return;
    }
    bool changed = false;
    auto set = [&](int32_t bit, bool on) {
        const int32_t now = on ? (state | bit) : (state & ~bit);
        if (now != state) {
            state = now;
            changed = true;
        }
    };
    switch (msg.Msg) {
    case WM_SETFOCUS:
        set(KdfsFocus, true);
        break;
    case WM_KILLFOCUS:
        set(KdfsFocus, false);
        break;
    case CM_INNERFOCUS:
        set(KdfsFocus, msg.WParam != 0);
        break;
    case WM_ENABLE:
        set(KdfsEnabled, msg.WParam != 0);
        break;
    case WM_PAINT:
    case WM_NCPAINT:
        changed = true;
        break;
    case CM_MOUSEENTER:
        set(KdfsHover, true);
        break;
    case CM_MOUSELEAVE:
        // A child's leave, forwarded with the child in LParam, is not ours.
        if (msg.LParam == 0 || msg.LParam == reinterpret_cast<intptr_t>(static_cast<TControl*>(control)))
            set(KdfsHover, false);
        break;
    default:
        break;
    }
    // The state is read back from the window on the messages that change it or
    // show it; not on every message, as asking for the focus may cost a round
    // trip to the window server.
    switch (msg.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case CM_INNERFOCUS:
    case WM_ENABLE:
    case WM_PAINT:
    case WM_NCPAINT:
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        set(KdfsEnabled, WindowEnabled(*control));
        // The window losing the focus is told where it goes; the focus may not
        // have moved yet when it is told.
        set(KdfsFocus, msg.Msg == WM_KILLFOCUS
                           ? TWinControl::FindControl(reinterpret_cast<HWND>(msg.WParam)) == control
                           : control->Focused());
        break;
    default:
        break;
    }
    // The control paints first, so that the frame lies over what it drew.
    next(msg);
    if (changed && !manager->DestroyPending() && !control->InState(csDestroying))
        PaintFrame(*control, state);
}

void TKdFlatStyle::PaintFrame(TWinControl& control, int32_t state) const
{
    const bool hot = frameHotTrack_->IsActive() && (state & KdfsEnabled) && (state & (KdfsHover | KdfsFocus));
    if ((!hot && !frame_->IsActive()) || !control.HandleAllocated())
        return;
    TWindowDC dc(control.Handle());
    if (!dc)
        return;
    // Declared after the context: it lets go of the context first.
    TCanvas canvas;
    canvas.SetHandle(dc.Get());
    const RECT whole{0, 0, control.Width(), control.Height()};
    (hot ? *frameHotTrack_ : *frame_).Paint(canvas, whole, control.CurrentDpi());
}

void TKdFlatStyle::ControlHooked(TControl* control) { RedrawBorder(control); }

void TKdFlatStyle::ControlUnhooked(TControl* control) { RedrawBorder(control); }

void TKdFlatStyle::RedrawBorder(TControl* control)
{
    auto* windowed = dynamic_cast<TWinControl*>(control);
    if (windowed && windowed->HandleAllocated() && !windowed->InState(csDestroying))
        RedrawWindow(windowed->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
}
