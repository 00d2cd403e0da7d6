// In a high-contrast theme the windows paint with the theme's colours, so every text stays
// readable: no label or grid shows a colour of the design, and each shows its text.
#include "app/mainwindow.h"

#include <algorithm>
#include <functional>

#include "core/handles.h"
#include "ui/application.h"
#include "ui/contrast.h"
#include "ui/header.h"
#include "ui/label.h"
#include "ui/pagecontrol.h"
#include "ui/valuelist.h"

namespace {
// A theme whose colours are none of the design's (white, blue, teal), put back afterwards.
class HighContrastTheme {
public:
    HighContrastTheme() : m_previous(SetHighContrastSource([] { return true; }))
    {
        for (size_t i = 0; i < std::size(kElements); ++i)
            m_saved[i] = GetSysColor(kElements[i]);
        SetSysColors(static_cast<int>(std::size(kElements)), kElements, kTheme);
    }
    ~HighContrastTheme()
    {
        SetSysColors(static_cast<int>(std::size(kElements)), kElements, m_saved);
        SetHighContrastSource(m_previous);
    }
    HighContrastTheme(const HighContrastTheme&) = delete;
    HighContrastTheme& operator=(const HighContrastTheme&) = delete;

    static constexpr INT kElements[] = {COLOR_WINDOW,    COLOR_WINDOWTEXT,    COLOR_BTNFACE, COLOR_BTNTEXT,
                                        COLOR_HOTLIGHT,  COLOR_BTNHIGHLIGHT,  COLOR_3DLIGHT, COLOR_BTNSHADOW,
                                        COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT, COLOR_GRAYTEXT};
    static constexpr COLORREF kTheme[] = {RGB(0, 0, 0),     RGB(255, 255, 0),   RGB(16, 16, 16),    RGB(0, 255, 0),
                                          RGB(0, 255, 255), RGB(200, 200, 200), RGB(150, 150, 150), RGB(90, 90, 90),
                                          RGB(128, 0, 128), RGB(255, 255, 254), RGB(64, 200, 64)};

private:
    HighContrastSource m_previous;
    COLORREF m_saved[std::size(kElements)]{};
};

bool Designed(COLORREF colour)
{
    return colour == RGB(255, 255, 255) || colour == RGB(0, 0, 255) || colour == RGB(0, 128, 128);
}
}  // namespace

using HighContrastTest = MainWindowTest;

TEST_F(HighContrastTest, EveryTextIsDrawnInTheThemesColours)
{
    Create();
    form->Show();
    // The theme is chosen while the window is up: Windows tells top-level windows only.
    HighContrastTheme theme;
    SendMessageA(form->Handle(), WM_SYSCOLORCHANGE, 0, 0);
    for (int tab = 0; tab < 4; ++tab) {
        form->PageControl1->SetActivePageIndex(tab);
        RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        application.ProcessMessages();
        // Each text-bearing part on the screen: its pixels through the window's own DC.
        std::vector<std::pair<std::string, RECT>> parts;
        std::vector<RECT> headers;  // Windows' own, lying over a grid's first row
        const std::function<void(const TWinControl&)> collect = [&](const TWinControl& parent) {
            if (!parent.HandleAllocated() || !IsWindowVisible(parent.Handle())) return;
            for (const TGraphicControl* graphic : parent.GraphicChildren()) {
                const auto* label = dynamic_cast<const TLabel*>(graphic);
                if (label == nullptr || !label->VisibleFlag() || label->Text().empty()) continue;
                const Bounds b = label->GetBounds();
                RECT rect{b.left, b.top, b.left + b.width, b.top + b.height};
                MapWindowPoints(parent.Handle(), form->Handle(), reinterpret_cast<POINT*>(&rect), 2);
                parts.emplace_back(label->Text().substr(0, 20), rect);
            }
            for (const TWinControl* child : parent.WindowedChildren()) {
                const bool grid = dynamic_cast<const TValueListEditor*>(child) != nullptr;
                const bool header = dynamic_cast<const THeaderControl*>(child) != nullptr;
                if ((grid || header) && IsWindowVisible(child->Handle())) {
                    RECT rect;
                    GetWindowRect(child->Handle(), &rect);
                    MapWindowPoints(nullptr, form->Handle(), reinterpret_cast<POINT*>(&rect), 2);
                    if (grid) parts.emplace_back("grid", rect);
                    if (header) headers.push_back(rect);
                }
                collect(*child);
            }
        };
        collect(*form);
        const WindowDc window(form->Handle());
        const HDC dc = window.get();
        for (const auto& [name, rect] : parts) {
            SCOPED_TRACE(name);
            int designed = 0;
            int themed = 0;
            for (int y = rect.top; y < rect.bottom; ++y) {
                for (int x = rect.left; x < rect.right; ++x) {
                    if (std::any_of(headers.begin(), headers.end(), [&](const RECT& h) {
                            return PtInRect(&h, POINT{x, y}) != FALSE;
                        }))
                        continue;
                    const COLORREF colour = GetPixel(dc, x, y);
                    designed += Designed(colour);
                    themed += colour == RGB(255, 255, 0) || colour == RGB(0, 255, 0) || colour == RGB(0, 255, 255);
                }
            }
            EXPECT_EQ(designed, 0) << "tab " << tab;
            if (name != "grid") {
                EXPECT_GT(themed, 0) << "tab " << tab;
            }
        }
    }
}
