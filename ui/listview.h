#pragma once
// The list view: a view of a TListItems. The items own their data; the control shows them
// in their order (texts and images asked for by callback), and hands the user's selection
// back to them.
#include <functional>

#include "ui/control.h"
#include "ui/imagelist.h"
#include "ui/listitems.h"

struct ListViewArgs {
    HWND parent = nullptr;
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

    // An item was selected or unselected by the user.
    std::function<void(TListItem& item, bool selected)> onSelectItem;

    bool HandleNotify(NMHDR& header, LRESULT& result) override;

private:
    void ItemInserted(int index) override;
    void ItemRemoved(int index) override;
    void ItemChanged(int index) override;
    void ItemsCleared() override;
    void ShowSelection(int index);

    TListItems m_items;
    bool m_echo = false;  // the control is being told of a model change
    int m_updates = 0;
    bool m_arrangeAtEnd = false;
};
