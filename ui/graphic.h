#pragma once
// Painted controls of our own classes: shapes, bevels, pictures, and the panel, a container
// that can be framed or filled.
#include <string>

#include "core/handles.h"
#include "ui/window.h"

// Decoration painted over the window's background: clicks go through it to what lies below.
class TDecoration : public TPaintedWindow {
protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

struct ShapeArgs {
    HWND parent = nullptr;
    Bounds bounds;
    COLORREF brush = RGB(255, 255, 255);
    COLORREF pen = RGB(0, 0, 0);
};

class TShape : public TDecoration {
public:
    explicit TShape(const ShapeArgs& args);

protected:
    void Paint(HDC dc, const RECT& client) override;

private:
    COLORREF m_brush;
    COLORREF m_pen;
};

enum class TBevelShape { bsBox, bsBottomLine };
enum class TBevelStyle { bsLowered, bsRaised };

struct BevelArgs {
    HWND parent = nullptr;
    Bounds bounds;
    TBevelShape shape = TBevelShape::bsBox;
    TBevelStyle style = TBevelStyle::bsLowered;
};

class TBevel : public TDecoration {
public:
    explicit TBevel(const BevelArgs& args);
    TBevelShape Shape() const noexcept { return m_shape; }
    TBevelStyle Style() const noexcept { return m_style; }

protected:
    void Paint(HDC dc, const RECT& client) override;

private:
    TBevelShape m_shape;
    TBevelStyle m_style;
};

struct PictureArgs {
    HWND parent = nullptr;
    Bounds bounds;
    int bitmapResource = 0;               // a BITMAP resource of the program, drawn at the top left
    COLORREF color = RGB(255, 255, 255);  // what is not covered by the picture
};

// TImage: a bitmap from the program's resources.
class TPicture : public TDecoration {
public:
    explicit TPicture(const PictureArgs& args);
    // The picture's own size; zero when it has none.
    SIZE PictureSize() const;

protected:
    void Paint(HDC dc, const RECT& client) override;

private:
    UniqueGdiObject m_bitmap;
};

enum class TPanelBevel { bvNone, bvLowered, bvRaised };

struct PanelArgs {
    HWND parent = nullptr;
    Bounds bounds;
    TPanelBevel bevel = TPanelBevel::bvNone;
    COLORREF color = ParentColor;  // ParentColor: the button face
};

// A container whose children are placed relative to it.
class TPanel : public TPaintedWindow {
public:
    explicit TPanel(const PanelArgs& args);

protected:
    void Paint(HDC dc, const RECT& client) override;

private:
    TPanelBevel m_bevel;
};
