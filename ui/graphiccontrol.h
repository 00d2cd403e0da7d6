#pragma once
// A control without a window of its own (labels, pictures, shapes, bevels): its parent paints
// it in its own painting, and hands it the clicks and the cursor over its place. Windows lie
// above every such control of their parent.
#include <windows.h>

#include "ui/basecontrol.h"
#include "ui/cursor.h"

class TGraphicControl : public TBaseControl {
public:
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;
    void SetText(const std::string& text) override;
    void SetBounds(const Bounds& bounds) override;
    void SetFont(HFONT font) override;
    // Repaints its place on the parent.
    void Invalidate() override;

    // Whether it acts on the mouse: a click, or a cursor of its own. Others let the mouse
    // through to what lies below.
    virtual bool TakesMouse() const { return false; }
    virtual TCursor Cursor() const { return TCursor::crDefault; }
    // A press and release of the left button over it.
    virtual void Click() {}

    bool Contains(POINT parentClient) const;
    // Paints itself on the parent's device context when its place lies in `update`.
    void PaintOn(HDC dc, const RECT& update);

protected:
    // Places it on a window of ours; raises for any other parent, which could not paint it.
    void InitGraphic(const ParentRef& parent, const Bounds& bounds);
    // Paints it: the device context's origin is its top left, `client` its own area.
    virtual void Paint(HDC dc, const RECT& client) = 0;

private:
    // Its place in the parent's client area.
    RECT Area() const;
};
