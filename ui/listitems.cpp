#include "ui/listitems.h"

#include <utility>

#include "core/error.h"

TListItem::TListItem(TListItems& owner) : m_owner(&owner) {}

TListItem::~TListItem() = default;

void TListItem::SetCaption(std::string caption)
{
    if (caption == m_caption) return;
    m_caption = std::move(caption);
    ReportChange();
}

void TListItem::SetImageIndex(int index)
{
    if (index == m_imageIndex) return;
    m_imageIndex = index;
    ReportChange();
}

void TListItem::SetSelected(bool selected)
{
    if (selected == m_selected) return;
    m_selected = selected;
    ReportChange();
}

// Only equal values are swallowed: a view that feeds the user's selection back through
// SetSelected then gets no echo of its own change.
void TListItem::ReportChange()
{
    if (m_index >= 0 && m_owner->View() != nullptr) m_owner->View()->ItemChanged(m_index);
}

TListItems::~TListItems()
{
    // Items may look at their owner while they go, so empty the list before destroying them.
    std::vector<std::unique_ptr<TListItem>> items = std::move(m_items);
    m_items.clear();
    for (auto& item : items)
        item->m_index = -1;
}

void TListItems::CheckIndex(int index) const
{
    if (index < 0 || index >= Count()) RaiseError("List index out of bounds (" + std::to_string(index) + ")");
}

TListItem& TListItems::Item(int index) const
{
    CheckIndex(index);
    return *m_items[static_cast<size_t>(index)];
}

TListItem& TListItems::Append(std::unique_ptr<TListItem> item)
{
    if (!item) RaiseError("No list item to append");
    if (&item->Owner() != this) RaiseError("The list item belongs to another list");
    TListItem& appended = *item;
    m_items.push_back(std::move(item));
    appended.m_index = Count() - 1;
    if (m_view != nullptr) m_view->ItemInserted(appended.m_index);
    return appended;
}

void TListItems::Delete(int index)
{
    CheckIndex(index);
    // The list is consistent before the view hears of it; the item dies last, on return.
    std::unique_ptr<TListItem> removed = std::move(m_items[static_cast<size_t>(index)]);
    m_items.erase(m_items.begin() + index);
    removed->m_index = -1;
    for (int i = index; i < Count(); ++i)
        m_items[static_cast<size_t>(i)]->m_index = i;
    if (m_view != nullptr) m_view->ItemRemoved(index);
}

void TListItems::Clear()
{
    if (m_items.empty()) return;
    std::vector<std::unique_ptr<TListItem>> removed = std::move(m_items);
    m_items.clear();
    for (auto& item : removed)
        item->m_index = -1;
    if (m_view != nullptr) m_view->ItemsCleared();
}

int TListItems::IndexOf(const TListItem& item) const
{
    const int index = item.m_index;
    if (&item.Owner() != this || index < 0 || index >= Count()) return -1;
    return m_items[static_cast<size_t>(index)].get() == &item ? index : -1;
}

void TListItems::SetView(ListItemsView* view)
{
    m_view = view;
    if (m_view == nullptr) return;
    m_view->ItemsCleared();
    for (int i = 0; i < Count(); ++i)
        m_view->ItemInserted(i);
}
