#include "ui/valuelist.h"

#include "core/error.h"
#include "ui/dpi.h"
#include "ui/fonts.h"

namespace {
// The in-place editor: Enter keeps, Esc drops, leaving the field keeps.
class InplaceEdit : public TEdit {
public:
    InplaceEdit(const EditArgs& args, TValueListEditor& grid) : TEdit(args), m_grid(grid) {}

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_GETDLGCODE) return DLGC_WANTALLKEYS | DefaultMessage(message, wParam, lParam);
        return TEdit::HandleMessage(message, wParam, lParam);
    }
    bool KeyDown(WORD key) override
    {
        if (key != VK_RETURN && key != VK_ESCAPE) return false;
        m_grid.EndEdit(key == VK_RETURN);
        return true;
    }
    // No beep for the keys taken above.
    bool KeyPress(WPARAM character) override { return character == '\r' || character == 27; }
    void Exit() override
    {
        if (m_grid.Editing()) m_grid.EndEdit(true);
    }

private:
    TValueListEditor& m_grid;
};

// Between a cell's text and its sides, at 96 DPI.
constexpr int kTextPadding = 2;

bool SameText(const std::string& a, const std::string& b)
{
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_EQUAL;
}
}  // namespace

TValueListEditor::TValueListEditor(const ValueListArgs& args)
    : m_designKeyWidth(args.keyColumnWidth), m_keyWidth(args.keyColumnWidth), m_editing(args.editing),
      m_rowSelect(args.rowSelect), m_keysFit(args.keysFit)
{
    SetColor(args.color);
    m_font = DesignFont(args.font);
    InitPainted("VelmoraValueList", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP, 0,
                args.parent, args.bounds);
    m_keyWidth = Scaled(m_designKeyWidth, Dpi());
    MeasureRows();
}

namespace {
TEXTMETRICA TextMetrics(HGDIOBJ font)
{
    TEXTMETRICA metrics{};
    // Measured on the screen: the grid may have no window yet.
    WindowDc dc(nullptr);
    SelectedObject selected(dc.get(), font);
    GetTextMetricsA(dc.get(), &metrics);
    return metrics;
}

// A row of the design at 96 DPI: the text and 5 pixels. Where the screen's DPI makes Windows
// take another size of a bitmap face than the one asked for, its height is taken back to the
// size asked for.
int DesignRowHeight(HFONT designFont)
{
    const TEXTMETRICA metrics = TextMetrics(designFont);
    int height = metrics.tmHeight;
    const int em = metrics.tmHeight - metrics.tmInternalLeading;
    FontSpec spec;
    // Rounded down: a face whose larger size brings more leading must not make the row taller
    // than the design's (16 pixels with an em of 13 stand for 13 with an em of 11).
    if (FontSpecOf(designFont, spec) && em > 0 && em != spec.height) height = height * spec.height / em;
    return height + 5;
}
}  // namespace

void TValueListEditor::MeasureRows()
{
    // The design's rows (the text and 5 pixels) scaled, as what lies around the grid scales (the
    // header over its first row, the rows its height holds): a font's height does not grow
    // exactly with the DPI (a bitmap face's next size may bring much more leading). Only
    // characters that would not fit make them higher.
    const HGDIOBJ font = TextFont();
    const int designed = Scaled(DesignRowHeight(ScaledFont(static_cast<HFONT>(font), kDesignDpi)), Dpi());
    const TEXTMETRICA metrics = TextMetrics(font);
    const int fitted = metrics.tmHeight - metrics.tmInternalLeading + 2;
    m_rowHeight = fitted > designed ? fitted : designed;
    m_textRowHeight = fitted;
    FitRowsToHeight();
}

void TValueListEditor::FitRowsToHeight()
{
    // Every row's text within the grid's height while the font allows it: rows that a font makes
    // taller than the design's give up their margins before the last row's text is cut off.
    // The text stands in the middle of its row; the margin below the last one may be cut.
    const int rows = RowCount();
    const int height = GetBounds().height;
    const int text = m_textRowHeight - 2;
    if (rows == 0 || (rows - 1) * m_rowHeight + (m_rowHeight + text) / 2 <= height) return;
    const int squeezed = (2 * height - text) / (2 * rows - 1);
    if (squeezed >= m_textRowHeight) m_rowHeight = squeezed;
}

