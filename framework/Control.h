#pragma once
// TControl: bounds, anchors, font, colour, hint, mouse and the replaceable
// WindowProc that every message of a control passes through; with the types
// its events and styles use.
#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "framework/Component.h"
#include "framework/ControlMessages.h"
#include "framework/DpiScale.h"
#include "framework/Graphics.h"
#include "framework/Message.h"

class TWinControl;

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
    CLASS_INFO(TControl, TComponent)

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

    TFont* Font() const { return font_.get(); }
    void SetFont(const TFont& font) { font_->Assign(font); }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool on);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    void SetParentColor(bool on);

    // The dots per inch the control is laid out for: its form's (96 outside a form).
    virtual int CurrentDpi() const;
    // A length written for 96 DPI at the control's DPI.
    int Scaled(int value) const { return ScaleForDpi(value, CurrentDpi()); }

    TControlStyle ControlStyle() const { return controlStyle_; }
    void SetControlStyle(TControlStyle style) { controlStyle_ = style; }

    // Moves the control to the top of its siblings' z-order.
    void BringToFront();
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
