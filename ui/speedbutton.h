#pragma once
// A flat toolbar button with a picture left of its caption. It shows a raised edge only
// while the pointer is over it and a sunken one while pressed, and never takes the focus.
#include <string>

#include "ui/button.h"
#include "ui/imagelist.h"

class TSpeedButton : public TButton {
public:
    TSpeedButton(const ButtonArgs& args, const TImageList& images, int imageIndex, std::string hint);

    // Kept for whoever shows control hints.
    const std::string& Hint() const noexcept { return m_hint; }

    bool HandleDrawItem(DRAWITEMSTRUCT& item) override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    const TImageList& m_images;
    int m_imageIndex;
    std::string m_hint;
    bool m_hot = false;
};
