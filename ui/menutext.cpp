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

// One memory DC with the menu font, kept for the program's life: a list of thousands of
// profiles measures every caption, and a screen DC fetched for each costs a trip to the window
// server under Wine.
HDC MenuDc()
{
    static const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    static const bool fontChosen = dc && SelectObject(dc.get(), MenuFont()) != nullptr;
    return fontChosen ? dc.get() : nullptr;
}

// The widest character of the menu font: a text no longer than the limit allows for it fits
// without measuring.
int WidestCharacter()
{
    static const int widest = [] {
        TEXTMETRICA metrics{};
        return MenuDc() != nullptr && GetTextMetricsA(MenuDc(), &metrics) ? metrics.tmMaxCharWidth : 0;
    }();
    return widest;
}
}  // namespace

int MenuTextWidth(const std::string& text)
{
    SIZE size{};
    if (MenuDc() == nullptr || !GetTextExtentPoint32A(MenuDc(), text.c_str(), static_cast<int>(text.size()), &size))
        return 0;
    return size.cx;
}

int MenuTextWidthLimit()
{
    // Asked once per message handled: a handler that fills a menu of thousands of profiles asks
    // for every caption, and the monitor's work area costs a trip to the window server under
    // Wine; it does not change while one message is handled.
    static LONG askedAt = 0;
    static int limit = 0;
    if (limit != 0 && askedAt == GetMessageTime()) return limit;
    askedAt = GetMessageTime();
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    limit = (monitor.rcWork.right - monitor.rcWork.left) / 3;
    return limit;
}

std::string MenuText(const std::string& text)
{
    const int limit = MenuTextWidthLimit();
    const int widest = WidestCharacter();
    if (widest > 0 && text.size() <= static_cast<size_t>(limit / widest)) return text;
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
