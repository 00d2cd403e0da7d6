#pragma once
// The list view's item model. A Win32 list view cannot own C++ objects, so the collection
// owns its items and a list-view control is only a view of it: it is told of every change,
// in order, and shows exactly these items in this order.
#include <memory>
#include <string>
#include <vector>

class TListItems;

// One item: caption, image index and selection. Owned by a TListItems once appended.
class TListItem {
public:
    // Does not insert itself: the creator appends it to its owner.
    explicit TListItem(TListItems& owner);
    virtual ~TListItem();
    TListItem(const TListItem&) = delete;
    TListItem& operator=(const TListItem&) = delete;

    const std::string& Caption() const { return m_caption; }
    void SetCaption(std::string caption);
    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int index);
    bool Selected() const { return m_selected; }
    void SetSelected(bool selected);

    TListItems& Owner() const { return *m_owner; }
    // Position in the owner; -1 while not inserted.
    int Index() const { return m_index; }

private:
    friend class TListItems;
    void ReportChange();

    TListItems* m_owner;
    int m_index = -1;
    std::string m_caption;
    int m_imageIndex = 0;
    bool m_selected = false;
};

// What a list-view control implements to mirror a TListItems. Indexes are positions after
// the change (ItemInserted, ItemChanged) or before it (ItemRemoved).
class ListItemsView {
public:
    virtual void ItemInserted(int index) = 0;
    virtual void ItemRemoved(int index) = 0;
    virtual void ItemChanged(int index) = 0;  // caption, image or selection
    virtual void ItemsCleared() = 0;

protected:
    ~ListItemsView() = default;
};

class TListItems {
public:
    TListItems() = default;
    // Destroys the items without telling the view, which may already be gone.
    ~TListItems();
    TListItems(const TListItems&) = delete;
    TListItems& operator=(const TListItems&) = delete;

    int Count() const { return static_cast<int>(m_items.size()); }
    // Raises AppError for a position outside 0..Count()-1.
    TListItem& Item(int index) const;
    // Takes the item to the end. Raises AppError when the item belongs to another collection.
    TListItem& Append(std::unique_ptr<TListItem> item);
    // Takes the item out and destroys it.
    void Delete(int index);
    void Clear();
    // -1 when the item is not in this collection.
    int IndexOf(const TListItem& item) const;

    // Every later change is reported to the view. A new view is first brought up to date:
    // ItemsCleared, then ItemInserted for each item already here. nullptr detaches.
    void SetView(ListItemsView* view);
    ListItemsView* View() const { return m_view; }

private:
    void CheckIndex(int index) const;

    std::vector<std::unique_ptr<TListItem>> m_items;
    ListItemsView* m_view = nullptr;
};
