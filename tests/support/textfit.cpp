#include "support/textfit.h"

#include <windows.h>

#include "core/handles.h"
#include "ui/button.h"
#include "ui/graphic.h"
#include "ui/label.h"
#include "ui/linkfocus.h"
#include "ui/speedbutton.h"
#include "ui/valuelist.h"
#include "ui/window.h"

namespace {
SIZE TextSize(HFONT font, const std::string& text)
{
    WindowDc dc(nullptr);
    SelectedObject selected(dc.get(), font);
    SIZE size{};
    // Access-key marks take no room.
    std::string shown;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i;
        shown += text[i];
    }
    GetTextExtentPoint32A(dc.get(), shown.c_str(), static_cast<int>(shown.size()), &size);
    return size;
}

RECT Rect(const Bounds& b) { return {b.left, b.top, b.left + b.width, b.top + b.height}; }

// The room a control's frame leaves its text, at the window's scale (`unit`: a 96-DPI pixel).
struct Room {
    int side = 0;  // taken on the left and right together
    int top = 0;   // taken above and below together
};

class Checker {
public:
    explicit Checker(double unit) : m_unit(unit) {}

    void Check(const TWinControl& parent)
    {
        for (const TGraphicControl* graphic : parent.GraphicChildren())
            CheckGraphic(parent, *graphic);
        for (const TWinControl* child : parent.WindowedChildren()) {
            if (!child->VisibleFlag()) continue;
            CheckWindowed(*child);
            Check(*child);
        }
    }

    std::vector<std::string> problems;

private:
    int Scaled(int pixels) const { return static_cast<int>(pixels * m_unit + 0.5); }

    void Fits(const TBaseControl& control, const std::string& what, const std::string& text, Room room, int width,
              int height)
    {
        if (text.empty()) return;
        const SIZE size = TextSize(control.Font(), text);
        if (size.cx + Scaled(room.side) <= width && size.cy + Scaled(room.top) <= height) return;
        problems.push_back(what + " \"" + text + "\": " + std::to_string(size.cx) + " x " + std::to_string(size.cy) +
                           " pixels in " + std::to_string(width - Scaled(room.side)) + " x " +
                           std::to_string(height - Scaled(room.top)));
    }

    void CheckGraphic(const TWinControl& parent, const TGraphicControl& graphic)
    {
        const auto* label = dynamic_cast<const TLabel*>(&graphic);
        if (label == nullptr || !label->VisibleFlag()) return;
        const Bounds bounds = label->GetBounds();
        if (label->WordWrap()) {
            WindowDc dc(nullptr);
            SelectedObject selected(dc.get(), label->Font());
            RECT needed{0, 0, bounds.width, 0};
            const std::string text = label->Text();
            DrawTextA(dc.get(), text.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
            if (needed.bottom > bounds.height)
                problems.push_back("label \"" + text.substr(0, 30) + "...\": needs " + std::to_string(needed.bottom) +
                                   " pixels of height in " + std::to_string(bounds.height));
        } else {
            Fits(*label, "label", label->Text(), {}, bounds.width, bounds.height);
        }
        // No label lies over another control of its parent, but on a band or panel made to
        // carry it, or over its own words (a link within a text).
        const RECT own = Rect(bounds);
        for (const TGraphicControl* other : parent.GraphicChildren()) {
            if (other == &graphic || !other->VisibleFlag() || dynamic_cast<const TShape*>(other) != nullptr) continue;
            RECT overlap;
            const RECT theirs = Rect(other->GetBounds());
            if (!IntersectRect(&overlap, &own, &theirs)) continue;
            const auto* otherLabel = dynamic_cast<const TLabel*>(other);
            if (otherLabel != nullptr && otherLabel->WordWrap() &&
                otherLabel->Text().find(label->Text()) != std::string::npos)
                continue;
            if (label->WordWrap() && otherLabel != nullptr &&
                label->Text().find(otherLabel->Text()) != std::string::npos)
                continue;
            problems.push_back("label \"" + label->Text().substr(0, 30) + "\" overlaps another control");
        }
        for (const TWinControl* other : parent.WindowedChildren()) {
            // A link's focus window lies over the link, which is measured among the labels.
            if (!other->VisibleFlag() || dynamic_cast<const TLinkFocus*>(other) != nullptr) continue;
            RECT overlap;
            const RECT theirs = Rect(other->GetBounds());
            if (IntersectRect(&overlap, &own, &theirs))
                problems.push_back("label \"" + label->Text().substr(0, 30) + "\" overlaps a window");
        }
    }

    void CheckWindowed(const TWinControl& control)
    {
        const Bounds bounds = control.GetBounds();
        if (const auto* speed = dynamic_cast<const TSpeedButton*>(&control)) {
            // Its picture (24 pixels at 100%) and a gap stand left of the text.
            Fits(*speed, "toolbar button", speed->Text(), {24 + 4 + 8, 4}, bounds.width, bounds.height);
        } else if (const auto* check = dynamic_cast<const TCheckControl*>(&control)) {
            // The box (13 pixels at 100%) and its gap stand left of the text.
            Fits(*check, "check box", check->Text(), {13 + 4 + 2, 0}, bounds.width, bounds.height);
        } else if (const auto* group = dynamic_cast<const TGroupBox*>(&control)) {
            // The caption is set into the frame 8 pixels from its left end.
            Fits(*group, "group box", group->Text(), {8 + 8, 0}, bounds.width, bounds.height);
        } else if (const auto* button = dynamic_cast<const TButton*>(&control)) {
            // A push button's edges: two pixels of edge and one of space on each side.
            Fits(*button, "button", button->Text(), {6, 4}, bounds.width, bounds.height);
        } else if (const auto* grid = dynamic_cast<const TValueListEditor*>(&control)) {
            for (int row = 0; row < grid->RowCount(); ++row)
                Fits(*grid, "grid key", grid->Key(row), {4, 0}, grid->KeyColumnWidth(), grid->RowHeight());
            // Every row's text within the grid's height (centred in its row; the last row's
            // margin below the text may be cut).
            const int textHeight = grid->RowCount() > 0 ? TextSize(grid->Font(), grid->Key(0)).cy : 0;
            if (grid->RowCount() > 0 &&
                (grid->RowCount() - 1) * grid->RowHeight() + (grid->RowHeight() + textHeight) / 2 > bounds.height)
                problems.push_back("grid of \"" + grid->Key(0) + "\": " + std::to_string(grid->RowCount()) +
                                   " rows of " + std::to_string(grid->RowHeight()) + " pixels in " +
                                   std::to_string(bounds.height));
        }
    }

    double m_unit;
};
}  // namespace

std::vector<std::string> TextsThatDoNotFit(const TWinControl& window, int dpi)
{
    Checker checker(dpi / 96.0);
    checker.Check(window);
    return checker.problems;
}
