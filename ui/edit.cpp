#include "ui/edit.h"

#include <commctrl.h>

TEdit::TEdit(const EditArgs& args)
{
    CreateHandle({.className = "EDIT",
                  .style = WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                  .exStyle = WS_EX_CLIENTEDGE,
                  .parent = args.parent,
                  .bounds = args.bounds,
                  .text = args.text,
                  .font = args.font});
}

bool TEdit::HandleCommand(WORD code)
{
    if (code != EN_CHANGE) return false;
    if (onChange) onChange();
    return true;
}

TComboBox::TComboBox(const ComboBoxArgs& args)
{
    CreateHandle({.className = "COMBOBOX",
                  .style = WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                  .parent = args.parent,
                  .bounds = args.bounds,
                  .font = args.font});
    SendMessageA(Handle(), CB_SETMINVISIBLE, static_cast<WPARAM>(args.dropDownCount), 0);
}

void TComboBox::ClearItems() { SendMessageA(Handle(), CB_RESETCONTENT, 0, 0); }

int TComboBox::AddItem(const std::string& text)
{
    return static_cast<int>(SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

int TComboBox::ItemCount() const { return static_cast<int>(SendMessageA(Handle(), CB_GETCOUNT, 0, 0)); }

std::string TComboBox::Item(int index) const
{
    const LRESULT length = SendMessageA(Handle(), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(Handle(), CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

int TComboBox::ItemIndex() const { return static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0)); }

void TComboBox::SetItemIndex(int index) { SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0); }

bool TComboBox::HandleCommand(WORD code)
{
    if (code != CBN_EDITCHANGE && code != CBN_SELCHANGE) return false;
    const int index = code == CBN_SELCHANGE ? ItemIndex() : -1;
    m_chosen = index >= 0 ? Item(index) : Text();
    if (onChange) onChange();
    return true;
}
