#include "support/screenshot.h"

#include <fstream>

#include "core/handles.h"

void SaveScreenArea(const RECT& area, const std::string& path)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    const WindowDc screen(nullptr);
    const UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    const UniqueHbitmap bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    {
        const SelectedObject selected(memory.get(), bitmap.get());
        BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY);
    }
    const DWORD stride = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + stride * static_cast<DWORD>(height);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    out.write(static_cast<const char*>(bits), static_cast<std::streamsize>(stride * static_cast<DWORD>(height)));
}

void SaveScreenCorner(int width, int height, const std::string& path)
{
    RECT screen;
    GetWindowRect(GetDesktopWindow(), &screen);
    const int dpi = GetDeviceCaps(WindowDc(nullptr).get(), LOGPIXELSX);
    const RECT area{screen.right - MulDiv(width, dpi, 96), screen.bottom - MulDiv(height, dpi, 96), screen.right,
                    screen.bottom};
    SaveScreenArea(area, path);
}

void SaveWindow(HWND window, const std::string& path)
{
    RECT area;
    GetWindowRect(window, &area);
    InflateRect(&area, 8, 8);
    SaveScreenArea(area, path);
}
