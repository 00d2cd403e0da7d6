#pragma once
// Texts of menu entries that name something the user typed, such as a profile's title.
#include <string>

// The text cut after whole characters and ended with "..." so that it is no wider, in the menu
// font, than a third of the primary monitor's work area: a long title would otherwise make the
// menu wider than the screen and push its submenus off it. Shorter texts come back as they are.
std::string MenuText(const std::string& text);
// That width in pixels.
int MenuTextWidthLimit();
// The width of a text in the menu font, in pixels.
int MenuTextWidth(const std::string& text);
