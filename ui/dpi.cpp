#include "ui/dpi.h"

#include "core/systemdll.h"
#include "ui/monitordpi.h"

namespace {
// Newer than the headers' target Windows and than Wine's import libraries: looked up by name.
using GetDpiForWindowFunction = UINT WINAPI(HWND);
using AdjustWindowRectExForDpiFunction = BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT);
}  // namespace

int Scaled(int value, int dpi) noexcept { return dpi == kDesignDpi ? value : MulDiv(value, dpi, kDesignDpi); }
int Unscaled(int value, int dpi) noexcept { return dpi == kDesignDpi ? value : MulDiv(value, kDesignDpi, dpi); }

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
    return static_cast<int>(MonitorDpi(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)));
}

int DpiAtPoint(POINT point) noexcept
{
    return static_cast<int>(MonitorDpi(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST)));
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