void TValueListEditor::ScaleMetrics(int newDpi, int)
{
    EndEdit(true);
    m_keyWidth = Scaled(m_designKeyWidth, newDpi);
    MeasureRows();
    if (m_keysFit) {
        WindowDc dc(nullptr);
        SelectedObject font(dc.get(), TextFont());
        FitKeys(dc.get());
    }
}

TValueListEditor::~TValueListEditor() = default;

void TValueListEditor::CheckRow(int row) const
{
    if (row < 0 || row >= RowCount()) RaiseError("Grid index out of range");
}

void TValueListEditor::Clear()
{
    EndEdit(false);
    m_rows.clear();
    m_selectedRow = -1;
    Invalidate();
}

int TValueListEditor::AddRow(const std::string& key, const std::string& value, bool readOnly)
{
    m_rows.push_back({key, value, readOnly});
    ++m_valueWrites;
    FitRowsToHeight();
    if (m_keysFit) {
        WindowDc dc(nullptr);
        SelectedObject font(dc.get(), TextFont());
        FitKeys(dc.get());
    }
    Invalidate();
    return RowCount() - 1;
}

const std::string& TValueListEditor::Key(int row) const
{
    CheckRow(row);
    return m_rows[static_cast<size_t>(row)].key;
}

const std::string& TValueListEditor::Value(int row) const
{
    CheckRow(row);
    return m_rows[static_cast<size_t>(row)].value;
}

void TValueListEditor::SetValue(int row, const std::string& value)
{
    CheckRow(row);
    m_rows[static_cast<size_t>(row)].value = value;
    ++m_valueWrites;
    if (row == m_editRow) m_editor->SetText(value);
    Invalidate();
}

int TValueListEditor::FindRow(const std::string& key) const
{
    for (int row = 0; row < RowCount(); ++row) {
        if (SameText(m_rows[static_cast<size_t>(row)].key, key)) return row;
    }
    return -1;
}

std::string TValueListEditor::Values(const std::string& key) const
{
    const int row = FindRow(key);
    return row < 0 ? std::string() : m_rows[static_cast<size_t>(row)].value;
}

void TValueListEditor::SetValues(const std::string& key, const std::string& value)
{
    const int row = FindRow(key);
    if (row < 0) {
        AddRow(key, value);
    } else {
        SetValue(row, value);
    }
}

bool TValueListEditor::ReadOnly(int row) const
{
    CheckRow(row);
    return m_rows[static_cast<size_t>(row)].readOnly;
}

void TValueListEditor::SetReadOnly(int row, bool readOnly)
{
    CheckRow(row);
    m_rows[static_cast<size_t>(row)].readOnly = readOnly;
}

void TValueListEditor::SetKeyColumnWidth(int width)
{
    m_keyWidth = width;
    m_designKeyWidth = Unscaled(width, Dpi());
    if (m_editRow >= 0) EndEdit(true);
    Invalidate();
}

int TValueListEditor::ValueColumnWidth() const
{
    RECT client{0, 0, m_bounds.width, m_bounds.height};
    if (HandleAllocated()) GetClientRect(Handle(), &client);
    const int width = client.right - m_keyWidth;
    return width > 0 ? width : 0;
}

void TValueListEditor::SetEditingEnabled(bool enabled)
{
    m_editing = enabled;
    if (!enabled) EndEdit(true);
}

bool TValueListEditor::EditRow(int row)
{
    if (row < 0 || row >= RowCount()) return false;
    bool canSelect = true;
    if (onSelectCell) onSelectCell(1, row, canSelect);
    if (!canSelect) return false;
    m_selectedRow = row;
    Invalidate();
    if (!m_editing || m_rows[static_cast<size_t>(row)].readOnly) return false;
    EndEdit(true);
    if (!m_editor) {
        EditArgs args;
        args.parent = this;
        m_editor = std::make_unique<InplaceEdit>(args, *this);
        // A borderless field that sits exactly in the cell.
        SetWindowLongPtrA(m_editor->Handle(), GWL_EXSTYLE, 0);
    }
    m_editRow = row;
    m_editor->SetBounds({m_keyWidth + 2, row * m_rowHeight + 2, ValueColumnWidth() - 3, m_rowHeight - 3});
    m_editor->SetText(m_rows[static_cast<size_t>(row)].value);
    m_editor->SetVisible(true);
    m_editor->SetFocus();
    SendMessageA(m_editor->Handle(), EM_SETSEL, 0, -1);
    return true;
}

