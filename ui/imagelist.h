#pragma once
// An image list filled from one bitmap strip of the program's resources: images side by side,
// magenta (255, 0, 255) where they are transparent.
#include <windows.h>
#include <commctrl.h>

#include "tray/traytypes.h"

struct ImageListArgs {
    int width = 16;
    int height = 16;
    int bitmapResource = 0;  // 0: an empty list
    COLORREF maskColor = RGB(255, 0, 255);
};

class TImageList : public TrayImageList {
public:
    explicit TImageList(const ImageListArgs& args);
    ~TImageList();
    TImageList(const TImageList&) = delete;
    TImageList& operator=(const TImageList&) = delete;

    HIMAGELIST Handle() const noexcept { return m_list; }
    int Count() const override;
    int Width() const noexcept { return m_width; }
    int Height() const noexcept { return m_height; }
    void Draw(HDC dc, int index, int x, int y) const;
    // A new icon of one image; the caller owns it.
    HICON MakeIcon(int index) const override;

private:
    HIMAGELIST m_list = nullptr;
    int m_width;
    int m_height;
};
