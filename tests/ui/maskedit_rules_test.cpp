// The address mask's rules without a window: the layout of a text put in, reading it back,
// and what typing, deleting, moving, selecting and pasting do.
#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <random>
#include <string>

#include "adapters/addresstext.h"
#include "core/error.h"
#include "ui/editmask.h"

namespace {
constexpr char kAddressMask[] = "999.999.999.999;1; ";
constexpr char kEmpty[] = "   .   .   .   ";

MaskedText Field(const std::string& text = "", size_t anchor = 0, size_t caret = 0)
{
    MaskedText field{EditMask(kAddressMask)};
    field.SetText(text);
    field.Select(anchor, caret);
    return field;
}

void TypeAll(MaskedText& field, const std::string& keys)
{
    for (char key : keys)
        field.Type(key);
}

struct EditCase {
    const char* name;
    const char* before;
    size_t anchor, caret;
    std::function<void(MaskedText&)> action;
    const char* after;
    size_t afterAnchor, afterCaret;
};

void PrintTo(const EditCase& c, std::ostream* out) { *out << c.name; }

std::string CaseName(const testing::TestParamInfo<EditCase>& info)
{
    std::string name;
    for (const char* c = info.param.name; *c != '\0'; ++c) {
        name += (std::isalnum(static_cast<unsigned char>(*c)) != 0) ? *c : '_';
    }
    return name;
}

class MaskEditing : public testing::TestWithParam<EditCase> {};
}  // namespace

TEST(EditMask, ReadsTheAddressMask)
{
    const EditMask mask(kAddressMask);
    EXPECT_EQ(mask.Length(), 15u);
    EXPECT_EQ(mask.Blank(), ' ');
    EXPECT_EQ(mask.EmptyText(), kEmpty);
    for (size_t position = 0; position < mask.Length(); ++position) {
        EXPECT_EQ(mask.IsLiteral(position), position == 3 || position == 7 || position == 11) << position;
    }
    EXPECT_EQ(EditMask("99-99").EmptyText(), "__-__");  // the blank defaults to '_'
    EXPECT_THROW(EditMask("999.999;0; "), AppError);    // literals not kept
    EXPECT_THROW(EditMask("...;1; "), AppError);        // no digit place
}

