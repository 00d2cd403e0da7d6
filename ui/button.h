#pragma once
// Buttons of every kind Windows' BUTTON class gives: push buttons, check boxes, radio
// buttons, and the group box, which also holds other controls.
#include <functional>
#include <string>

#include "ui/control.h"

struct ButtonArgs {
    ParentRef parent;
    Bounds bounds;
    std::string caption;
    bool isDefault = false;  // pressed by Enter
    bool cancel = false;     // pressed by Esc
    HFONT font = nullptr;
};

class TButton : public TControl {
public:
    explicit TButton(const ButtonArgs& args);
    // What a user's click does.
    void Click();

    std::function<void()> onClick;

    bool HandleCommand(WORD code) override;
};

struct CheckBoxArgs {
    ParentRef parent;
    Bounds bounds;
    std::string caption;
    bool checked = false;
    HFONT font = nullptr;
};

// What check boxes and radio buttons share: a BUTTON with a check mark and a click event.
class TCheckControl : public TControl {
public:
    bool Checked() const;

    std::function<void()> onClick;

protected:
    TCheckControl(const CheckBoxArgs& args, DWORD style);
    void SetCheck(bool checked);
    void WindowCreated() override;

private:
    bool m_checked = false;  // until the window is made
};

class TCheckBox : public TCheckControl {
public:
    explicit TCheckBox(const CheckBoxArgs& args);

    // A change of state raises onClick, as a click would; setting the same state does nothing.
    void SetChecked(bool checked);

    bool HandleCommand(WORD code) override;
};

// A click checks the button and unchecks the other radio buttons of the same parent.
class TRadioButton : public TCheckControl {
public:
    explicit TRadioButton(const CheckBoxArgs& args);

    void SetChecked(bool checked);

    bool HandleCommand(WORD code) override;

private:
    void UncheckSiblings();
};

struct GroupBoxArgs {
    ParentRef parent;
    Bounds bounds;
    std::string caption;            // empty: a frame without caption
    COLORREF color = kParentColor;  // background; kParentColor: the button face
    HFONT font = nullptr;
};

// A framed group whose child controls are placed relative to it; it passes their
// notifications on to their objects like any of our windows.
class TGroupBox : public TControl {
public:
    explicit TGroupBox(const GroupBoxArgs& args);

    HBRUSH HandleCtlColor(HDC dc) override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool EraseBackground(HDC dc) override;
};
