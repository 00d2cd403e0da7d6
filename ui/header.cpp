#include "ui/header.h"

#include <commctrl.h>

#include "ui/dpi.h"

THeaderControl::THeaderControl(const HeaderArgs& args) : m_borderWidth(args.borderWidth)
{
    InitControl({.className = WC_HEADERA,
                 .style = WS_VISIBLE | HDS_HORZ | HDS_FULLDRAG,
                 .parent = args.parent,
                 .bounds = args.bounds,
                 .text = {},
                 .font = args.font});
}

void THeaderControl::InsertSection(int index, const std::string& text, int width)
{
    HDITEMA item{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    item.pszText = const_cast<char*>(text.c_str());
    item.cxy = width;
    item.fmt = HDF_LEFT | HDF_STRING;
    SendMessageA(Handle(), HDM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void THeaderControl::WindowCreated()
{
    for (size_t i = 0; i < m_sections.size(); ++i)
        InsertSection(static_cast<int>(i), m_sections[i].text, Scaled(m_sections[i].width, Dpi()));
    // The window was made before our procedure saw its first WM_NCCALCSIZE: the border is
    // taken in by asking again (SetWindowPos, SWP_FRAMECHANGED). Its resize reports the
    // sections, so they come first.
    if (m_borderWidth > 0)
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void THeaderControl::ScaleMetrics(int newDpi, int)
{
    if (!HandleAllocated()) return;
    for (size_t i = 0; i < m_sections.size(); ++i)
        SetWidth(static_cast<int>(i), Scaled(m_sections[i].width, newDpi));
    if (m_borderWidth > 0)
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int THeaderControl::BorderWidth() const { return Scaled(m_borderWidth, Dpi()); }

int THeaderControl::AddSection(const std::string& text, int width)
{
    const int index = SectionCount();
    m_sections.push_back({text, width});
    if (HandleAllocated()) InsertSection(index, text, Scaled(width, Dpi()));
    return index;
}

int THeaderControl::SectionCount() const { return static_cast<int>(m_sections.size()); }

int THeaderControl::SectionWidth(int index) const
{
    if (index < 0 || index >= SectionCount()) return 0;
    if (!HandleAllocated()) return Scaled(m_sections[static_cast<size_t>(index)].width, Dpi());
    HDITEMA item{};
    item.mask = HDI_WIDTH;
    SendMessageA(Handle(), HDM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return item.cxy;
}

void THeaderControl::SetSectionWidth(int index, int width)
{
    if (index < 0 || index >= SectionCount()) return;
    m_sections[static_cast<size_t>(index)].width = Unscaled(width, Dpi());
    if (HandleAllocated()) SetWidth(index, width);
}

void THeaderControl::SetWidth(int index, int width)
{
    HDITEMA item{};
    item.mask = HDI_WIDTH;
    item.cxy = width;
    // The control reports this change like a drag; a handler that sets widths must not be
    // called back by its own change.
    m_settingWidth = true;
    SendMessageA(Handle(), HDM_SETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    m_settingWidth = false;
}

bool THeaderControl::HandleNotify(NMHDR& header, LRESULT& result)
{
    result = 0;
    // The control reports a drag as it goes (HDN_TRACK) and at its end (HDN_ENDTRACK) in both
    // character sets; the width has been taken over by the time HDN_ITEMCHANGED arrives.
    if (header.code != HDN_ITEMCHANGEDA && header.code != HDN_ITEMCHANGEDW) return false;
    const auto& change = reinterpret_cast<NMHEADERA&>(header);
    if (!m_settingWidth && change.pitem != nullptr && (change.pitem->mask & HDI_WIDTH) != 0) {
        if (change.iItem >= 0 && change.iItem < SectionCount())
            m_sections[static_cast<size_t>(change.iItem)].width = Unscaled(change.pitem->cxy, Dpi());
        if (onSectionResize) onSectionResize(change.iItem);
    }
    return true;
}

LRESULT THeaderControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_borderWidth > 0 && message == WM_NCCALCSIZE) {
        // The sections lie inside the border: the client area is the window less the border.
        const LRESULT result = TControl::HandleMessage(message, wParam, lParam);
        RECT& client =
            wParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : *reinterpret_cast<RECT*>(lParam);
        InflateRect(&client, -BorderWidth(), -BorderWidth());
        return result;
    }
    if (m_borderWidth > 0 && message == WM_NCPAINT) {
        WindowDc dc(Handle(), true);
        RECT window{};
        GetWindowRect(Handle(), &window);
        OffsetRect(&window, -window.left, -window.top);
        RECT inner = window;
        InflateRect(&inner, -BorderWidth(), -BorderWidth());
        ExcludeClipRect(dc.get(), inner.left, inner.top, inner.right, inner.bottom);
        FillRect(dc.get(), &window, GetSysColorBrush(COLOR_BTNFACE));
        return 0;
    }
    const LRESULT result = TControl::HandleMessage(message, wParam, lParam);
    if (message == WM_SIZE && onResize) onResize();
    return result;
}
