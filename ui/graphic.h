#pragma once
// Painted controls of our own: shapes, bevels and pictures, painted by the window they stand
// on (clicks go through them to what lies below), and the panel, a container window that can
// be framed or filled.
#include <map>
#include <string>

#include "core/handles.h"
#include "ui/graphiccontrol.h"
#include "ui/window.h"

struct ShapeArgs {
    ParentRef parent;
    Bounds bounds;
    COLORREF brush = RGB(255, 255, 255);
    COLORREF pen = RGB(0, 0, 0);
};

class TShape : public TGraphicControl {
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
    ParentRef parent;
    Bounds bounds;
    TBevelShape shape = TBevelShape::bsBox;
    TBevelStyle style = TBevelStyle::bsLowered;
};

class TBevel : public TGraphicControl {
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
    ParentRef parent;
    Bounds bounds;
    int bitmapResource = 0;               // a BITMAP resource of the program, drawn at the top left
    COLORREF color = RGB(255, 255, 255);  // what is not covered by the picture
    int bitmapResource150 = 0;            // the same picture drawn at 150%; 0: none
    int bitmapResource200 = 0;            // at 200%; 0: none
};

// TImage: a bitmap from the program's resources, loaded when first painted or measured. At
// another DPI it shows the picture drawn nearest that scale, at the size the scale asks for
// (a nearer drawing that is missing is made up by halftone stretching).
class TPicture : public TGraphicControl {
public:
    explicit TPicture(const PictureArgs& args);
    // The picture's size at 96 DPI; zero when it has none.
    SIZE PictureSize() const;

protected:
    void Paint(HDC dc, const RECT& client) override;

private:
    // The drawing at a scale in percent (100, 150, 200).
    HGDIOBJ Bitmap(int scale) const;

    int m_resource;
    int m_resource150;
    int m_resource200;
    mutable std::map<int, UniqueHbitmap> m_bitmaps;  // by scale
};

enum class TPanelBevel { bvNone, bvLowered, bvRaised };

struct PanelArgs {
    ParentRef parent;
    Bounds bounds;
    TPanelBevel bevel = TPanelBevel::bvNone;
    COLORREF color = kParentColor;  // kParentColor: the button face
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
