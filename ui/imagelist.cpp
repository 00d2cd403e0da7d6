#include "ui/imagelist.h"

#include "core/check.h"
#include "core/handles.h"

TImageList::TImageList(const ImageListArgs& args) : m_width(args.width), m_height(args.height)
{
    m_list = ImageList_Create(args.width, args.height, ILC_COLOR24 | ILC_MASK, 0, 4);
    CheckWin32(m_list != nullptr, "ImageList_Create");
    if (args.bitmapResource == 0) return;
    UniqueGdiObject strip(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(args.bitmapResource), IMAGE_BITMAP, 0,
                                     0, LR_CREATEDIBSECTION));
    if (!strip || ImageList_AddMasked(m_list, static_cast<HBITMAP>(strip.get()), args.maskColor) < 0) {
        const DWORD error = GetLastError();
        ImageList_Destroy(m_list);
        m_list = nullptr;
        RaiseError(SystemMessageText(error != 0 ? error : ERROR_RESOURCE_DATA_NOT_FOUND));
    }
}

TImageList::~TImageList()
{
    if (m_list != nullptr) ImageList_Destroy(m_list);
}

int TImageList::Count() const { return ImageList_GetImageCount(m_list); }

void TImageList::Draw(HDC dc, int index, int x, int y) const
{
    ImageList_Draw(m_list, index, dc, x, y, ILD_TRANSPARENT);
}

HICON TImageList::MakeIcon(int index) const { return ImageList_GetIcon(m_list, index, ILD_TRANSPARENT); }
