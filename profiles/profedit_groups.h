#pragma once
// The editor's group boxes lie below the controls they frame, which are their siblings (see
// profedit.cpp). A button's device context is its parent's (the BUTTON class has
// CS_PARENTDC), so it is not clipped by its siblings: the group box's own fill and frame
// would paint over the fields, labels and radio buttons on it whenever the group repaints.
// This keeps the group's painting out of every visible sibling above it.
#include <windows.h>

#include "ui/subclass.h"

class TGroupUnderlay : public TSubclass {
public:
    explicit TGroupUnderlay(HWND groupBox) : TSubclass(groupBox) {}

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool EraseBackground(HDC dc) override;

private:
    void ExcludeSiblingsAbove(HDC dc) const;
};
