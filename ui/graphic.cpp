#include "ui/graphic.h"

#include <utility>

#include "core/check.h"
#include "ui/contrast.h"
#include "ui/dpi.h"
#include "ui/imagelist.h"

namespace {
void FillSolid(HDC dc, const RECT& rect, COLORREF color)
{
    SetBkColor(dc, color);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

void Line(HDC dc, int x1, int y1, int x2, int y2, COLORREF color)
{
    RECT rect{x1, y1, x2 == x1 ? x1 + 1 : x2, y2 == y1 ? y1 + 1 : y2};
    FillSolid(dc, rect, color);
}

// Draws a one-pixel frame: `topLeft` on the top and left edges, `bottomRight` on the others.
void Frame(HDC dc, const RECT& rect, COLORREF topLeft, COLORREF bottomRight)
{
    Line(dc, rect.left, rect.top, rect.right, rect.top, topLeft);
    Line(dc, rect.left, rect.top, rect.left, rect.bottom, topLeft);
    Line(dc, rect.left, rect.bottom - 1, rect.right, rect.bottom - 1, bottomRight);
    Line(dc, rect.right - 1, rect.top, rect.right - 1, rect.bottom, bottomRight);
}
}  // namespace

TShape::TShape(const ShapeArgs& args) : m_brush(args.brush), m_pen(args.pen) { InitGraphic(args.parent, args.bounds); }

void TShape::Paint(HDC dc, const RECT& client)
{
    FillSolid(dc, client, ShownBackground(m_brush));
    Frame(dc, client, ShownText(m_pen, true), ShownText(m_pen, true));
}

TBevel::TBevel(const BevelArgs& args) : m_shape(args.shape), m_style(args.style)
{
    InitGraphic(args.parent, args.bounds);
}

void TBevel::Paint(HDC dc, const RECT& client)
{
    FillBackground(dc, client);
    COLORREF dark = GetSysColor(COLOR_BTNSHADOW);
    COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    if (m_style == TBevelStyle::bsRaised) std::swap(dark, light);
    if (m_shape == TBevelShape::bsBox) {
        Frame(dc, client, dark, light);
    } else {
        Line(dc, client.left, client.bottom - 2, client.right, client.bottom - 2, dark);
        Line(dc, client.left, client.bottom - 1, client.right, client.bottom - 1, light);
    }
}

TPicture::TPicture(const PictureArgs& args)
    : m_resource(args.bitmapResource), m_resource150(args.bitmapResource150), m_resource200(args.bitmapResource200)
{
    SetColor(args.color);
    InitGraphic(args.parent, args.bounds);
}

HGDIOBJ TPicture::Bitmap(int scale) const
{
    const int resource = scale == 200 ? m_resource200 : scale == 150 ? m_resource150 : m_resource;
    if (resource == 0) return nullptr;
    UniqueHbitmap& bitmap = m_bitmaps[scale];
    if (!bitmap) {
        HANDLE loaded =
            LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resource), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
        CheckWin32(loaded != nullptr, "LoadImageA");
        bitmap.reset(static_cast<HBITMAP>(loaded));
    }
    return bitmap.get();
}

namespace {
SIZE BitmapSize(HGDIOBJ bitmap)
{
    BITMAP info{};
    if (bitmap == nullptr || GetObjectA(bitmap, sizeof info, &info) == 0) return {0, 0};
    return {info.bmWidth, info.bmHeight};
}
}  // namespace

SIZE TPicture::PictureSize() const { return BitmapSize(Bitmap(100)); }

void TPicture::Paint(HDC dc, const RECT& client)
{
    FillBackground(dc, client);
    if (Bitmap(100) == nullptr) return;
    const int dpi = Dpi();
    const int scale = NearestImageScale(dpi, m_resource150 != 0, m_resource200 != 0);
    HGDIOBJ drawing = Bitmap(scale);
    const SIZE own = BitmapSize(drawing);
    const SIZE design = PictureSize();
    const SIZE wanted{Scaled(design.cx, dpi), Scaled(design.cy, dpi)};
    UniqueMemoryDc memory(CreateCompatibleDC(dc));
    SelectedObject picture(memory.get(), drawing);
    if (own.cx == wanted.cx && own.cy == wanted.cy) {
        BitBlt(dc, 0, 0, own.cx, own.cy, memory.get(), 0, 0, SRCCOPY);
        return;
    }
    // Windows' best stretching ("StretchBlt": HALFTONE wants the brush origin set after it).
    const int oldMode = SetStretchBltMode(dc, HALFTONE);
    POINT origin{};
    GetBrushOrgEx(dc, &origin);
    SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
    StretchBlt(dc, 0, 0, wanted.cx, wanted.cy, memory.get(), 0, 0, own.cx, own.cy, SRCCOPY);
    SetStretchBltMode(dc, oldMode);
}

TPanel::TPanel(const PanelArgs& args) : m_bevel(args.bevel)
{
    SetColor(args.color);
    InitPainted("VelmoraPanel", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT,
                args.parent, args.bounds);
}

void TPanel::Paint(HDC dc, const RECT& client)
{
    FillBackground(dc, client);
    const COLORREF dark = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    if (m_bevel == TPanelBevel::bvLowered) Frame(dc, client, dark, light);
    if (m_bevel == TPanelBevel::bvRaised) Frame(dc, client, light, dark);
}
