#pragma once
// The key/value grid (TValueListEditor): a borderless two-column grid without a title row. The
// key column has a fixed width and cannot be edited; the value column fills the rest. A value
// can be edited in place unless its row is read-only or editing is switched off.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/edit.h"
#include "ui/window.h"

struct ValueListArgs {
    ParentRef parent;
    Bounds bounds;
    int keyColumnWidth = 150;  // at 96 DPI
    bool editing = true;       // values can be edited in place
    bool rowSelect = false;    // a click anywhere in a row selects it, and the whole row shows it
    bool keysFit = false;      // the key column grows, when it must, to show its widest key whole
    COLORREF color = RGB(255, 255, 255);
    HFONT font = nullptr;  // null: the parent's
};

class TValueListEditor : public TPaintedWindow {
public:
    explicit TValueListEditor(const ValueListArgs& args);
    ~TValueListEditor() override;

    void Clear();
    int AddRow(const std::string& key, const std::string& value, bool readOnly = false);
    int RowCount() const noexcept { return static_cast<int>(m_rows.size()); }
    const std::string& Key(int row) const;
    const std::string& Value(int row) const;
    void SetValue(int row, const std::string& value);
    // The row of a key (the first one, letter case ignored), or -1.
    int FindRow(const std::string& key) const;
    // The value of a key; empty when no row has it.
    std::string Values(const std::string& key) const;
    // Sets a key's value; a key without a row gets one at the end.
    void SetValues(const std::string& key, const std::string& value);
    // How many values have been written into rows (added or set), each a repaint: what a
    // refresh costs the grid.
    int ValueWrites() const noexcept { return m_valueWrites; }
    bool ReadOnly(int row) const;
    void SetReadOnly(int row, bool readOnly);

    // At the grid's DPI, as the user sees it.
    int KeyColumnWidth() const noexcept { return m_keyWidth; }
    void SetKeyColumnWidth(int width);
    // What the value column is given: the rest of the grid.
    int ValueColumnWidth() const;
    int RowHeight() const noexcept { return m_rowHeight; }

    bool EditingEnabled() const noexcept { return m_editing; }
    void SetEditingEnabled(bool enabled);
    // Opens the in-place editor on a row's value, as a click on it does; false when the row
    // cannot be edited.
    bool EditRow(int row);
    bool Editing() const noexcept { return m_editRow >= 0; }
    // Takes over the editor's text (Enter, leaving the field) or drops it (Esc).
    void EndEdit(bool keep);
    TEdit* Editor() const noexcept { return m_editor.get(); }

    // Asked before a cell is selected; setting `canSelect` false refuses it.
    std::function<void(int column, int row, bool& canSelect)> onSelectCell;
    // A value was changed through the in-place editor.
    std::function<void(int row)> onValueChange;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc, const RECT& client) override;
    bool KeyDown(WORD key) override;
    void Enter() override;
    void Exit() override;
    // The key column and the rows at the new DPI: the width from its design, the height from
    // the font.
    void ScaleMetrics(int newDpi, int oldDpi) override;

private:
    struct Row {
        std::string key;
        std::string value;
        bool readOnly = false;
    };
    HGDIOBJ TextFont() const;
    void MeasureRows();
    void Click(int x, int y);
    void CheckRow(int row) const;
    // With keysFit: widens the key column to the widest key in the font selected into `dc`.
    void FitKeys(HDC dc);
    void FitRowsToHeight();

    std::vector<Row> m_rows;
    int m_designKeyWidth;  // at 96 DPI
    int m_keyWidth;
    int m_rowHeight = 18;
    int m_textRowHeight = 0;  // the text and the least margin: below it a row would cut its text
    bool m_editing;
    bool m_rowSelect;
    bool m_keysFit;
    int m_selectedRow = -1;
    int m_editRow = -1;
    int m_valueWrites = 0;
    std::unique_ptr<TEdit> m_editor;
};
