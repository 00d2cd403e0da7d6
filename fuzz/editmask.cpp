// The address field's rules on any input: a text put in is laid out to the mask's length with
// its points in place, and any series of edits (typing, deleting, moving, selecting, pasting,
// undo) keeps the text that long, the points where they are and the caret inside it. (A text
// put in keeps whatever characters it brings, as a store edited by hand may hold letters.)
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "ui/editmask.h"

namespace {
void Check(bool condition)
{
    if (!condition) std::abort();
}

void CheckForm(const MaskedText& field)
{
    const EditMask& mask = field.Mask();
    const std::string& text = field.Text();
    Check(text.size() == mask.Length());
    for (size_t i = 0; i < text.size(); ++i) {
        if (mask.IsLiteral(i)) Check(text[i] == mask.EmptyText()[i]);
    }
    Check(field.Selection().Start() <= field.Selection().End());
    Check(field.Selection().End() <= text.size());
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    static const EditMask mask("999.999.999.999;1; ");
    const std::string_view input(reinterpret_cast<const char*>(bytes), size);
    Check(mask.Layout(input).size() == mask.Length());

    MaskedText field(mask);
    field.SetText(input.substr(0, input.size() / 2));
    CheckForm(field);
    // The rest of the input is a series of edits: one byte names the edit, the next its argument.
    for (size_t i = input.size() / 2; i + 1 < input.size(); i += 2) {
        const unsigned char op = static_cast<unsigned char>(input[i]);
        const char arg = input[i + 1];
        const size_t place = static_cast<unsigned char>(arg) % (mask.Length() + 3);
        switch (op % 14) {
        case 0: field.Type(arg); break;
        case 1: field.Backspace(); break;
        case 2: field.Delete(); break;
        case 3: field.Select(place, static_cast<unsigned char>(op) % (mask.Length() + 3)); break;
        case 4: field.PlaceCaret(place); break;
        case 5: field.SelectSectionAt(place); break;
        case 6: field.Paste(input.substr(i + 1, place % 20)); break;
        case 7: field.MoveLeft(arg & 1); break;
        case 8: field.MoveRight(arg & 1); break;
        case 9: field.SectionLeft(arg & 1); break;
        case 10: field.SectionRight(arg & 1); break;
        case 11: (arg & 1) ? field.Home(arg & 2) : field.End(arg & 2); break;
        case 12: field.ClearSelection(); break;
        default:
            if (field.CanUndo()) field.Undo();
            break;
        }
        CheckForm(field);
    }
    return 0;
}
