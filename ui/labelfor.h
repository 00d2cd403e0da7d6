#pragma once
// Which painted label names a control. Labels here are painted by their parent and have no
// window, so neither a screen reader nor the dialog manager can find the static text that stands
// before a field as they do in a dialog: the toolkit finds it by place. The label set on the
// control with SetFocusControl names it; else the nearest label that ends left of the control on
// its row, else the nearest one just above it; a group box's caption counts as a label above the
// controls it holds. The search starts among the control's siblings and widens to its parent's
// and onwards, never beyond a page of a page control.
#include <string>

class TBaseControl;
class TLabel;
class TWinControl;

// The label or group box whose text names `control`, or null.
const TBaseControl* LabelFor(const TWinControl& control);
// The name a screen reader reads for `control`: its label's text without the access-key
// ampersands, or empty.
std::string LabelNameFor(const TWinControl& control);
// The text as shown: "&&" reads "&", a single "&" marks the access key and is dropped.
std::string WithoutAccessKeys(const std::string& text);
// The access key a caption marks with "&" (lower case), or 0.
char AccessKeyOf(const std::string& text);

// The control that `label` names, searched on the window that holds them all; null when none.
TWinControl* ControlNamedBy(const TLabel& label, const TWinControl& window);
// A label's or group caption's access key pressed with Alt in `window`: the focus goes to the
// control it names. True when a label of `window` has that key and named a control that took the focus.
bool FocusByLabelKey(const TWinControl& window, char key);
