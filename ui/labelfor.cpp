#include "ui/labelfor.h"

#include <cctype>
#include <vector>

#include "core/handles.h"
#include "ui/button.h"
#include "ui/label.h"
#include "ui/pagecontrol.h"
#include "ui/window.h"

namespace {
// How far a label may reach into the control's column or row and still stand before it: labels
// fit their text, and a colon may end a pixel or two past the field's edge.
constexpr int kSlack = 3;

struct Candidate {
    const TBaseControl* control;
    RECT place;  // screen coordinates
};

bool ScreenPlace(const TBaseControl& control, RECT& place)
{
    if (const auto* windowed = dynamic_cast<const TWinControl*>(&control)) {
        return windowed->HandleAllocated() && GetWindowRect(windowed->Handle(), &place) != FALSE;
    }
    const TWinControl* parent = control.Parent();
    if (parent == nullptr || !parent->HandleAllocated()) return false;
    const Bounds bounds = control.GetBounds();
    POINT origin{bounds.left, bounds.top};
    ClientToScreen(parent->Handle(), &origin);
    place = {origin.x, origin.y, origin.x + bounds.width, origin.y + bounds.height};
    return true;
}

// A group box's caption: the band along its top edge, one line of its font high.
bool CaptionPlace(const TGroupBox& group, RECT& place)
{
    if (!ScreenPlace(group, place)) return false;
    TEXTMETRICA metrics{};
    {
        const WindowDc dc(group.Handle());
        const SelectedObject font(dc.get(), group.Font());
        GetTextMetricsA(dc.get(), &metrics);
    }
    place.bottom = place.top + metrics.tmHeight;
    return true;
}

void AddGroupCaption(const TWinControl& window, std::vector<Candidate>& found)
{
    const auto* group = dynamic_cast<const TGroupBox*>(&window);
    RECT place;
    if (group != nullptr && !group->Text().empty() && CaptionPlace(*group, place)) found.push_back({group, place});
}

// The labels and group captions on `window` and the windows it holds, but not in `named`.
void Collect(const TWinControl& window, const TWinControl& named, bool hidden, std::vector<Candidate>& found)
{
    for (const TGraphicControl* graphic : window.GraphicChildren()) {
        const auto* label = dynamic_cast<const TLabel*>(graphic);
        // A link acts; it names nothing. On a page not shown every label reads as hidden.
        if (label == nullptr || dynamic_cast<const TLinkLabel*>(label) != nullptr || label->Text().empty()) continue;
        if (!hidden && !label->Visible()) continue;
        RECT place;
        if (ScreenPlace(*label, place)) found.push_back({label, place});
    }
    for (const TWinControl* child : window.WindowedChildren()) {
        if (child == &named) continue;
        AddGroupCaption(*child, found);
        Collect(*child, named, hidden, found);
    }
}

const TBaseControl* Nearest(const std::vector<Candidate>& candidates, const RECT& target)
{
    const TBaseControl* left = nullptr;
    LONG leftEdge = LONG_MIN;
    const TBaseControl* above = nullptr;
    LONG aboveEdge = LONG_MIN;
    for (const Candidate& c : candidates) {
        const RECT& p = c.place;
        const bool sameRow = p.top < target.bottom && p.bottom > target.top;
        const bool sameColumn = p.left < target.right && p.right > target.left;
        if (sameRow && p.right <= target.left + kSlack && p.right > leftEdge) {
            left = c.control;
            leftEdge = p.right;
        } else if (sameColumn && p.bottom <= target.top + kSlack && p.bottom > aboveEdge) {
            above = c.control;
            aboveEdge = p.bottom;
        }
    }
    return left != nullptr ? left : above;
}

const TWinControl& Root(const TWinControl& control)
{
    const TWinControl* root = &control;
    while (root->Parent() != nullptr)
        root = root->Parent();
    return *root;
}

const TLabel* LabelSetFor(const TWinControl& window, const TWinControl& control)
{
    for (const TGraphicControl* graphic : window.GraphicChildren()) {
        const auto* label = dynamic_cast<const TLabel*>(graphic);
        if (label != nullptr && label->FocusControl() == &control) return label;
    }
    for (const TWinControl* child : window.WindowedChildren()) {
        if (const TLabel* label = LabelSetFor(*child, control)) return label;
    }
    return nullptr;
}

TWinControl* FindNamed(const TWinControl& window, const TBaseControl& label)
{
    for (TWinControl* child : window.WindowedChildren()) {
        if (LabelFor(*child) == &label) return child;
        if (TWinControl* named = FindNamed(*child, label)) return named;
    }
    return nullptr;
}

// A label or group caption of `window` with the access key `key`.
const TBaseControl* LabelWithKey(const TWinControl& window, char key)
{
    for (const TGraphicControl* graphic : window.GraphicChildren()) {
        const auto* label = dynamic_cast<const TLabel*>(graphic);
        if (label != nullptr && label->Visible() && label->Enabled() && AccessKeyOf(label->Text()) == key) return label;
    }
    for (const TWinControl* child : window.WindowedChildren()) {
        if (!child->Visible()) continue;
        if (dynamic_cast<const TGroupBox*>(child) != nullptr && AccessKeyOf(child->Text()) == key) return child;
        if (const TBaseControl* label = LabelWithKey(*child, key)) return label;
    }
    return nullptr;
}
}  // namespace

const TBaseControl* LabelFor(const TWinControl& control)
{
    if (const TLabel* label = LabelSetFor(Root(control), control)) return label;
    RECT target;
    if (!ScreenPlace(control, target)) return nullptr;
    for (const TWinControl* level = control.Parent(); level != nullptr; level = level->Parent()) {
        std::vector<Candidate> candidates;
        AddGroupCaption(*level, candidates);
        Collect(*level, control, !level->Visible(), candidates);
        if (const TBaseControl* found = Nearest(candidates, target)) return found;
        // The other pages' labels stand on the same place of the screen.
        if (dynamic_cast<const TPageControl*>(level->Parent()) != nullptr) break;
    }
    return nullptr;
}

std::string LabelNameFor(const TWinControl& control)
{
    const TBaseControl* label = LabelFor(control);
    return label != nullptr ? WithoutAccessKeys(label->Text()) : std::string();
}

std::string WithoutAccessKeys(const std::string& text)
{
    std::string shown;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        else if (text[i] == '&')
            continue;
        shown += text[i];
    }
    return shown;
}

char AccessKeyOf(const std::string& text)
{
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] != '&') return static_cast<char>(std::tolower(static_cast<unsigned char>(text[i + 1])));
        ++i;
    }
    return 0;
}

TWinControl* ControlNamedBy(const TLabel& label, const TWinControl& window)
{
    if (label.FocusControl() != nullptr) return label.FocusControl();
    return FindNamed(window, label);
}

bool FocusByLabelKey(const TWinControl& window, char key)
{
    key = static_cast<char>(std::tolower(static_cast<unsigned char>(key)));
    const TBaseControl* label = key != 0 ? LabelWithKey(window, key) : nullptr;
    const auto* painted = dynamic_cast<const TLabel*>(label);
    TWinControl* control = painted != nullptr ? ControlNamedBy(*painted, window)
                           : label != nullptr ? FindNamed(window, *label)
                                              : nullptr;
    if (control == nullptr || !control->HandleAllocated() || !IsWindowEnabled(control->Handle())) return false;
    SetFocus(control->Handle());
    return GetFocus() == control->Handle();
}
