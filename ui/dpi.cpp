#include "ui/dpi.h"

#include "core/systemdll.h"

namespace {
// Newer than the headers' target Windows and than Wine's import libraries: looked up by name.
using GetDpiForWindowFunction = UINT WINAPI(HWND);
using GetDpiForMonitorFunction = HRESULT WINAPI(HMONITOR, int, UINT*, UINT*);
using AdjustWindowRectExForDpiFunction = BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT);
constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

int ScreenDpi() noexcept
{
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : DesignDpi;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : DesignDpi;
}
}  // namespace

int Scaled(int value, int dpi) noexcept { return dpi == DesignDpi ? value : MulDiv(value, dpi, DesignDpi); }
int Unscaled(int value, int dpi) noexcept { return dpi == DesignDpi ? value : MulDiv(value, DesignDpi, dpi); }

Bounds ScaledBounds(const Bounds& design, int dpi) noexcept
{
    return {Scaled(design.left, dpi), Scaled(design.top, dpi), Scaled(design.width, dpi), Scaled(design.height, dpi)};
}

Bounds UnscaledBounds(const Bounds& bounds, int dpi) noexcept
{
    return {Unscaled(bounds.left, dpi), Unscaled(bounds.top, dpi), Unscaled(bounds.width, dpi),
            Unscaled(bounds.height, dpi)};
}

int WindowDpi(HWND window) noexcept
{
    static auto* getDpiForWindow = TrySystemFunction<GetDpiForWindowFunction>("user32.dll", "GetDpiForWindow");
    if (getDpiForWindow != nullptr && window != nullptr) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi != 0) return static_cast<int>(dpi);
    }
    return ScreenDpi();
}

int DpiAtPoint(POINT point) noexcept
{
    static auto* getDpiForMonitor = TrySystemFunction<GetDpiForMonitorFunction>("shcore.dll", "GetDpiForMonitor");
    if (getDpiForMonitor != nullptr) {
        UINT x = 0;
        UINT y = 0;
        HMONITOR monitor = MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST);
        if (SUCCEEDED(getDpiForMonitor(monitor, kEffectiveDpi, &x, &y)) && x != 0) return static_cast<int>(x);
    }
    return ScreenDpi();
}

RECT OuterRect(const RECT& client, DWORD style, DWORD exStyle, int dpi) noexcept
{
    static auto* adjustForDpi =
        TrySystemFunction<AdjustWindowRectExForDpiFunction>("user32.dll", "AdjustWindowRectExForDpi");
    RECT outer = client;
    if (adjustForDpi != nullptr) {
        adjustForDpi(&outer, style, FALSE, exStyle, static_cast<UINT>(dpi));
    } else {
        AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    }
    return outer;
}