TEST(EditMask, LaysOutATextGroupByGroup)
{
    const EditMask mask(kAddressMask);
    const struct {
        const char* text;
        const char* laidOut;
    } cases[] = {
        {"192.168.1.10", "192.168.1  .10 "},
        {"", kEmpty},
        {"1.2", "1  .2  .   .   "},                 // fewer points: the rest stays blank
        {"1234.56789", "123.567.   .   "},          // each group cut to three
        {"10.1.1.5 10.1.1.6 ", "10 .1  .1  .5 1"},  // group 4 keeps its first three characters
        {"1.2.3.4.5", "1  .2  .3  .4.5"},           // the fourth group is the rest of the text
        {"ab.c", "ab .c  .   .   "},                // characters are not checked
        {kEmpty, kEmpty},
        {"192.   .1  .10 ", "192.   .1  .10 "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(mask.Layout(c.text), c.laidOut) << c.text;
}

TEST(EditMask, AnAddressPutInReadsBackUnchanged)
{
    const EditMask mask(kAddressMask);
    for (const char* address : {"192.168.1.10", "10.0.0.1", "255.255.255.0", "1.2.3.4", ""}) {
        EXPECT_EQ(NormaliseAddressText(mask.Layout(address)), address);
    }
    EXPECT_EQ(NormaliseAddressText("192.   .1  .10 "), "192..1.10");  // a blank group stays a group
}

TEST_P(MaskEditing, ChangesTextAndCaret)
{
    const EditCase& c = GetParam();
    MaskedText field = Field(c.before, c.anchor, c.caret);
    c.action(field);
    EXPECT_EQ(field.Text(), c.after);
    EXPECT_EQ(field.Selection().anchor, c.afterAnchor);
    EXPECT_EQ(field.Selection().caret, c.afterCaret);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Typing, MaskEditing, testing::Values(
    EditCase{"digits skip the points", "", 0, 0, [](MaskedText& f) { TypeAll(f, "192168110"); },
             "192.168.110.   ", 12, 12},
    EditCase{"a point ends its group", "", 0, 0, [](MaskedText& f) { TypeAll(f, "192.168.1.10"); },
             "192.168.1  .10 ", 14, 14},
    EditCase{"a point blanks the rest of the group", "192.168.100.10", 9, 9, [](MaskedText& f) { f.Type('.'); },
             "192.168.1  .10 ", 12, 12},
    EditCase{"a point at a group's start changes nothing", "192.168.1.10", 4, 4, [](MaskedText& f) { f.Type('.'); },
             "192.168.1  .10 ", 4, 4},
    EditCase{"a point in the last group is refused", "192.168.1.10", 13, 13,
             [](MaskedText& f) { EXPECT_FALSE(f.Type('.')); }, "192.168.1  .10 ", 13, 13},
    EditCase{"letters are refused", "192.168.1.10", 1, 1,
             [](MaskedText& f) { EXPECT_FALSE(f.Type('a')); EXPECT_FALSE(f.Type('-')); }, "192.168.1  .10 ", 1, 1},
    EditCase{"typing overwrites", "192.168.1.10", 4, 4, [](MaskedText& f) { f.Type('2'); },
             "192.268.1  .10 ", 5, 5},
    EditCase{"a typed space blanks its place", "192.168.1.10", 0, 0, [](MaskedText& f) { f.Type(' '); },
             " 92.168.1  .10 ", 1, 1},
    EditCase{"typing replaces the selection", "192.168.1.10", 0, 15, [](MaskedText& f) { f.Type('8'); },
             "8  .   .   .   ", 1, 1},
    EditCase{"nothing is typed past the end", "192.168.1.100", 15, 15,
             [](MaskedText& f) { EXPECT_FALSE(f.Type('1')); }, "192.168.1  .100", 15, 15},
    EditCase{"a caret on a point types after it", "", 3, 3, [](MaskedText& f) { f.Type('7'); },
             "   .7  .   .   ", 5, 5}), CaseName);

INSTANTIATE_TEST_SUITE_P(Deleting, MaskEditing, testing::Values(
    EditCase{"backspace over a point blanks the digit before it", "192.168.1.10", 4, 4,
             [](MaskedText& f) { f.Backspace(); }, "19 .168.1  .10 ", 2, 2},
    EditCase{"backspace at the start changes nothing", "192.168.1.10", 0, 0,
             [](MaskedText& f) { f.Backspace(); }, "192.168.1  .10 ", 0, 0},
    EditCase{"backspace blanks a selection but keeps its points", "192.168.1.10", 2, 5,
             [](MaskedText& f) { f.Backspace(); }, "19 . 68.1  .10 ", 2, 2},
    EditCase{"delete blanks the digit after the caret", "192.168.1.10", 4, 4,
             [](MaskedText& f) { f.Delete(); }, "192. 68.1  .10 ", 4, 4},
    EditCase{"delete on a point blanks the digit after it", "192.168.1.10", 3, 3,
             [](MaskedText& f) { f.Delete(); }, "192. 68.1  .10 ", 4, 4},
    EditCase{"delete at the end changes nothing", "192.168.1.10", 15, 15,
             [](MaskedText& f) { f.Delete(); }, "192.168.1  .10 ", 15, 15},
    EditCase{"delete of everything leaves the empty field", "192.168.1.10", 15, 0,
             [](MaskedText& f) { f.Delete(); }, kEmpty, 0, 0}), CaseName);

INSTANTIATE_TEST_SUITE_P(Moving, MaskEditing, testing::Values(
    EditCase{"right skips a point", "", 2, 2, [](MaskedText& f) { f.MoveRight(false); }, kEmpty, 4, 4},
    EditCase{"left skips a point", "", 4, 4, [](MaskedText& f) { f.MoveLeft(false); }, kEmpty, 2, 2},
    EditCase{"right stops at the end", "", 15, 15, [](MaskedText& f) { f.MoveRight(false); }, kEmpty, 15, 15},
    EditCase{"left stops at the start", "", 0, 0, [](MaskedText& f) { f.MoveLeft(false); }, kEmpty, 0, 0},
    EditCase{"shift+right selects up to the point", "", 2, 2, [](MaskedText& f) { f.MoveRight(true); },
             kEmpty, 2, 3},
    EditCase{"shift+left keeps the anchor", "", 6, 6,
             [](MaskedText& f) { f.MoveLeft(true); f.MoveLeft(true); f.MoveLeft(true); }, kEmpty, 6, 3},
    EditCase{"right ends a selection at its end", "", 2, 5, [](MaskedText& f) { f.MoveRight(false); },
             kEmpty, 5, 5},
    EditCase{"left ends a selection at its start", "", 5, 2, [](MaskedText& f) { f.MoveLeft(false); },
             kEmpty, 2, 2},
    EditCase{"ctrl+right goes to the next group", "", 1, 1, [](MaskedText& f) { f.SectionRight(false); },
             kEmpty, 4, 4},
    EditCase{"ctrl+right in the last group goes to the end", "", 12, 12,
             [](MaskedText& f) { f.SectionRight(false); }, kEmpty, 15, 15},
    EditCase{"ctrl+left goes to the group's start", "", 6, 6, [](MaskedText& f) { f.SectionLeft(false); },
             kEmpty, 4, 4},
    EditCase{"ctrl+left at a group's start goes to the one before", "", 4, 4,
             [](MaskedText& f) { f.SectionLeft(false); }, kEmpty, 0, 0},
    EditCase{"shift+end selects to the end", "", 4, 4, [](MaskedText& f) { f.End(true); }, kEmpty, 4, 15},
    EditCase{"home", "", 9, 9, [](MaskedText& f) { f.Home(false); }, kEmpty, 0, 0},
    EditCase{"a click before a point leaves the caret after it", "", 0, 0,
             [](MaskedText& f) { f.PlaceCaret(7); }, kEmpty, 8, 8},
    EditCase{"a double click selects the group", "192.168.1.10", 0, 0,
             [](MaskedText& f) { f.SelectSectionAt(5); }, "192.168.1  .10 ", 4, 7},
    EditCase{"a double click on a point selects the group before it", "192.168.1.10", 0, 0,
             [](MaskedText& f) { f.SelectSectionAt(7); }, "192.168.1  .10 ", 4, 7}), CaseName);

INSTANTIATE_TEST_SUITE_P(Pasting, MaskEditing, testing::Values(
    EditCase{"an address over everything lands in its groups", "10.0.0.1", 0, 15,
             [](MaskedText& f) { EXPECT_TRUE(f.Paste("192.168.1.10")); }, "192.168.1  .10 ", 14, 14},
    EditCase{"white space around it is dropped", "", 0, 0,
             [](MaskedText& f) { EXPECT_TRUE(f.Paste(" 192.168.1.10\r\n")); }, "192.168.1  .10 ", 14, 14},
    EditCase{"a copied field's text with its blanks", "", 0, 0,
             [](MaskedText& f) { EXPECT_TRUE(f.Paste("192.168.  1.10 ")); }, "192.168.1  .10 ", 14, 14},
    EditCase{"part of an address starts at the caret's group", "192.168.100.100", 8, 8,
             [](MaskedText& f) { EXPECT_TRUE(f.Paste("1.10")); }, "192.168.1  .10 ", 14, 14},
    EditCase{"digits alone are typed at the caret", "", 2, 2,
             [](MaskedText& f) { EXPECT_TRUE(f.Paste("12")); }, "  1.2  .   .   ", 5, 5},
    EditCase{"letters are refused", "192.168.1.10", 0, 15,
             [](MaskedText& f) { EXPECT_FALSE(f.Paste("router")); }, "192.168.1  .10 ", 0, 15},
    EditCase{"a group too long is refused", "", 0, 0,
             [](MaskedText& f) { EXPECT_FALSE(f.Paste("1921.168.1.10")); }, kEmpty, 0, 0},
    EditCase{"more groups than are left are refused", "", 4, 4,
             [](MaskedText& f) { EXPECT_FALSE(f.Paste("192.168.1.10")); }, kEmpty, 4, 4},
    EditCase{"digits past the end are refused", "", 13, 13,
             [](MaskedText& f) { EXPECT_FALSE(f.Paste("123")); }, kEmpty, 13, 13},
    EditCase{"an empty paste changes nothing", "192.168.1.10", 0, 15,
             [](MaskedText& f) { EXPECT_FALSE(f.Paste(" \r\n")); }, "192.168.1  .10 ", 0, 15}), CaseName);
// clang-format on

TEST(MaskedText, UndoTakesBackTheLastChangeAndRedoesIt)
{
    MaskedText field = Field("192.168.1.10", 4, 4);
    EXPECT_FALSE(field.CanUndo());
    field.MoveRight(false);  // a movement alone is nothing to undo
    EXPECT_FALSE(field.CanUndo());
    field.Type('9');
    ASSERT_TRUE(field.CanUndo());
    field.Undo();
    EXPECT_EQ(field.Text(), "192.168.1  .10 ");
    EXPECT_EQ(field.Selection(), (MaskSelection{5, 5}));
    field.Undo();
    EXPECT_EQ(field.Text(), "192.198.1  .10 ");
    field.SetText("1.2.3.4");
    EXPECT_FALSE(field.CanUndo());
}

TEST(MaskedText, AnySeriesOfEditsKeepsTheFormat)
{
    // Random keys, movements, selections and pastes from a fixed seed: the text keeps its
    // length and points, digit places hold digits or blanks, the selection stays inside.
    std::mt19937 random(7);
    const std::string keys = "0123456789 .a-,\x01";
    const char* pastes[] = {"192.168.1.10", "1.2", "12", "x", "", "1..2", " 10.0.0.1 ", "9999"};
    for (int round = 0; round < 300; ++round) {
        MaskedText field = Field();
        for (int step = 0; step < 40; ++step) {
            const bool extend = random() % 2 == 0;
            switch (random() % 12) {
            case 0: field.Type(keys[random() % keys.size()]); break;
            case 1: field.Backspace(); break;
            case 2: field.Delete(); break;
            case 3: field.MoveLeft(extend); break;
            case 4: field.MoveRight(extend); break;
            case 5: field.SectionLeft(extend); break;
            case 6: field.SectionRight(extend); break;
            case 7: extend ? field.Home(true) : field.End(true); break;
            case 8: field.Select(random() % 20, random() % 20); break;
            case 9: field.Paste(pastes[random() % std::size(pastes)]); break;
            case 10: field.Undo(); break;
            default: field.PlaceCaret(random() % 20); break;
            }
            const std::string& text = field.Text();
            ASSERT_EQ(text.size(), 15u);
            for (size_t i = 0; i < text.size(); ++i) {
                if (i == 3 || i == 7 || i == 11) {
                    ASSERT_EQ(text[i], '.') << text;
                } else {
                    ASSERT_TRUE(text[i] == ' ' || (text[i] >= '0' && text[i] <= '9')) << text;
                }
            }
            ASSERT_LE(field.Selection().anchor, 15u);
            ASSERT_LE(field.Selection().caret, 15u);
        }
    }
}
