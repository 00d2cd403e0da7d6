#pragma once
// The masked edit field: Windows' one-line edit with an edit mask (ui/editmask.h) laid over
// it. Its text always has the mask's length with the literals in place; typing overwrites
// digit places only, deleting leaves blanks, the caret skips the literals, double clicks
// select a section, and pasted text is taken by the mask's rules or refused whole. A text
// put in by the program (SetText, WM_SETTEXT) is laid out by the mask.
#include <functional>
#include <string>

#include "ui/control.h"
#include "ui/editmask.h"

struct MaskEditArgs {
    ParentRef parent;
    Bounds bounds;
    std::string editMask;  // e.g. "999.999.999.999;1; "
    HFONT font = nullptr;
};

class TMaskEdit : public TControl {
public:
    explicit TMaskEdit(const MaskEditArgs& args);

    const EditMask& Mask() const noexcept { return m_field.Mask(); }
    // Laid out by the mask, as a text the program sends the window is.
    void SetText(const std::string& text) override;

    // Raised on every change of the text, typed or put in by the program.
    std::function<void()> onChange;

    bool HandleCommand(WORD code) override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool KeyDown(WORD key) override;
    bool KeyPress(WPARAM character) override;

private:
    void Paste(const std::string& text);
    std::string ClipboardText() const;
    // The edit control's selection, read into the field before each action (a click or the
    // program may have moved it), and the field shown after it.
    void ReadSelection();
    void Show();

    MaskedText m_field;
    bool m_showing = false;  // our own text is being put into the control
};
