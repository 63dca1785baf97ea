#include "app/ScaledPictures.h"

#include <cstring>
#include <span>
#include <vector>

#include "app/PackedPicture.h"
#include "app/res/Resource.h"
#include "framework/OSError.h"

namespace {

// 25 % to 2000 %: beyond any display both ways, and every picture at least 4 pixels wide.
constexpr int kMinDpi = kDesignDpi / 4;
constexpr int kMaxDpi = 20 * kDesignDpi;

// A picture resource at 96 DPI: the side of one picture and how many stand side by side.
struct TPictureShape {
    int Side = 0;
    int Count = 0;
};

TPictureShape ShapeOf(int resourceId)
{
    if (resourceId >= IDB_TERRAIN_DIRT && resourceId <= IDB_TERRAIN_WATER)
        return {33, 4};
    if (resourceId == IDB_CHECK_ALL || resourceId == IDB_CHECK_NONE)
        return {16, 1};
    RaiseOSError(ERROR_RESOURCE_NAME_NOT_FOUND);
}

// The bytes of an RCDATA resource; they stay with the module.
std::span<const std::uint8_t> ResourceBytes(HINSTANCE instance, int id)
{
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(id), RT_RCDATA);
    if (!found)
        RaiseLastOSError();
    const DWORD size = SizeofResource(instance, found);
    HGLOBAL loaded = LoadResource(instance, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes)
        RaiseLastOSError();
    return {static_cast<const std::uint8_t*>(bytes), size};
}

// The set drawn at `scale`, which must be width x height pixels.
void LoadDrawn(TBitmap& drawn, HINSTANCE instance, int resourceId, int scale, int width, int height)
{
    if (scale == 100) {
        drawn.LoadFromResourceID(instance, resourceId);
        if (drawn.Width() != width || drawn.Height() != height)
            RaiseOSError(ERROR_INVALID_DATA);
        return;
    }
    std::vector<std::uint32_t> pixels;
    if (!UnpackPicture(ResourceBytes(instance, IDR_SCALED_PICTURE(resourceId, scale)), width, height, pixels))
        RaiseOSError(ERROR_INVALID_DATA);
    drawn.SetSize(width, height);
    for (int y = 0; y < height; ++y)
        std::memcpy(drawn.ScanLine(y), pixels.data() + static_cast<size_t>(y) * width,
                    static_cast<size_t>(width) * sizeof(std::uint32_t));
}

// Each of the count pictures of `from` stretched to side x side, one by one so
// that none takes colour from its neighbour.
void StretchPictures(TBitmap& to, TBitmap& from, int count, int side)
{
    to.SetSize(side * count, side);
    const int fromSide = from.Height();
    HDC source = from.Canvas()->Handle();
    HDC dest = to.Canvas()->Handle();
    SetStretchBltMode(dest, HALFTONE);
    SetBrushOrgEx(dest, 0, 0, nullptr);  // HALFTONE leaves the brush origin undefined
    for (int i = 0; i < count; ++i)
        Win32Check(StretchBlt(dest, i * side, 0, side, side, source, i * fromSide, 0, fromSide, fromSide, SRCCOPY));
}

}  // namespace

void LoadScaledPicture(TBitmap& into, int resourceId, int dpi)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (dpi == kDesignDpi) {
        into.LoadFromResourceID(instance, resourceId);
        return;
    }
    if (dpi < kMinDpi || dpi > kMaxDpi)
        RaiseOSError(ERROR_INVALID_PARAMETER);
    const TPictureShape shape = ShapeOf(resourceId);
    const int scale = PictureScaleFor(dpi);
    const int drawnSide = ScaleForDpi(shape.Side, scale * kDesignDpi / 100);
    const int side = ScaleForDpi(shape.Side, dpi);
    TBitmap drawn;
    LoadDrawn(drawn, instance, resourceId, scale, drawnSide * shape.Count, drawnSide);
    if (side == drawnSide) {
        into.AssignPixels(drawn);
        return;
    }
    TBitmap stretched;
    StretchPictures(stretched, drawn, shape.Count, side);
    into.AssignPixels(stretched);
}
