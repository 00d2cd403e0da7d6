#pragma once
// Whether every text of a window fits its place: each caption, label, button, check box,
// group box and grid key measured in its own font against the room its control gives it, and
// no label lying over another control. Answers one line per text that does not fit.
#include <string>
#include <vector>

class TWinControl;

// `dpi`: the scale the window is laid out for, which sizes the frames' own parts.
std::vector<std::string> TextsThatDoNotFit(const TWinControl& window, int dpi = 96);
