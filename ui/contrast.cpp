#include "ui/contrast.h"

#include <utility>

namespace {
HighContrastSource& Source()
{
    static HighContrastSource source;
    return source;
}
}  // namespace

bool HighContrast()
{
    if (Source()) return Source()();
    // "HIGHCONTRAST structure": HCF_HIGHCONTRASTON while a high-contrast theme is chosen.
    HIGHCONTRASTA contrast{};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

COLORREF ShownBackground(COLORREF designed) { return HighContrast() ? GetSysColor(COLOR_WINDOW) : designed; }

COLORREF ShownText(COLORREF designed, bool onOwnBackground, bool link)
{
    if (!HighContrast()) return designed;
    if (link) return GetSysColor(COLOR_HOTLIGHT);
    return GetSysColor(onOwnBackground ? COLOR_WINDOWTEXT : COLOR_BTNTEXT);
}

HighContrastSource SetHighContrastSource(HighContrastSource source)
{
    return std::exchange(Source(), std::move(source));
}
