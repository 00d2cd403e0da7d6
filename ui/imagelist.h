#pragma once
// An image list filled from one bitmap strip of the program's resources: images side by side,
// magenta (255, 0, 255) where they are transparent.
#include <windows.h>
#include <commctrl.h>

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
};

class TImageList : public IconImages {
public:
    explicit TImageList(const ImageListArgs& args);
    TImageList(const TImageList&) = delete;
    TImageList& operator=(const TImageList&) = delete;

    HIMAGELIST Handle() const noexcept { return m_list.get(); }
    int Count() const override;
    int Width() const noexcept { return m_width; }
    int Height() const noexcept { return m_height; }
    void Draw(HDC dc, int index, int x, int y) const;
    // Draws an image faded half into `background`, as a disabled control shows it.
    void DrawFaded(HDC dc, int index, int x, int y, COLORREF background) const;
    // A new icon of one image; the caller owns it.
    HICON MakeIcon(int index) const override;

private:
    UniqueImageList m_list;
    int m_width;
    int m_height;
};
