#include "ui/pagecontrol.h"

#include <commctrl.h>

TTabSheet::TTabSheet(TPageControl& pages, int pageIndex, std::string caption, int imageIndex)
    : m_pageIndex(pageIndex), m_caption(std::move(caption)), m_imageIndex(imageIndex)
{
    WindowClass windowClass;
    windowClass.name = "VelmoraTabSheet";
    // Hidden until its tab is the selected one.
    Init(windowClass, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, &pages, {}, {});
}

void TTabSheet::Build()
{
    if (!m_build) return;
    const std::function<void()> build = std::move(m_build);
    m_build = nullptr;
    build();
}

TPageControl::TPageControl(const PageControlArgs& args) : m_images(args.images)
{
    InitControl(
        {.className = WC_TABCONTROLA,
         .style = WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN | static_cast<DWORD>(args.multiLine ? TCS_MULTILINE : 0),
         .exStyle = WS_EX_CONTROLPARENT,
         .parent = args.parent,
         .bounds = args.bounds,
         .text = {},
         .font = args.font});
}

void TPageControl::InsertTab(const TTabSheet& page)
{
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = const_cast<char*>(page.Caption().c_str());
    item.iImage = page.ImageIndex();
    SendMessageA(Handle(), TCM_INSERTITEMA, static_cast<WPARAM>(page.PageIndex()), reinterpret_cast<LPARAM>(&item));
}

void TPageControl::WindowCreated()
{
    if (m_images != nullptr)
        SendMessageA(Handle(), TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_images->Handle(Dpi())));
    for (const auto& page : m_pages)
        InsertTab(*page);
    SendMessageA(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(m_activePage), 0);
    PlacePages();
}

TTabSheet& TPageControl::AddPage(const std::string& caption, int imageIndex)
{
    const int index = PageCount();
    m_pages.push_back(std::make_unique<TTabSheet>(*this, index, caption, imageIndex));
    if (m_activePage < 0) m_activePage = 0;
    if (HandleAllocated()) {
        InsertTab(*m_pages.back());
        // A new tab can add a row of tabs and so move every page.
        PlacePages();
    }
    ShowActivePage();
    return *m_pages.back();
}

int TPageControl::ActivePageIndex() const
{
    return HandleAllocated() ? static_cast<int>(SendMessageA(Handle(), TCM_GETCURSEL, 0, 0)) : m_activePage;
}

void TPageControl::SetActivePageIndex(int index)
{
    m_activePage = index;
    if (HandleAllocated()) SendMessageA(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    ShowActivePage();
}

void TPageControl::ScaleMetrics(int, int)
{
    if (!HandleAllocated()) return;
    if (m_images != nullptr)
        SendMessageA(Handle(), TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_images->Handle(Dpi())));
    PlacePages();
}

Bounds TPageControl::PageBounds() const
{
    // Where the tabs end depends on their font and rows: the control has to be asked.
    RECT rect;
    GetClientRect(Handle(), &rect);
    SendMessageA(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rect));
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void TPageControl::PlacePages()
{
    const Bounds bounds = PageBounds();
    for (auto& page : m_pages)
        page->SetBounds(bounds);
}

void TPageControl::ShowActivePage()
{
    const int active = ActivePageIndex();
    m_activePage = active;
    if (active >= 0 && active < PageCount()) Page(active).Build();
    // The others first, so two pages never show at once.
    for (auto& page : m_pages) {
        if (page->PageIndex() != active) page->SetVisible(false);
    }
    if (active >= 0 && active < PageCount()) Page(active).SetVisible(true);
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
        if (!m_pages.empty()) PlacePages();
        return result;
    }
    return TControl::HandleMessage(message, wParam, lParam);
}
