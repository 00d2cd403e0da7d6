#include "ui/imagelist.h"

#include "core/check.h"

int NearestImageScale(int dpi, bool has150, bool has200) noexcept
{
    const int wanted = dpi * 100 / 96;
    int best = 100;
    for (const int scale : {150, 200}) {
        const bool exists = scale == 150 ? has150 : has200;
        if (!exists) continue;
        const int distance = wanted > scale ? wanted - scale : scale - wanted;
        const int bestDistance = wanted > best ? wanted - best : best - wanted;
        if (distance <= bestDistance) best = scale;
    }
    return best;
}

TImageList::TImageList(const ImageListArgs& args) : m_args(args), m_width(args.width), m_height(args.height)
{
    m_lists.emplace(100, Load(100));
}

UniqueImageList TImageList::Load(int scale) const
{
    UniqueImageList list(ImageList_Create(m_width * scale / 100, m_height * scale / 100, ILC_COLOR24 | ILC_MASK, 0, 4));
    CheckWin32(list.get() != nullptr, "ImageList_Create");
    const int resource = scale == 200   ? m_args.bitmapResource200
                         : scale == 150 ? m_args.bitmapResource150
                                        : m_args.bitmapResource;
    if (resource == 0) return list;
    UniqueHbitmap strip(static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resource), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!strip || ImageList_AddMasked(list.get(), strip.get(), m_args.maskColor) < 0) {
        const DWORD error = GetLastError();
        RaiseError(SystemMessageText(error != 0 ? error : ERROR_RESOURCE_DATA_NOT_FOUND));
    }
    return list;
}

int TImageList::ScaleFor(int dpi) const noexcept
{
    // An empty list has no images to choose among: its size follows the first strip's.
    if (m_args.bitmapResource == 0) return 100;
    return NearestImageScale(dpi, m_args.bitmapResource150 != 0, m_args.bitmapResource200 != 0);
}

HIMAGELIST TImageList::Handle(int dpi) const
{
    const int scale = ScaleFor(dpi);
    auto found = m_lists.find(scale);
    if (found == m_lists.end()) found = m_lists.emplace(scale, Load(scale)).first;
    return found->second.get();
}

int TImageList::Count() const { return ImageList_GetImageCount(Handle()); }

void TImageList::Draw(HDC dc, int index, int x, int y, int dpi) const
{
    ImageList_Draw(Handle(dpi), index, dc, x, y, ILD_TRANSPARENT);
}

void TImageList::DrawFaded(HDC dc, int index, int x, int y, COLORREF background, int dpi) const
{
    ImageList_DrawEx(Handle(dpi), index, dc, x, y, 0, 0, CLR_NONE, background, ILD_TRANSPARENT | ILD_BLEND50);
}

HICON TImageList::MakeIcon(int index) const { return ImageList_GetIcon(Handle(), index, ILD_TRANSPARENT); }
