#pragma once
// The header strip: a row of sized sections over a list or grid (Windows' header control).
#include <functional>
#include <string>
#include <vector>

#include "ui/control.h"

struct HeaderArgs {
    ParentRef parent;
    Bounds bounds;
    HFONT font = nullptr;
    int borderWidth = 0;  // a margin in the face colour around the sections
};

class THeaderControl : public TControl {
public:
    explicit THeaderControl(const HeaderArgs& args);

    // A section of a design width (96 DPI).
    int AddSection(const std::string& text, int width);
    int SectionCount() const;
    int SectionWidth(int index) const;
    // Widths at the strip's DPI, as the user sees them.
    // Sets a width as the program does: onSectionResize is not raised.
    void SetSectionWidth(int index, int width);

    // The user dragged a section's border; raised with the section's index.
    std::function<void(int section)> onSectionResize;
    // The strip changed its size.
    std::function<void()> onResize;

    bool HandleNotify(NMHDR& header, LRESULT& result) override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void WindowCreated() override;
    // The sections' widths and the border, scaled from their design widths.
    void ScaleMetrics(int newDpi, int oldDpi) override;

private:
    void InsertSection(int index, const std::string& text, int width);
    void SetWidth(int index, int width);
    int BorderWidth() const;

    struct Section {
        std::string text;
        int width;  // at 96 DPI
    };
    std::vector<Section> m_sections;
    bool m_settingWidth = false;
    int m_borderWidth = 0;
};
