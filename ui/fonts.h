#pragma once
// Fonts by description. Each distinct font is made once and lives as long as the program, so
// windows can share them without anyone deleting a font that is still selected somewhere.
// Descriptions are the design's, at 96 DPI; a window shows the same description with its height
// scaled to its DPI (ScaledFont).
#include <windows.h>

#include <string>

struct FontSpec {
    std::string face = "MS Sans Serif";
    int height = 11;  // character height in pixels, as a negative LOGFONT height
    bool bold = false;
    bool underline = false;

    bool operator<(const FontSpec& other) const;
};

HFONT GetFont(const FontSpec& wanted);
// The program's standard window font: "MS Sans Serif", 11 pixels high.
HFONT DefaultFont();

// The description a font of GetFont or ScaledFont was made from (for the latter, its design
// description at 96 DPI); false for a font made elsewhere.
bool FontSpecOf(HFONT font, FontSpec& spec);
// The design font (GetFont's) that a font was scaled from; a font made elsewhere is its own.
HFONT DesignFont(HFONT font);
// A font at a DPI: its design description with the height scaled from 96 DPI. A font made
// elsewhere is returned as it is.
HFONT ScaledFont(HFONT font, int dpi);
