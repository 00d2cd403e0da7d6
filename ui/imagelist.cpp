#include "ui/imagelist.h"

#include "core/check.h"

TImageList::TImageList(const ImageListArgs& args)
    : m_list(ImageList_Create(args.width, args.height, ILC_COLOR24 | ILC_MASK, 0, 4)), m_width(args.width),
      m_height(args.height)
{
    CheckWin32(m_list.get() != nullptr, "ImageList_Create");
    if (args.bitmapResource == 0) return;
    UniqueGdiObject strip(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(args.bitmapResource), IMAGE_BITMAP, 0,
                                     0, LR_CREATEDIBSECTION));
    if (!strip || ImageList_AddMasked(m_list.get(), static_cast<HBITMAP>(strip.get()), args.maskColor) < 0) {
        const DWORD error = GetLastError();
        RaiseError(SystemMessageText(error != 0 ? error : ERROR_RESOURCE_DATA_NOT_FOUND));
    }
}

int TImageList::Count() const { return ImageList_GetImageCount(m_list.get()); }

void TImageList::Draw(HDC dc, int index, int x, int y) const
{
    ImageList_Draw(m_list.get(), index, dc, x, y, ILD_TRANSPARENT);
}

void TImageList::DrawFaded(HDC dc, int index, int x, int y, COLORREF background) const
{
    ImageList_DrawEx(m_list.get(), index, dc, x, y, 0, 0, CLR_NONE, background, ILD_TRANSPARENT | ILD_BLEND50);
}

HICON TImageList::MakeIcon(int index) const { return ImageList_GetIcon(m_list.get(), index, ILD_TRANSPARENT); }
