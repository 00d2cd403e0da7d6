#pragma once
// The list view: a view of a TListItems. The items own their data; the control shows them
// in their order (texts and images asked for by callback), and hands the user's selection
// back to them.
#include <functional>

#include "ui/control.h"
#include "ui/cursor.h"
#include "ui/imagelist.h"
#include "ui/listitems.h"

class TPopupMenu;

struct ListViewArgs {
    ParentRef parent;
    Bounds bounds;
    const TImageList* largeImages = nullptr;  // icon view images
    bool multiSelect = true;
    COLORREF textColor = CLR_DEFAULT;
    HFONT font = nullptr;
};

class TListView : public TControl, private ListItemsView {
public:
    explicit TListView(const ListViewArgs& args);
    ~TListView() override;

    TListItems& Items() noexcept { return m_items; }
    // The item at a point of the control's client area, or null.
    TListItem* ItemAt(POINT point) const;
    // Stops and restarts repainting and layout around a series of changes; pairs may nest.
    void BeginUpdate();
    void EndUpdate();
    // Selects every item, as the control's own select-all does: each item reports its selection.
    void SelectAll();

    // The cursor shown over an item; crDefault: the control's own.
    void SetItemCursor(TCursor cursor) noexcept { m_itemCursor = cursor; }
    // Opens when the user asks for a context menu (right click, the menu key, Shift+F10) and
    // onContextPopup leaves it; the menu stays the caller's.
    void SetPopupMenu(TPopupMenu* menu) noexcept { m_popupMenu = menu; }

    // An item was selected or unselected by the user.
    std::function<void(TListItem& item, bool selected)> onSelectItem;
    // The context menu is about to open at `point` (client coordinates); setting `handled` keeps
    // the popup menu closed.
    std::function<void(POINT point, bool& handled)> onContextPopup;
    // A key pressed in the list (its own keys, the arrows and letters, still act).
    std::function<void(WORD key)> onKeyDown;

    bool HandleNotify(NMHDR& header, LRESULT& result) override;
    void SystemColorsChanged() override;

protected:
    void WindowCreated() override;
    // The icons at the new scale, and the spacing that the control derives from them.
    void ScaleMetrics(int newDpi, int oldDpi) override;
    TCursor CursorAt(POINT client) override;
    bool ContextPopup(POINT screen) override;

private:
    void ApplyTextColor();
    void ItemInserted(int index) override;
    void ItemRemoved(int index) override;
    void ItemChanged(int index) override;
    void ItemsCleared() override;
    void ShowSelection(int index);
    void StopLayout();
    void ResumeLayout();

    const TImageList* m_largeImages;
    COLORREF m_textColor;
    TListItems m_items;
    bool m_echo = false;  // the control is being told of a model change
    int m_updates = 0;
    bool m_layoutStopped = false;  // by the update in progress
    bool m_arrangeAtEnd = false;
    TCursor m_itemCursor = TCursor::crDefault;
    TPopupMenu* m_popupMenu = nullptr;
};

// Stops a list's repainting and layout for a scope and resumes them however the scope is left.
class ListUpdate {
public:
    explicit ListUpdate(TListView& list) : m_list(list) { m_list.BeginUpdate(); }
    ~ListUpdate() { m_list.EndUpdate(); }
    ListUpdate(const ListUpdate&) = delete;
    ListUpdate& operator=(const ListUpdate&) = delete;

private:
    TListView& m_list;
};
