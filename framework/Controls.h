#pragma once
// Visual controls: TControl (bounds, anchors, font, colour, hint, mouse and the
// replaceable WindowProc), TWinControl (owns a window), TCustomControl (a window
// that paints itself on a canvas) and TGraphicControl (no window: painted and fed
// mouse messages by its parent, in z-order).
#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/Component.h"
#include "framework/Graphics.h"
#include "framework/Message.h"

class TWinControl;

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

enum TAnchorKind : unsigned { akLeft = 1u << 0, akTop = 1u << 1, akRight = 1u << 2, akBottom = 1u << 3 };
using TAnchors = unsigned;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

enum TShiftFlag : unsigned {
    ssShift = 1u << 0,
    ssAlt = 1u << 1,
    ssCtrl = 1u << 2,
    ssLeft = 1u << 3,
    ssRight = 1u << 4,
    ssMiddle = 1u << 5,
    ssDouble = 1u << 6,
};
using TShiftState = unsigned;

// Behaviour flags of a control class.
enum TControlStyleFlag : unsigned {
    csAcceptsControls = 1u << 0,
    csCaptureMouse = 1u << 1,   // takes the mouse capture on a button press
    csClickEvents = 1u << 2,    // a press and release inside raises Click
    csOpaque = 1u << 3,         // paints all of its area (the parent need not erase)
    csDoubleClicks = 1u << 4,   // a double click raises DblClick (else a second press)
    csSetCaption = 1u << 5,     // a new Name becomes the caption while it equals the old one
};
using TControlStyle = unsigned;

using TMouseEvent = TMethod<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = TMethod<void(TObject* sender, TShiftState shift, int x, int y)>;
using TKeyEvent = TMethod<void(TObject* sender, WORD& key, TShiftState shift)>;
using TKeyPressEvent = TMethod<void(TObject* sender, wchar_t& key)>;
// mousePos is in client coordinates of the control, or (-1, -1) from the keyboard.
using TContextPopupEvent = TMethod<void(TObject* sender, POINT mousePos, bool& handled)>;

// Size limits of a control (0 = no limit); a form applies them to its window.
struct TSizeConstraints {
    int MinWidth = 0;
    int MinHeight = 0;
    int MaxWidth = 0;
    int MaxHeight = 0;
    friend bool operator==(const TSizeConstraints&, const TSizeConstraints&) = default;
};

// The shift state of a mouse message's WParam plus the Alt key.
TShiftState MouseShiftState(WPARAM keys);
// The shift state of the keyboard now.
TShiftState KeyboardShiftState();
// The part of a hint before "|" (the tool tip), and the part after it.
std::wstring GetShortHint(std::wstring_view hint);
std::wstring GetLongHint(std::wstring_view hint);

class TControl : public TComponent {
    KD_CLASS(TControl, TComponent)

public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    // The replaceable handler through which every message of the control passes,
    // from the system and from Perform alike. Starts bound to WndProc.
    TWndMethod WindowProc;
    // Sends a message to the control in-process, through WindowProc.
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

    TWinControl* Parent() const { return parent_; }
    // Moves the control into `parent`'s children (on top of the z-order).
    virtual void SetParent(TWinControl* parent);

    // Bounds in the parent's client coordinates (a form: on the screen).
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    virtual void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
    void SetBoundsRect(const RECT& r) { SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top); }
    // The client area, (0, 0) at its top-left.
    virtual RECT ClientRect() const;
    int ClientWidth() const;
    int ClientHeight() const;
    void SetClientWidth(int w) { SetClientSize(w, ClientHeight()); }
    void SetClientHeight(int h) { SetClientSize(ClientWidth(), h); }
    virtual void SetClientSize(int width, int height);
    // Screen position of the client area's top-left corner.
    virtual POINT ClientOrigin() const;
    POINT ClientToScreen(POINT p) const;
    POINT ScreenToClient(POINT p) const;

    // Sides of the parent whose distance the control keeps when the parent resizes.
    TAnchors Anchors() const { return anchors_; }
    void SetAnchors(TAnchors anchors);
    const TSizeConstraints& Constraints() const { return constraints_; }
    void SetConstraints(const TSizeConstraints& c);
    bool AutoSize() const { return autoSize_; }
    virtual void SetAutoSize(bool on);

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and so are all parents up to a shown top-level window.
    virtual bool Showing() const;
    virtual bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);

    // The control's text (a window's text is read from the window).
    virtual std::wstring Text() const;
    void SetText(std::wstring_view text);
    std::wstring Caption() const { return Text(); }
    void SetCaption(std::wstring_view text) { SetText(text); }

    // "short|long": the short part is the tool tip.
    const std::wstring& Hint() const { return hint_; }
    void SetHint(const std::wstring& hint) { hint_ = hint; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool on);
    bool ParentShowHint() const { return parentShowHint_; }
    void SetParentShowHint(bool on);

    TFont* Font() const { return font_.get(); }
    void SetFont(const TFont& font) { font_->Assign(font); }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool on);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool on);

    TControlStyle ControlStyle() const { return controlStyle_; }
    void SetControlStyle(TControlStyle style) { controlStyle_ = style; }

    // Moves the control to the top (or bottom) of its siblings' z-order.
    void BringToFront();
    void SendToBack();
    virtual void Invalidate();
    // Invalidates and paints at once.
    virtual void Repaint();
    void Update();

    // Whether mouse messages go to this control whatever is under the pointer.
    bool MouseCapture() const;
    void SetMouseCapture(bool on);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnResize;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TContextPopupEvent OnContextPopup;

    // Raises OnClick (programs may call it as a click of the user).
    virtual void Click();

