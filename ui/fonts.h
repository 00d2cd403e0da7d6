#pragma once
// Fonts by description. Each distinct font is made once and lives as long as the program, so
// windows can share them without anyone deleting a font that is still selected somewhere.
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
