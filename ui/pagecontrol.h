#pragma once
// The page control: Windows' tab control with one page window per tab. Only the selected
// tab's page is visible.
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/control.h"
#include "ui/imagelist.h"

class TPageControl;

// One page; controls are placed on it relative to its client area.
class TTabSheet : public TWindow {
public:
    TTabSheet(TPageControl& pages, int pageIndex, std::string caption, int imageIndex);
    int PageIndex() const noexcept { return m_pageIndex; }
    const std::string& Caption() const noexcept { return m_caption; }
    int ImageIndex() const noexcept { return m_imageIndex; }

    // Leaves making the page's controls until the page is first shown: a page seldom opened
    // then costs its window nothing at start-up.
    void BuildWhenShown(std::function<void()> build) { m_build = std::move(build); }
    // Makes the controls now if they are still to be made (once, even when making them fails).
    void Build();

private:
    int m_pageIndex;
    std::string m_caption;
    int m_imageIndex;
    std::function<void()> m_build;
};

struct PageControlArgs {
    ParentRef parent;
    Bounds bounds;
    bool multiLine = true;
    const TImageList* images = nullptr;
    HFONT font = nullptr;
};

class TPageControl : public TControl {
public:
    explicit TPageControl(const PageControlArgs& args);

    TTabSheet& AddPage(const std::string& caption, int imageIndex);
    int PageCount() const noexcept { return static_cast<int>(m_pages.size()); }
    TTabSheet& Page(int index) { return *m_pages.at(static_cast<size_t>(index)); }

    int ActivePageIndex() const;
    // Selects a tab as the program does: the page changes, onChange is not raised.
    void SetActivePageIndex(int index);
    // Selects the next or previous tab, round the end, as the user's click on it does: onChange is
    // raised (ui/pagekeys.cpp).
    void SelectNextPage(bool forward);
    // The pages' place in the control, below the tabs; asks the control, so makes its window.
    Bounds PageBounds() const;

    // Raised after the user selected another tab.
    std::function<void()> onChange;

    bool HandleNotify(NMHDR& header, LRESULT& result) override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void WindowCreated() override;
    // The tab images at the new scale; the tabs' height, and so the pages' place, follows.
    void ScaleMetrics(int newDpi, int oldDpi) override;

private:
    void InsertTab(const TTabSheet& page);
    void PlacePages();
    void ShowActivePage();

    const TImageList* m_images;
    std::vector<std::unique_ptr<TTabSheet>> m_pages;
    int m_activePage = -1;  // until the window is made
};
