#pragma once
// The accessible name of a control that takes input, given to screen readers through
// WM_GETOBJECT: Windows' own accessible object for the control, with the name of the painted
// label that stands before it (ui/labelfor.h).
#include <windows.h>

#include <memory>
#include <string>

class TSubclass;
class TWinControl;

// Answers WM_GETOBJECT for `control` when its name comes from a label; false leaves the
// message to the control's class. `result` is then the answer.
bool AnswerAccessibleObject(const TWinControl& control, WPARAM wParam, LPARAM lParam, LRESULT& result);
// Answers WM_GETOBJECT for `window` with Windows' own object for it, named `name`, and with
// `role` (ROLE_SYSTEM_*) where it is not 0.
bool AnswerAccessibleObject(HWND window, const std::string& name, WPARAM wParam, LPARAM lParam, LRESULT& result,
                            long role = 0);
// Names a window of Windows' own inside a control (a combo box's field) as `named` is named,
// for as long as the returned subclass lives.
std::unique_ptr<TSubclass> NameFieldAfter(HWND field, const TWinControl& named);
// Whether screen readers take `window`'s name from the label before it: fields, lists, grids
// and check boxes without a caption of their own; buttons and boxes with one name themselves.
bool NamedByLabel(HWND window);
