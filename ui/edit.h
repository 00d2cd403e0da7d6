#pragma once
// Text entry: the one-line edit field and the combo box with an editable field.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/control.h"

struct EditArgs {
    ParentRef parent;
    Bounds bounds;
    std::string text;
    HFONT font = nullptr;
    // The most characters the user can type or paste in; 0 leaves the control's own limit.
    // Text the program sets is not cut.
    int maxLength = 0;
};

class TEdit : public TControl {
public:
    explicit TEdit(const EditArgs& args);

    // Before the window is made, the change is raised here; the window raises it itself.
    void SetText(const std::string& text) override;

    // Raised on every change of the text, typed or set by the program.
    std::function<void()> onChange;

    bool HandleCommand(WORD code) override;

protected:
    void WindowCreated() override;

private:
    int m_maxLength;
};

struct ComboBoxArgs {
    ParentRef parent;
    Bounds bounds;  // height: the field's; the drop-down list is sized by dropDownCount
    int dropDownCount = 8;
    HFONT font = nullptr;
    bool listOnly = false;  // the field takes no typing: one of the entries, or none
};

// A drop-down list with an editable field; entries stay in the order added.
class TSubclass;

class TComboBox : public TControl {
public:
    explicit TComboBox(const ComboBoxArgs& args);
    ~TComboBox() override;

    void ClearItems();
    int AddItem(const std::string& text);  // returns the new entry's position
    int ItemCount() const;
    std::string Item(int index) const;
    int ItemIndex() const;
    // Selects without raising onChange, as the program's own changes do not.
    void SetItemIndex(int index);
    // The text the user chose last: the entry picked or the text typed. Windows puts a picked
    // entry into the field only after it has reported the selection, so while onChange runs
    // Text() still holds the one before.
    const std::string& ChosenText() const noexcept { return m_chosen; }

    // Raised when the user changes the text or picks an entry.
    std::function<void()> onChange;

    bool HandleCommand(WORD code) override;

protected:
    void WindowCreated() override;

private:
    int m_dropDownCount;
    bool m_listOnly;
    // Until the window is made.
    std::vector<std::string> m_items;
    int m_itemIndex = -1;
    std::string m_chosen;
    std::unique_ptr<TSubclass> m_fieldName;  // the field reads the combo box's name
};
