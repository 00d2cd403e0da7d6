#pragma once
// An image list filled from one bitmap strip of the program's resources: images side by side,
// magenta (255, 0, 255) where they are transparent. The same images may come drawn at 150% and
// 200%; a window is given the scale nearest its DPI that exists, never an image stretched (with
// only the 100% strip, a window at any DPI shows the images at their own size).
#include <windows.h>
#include <commctrl.h>

#include <map>

#include "core/handles.h"

// Images that icons can be made of: what an image list offers a window that shows icons
// (the tray icon) and tests can stand in for.
class IconImages {
public:
    virtual int Count() const = 0;
    // A new icon made from image `index`; the caller owns it.
    virtual HICON MakeIcon(int index) const = 0;

protected:
    ~IconImages() = default;
};

struct ImageListArgs {
    int width = 16;
    int height = 16;
    int bitmapResource = 0;  // 0: an empty list
    COLORREF maskColor = RGB(255, 0, 255);
    int bitmapResource150 = 0;  // the same strip at 150%; 0: none
    int bitmapResource200 = 0;  // at 200%; 0: none
};

// The scale in percent (100, 150 or 200) whose images suit a DPI best, of those that exist; a
// DPI halfway between two takes the larger.
int NearestImageScale(int dpi, bool has150, bool has200) noexcept;

class TImageList : public IconImages {
public:
    explicit TImageList(const ImageListArgs& args);
    TImageList(const TImageList&) = delete;
    TImageList& operator=(const TImageList&) = delete;

    // The list for a window at `dpi`, made from its strip when first asked for.
    HIMAGELIST Handle(int dpi = 96) const;
    int Count() const override;
    // The size of the images a window at `dpi` is given.
    int Width(int dpi = 96) const noexcept { return m_width * ScaleFor(dpi) / 100; }
    int Height(int dpi = 96) const noexcept { return m_height * ScaleFor(dpi) / 100; }
    int ScaleFor(int dpi) const noexcept;
    void Draw(HDC dc, int index, int x, int y, int dpi = 96) const;
    // Draws an image faded half into `background`, as a disabled control shows it.
    void DrawFaded(HDC dc, int index, int x, int y, COLORREF background, int dpi = 96) const;
    // A new icon of one image; the caller owns it.
    HICON MakeIcon(int index) const override;

private:
    UniqueImageList Load(int scale) const;

    ImageListArgs m_args;
    mutable std::map<int, UniqueImageList> m_lists;  // by scale in percent
    int m_width;
    int m_height;
};
