#include "ui/fonts.h"

#include <map>
#include <tuple>
#include <unordered_map>
#include <utility>

#include "core/check.h"
#include "core/handles.h"
#include "ui/dpi.h"

bool FontSpec::operator<(const FontSpec& other) const
{
    return std::tie(face, height, bold, underline) < std::tie(other.face, other.height, other.bold, other.underline);
}

namespace {
// What each font was made from: its design font and the DPI it was scaled to.
struct FontOrigin {
    FontSpec design;
    HFONT designFont;
};

std::unordered_map<HFONT, FontOrigin>& Origins()
{
    static auto* origins = new std::unordered_map<HFONT, FontOrigin>;
    return *origins;
}

HFONT MakeFont(const FontSpec& spec, int height)
{
    HFONT font = CreateFontA(-height, 0, 0, 0, spec.bold ? FW_BOLD : FW_NORMAL, FALSE, spec.underline ? TRUE : FALSE,
                             FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, spec.face.c_str());
    CheckWin32(font != nullptr, "CreateFontIndirectA");
    return font;
}
}  // namespace

HFONT GetFont(const FontSpec& wanted)
{
    static std::map<FontSpec, UniqueHfont> fonts;
    auto found = fonts.find(wanted);
    if (found != fonts.end()) return found->second.get();
    HFONT font = MakeFont(wanted, wanted.height);
    fonts.emplace(wanted, UniqueHfont(font));
    Origins()[font] = {wanted, font};
    return font;
}

HFONT DefaultFont() { return GetFont(FontSpec{}); }

bool FontSpecOf(HFONT font, FontSpec& spec)
{
    const auto found = Origins().find(font);
    if (found == Origins().end()) return false;
    spec = found->second.design;
    return true;
}

HFONT DesignFont(HFONT font)
{
    const auto found = Origins().find(font);
    return found == Origins().end() ? font : found->second.designFont;
}

HFONT ScaledFont(HFONT font, int dpi)
{
    const auto found = Origins().find(font);
    if (found == Origins().end()) return font;
    const FontOrigin origin = found->second;
    if (dpi == kDesignDpi) return origin.designFont;
    // Apart from GetFont's: a design font may have the height that another scales to.
    static std::map<std::pair<FontSpec, int>, UniqueHfont> scaled;
    const auto key = std::make_pair(origin.design, dpi);
    auto made = scaled.find(key);
    if (made != scaled.end()) return made->second.get();
    HFONT result = MakeFont(origin.design, Scaled(origin.design.height, dpi));
    scaled.emplace(key, UniqueHfont(result));
    Origins()[result] = origin;
    return result;
}