void TValueListEditor::EndEdit(bool keep)
{
    if (m_editRow < 0) return;
    const int row = m_editRow;
    m_editRow = -1;  // first: hiding the field moves the focus, which ends the edit again
    const std::string text = m_editor->Text();
    m_editor->SetVisible(false);
    if (keep && row < RowCount() && text != m_rows[static_cast<size_t>(row)].value) {
        m_rows[static_cast<size_t>(row)].value = text;
        if (onValueChange) onValueChange(row);
    }
    Invalidate();
}

void TValueListEditor::Click(int x, int y)
{
    const int row = y / m_rowHeight;
    if (row >= RowCount()) return;
    if (x < m_keyWidth && !m_rowSelect) {
        // The key column is fixed: it cannot be selected or edited.
        return;
    }
    EditRow(row);
}

HGDIOBJ TValueListEditor::TextFont() const
{
    HFONT font = Font();
    return font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT);
}

void TValueListEditor::FitKeys(HDC dc)
{
    // A key is drawn a padding in from each side of its column.
    const int padding = Scaled(kTextPadding, Dpi());
    for (const Row& row : m_rows) {
        SIZE extent{};
        GetTextExtentPoint32A(dc, row.key.c_str(), static_cast<int>(row.key.size()), &extent);
        if (extent.cx + 2 * padding > m_keyWidth) m_keyWidth = extent.cx + 2 * padding;
    }
}

void TValueListEditor::Paint(HDC dc, const RECT& client)
{
    FillBackground(dc, client);
    SelectedObject font(dc, TextFont());
    // The font may have changed since the rows were added (another scale).
    if (m_keysFit) FitKeys(dc);
    const int padding = Scaled(kTextPadding, Dpi());
    SetBkMode(dc, TRANSPARENT);
    for (int row = 0; row < RowCount(); ++row) {
        const Row& item = m_rows[static_cast<size_t>(row)];
        const int top = row * m_rowHeight;
        RECT key{0, top, m_keyWidth, top + m_rowHeight};
        RECT value{m_keyWidth, top, client.right, top + m_rowHeight};
        const bool selected = row == m_selectedRow && row != m_editRow && GetFocus() == Handle();
        if (selected) {
            SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
            const RECT highlighted{m_rowSelect ? key.left : value.left, top, value.right, value.bottom};
            ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &highlighted, nullptr, 0, nullptr);
            // The focus shows on the row that has it, as a list's focused item shows it.
            if ((SendMessageA(Handle(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0) DrawFocusRect(dc, &highlighted);
        }
        SetTextColor(dc, GetSysColor(selected && m_rowSelect ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        RECT keyText{key.left + padding, key.top, key.right - padding, key.bottom};
        DrawTextA(dc, item.key.c_str(), -1, &keyText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        if (row == m_editRow) continue;
        SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        RECT valueText{value.left + padding, value.top, value.right - padding, value.bottom};
        DrawTextA(dc, item.value.c_str(), -1, &valueText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
}

LRESULT TValueListEditor::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
        ::SetFocus(Handle());
        Click(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        return 0;
    case WM_SIZE:
        if (m_editRow >= 0) EndEdit(true);
        Invalidate();
        return 0;
    case WM_GETDLGCODE: {
        // Enter opens the selected row's editor here, before the form's default button.
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        const bool enter = key != nullptr && key->message == WM_KEYDOWN && key->wParam == VK_RETURN;
        return DLGC_WANTARROWS | (enter ? DLGC_WANTMESSAGE : 0);
    }
    }
    return TPaintedWindow::HandleMessage(message, wParam, lParam);
}

// The selected row is shown only while the grid has the focus.
void TValueListEditor::Enter() { Invalidate(); }
void TValueListEditor::Exit() { Invalidate(); }

bool TValueListEditor::KeyDown(WORD key)
{
    if (key == VK_F2 || key == VK_RETURN) {
        EditRow(m_selectedRow);
        return true;
    }
    if ((key != VK_DOWN && key != VK_UP) || RowCount() == 0) return false;
    int row = m_selectedRow + (key == VK_DOWN ? 1 : -1);
    if (row < 0) row = 0;
    if (row >= RowCount()) row = RowCount() - 1;
    bool canSelect = true;
    if (onSelectCell) onSelectCell(1, row, canSelect);
    if (canSelect) m_selectedRow = row;
    Invalidate();
    return true;
}
