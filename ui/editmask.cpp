#include "ui/editmask.h"

#include <utility>

#include "core/error.h"

namespace {
constexpr char kDigitPlace = '9';

bool IsDigit(char character) { return character >= '0' && character <= '9'; }

bool IsWhiteSpace(char character)
{
    return character == ' ' || character == '\t' || character == '\r' || character == '\n';
}

std::string_view Trim(std::string_view text, bool (*strip)(char))
{
    while (!text.empty() && strip(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && strip(text.back()))
        text.remove_suffix(1);
    return text;
}

bool IsSpace(char character) { return character == ' '; }
}  // namespace

EditMask::EditMask(std::string_view mask)
{
    const size_t placesEnd = mask.find(';');
    m_places = std::string(mask.substr(0, placesEnd));
    m_blank = '_';
    if (placesEnd != std::string_view::npos) {
        std::string_view rest = mask.substr(placesEnd + 1);
        const size_t keepEnd = rest.find(';');
        // The field's text is read whole, literals included; a mask that drops them on reading
        // would need another reading rule.
        if (rest.substr(0, keepEnd) != "1") RaiseError("Edit mask must keep its literals: " + std::string(mask));
        if (keepEnd != std::string_view::npos && keepEnd + 1 < rest.size()) m_blank = rest[keepEnd + 1];
    }
    for (size_t i = 0; i < m_places.size();) {
        if (m_places[i] != kDigitPlace) {
            ++i;
            continue;
        }
        const size_t start = i;
        while (i < m_places.size() && m_places[i] == kDigitPlace)
            ++i;
        m_sections.push_back({start, i});
    }
    if (m_sections.empty()) RaiseError("Edit mask without digit places: " + std::string(mask));
}

bool EditMask::IsLiteral(size_t position) const noexcept
{
    return position < m_places.size() && m_places[position] != kDigitPlace;
}

std::string EditMask::EmptyText() const
{
    std::string text = m_places;
    for (char& character : text) {
        if (character == kDigitPlace) character = m_blank;
    }
    return text;
}

std::string EditMask::Layout(std::string_view text) const
{
    std::string laidOut = EmptyText();
    size_t from = 0;
    for (size_t index = 0; index < m_sections.size() && from != std::string_view::npos; ++index) {
        const Section& section = m_sections[index];
        const char separator = Separator(index);
        const size_t stop = separator == '\0' ? std::string_view::npos : text.find(separator, from);
        const std::string_view share = text.substr(from, stop == std::string_view::npos ? stop : stop - from);
        const size_t size = section.end - section.start;
        laidOut.replace(section.start, share.size() < size ? share.size() : size, share.substr(0, size));
        from = stop == std::string_view::npos ? stop : stop + 1;
    }
    return laidOut;
}

size_t EditMask::SectionAt(size_t position) const noexcept
{
    for (size_t index = m_sections.size(); index-- > 0;) {
        if (m_sections[index].start <= position) return index;
    }
    return 0;
}

char EditMask::Separator(size_t index) const noexcept
{
    if (index + 1 >= m_sections.size()) return '\0';
    return m_places[m_sections[index].end];
}

bool EditMask::IsSeparator(char character) const noexcept
{
    for (size_t index = 0; index + 1 < m_sections.size(); ++index) {
        if (character == Separator(index)) return true;
    }
    return false;
}

MaskedText::MaskedText(EditMask mask) : m_mask(std::move(mask)), m_text(m_mask.EmptyText()) {}

std::string MaskedText::SelectedText() const
{
    return m_text.substr(m_selection.Start(), m_selection.End() - m_selection.Start());
}

void MaskedText::SetText(std::string_view text)
{
    m_text = m_mask.Layout(text);
    m_selection = {};
    m_canUndo = false;
}

void MaskedText::Select(size_t anchor, size_t caret)
{
    const size_t length = m_mask.Length();
    m_selection = {anchor < length ? anchor : length, caret < length ? caret : length};
}

void MaskedText::SelectSectionAt(size_t position)
{
    const EditMask::Section& section = m_mask.Sections()[m_mask.SectionAt(position)];
    m_selection = {section.start, section.end};
}

void MaskedText::PlaceCaret(size_t position)
{
    Collapse(position < m_mask.Length() ? position : m_mask.Length());
    SkipLiteralsForward();
}

bool MaskedText::Type(char character)
{
    const Snapshot before = Take();
    if (IsDigit(character) || character == ' ' || character == m_mask.Blank()) {
        BlankSelection();
        SkipLiteralsForward();
        if (m_selection.caret >= m_mask.Length()) return false;  // the field is full
        m_text[m_selection.caret] = IsDigit(character) ? character : m_mask.Blank();
        Collapse(m_selection.caret + 1);
        SkipLiteralsForward();
        KeepUndo(before);
        return true;
    }
    // A section's own literal ends the section, as the point ends a group of an address.
    const size_t caret = m_selection.Start();
    const size_t index = m_mask.SectionAt(caret);
    if (character == '\0' || character != m_mask.Separator(index)) return false;
    BlankSelection();
    const EditMask::Section& section = m_mask.Sections()[index];
    if (caret != section.start) {
        BlankRange(caret, section.end);
        Collapse(m_mask.Sections()[index + 1].start);
    }
    KeepUndo(before);
    return true;
}

void MaskedText::Backspace()
{
    const Snapshot before = Take();
    if (!m_selection.Empty()) {
        BlankSelection();
    } else {
        size_t position = m_selection.caret;
        while (position > 0) {
            --position;
            if (!m_mask.IsLiteral(position)) {
                m_text[position] = m_mask.Blank();
                Collapse(position);
                break;
            }
        }
    }
    KeepUndo(before);
}

void MaskedText::Delete()
{
    const Snapshot before = Take();
    if (!m_selection.Empty()) {
        BlankSelection();
    } else {
        SkipLiteralsForward();
        if (m_selection.caret < m_mask.Length()) m_text[m_selection.caret] = m_mask.Blank();
    }
    KeepUndo(before);
}

void MaskedText::ClearSelection()
{
    const Snapshot before = Take();
    BlankSelection();
    KeepUndo(before);
}

bool MaskedText::Paste(std::string_view text)
{
    text = Trim(text, IsWhiteSpace);
    if (text.empty()) return false;
    bool address = false;
    for (char character : text) {
        if (m_mask.IsSeparator(character)) address = true;
    }
    const Snapshot before = Take();
    if (!(address ? PasteSections(text) : PasteCharacters(text))) {
        Restore(before);
        return false;
    }
    KeepUndo(before);
    return true;
}

bool MaskedText::PasteSections(std::string_view text)
{
    const auto& sections = m_mask.Sections();
    size_t start = m_selection.Start();
    while (m_mask.IsLiteral(start))
        ++start;
    if (start >= m_mask.Length()) return false;
    const size_t first = m_mask.SectionAt(start);

    // Cut the text into parts first: nothing changes unless every part fits.
    std::vector<std::string_view> parts;
    size_t from = 0;
    for (size_t index = first; from != std::string_view::npos; ++index) {
        if (index >= sections.size()) return false;  // more parts than sections left
        size_t stop = from;
        while (stop < text.size() && !m_mask.IsSeparator(text[stop]))
            ++stop;
        if (stop == text.size()) stop = std::string_view::npos;
        const std::string_view part =
            Trim(text.substr(from, stop == std::string_view::npos ? stop : stop - from), IsSpace);
        if (part.size() > sections[index].end - sections[index].start) return false;
        for (char character : part) {
            if (!IsDigit(character)) return false;
        }
        parts.push_back(part);
        from = stop == std::string_view::npos ? stop : stop + 1;
    }

    BlankSelection();
    size_t caret = start;
    for (size_t i = 0; i < parts.size(); ++i) {
        const EditMask::Section& section = sections[first + i];
        BlankRange(section.start, section.end);
        m_text.replace(section.start, parts[i].size(), parts[i]);
        caret = section.start + parts[i].size();
    }
    Collapse(caret);
    SkipLiteralsForward();
    return true;
}

bool MaskedText::PasteCharacters(std::string_view text)
{
    for (char character : text) {
        if (!IsDigit(character) && character != ' ' && character != m_mask.Blank()) return false;
    }
    BlankSelection();
    for (char character : text) {
        SkipLiteralsForward();
        if (m_selection.caret >= m_mask.Length()) return false;
        m_text[m_selection.caret] = IsDigit(character) ? character : m_mask.Blank();
        Collapse(m_selection.caret + 1);
    }
    SkipLiteralsForward();
    return true;
}

void MaskedText::MoveLeft(bool extend)
{
    if (extend) {
        if (m_selection.caret > 0) --m_selection.caret;
        return;
    }
    if (!m_selection.Empty()) {
        Collapse(m_selection.Start());
    } else if (m_selection.caret > 0) {
        Collapse(m_selection.caret - 1);
    }
    SkipLiteralsBackward();
}

void MaskedText::MoveRight(bool extend)
{
    if (extend) {
        if (m_selection.caret < m_mask.Length()) ++m_selection.caret;
        return;
    }
    if (!m_selection.Empty()) {
        Collapse(m_selection.End());
    } else if (m_selection.caret < m_mask.Length()) {
        Collapse(m_selection.caret + 1);
    }
    SkipLiteralsForward();
}

void MaskedText::SectionLeft(bool extend)
{
    size_t target = 0;
    for (const EditMask::Section& section : m_mask.Sections()) {
        if (section.start < m_selection.caret) target = section.start;
    }
    MoveTo(target, extend);
}

void MaskedText::SectionRight(bool extend)
{
    size_t target = m_mask.Length();
    for (const EditMask::Section& section : m_mask.Sections()) {
        if (section.start > m_selection.caret) {
            target = section.start;
            break;
        }
    }
    MoveTo(target, extend);
}

void MaskedText::Home(bool extend) { MoveTo(0, extend); }

void MaskedText::End(bool extend) { MoveTo(m_mask.Length(), extend); }

void MaskedText::Undo()
{
    if (!m_canUndo) return;
    std::swap(m_text, m_undo.text);
    std::swap(m_selection, m_undo.selection);
}

void MaskedText::Restore(Snapshot snapshot)
{
    m_text = std::move(snapshot.text);
    m_selection = snapshot.selection;
}

void MaskedText::KeepUndo(Snapshot before)
{
    if (before.text == m_text) return;
    m_undo = std::move(before);
    m_canUndo = true;
}

void MaskedText::BlankRange(size_t start, size_t end)
{
    for (size_t position = start; position < end && position < m_text.size(); ++position) {
        if (!m_mask.IsLiteral(position)) m_text[position] = m_mask.Blank();
    }
}

void MaskedText::BlankSelection()
{
    if (m_selection.Empty()) return;
    BlankRange(m_selection.Start(), m_selection.End());
    Collapse(m_selection.Start());
}

void MaskedText::Collapse(size_t position) { m_selection = {position, position}; }

void MaskedText::SkipLiteralsForward()
{
    if (!m_selection.Empty()) return;
    size_t caret = m_selection.caret;
    while (m_mask.IsLiteral(caret))
        ++caret;
    Collapse(caret);
}

void MaskedText::SkipLiteralsBackward()
{
    if (!m_selection.Empty()) return;
    size_t caret = m_selection.caret;
    while (caret > 0 && m_mask.IsLiteral(caret))
        --caret;
    Collapse(caret);
    // A mask that starts with literals: the first digit place is the nearest stop.
    SkipLiteralsForward();
}

void MaskedText::MoveTo(size_t position, bool extend)
{
    if (extend) {
        m_selection.caret = position;
        return;
    }
    Collapse(position);
    SkipLiteralsForward();
}
