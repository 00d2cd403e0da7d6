#pragma once
// The keyboard's way to a link. A link is painted by the window it stands on and so cannot take
// the focus; this window lies over it, a tab stop that paints the link (and the focus around it)
// and lets the mouse through to the link below, which keeps handling clicks and the cursor.
// Enter and Space follow the link, and a screen reader reads the link's text as a link's name.
#include <windows.h>

#include "ui/window.h"

class TLinkLabel;

class TLinkFocus : public TPaintedWindow {
public:
    TLinkFocus(TLinkLabel& link, const ParentRef& parent, const Bounds& design);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc, const RECT& client) override;

private:
    TLinkLabel& m_link;
};
