#pragma once
// TWinControl: a control that owns a window, with its children in z-order and
// tab order, keyboard and focus; and the parameters its window is made from.
#include <windows.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "framework/Control.h"
#include "framework/FreedWatch.h"

// The parameters of a window about to be created. WinClassName is the class to
// register (own classes) or to use (system classes such as L"BUTTON").
struct TCreateParams {
    std::wstring Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    HWND WndParent = nullptr;
    // Zero-filled after the name; at most 63 characters.
    std::array<wchar_t, 64> WinClassName{};
    // Class settings used when the library registers an own class.
    UINT ClassStyle = CS_DBLCLKS;
    HCURSOR Cursor = nullptr;  // null: the arrow
    HICON Icon = nullptr;      // not owned
    // True when WinClassName is a class of the system that the library subclasses.
    bool SystemClass = false;

    // Puts `name` into WinClassName, cut to 63 characters, zero-filled after it.
    void SetWinClassName(std::wstring_view name);
    std::wstring WinClassNameString() const;
};

class TWinControl : public TControl {
    CLASS_INFO(TWinControl, TControl)

public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    // The window, created (with the parents' windows) when first needed.
    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded();
    // Destroys the window and makes it again (after a change of its styles).
    void RecreateWnd();

    // Children in z-order, from the bottom: graphic and windowed alike.
    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const { return controls_.at(static_cast<size_t>(index)); }
    // The top-most visible child under p (client coordinates): graphic children
    // only when windowedToo is false.
    TControl* ControlAtPos(POINT p, bool allowDisabled = false, bool windowedToo = false) const;
    // The windowed children sorted by TabOrder.
    std::vector<TWinControl*> TabList() const;

    // Position among the windowed siblings for the Tab key, from 0.
    int TabOrder() const;
    void SetTabOrder(int order);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool on) { tabStop_ = on; }

    virtual bool CanFocus() const;
    virtual bool Focused() const;
    virtual void SetFocus();

    RECT ClientRect() const override;
    POINT ClientOrigin() const override;
    std::wstring Text() const override;
    void Invalidate() override;
    void Repaint() override;
    bool Showing() const override;

    // The control that owns window h (also the window of a combo box's edit), or null.
    static TWinControl* FindControl(HWND h);

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;

protected:
    friend class TControl;

    virtual void CreateParams(TCreateParams& params);
    // Creates the window from the parameters, then the children's windows.
    virtual void CreateWnd();
    // Called once the window exists, before the children get theirs: push the
    // state kept in the object into the window.
    virtual void CreateWindowHandle(const TCreateParams& params);
    virtual void InitializeWindow() {}
    // Called before the window is destroyed for a re-creation: keep its state.
    virtual void SaveWindowState();
    void DestroyHandle();

    void WndProc(TMessage& msg) override;
    void DefaultHandler(TMessage& msg) override;
    void BoundsChanged(const RECT& oldBounds) override;
    void FontChanged() override;
    void ColorChanged() override;
    void SetTextInternal(std::wstring_view text) override;
    void VisibleChanged() override;
    void EnabledChanged() override;

    // Paints the graphic children that intersect the DC's clip box, in z-order.
    void PaintControls(HDC dc);
    // WM_PAINT of a window with graphic children: the window's own painting, then theirs.
    virtual void PaintHandler(TMessage& msg);
    // Fills the background in Color (WM_ERASEBKGND).
    virtual bool EraseBackground(HDC dc);
    // Answers the CN_CTLCOLOR* reflected from the parent: text and background colour.
    virtual void ControlColor(TMessage& msg);
    HBRUSH BackgroundBrush();

    virtual bool DoKeyDown(WORD& key, TShiftState shift);
    virtual bool DoKeyPress(wchar_t& key);
    virtual bool DoKeyUp(WORD& key, TShiftState shift);
    virtual void DoEnter();
    virtual void DoExit();
    // Told (on the top-level control) which control has or is to get the focus.
    virtual void FocusChanged(TWinControl*) {}
    // Tells the top-level control that this control has the focus now.
    void ReportFocus();
    // Whether window is this control's window or one inside it.
    bool IsInside(HWND window) const;
    // Adds windows that are part of this control (a combo box's edit) to FindControl.
    void AttachInnerWindow(HWND inner);
    // The message procedure of such an inner window, after the subclass saw it.
    virtual LRESULT InnerWindowProc(HWND inner, UINT msg, WPARAM wParam, LPARAM lParam);
    // The inner window's own procedure, as it was before the control took it.
    static LRESULT CallInnerDefault(HWND inner, UINT msg, WPARAM wParam, LPARAM lParam);

    // Reads the window's bounds into the control (after a move or size).
    void UpdateBounds();
    // Children follow this control's new client size.
    void AnchorChildren(SIZE oldClient);

    // Dispatch entry from the window procedures (no exception leaves it).
    LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
    // Mouse-enter/-leave bookkeeping for a mouse move in this window at p.
    void TrackMouse(HWND window, POINT p);
    void MouseLeft(HWND window);

    // Notes, for one message being handled, whether a handler freed the control.
    class TFreedWatch : public ::TFreedWatch {
    public:
        explicit TFreedWatch(TWinControl* c) : ::TFreedWatch(c->freedFlag_) {}
    };

private:
    friend class TWindowProcs;

    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void MoveInZOrder(TControl* control, bool toFront);
    bool RouteMouseToGraphic(TMessage& msg);
    // Hands a child's notification to the child's object; false when not a child's.
    bool ReflectNotification(TMessage& msg);
    void WindowDestroyed();
    void CreateChildHandles();
    // Puts the children's windows in the z-order of Controls.
    void ApplyZOrder();
    bool HasGraphicChildren() const;

    HWND handle_ = nullptr;
    // Set to true when the object is freed while one of its messages is handled.
    bool* freedFlag_ = nullptr;
    bool systemClass_ = false;  // a window of a system class, taken over
    std::vector<HWND> innerWindows_;
    std::vector<TControl*> controls_;  // z-order, bottom first
    std::vector<TWinControl*> tabList_;  // windowed children by TabOrder
    bool tabStop_ = false;
    bool trackingLeave_ = false;
    bool recreating_ = false;
    bool creatingChildren_ = false;
    SIZE lastClient_{0, 0};
    TOwnedBrush brush_;
    TColor brushColor_ = 0;
};
