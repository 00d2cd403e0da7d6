#pragma once
// The rules of a masked text field: the layout of a text put into it, and what typing,
// deleting, moving, selecting and pasting do to its text and selection. Free of windows.h so
// a reader can test them alone and a fuzzer can reach them; TMaskEdit (ui/maskedit.h) is the
// control around them.
//
// A mask reads "<places>;1;<blank>", for example "999.999.999.999;1; ". In <places>, '9' is a
// digit place, which holds a digit or the blank; every other character is a literal that
// belongs to the text ("1": it is kept there) and cannot be overtyped. The literals cut the
// digit places into sections: the four groups of an address.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class EditMask {
public:
    // Raises AppError for a mask without digit places, or one that does not keep its literals.
    explicit EditMask(std::string_view mask);

    size_t Length() const noexcept { return m_places.size(); }
    bool IsLiteral(size_t position) const noexcept;
    char Blank() const noexcept { return m_blank; }
    // Every digit place blank, every literal in place ("   .   .   .   ").
    std::string EmptyText() const;

    // A text put into the field, laid out section by section: the characters before the
    // text's first literal go to section 1, those up to the next to section 2, and so on.
    // Each section takes its first characters, up to its size, and is filled up on the right
    // with blanks; sections the text does not reach stay blank, and what follows the last
    // section's share is dropped. The characters themselves are not checked.
    std::string Layout(std::string_view text) const;

    struct Section {
        size_t start;  // first digit place
        size_t end;    // one past the last
    };
    const std::vector<Section>& Sections() const noexcept { return m_sections; }
    // The section holding `position`; a literal or the end belongs to the section before it.
    size_t SectionAt(size_t position) const noexcept;
    // The literal that closes section `index` in the text, or '\0' for the last section.
    char Separator(size_t index) const noexcept;
    // Whether the character closes one of the sections.
    bool IsSeparator(char character) const noexcept;

private:
    std::string m_places;  // '9' for a digit place, otherwise the literal itself
    char m_blank = ' ';
    std::vector<Section> m_sections;
};

// Caret and selection: the selection runs between anchor and caret, the caret is where the
// user's movements start from.
struct MaskSelection {
    size_t anchor = 0;
    size_t caret = 0;
    size_t Start() const noexcept { return anchor < caret ? anchor : caret; }
    size_t End() const noexcept { return anchor < caret ? caret : anchor; }
    bool Empty() const noexcept { return anchor == caret; }
    bool operator==(const MaskSelection& other) const noexcept
    {
        return anchor == other.anchor && caret == other.caret;
    }
};

// A masked field's text and selection under the editing rules. The text always has the
// mask's length with every literal in its place. Typing overwrites; deleting leaves blanks;
// a caret without a selection never rests just before a literal (it skips the points).
class MaskedText {
public:
    explicit MaskedText(EditMask mask);

    const EditMask& Mask() const noexcept { return m_mask; }
    const std::string& Text() const noexcept { return m_text; }
    const MaskSelection& Selection() const noexcept { return m_selection; }
    std::string SelectedText() const;

    // Puts a text in (laid out by the mask) with the caret at the start; forgets the undo.
    void SetText(std::string_view text);
    // Selects as asked, clamped to the text; no literal is skipped (the program's own choice).
    void Select(size_t anchor, size_t caret);
    // The section around `position`, as a double click selects it.
    void SelectSectionAt(size_t position);
    // Where a click leaves the caret: on a literal it moves past it.
    void PlaceCaret(size_t position);

    // A typed character. Digits and the blank (or a space) overwrite the next digit place;
    // a section's literal ends that section: the rest of it is blanked and the caret moves to
    // the next one (at a section's start it changes nothing). Returns false when refused:
    // any other character, the field full, or a literal typed in the last section.
    bool Type(char character);
    // Backspace: the selection, or the digit place before the caret, becomes blank.
    void Backspace();
    // Delete: the selection, or the digit place after the caret, becomes blank.
    void Delete();
    // Blanks the digit places of the selection; the caret goes to its start.
    void ClearSelection();
    // Pasted text, stripped of surrounding white space. With a literal in it, it is an
    // address: its parts land in the sections from the caret's on, each left-aligned. Without
    // one, it is typed character by character. Refused whole (false, nothing changes) when a
    // part does not fit its section, when parts or characters run past the end, or when it
    // holds anything but digits, blanks, white space and the mask's literals.
    bool Paste(std::string_view text);

    // Caret movements; with `extend` the selection's anchor stays (Shift held).
    void MoveLeft(bool extend);
    void MoveRight(bool extend);
    void SectionLeft(bool extend);   // Ctrl+Left: to the start of this or the previous section
    void SectionRight(bool extend);  // Ctrl+Right: to the start of the next section, or the end
    void Home(bool extend);
    void End(bool extend);

    // One step back: the text and selection before the last change.
    bool CanUndo() const noexcept { return m_canUndo; }
    void Undo();
    void ForgetUndo() noexcept { m_canUndo = false; }

private:
    struct Snapshot {
        std::string text;
        MaskSelection selection;
    };
    Snapshot Take() const { return {m_text, m_selection}; }
    void Restore(Snapshot snapshot);
    // Keeps `before` for Undo when the text has changed since.
    void KeepUndo(Snapshot before);
    void BlankRange(size_t start, size_t end);
    void BlankSelection();
    void Collapse(size_t position);
    void SkipLiteralsForward();
    void SkipLiteralsBackward();
    void MoveTo(size_t position, bool extend);
    bool PasteSections(std::string_view text);
    bool PasteCharacters(std::string_view text);

    EditMask m_mask;
    std::string m_text;
    MaskSelection m_selection;
    Snapshot m_undo;
    bool m_canUndo = false;
};