protected:
    friend class TWinControl;

    // The library's default handling of a message; what it does not handle goes
    // to DefaultHandler.
    virtual void WndProc(TMessage& msg);
    // The handling of last resort (a window's own procedure; nothing for others).
    virtual void DefaultHandler(TMessage& msg);

    virtual void DblClick();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void DoContextPopup(POINT mousePos, bool& handled);
    virtual void Resize();
    // Brings the size in line with the content when AutoSize is on.
    virtual void AdjustSize() {}
    // Makes the bounds take effect (on the window, or on the parent's painting).
    virtual void BoundsChanged(const RECT& oldBounds);
    virtual void VisibleChanged();
    virtual void EnabledChanged();
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual void TextChanged() {}
    void Loaded() override;

    // Sets the stored text only (windows also set their window text).
    virtual void SetTextInternal(std::wstring_view text);
    const std::wstring& StoredText() const { return text_; }

    // Stores new bounds without acting on them (after the window moved itself).
    void StoreBounds(int left, int top, int width, int height);
    // Clamps a size to the constraints.
    void ApplyConstraints(int& width, int& height) const;
    // Where the control's right and bottom edges stand from its parent's, kept for anchoring.
    void UpdateAnchorRules();
    // Follows the parent's client area from oldSize to its current size.
    void AnchorToParent(SIZE oldParentClient, SIZE newParentClient);
    // Called by the parent when its font or colour changes.
    void ParentFontChanged();
    void ParentColorChanged();
    void ParentShowHintChanged();

    bool Clicking() const { return clicking_; }

private:
    void FontChangedEvent(TObject*);
    void HandleMouse(TMessage& msg);

    TWinControl* parent_ = nullptr;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    int rightMargin_ = 0;   // parent client width minus our right edge
    int bottomMargin_ = 0;  // parent client height minus our bottom edge
    int leftRule_ = 0;      // left and top when the margins were taken
    int topRule_ = 0;
    bool anchoring_ = false;
    TAnchors anchors_ = akLeft | akTop;
    TSizeConstraints constraints_;
    bool autoSize_ = false;
    bool visible_ = true;
    bool enabled_ = true;
    std::wstring text_;
    std::wstring hint_;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    std::unique_ptr<TFont> font_;
    bool parentFont_ = true;
    bool fontFromParent_ = false;  // the font change in progress comes from the parent
    TColor color_ = clBtnFace;
    bool parentColor_ = false;
    TControlStyle controlStyle_ = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
    bool clicking_ = false;
};

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
    KD_CLASS(TWinControl, TControl)

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
    SIZE LastClientSize() const { return lastClient_; }

    // Dispatch entry from the window procedures (no exception leaves it).
    LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
    // Mouse-enter/-leave bookkeeping for a mouse move in this window at p.
    void TrackMouse(HWND window, POINT p);
    void MouseLeft(HWND window);

    // Notes, for one message being handled, whether a handler freed the control.
    class TFreedWatch {
    public:
        explicit TFreedWatch(TWinControl* c);
        ~TFreedWatch();
        TFreedWatch(const TFreedWatch&) = delete;
        TFreedWatch& operator=(const TFreedWatch&) = delete;
        bool Freed() const { return freed_; }

    private:
        TWinControl* control_;
        bool* outer_;
        bool freed_ = false;
    };

private:
    friend LRESULT CALLBACK KdControlWndProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK KdControlSubclassProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK KdInnerSubclassProc(HWND, UINT, WPARAM, LPARAM);

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
    bool systemClass_ = false;     // subclassed window of a system class
    WNDPROC originalProc_ = nullptr;
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

// A windowed control that paints itself on a canvas (own window class).
class TCustomControl : public TWinControl {
    KD_CLASS(TCustomControl, TWinControl)

public:
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;

    // Draws on the window while Paint runs.
    TCanvas* Canvas() const { return canvas_.get(); }

protected:
    virtual void Paint() {}
    void PaintHandler(TMessage& msg) override;
    void WndProc(TMessage& msg) override;

private:
    std::unique_ptr<TCanvas> canvas_;
};

// A control without a window, painted by its parent.
class TGraphicControl : public TControl {
    KD_CLASS(TGraphicControl, TControl)

public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;

    // Draws on the parent's device context while Paint runs.
    TCanvas* Canvas() const { return canvas_.get(); }

protected:
    virtual void Paint() {}
    void WndProc(TMessage& msg) override;

private:
    std::unique_ptr<TCanvas> canvas_;
};
