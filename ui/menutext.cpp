#include "ui/menutext.h"

#include <windows.h>

#include "core/handles.h"

namespace {
HFONT MenuFont()
{
    // The font Windows draws menus in ("NONCLIENTMETRICS structure", lfMenuFont); made once.
    static const HFONT font = [] {
        NONCLIENTMETRICSA metrics{};
        metrics.cbSize = sizeof metrics;
        if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
            return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        return CreateFontIndirectA(&metrics.lfMenuFont);
    }();
    return font;
}
}  // namespace

int MenuTextWidth(const std::string& text)
{
    WindowDc dc(nullptr);
    SelectedObject font(dc.get(), MenuFont());
    SIZE size{};
    GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

int MenuTextWidthLimit()
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    return (monitor.rcWork.right - monitor.rcWork.left) / 3;
}

std::string MenuText(const std::string& text)
{
    const int limit = MenuTextWidthLimit();
    if (MenuTextWidth(text) <= limit) return text;
    // The longest start of whole characters that fits with the ellipsis.
    size_t low = 0;
    size_t high = text.size();
    while (low < high) {
        const size_t middle = (low + high + 1) / 2;
        if (MenuTextWidth(text.substr(0, middle) + "...") <= limit) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    // Not inside a double-byte character of the ANSI code page.
    size_t cut = 0;
    while (cut < low) {
        const size_t next = static_cast<size_t>(CharNextA(text.c_str() + cut) - text.c_str());
        if (next > low || next == cut) break;
        cut = next;
    }
    return text.substr(0, cut) + "...";
}
