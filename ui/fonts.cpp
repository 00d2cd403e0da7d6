#include "ui/fonts.h"

#include <map>
#include <tuple>

#include "core/check.h"
#include "core/handles.h"

bool FontSpec::operator<(const FontSpec& other) const
{
    return std::tie(face, height, bold, underline) < std::tie(other.face, other.height, other.bold, other.underline);
}

HFONT GetFont(const FontSpec& wanted)
{
    static std::map<FontSpec, UniqueGdiObject> fonts;
    auto found = fonts.find(wanted);
    if (found != fonts.end()) return static_cast<HFONT>(found->second.get());
    HFONT font = CreateFontA(-wanted.height, 0, 0, 0, wanted.bold ? FW_BOLD : FW_NORMAL, FALSE,
                             wanted.underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, wanted.face.c_str());
    CheckWin32(font != nullptr, "CreateFontIndirectA");
    fonts.emplace(wanted, UniqueGdiObject(font));
    return font;
}

HFONT DefaultFont() { return GetFont(FontSpec{}); }
