#include "ui/button.h"

TButton::TButton(const ButtonArgs& args)
{
    // The dialog manager presses the controls with these ids on Enter and Esc: a window that
    // names no default button of its own gets IDOK for Enter ("DM_GETDEFID"). The designed
    // windows draw no default frame, so the default button keeps the plain style.
    InitControl({.className = "BUTTON",
                 .style = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                 .parent = args.parent,
                 .bounds = args.bounds,
                 .text = args.caption,
                 .font = args.font,
                 .id = args.isDefault ? IDOK
                       : args.cancel  ? IDCANCEL
                                      : 0});
}

void TButton::Click()
{
    if (onClick) onClick();
}

bool TButton::HandleCommand(WORD code)
{
    if (code != BN_CLICKED) return false;
    Click();
    return true;
}

TCheckControl::TCheckControl(const CheckBoxArgs& args, DWORD style)
{
    m_checked = args.checked;
    InitControl({.className = "BUTTON",
                 .style = WS_VISIBLE | style,
                 .parent = args.parent,
                 .bounds = args.bounds,
                 .text = args.caption,
                 .font = args.font});
}

bool TCheckControl::Checked() const
{
    if (!HandleAllocated()) return m_checked;
    return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCheckControl::SetCheck(bool checked)
{
    m_checked = checked;
    if (HandleAllocated()) SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckControl::WindowCreated()
{
    if (m_checked) SendMessageA(Handle(), BM_SETCHECK, BST_CHECKED, 0);
}

TCheckBox::TCheckBox(const CheckBoxArgs& args) : TCheckControl(args, WS_TABSTOP | BS_AUTOCHECKBOX) {}

void TCheckBox::SetChecked(bool checked)
{
    if (checked == Checked()) return;
    SetCheck(checked);
    if (onClick) onClick();
}

bool TCheckBox::HandleCommand(WORD code)
{
    if (code != BN_CLICKED) return false;
    if (onClick) onClick();  // the box has already toggled itself
    return true;
}

TRadioButton::TRadioButton(const CheckBoxArgs& args)
    : TCheckControl(args, BS_RADIOBUTTON | (args.checked ? WS_TABSTOP : 0))
{
}

void TRadioButton::SetChecked(bool checked)
{
    if (checked == Checked()) return;
    SetCheck(checked);
    // Only the checked button of a group takes the keyboard focus by Tab.
    SetStyle(checked ? WS_TABSTOP : 0, checked ? 0 : WS_TABSTOP);
    if (!checked) return;
    UncheckSiblings();
    if (onClick) onClick();
}

void TRadioButton::UncheckSiblings()
{
    if (Parent() == nullptr) return;
    // Unchecking raises no event, so the list stays as it is during the walk.
    for (TWinControl* sibling : Parent()->WindowedChildren()) {
        if (sibling == this) continue;
        if (auto* radio = dynamic_cast<TRadioButton*>(sibling)) radio->SetChecked(false);
    }
}

bool TRadioButton::HandleCommand(WORD code)
{
    if (code != BN_CLICKED) return false;
    SetChecked(true);
    return true;
}

TGroupBox::TGroupBox(const GroupBoxArgs& args)
{
    SetColor(args.color);
    InitControl({.className = "BUTTON",
                 .style = WS_VISIBLE | BS_GROUPBOX,
                 .exStyle = WS_EX_CONTROLPARENT,
                 .parent = args.parent,
                 .bounds = args.bounds,
                 .text = args.caption,
                 .font = args.font});
}

LRESULT TGroupBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (ReflectMessage(message, wParam, lParam, result)) return result;
    if (message == WM_PAINT && HasGraphics()) {
        // The button paints frame and caption into the device context it is given (a caller's,
        // or one of its own); the texts and pictures on the group go over them.
        if (wParam != 0) {
            DefaultMessage(message, wParam, 0);
            RECT client;
            GetClientRect(Handle(), &client);
            PaintGraphics(reinterpret_cast<HDC>(wParam), client);
            return 0;
        }
        PaintDc paint(Handle());
        DefaultMessage(message, reinterpret_cast<WPARAM>(paint.get()), 0);
        PaintGraphics(paint.get(), paint.Update());
        return 0;
    }
    return TControl::HandleMessage(message, wParam, lParam);
}

bool TGroupBox::EraseBackground(HDC dc)
{
    // A group box draws only its frame and caption; its parent clips it out (the pages and
    // panels have WS_CLIPCHILDREN), so the group fills its own inside.
    RECT client;
    GetClientRect(Handle(), &client);
    FillBackground(dc, client);
    return true;
}

HBRUSH TGroupBox::HandleCtlColor(HDC dc) { return Background(dc); }
