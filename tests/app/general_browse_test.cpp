// "Browse...": the system's file-open dialog, driven as a user would from a timer while it
// runs: the path field follows each selection, keeps the last one when the dialog is
// cancelled, and takes a name typed into the dialog when it is confirmed.
#include "app/mainwindow.h"

#include <commctrl.h>
#include <dlgs.h>

#include <functional>
#include <vector>

#include "profiles/iprofile.h"
#include "support/findwindows.h"
#include "support/tempfolder.h"
#include "support/timedsteps.h"

namespace {
// The position of the file list's entry whose text starts with `name`, or -1.
int FindFileEntry(HWND list, const std::string& name)
{
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[MAX_PATH] = {};
        LVITEMA item{};
        item.iSubItem = 0;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        if (std::string(text).rfind(name, 0) == 0) return i;
    }
    return -1;
}

// A click on one file of the list: the old selection goes, the file is selected and focused.
void SelectEntry(HWND list, int index)
{
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = 0;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

class BrowseTest : public MainWindowTest {
protected:
    BrowseTest()
    {
        for (const char* name : {"alpha.ini", "beta.ini", "gamma.ini"})
            WriteFileBytes(folder.File(name), "[0]\r\nip=10.0.0.1\r\n");
    }

    // Presses "Browse..." and runs `steps` one per timer tick while the dialog is open; each
    // step gets the dialog. Returns when the dialog has closed.
    void Browse(std::vector<std::function<void(HWND)>> steps)
    {
        std::vector<Step> ticks;
        for (auto& step : steps)
            ticks.push_back([step] { step(FindThreadDialog()); });
        // Steps left over (or none given): leave as the user would.
        TimedSteps driver(
            std::move(ticks), 20, [] { return FindThreadDialog() != nullptr; },
            [] { PostMessageA(FindThreadDialog(), WM_COMMAND, IDCANCEL, 0); });
        Click(*form->Button4);
        driver.Stop();
        EXPECT_TRUE(driver.AllRan()) << "the dialog closed before every step ran";
    }

    TempFolder folder;
};
}  // namespace

TEST_F(BrowseTest, PathFieldFollowsEverySelectionAndKeepsTheLastAfterCancel)
{
    Create();
    form->OpenDialog1->SetFileName(folder.File("alpha.ini"));
    std::vector<std::string> seen;
    auto select = [&](const std::string& name) {
        return [&, name](HWND dialog) {
            HWND list = FindChildOfClass(dialog, "SysListView32");
            ASSERT_NE(list, nullptr);
            const int entry = FindFileEntry(list, name);
            ASSERT_GE(entry, 0) << name;
            SelectEntry(list, entry);
            seen.push_back(form->Edit1->Text());
        };
    };
    Browse({select("gamma"), select("beta"), [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); }});

    EXPECT_EQ(seen, (std::vector<std::string>{folder.File("gamma.ini"), folder.File("beta.ini")}));
    EXPECT_EQ(form->Edit1->Text(), folder.File("beta.ini"));
    EXPECT_EQ(ProfileIniPath, folder.File("beta.ini"));
    EXPECT_TRUE(boxes.empty());
}

// A name typed without extension finds the INI file of that name, with "All files" chosen
// too: then the dialog's default extension supplies it.
TEST_F(BrowseTest, TypedNameIsTakenWithTheIniExtensionWhenConfirmed)
{
    Create();
    form->OpenDialog1->SetFileName(folder.File("alpha.ini"));
    Browse({[](HWND dialog) {
        HWND types = GetDlgItem(dialog, cmb1);
        ASSERT_NE(types, nullptr);
        ASSERT_EQ(SendMessageA(types, CB_GETCOUNT, 0, 0), 2);  // "INI files", "All files"
        SendMessageA(types, CB_SETCURSEL, 1, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK), reinterpret_cast<LPARAM>(types));
        // The file name field: an edit field in some dialog templates, a combo box in others.
        HWND name = GetDlgItem(dialog, cmb13);
        if (name == nullptr) name = GetDlgItem(dialog, edt1);
        ASSERT_NE(name, nullptr);
        SetWindowTextA(name, "gamma");
        SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    }});
    EXPECT_EQ(form->Edit1->Text(), folder.File("gamma.ini"));
    EXPECT_EQ(ProfileIniPath, folder.File("gamma.ini"));
    EXPECT_EQ(form->OpenDialog1->FileName(), folder.File("gamma.ini"));
}
