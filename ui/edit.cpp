#include "ui/edit.h"

#include <commctrl.h>

#include "ui/accessible.h"
#include "ui/subclass.h"

TEdit::TEdit(const EditArgs& args) : m_maxLength(args.maxLength)
{
    InitControl({.className = "EDIT",
                 .style = WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                 .exStyle = WS_EX_CLIENTEDGE,
                 .parent = args.parent,
                 .bounds = args.bounds,
                 .text = args.text,
                 .font = args.font});
}

void TEdit::WindowCreated()
{
    // Leaves WM_SETTEXT alone ("EM_LIMITTEXT message"): a longer text given by the program stays whole.
    if (m_maxLength > 0) SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(m_maxLength), 0);
}

void TEdit::SetText(const std::string& text)
{
    TControl::SetText(text);
    if (!HandleAllocated() && onChange) onChange();
}

bool TEdit::HandleCommand(WORD code)
{
    if (code != EN_CHANGE) return false;
    if (onChange) onChange();
    return true;
}

TComboBox::TComboBox(const ComboBoxArgs& args) : m_dropDownCount(args.dropDownCount), m_listOnly(args.listOnly)
{
    InitControl({.className = "COMBOBOX",
                 .style = WS_VISIBLE | WS_TABSTOP | WS_VSCROLL |
                          static_cast<DWORD>(args.listOnly ? CBS_DROPDOWNLIST : CBS_DROPDOWN | CBS_AUTOHSCROLL),
                 .parent = args.parent,
                 .bounds = args.bounds,
                 .text = {},
                 .font = args.font});
}

TComboBox::~TComboBox() = default;

void TComboBox::WindowCreated()
{
    SendMessageA(Handle(), CB_SETMINVISIBLE, static_cast<WPARAM>(m_dropDownCount), 0);
    m_fieldName = NameFieldAfter(FindWindowExA(Handle(), nullptr, "Edit", nullptr), *this);
    for (const std::string& item : m_items)
        SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    if (m_itemIndex >= 0) SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(m_itemIndex), 0);
    // A typed text other than the entry selected stays; a list-only field has none.
    if (!m_listOnly && (m_itemIndex < 0 || m_text != m_items[static_cast<size_t>(m_itemIndex)]))
        SetWindowTextA(Handle(), m_text.c_str());
    m_items.clear();
}

void TComboBox::ClearItems()
{
    if (HandleAllocated()) {
        SendMessageA(Handle(), CB_RESETCONTENT, 0, 0);
        return;
    }
    m_items.clear();
    m_itemIndex = -1;
    m_text.clear();
}

int TComboBox::AddItem(const std::string& text)
{
    if (!HandleAllocated()) {
        m_items.push_back(text);
        return static_cast<int>(m_items.size()) - 1;
    }
    return static_cast<int>(SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

int TComboBox::ItemCount() const
{
    if (!HandleAllocated()) return static_cast<int>(m_items.size());
    return static_cast<int>(SendMessageA(Handle(), CB_GETCOUNT, 0, 0));
}

std::string TComboBox::Item(int index) const
{
    if (!HandleAllocated()) {
        return index >= 0 && index < ItemCount() ? m_items[static_cast<size_t>(index)] : std::string();
    }
    const LRESULT length = SendMessageA(Handle(), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(Handle(), CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

int TComboBox::ItemIndex() const
{
    if (!HandleAllocated()) return m_itemIndex;
    return static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0));
}

void TComboBox::SetItemIndex(int index)
{
    if (HandleAllocated()) {
        SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        return;
    }
    // As the control does: the field shows the entry selected, and an index out of range
    // selects nothing and empties it.
    m_itemIndex = index >= 0 && index < ItemCount() ? index : -1;
    m_text = m_itemIndex >= 0 ? m_items[static_cast<size_t>(m_itemIndex)] : std::string();
}

bool TComboBox::HandleCommand(WORD code)
{
    if (code != CBN_EDITCHANGE && code != CBN_SELCHANGE) return false;
    const int index = code == CBN_SELCHANGE ? ItemIndex() : -1;
    m_chosen = index >= 0 ? Item(index) : Text();
    if (onChange) onChange();
    return true;
}
