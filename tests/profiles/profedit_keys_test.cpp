// Enter and Esc in the profile editor, pressed in the field that has the focus: Enter presses
// the default button "Ok", which writes what the dialog shows; Esc presses "Cancel".
#include <windows.h>

#include <functional>
#include <string>

#include "profiles/iprofile.h"
#include "support/boxes.h"
#include "support/editordriver.h"
#include "support/profiledata.h"
#include "editortest.h"

namespace {
struct EditorKey {
    const char* name;
    // The control that has the focus when the key comes.
    std::function<HWND(TForm2&)> focused;
    WORD key;
    int result;
};

const EditorKey kEditorKeys[] = {
    {"EnterInTheTitle", [](TForm2& e) { return e.proftitle->Handle(); }, VK_RETURN, mrOk},
    {"EnterInAnAddressField", [](TForm2& e) { return e.dns2->Handle(); }, VK_RETURN, mrOk},
    {"EnterOnTheModeButton", [](TForm2& e) { return e.RadioButton2->Handle(); }, VK_RETURN, mrOk},
    {"EscapeInTheTitle", [](TForm2& e) { return e.proftitle->Handle(); }, VK_ESCAPE, mrCancel},
    {"EscapeInAnAddressField", [](TForm2& e) { return e.gw->Handle(); }, VK_ESCAPE, mrCancel},
};

void PrintTo(const EditorKey& c, std::ostream* out) { *out << c.name; }

class EditorKeyTest : public EditorTest, public testing::WithParamInterface<EditorKey> {};
}  // namespace

TEST_P(EditorKeyTest, PressesTheDefaultOrCancelButton)
{
    const EditorKey& c = GetParam();
    Tprofile& profile = AppendCaptioned(list, {"192.168.1.10", "255.255.255.0", "", "", "", "Office", false});
    HWND focusedWhenPressed = nullptr;
    const int result = driver.Open(&profile, {driver.Title("Office 2"), [&] { SetFocus(c.focused(editor)); },
                                              [&] {
                                                  focusedWhenPressed = GetFocus();
                                                  PostKey(focusedWhenPressed, c.key);
                                                  PostKey(focusedWhenPressed, c.key, false);
                                              }});
    EXPECT_EQ(focusedWhenPressed, c.focused(editor));
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(profile.name, c.result == mrOk ? "Office 2" : "Office") << "Ok writes the profile, Cancel does not";
    EXPECT_EQ(GetDlgCtrlID(editor.Button1->Handle()), IDOK) << "Enter presses the button of IDOK";
    EXPECT_TRUE(boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(ProfileEditor, EditorKeyTest, testing::ValuesIn(kEditorKeys),
                         [](const testing::TestParamInfo<EditorKey>& info) { return std::string(info.param.name); });
