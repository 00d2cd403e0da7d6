#include "ui/pagecontrol.h"

#include <commctrl.h>

TTabSheet::TTabSheet(HWND tabControl, int pageIndex) : m_pageIndex(pageIndex)
{
    WindowClass windowClass;
    windowClass.name = "VelmoraTabSheet";
    CreateHandle(windowClass, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, tabControl, {}, {});
}

void TTabSheet::Build()
{
    if (!m_build) return;
    const std::function<void()> build = std::move(m_build);
    m_build = nullptr;
    build();
}

TPageControl::TPageControl(const PageControlArgs& args)
{
    CreateHandle({.className = WC_TABCONTROLA,
                  .style = WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN | (args.multiLine ? TCS_MULTILINE : 0),
                  .exStyle = WS_EX_CONTROLPARENT,
                  .parent = args.parent,
                  .bounds = args.bounds,
                  .font = args.font});
    if (args.images != nullptr) {
        SendMessageA(Handle(), TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(args.images->Handle()));
    }
}

TTabSheet& TPageControl::AddPage(const std::string& caption, int imageIndex)
{
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = const_cast<char*>(caption.c_str());
    item.iImage = imageIndex;
    const int index = PageCount();
    SendMessageA(Handle(), TCM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    m_pages.push_back(std::make_unique<TTabSheet>(Handle(), index));
    // A new tab can add a row of tabs and so move every page.
    PlacePages();
    ShowActivePage();
    return *m_pages.back();
}

int TPageControl::ActivePageIndex() const { return static_cast<int>(SendMessageA(Handle(), TCM_GETCURSEL, 0, 0)); }

void TPageControl::SetActivePageIndex(int index)
{
    SendMessageA(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    ShowActivePage();
}

RECT TPageControl::PageRect() const
{
    RECT rect;
    GetClientRect(Handle(), &rect);
    SendMessageA(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rect));
    return rect;
}

void TPageControl::PlacePages()
{
    const RECT rect = PageRect();
    for (auto& page : m_pages) {
        page->SetBounds({rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top});
    }
}

void TPageControl::ShowActivePage()
{
    const int active = ActivePageIndex();
    if (active >= 0 && active < PageCount()) Page(active).Build();
    for (auto& page : m_pages) {
        ShowWindow(page->Handle(), page->PageIndex() == active ? SW_SHOW : SW_HIDE);
    }
}

bool TPageControl::HandleNotify(NMHDR& header, LRESULT& result)
{
    if (header.code != TCN_SELCHANGE) return false;
    ShowActivePage();
    if (onChange) onChange();
    result = 0;
    return true;
}

LRESULT TPageControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SIZE) {
        const LRESULT result = DefaultMessage(message, wParam, lParam);
        PlacePages();
        return result;
    }
    return TControl::HandleMessage(message, wParam, lParam);
}
