#pragma once
// Fonts, pens and brushes: settings that make their GDI object when first
// needed, held by an owner of framework/Handles.h, and announce each change.
#include <windows.h>

#include <string>

#include "framework/Colors.h"
#include "framework/Component.h"
#include "framework/Handles.h"

// Base of fonts, pens and brushes: an object whose settings describe a GDI
// object, raising OnChange after each change of a setting.
class TGraphicsObject : public TObject {
    CLASS_INFO(TGraphicsObject, TObject)

public:
    TGraphicsObject() = default;
    TGraphicsObject(const TGraphicsObject&) = delete;
    TGraphicsObject& operator=(const TGraphicsObject&) = delete;

    TNotifyEvent OnChange;

protected:
    // Raises the canvas's notice (which deselects the old GDI object), then
    // OnChange, then frees `old` (the GDI object of the previous settings).
    template <class Owned>
    void Changed(Owned& old)
    {
        Owned stale = std::move(old);
        Changed();
    }
    void Changed();

private:
    friend class TCanvas;
    TNotifyEvent canvasNotify_;  // set by the canvas that uses this object
};

enum TFontStyle : unsigned { fsBold = 1u << 0, fsItalic = 1u << 1, fsUnderline = 1u << 2, fsStrikeOut = 1u << 3 };
using TFontStyles = unsigned;

class TFont : public TGraphicsObject {
    CLASS_INFO(TFont, TGraphicsObject)

public:
    // Fonts are measured at this resolution (the system's default).
    static constexpr int kPixelsPerInch = 96;

    TFont();

    const std::wstring& Name() const { return name_; }
    void SetName(const std::wstring& name);
    // Pixels; negative means the height of the characters without internal leading.
    int Height() const { return height_; }
    void SetHeight(int height);
    // Points, kept in step with Height.
    int Size() const;
    void SetSize(int points);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    BYTE Charset() const { return charset_; }
    void SetCharset(BYTE charset);
    // Prefers an outline (TrueType) font of the name to a bitmap one, which the
    // system has at a few sizes only: used away from 96 DPI, where sizes scale.
    // "MS Sans Serif" is then made as its outline twin, "Microsoft Sans Serif".
    bool OutlinePreferred() const { return outline_; }
    void SetOutlinePreferred(bool on);

    // The font, created on first use and again after a change of the settings.
    HFONT Handle() const;
    // Takes ownership of `font` and takes the settings from its description
    // (a turned font keeps its turn until the next change of a setting).
    void SetHandle(HFONT font);
    bool HandleAllocated() const { return static_cast<bool>(handle_); }

    // Copies the settings (not OnChange); one change.
    void Assign(const TFont& other);

private:
    std::wstring name_ = L"MS Sans Serif";
    int height_ = -11;
    TFontStyles style_ = 0;
    TColor color_ = clWindowText;
    BYTE charset_ = DEFAULT_CHARSET;
    bool outline_ = false;
    mutable bool handedOver_ = false;  // the handle came from SetHandle, not from the settings
    mutable TOwnedFont handle_;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

class TPen : public TGraphicsObject {
    CLASS_INFO(TPen, TGraphicsObject)

public:
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int Width() const { return width_; }
    void SetWidth(int width);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle style);

    HPEN Handle() const;
    void Assign(const TPen& other);

private:
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
    mutable TOwnedPen handle_;
};

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TGraphicsObject {
    CLASS_INFO(TBrush, TGraphicsObject)

public:
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle style);

    // A clear brush gives the system's hollow brush (not owned, never freed).
    HBRUSH Handle() const;
    void Assign(const TBrush& other);

private:
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
    mutable TOwnedBrush handle_;
};
