#pragma once
// A list of same-sized pictures kept in one system image list, drawn by index.
#include <windows.h>
#include <commctrl.h>

#include "framework/Component.h"
#include "framework/Graphics.h"
#include "framework/Handles.h"


class TImageList : public TComponent {
    CLASS_INFO(TImageList, TComponent)

public:
    explicit TImageList(TComponent* owner);
    ~TImageList() override;

    // Changing the size, Masked or the colour depth empties the list.
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetWidth(int width) { SetSize(width, height_); }
    void SetHeight(int height) { SetSize(width_, height); }
    void SetSize(int width, int height);
    bool Masked() const { return masked_; }
    void SetMasked(bool masked);

    // Appends image (and, for a masked list, its mask: white = transparent);
    // an image wider than Width adds several pictures. Returns the first index.
    int Add(TBitmap& image, TBitmap* mask);
    // Appends image with the pixels of maskColor transparent (masked lists).
    int AddMasked(TBitmap& image, TColor maskColor);
    void Replace(int index, TBitmap& image, TBitmap* mask);
    void Delete(int index);
    void Clear();
    int Count() const;

    // Draws picture `index` at (x, y). A disabled picture is drawn embossed in the
    // button highlight and shadow colours, as disabled buttons show their glyphs.
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true);
    // Makes bitmap a Width × Height copy of picture `index`.
    void GetBitmap(int index, TBitmap& bitmap);
    // Makes icon a new icon of picture `index` (transparent where a masked list's
    // mask says so).
    void GetIcon(int index, TIcon& icon);

    // The system image list, created on first use.
    HIMAGELIST Handle();

    TNotifyEvent OnChange;

private:
    void CheckIndex(int index) const;
    void Recreate();
    void Changed();

    int width_ = 16;
    int height_ = 16;
    bool masked_ = false;
    TOwnedImageList handle_;
};
