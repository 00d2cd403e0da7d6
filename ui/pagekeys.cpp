#include "ui/pagekeys.h"

#include <commctrl.h>

#include "ui/pagecontrol.h"

namespace {
// The tab strip that holds `focus`, else the form's first with more than one tab.
TPageControl* PagesFor(const TWinControl& form, HWND focus)
{
    for (HWND window = focus; window != nullptr && window != form.Handle(); window = GetParent(window)) {
        if (auto* pages = dynamic_cast<TPageControl*>(TWinControl::FromHandle(window))) return pages;
    }
    for (TWinControl* child : form.WindowedChildren()) {
        auto* pages = dynamic_cast<TPageControl*>(child);
        if (pages != nullptr && pages->PageCount() > 1 && pages->Visible()) return pages;
        if (TPageControl* inner = PagesFor(*child, nullptr)) return inner;
    }
    return nullptr;
}
}  // namespace

bool SwitchPageByKey(const TWinControl& form, const MSG& message)
{
    if (message.message != WM_KEYDOWN || GetKeyState(VK_CONTROL) >= 0) return false;
    const WPARAM key = message.wParam;
    if (key != VK_TAB && key != VK_NEXT && key != VK_PRIOR) return false;
    TPageControl* pages = PagesFor(form, GetFocus());
    if (pages == nullptr || pages->PageCount() < 2) return false;
    const bool forward = key == VK_TAB ? GetKeyState(VK_SHIFT) >= 0 : key == VK_NEXT;
    pages->SelectNextPage(forward);
    // The focus goes to the new page's first stop, or leaves the hidden one for the form's first.
    TTabSheet& page = pages->Page(pages->ActivePageIndex());
    HWND stop = GetNextDlgTabItem(page.Handle(), nullptr, FALSE);
    if (stop == nullptr || !IsChild(page.Handle(), stop)) {
        HWND focus = GetFocus();
        if (focus == nullptr || !IsWindowVisible(focus))
            stop = GetNextDlgTabItem(form.Handle(), nullptr, FALSE);
        else
            stop = focus;
    }
    if (stop != nullptr) SetFocus(stop);
    return true;
}

void TPageControl::SelectNextPage(bool forward)
{
    const int count = PageCount();
    if (count == 0) return;
    const int next = (ActivePageIndex() + (forward ? 1 : count - 1)) % count;
    SendMessageA(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(next), 0);
    // The notification a click sends, so the page changes as the user's choice.
    NMHDR header{Handle(), static_cast<UINT_PTR>(GetDlgCtrlID(Handle())), static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(GetParent(Handle()), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}
