// The file-open dialog: its modal run passes the seam, and its selection-change event reports
// what is selected while the dialog is open.
#include "ui/toolkit.h"

#include <commdlg.h>
#include <dlgs.h>

#include "ui/modal.h"
#include "ui/opendialog.h"
#include "ui/timer.h"

namespace {
class ModalSeam {
public:
    explicit ModalSeam(ModalHandler handler) : m_previous(SetModalHandler(std::move(handler))) {}
    ~ModalSeam() { SetModalHandler(m_previous); }

private:
    ModalHandler m_previous;
};

// The open dialog of this thread, once it is up.
HWND FindOpenDialog()
{
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM result) {
            char name[16] = {};
            GetClassNameA(window, name, sizeof name);
            if (std::string(name) == "#32770" && IsWindowVisible(window)) {
                *reinterpret_cast<HWND*>(result) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}
}  // namespace

TEST_F(ToolkitTest, OpenDialogRunCanBeAnsweredWithoutShowing)
{
    TOpenDialog dialog({"OpenDialog1", "Profiles.ini", "INI files|*.ini|All files|*.*"});
    dialog.SetFileName("C:\\Tools\\profiles.ini");
    std::string asked;
    ModalSeam seam([&](const ModalRequest& request, const std::function<int()>&) {
        asked = request.name;
        return IDCANCEL;
    });
    EXPECT_FALSE(dialog.Execute(host.Handle()));
    EXPECT_EQ(asked, "OpenDialog1");
    EXPECT_EQ(dialog.FileName(), "C:\\Tools\\profiles.ini");
}

TEST_F(ToolkitTest, OpenDialogReportsSelectionChangesWhileOpen)
{
    TOpenDialog dialog({"OpenDialog1", "Profiles.ini", "INI files|*.ini|All files|*.*"});
    dialog.SetFileName("C:\\windows\\win.ini");
    std::vector<std::string> seen;
    dialog.onSelectionChange = [&] { seen.push_back(dialog.SelectedPath()); };

    TTimer driver;
    driver.onTimer = [&] {
        HWND open = FindOpenDialog();
        if (open == nullptr) return;  // not up yet: the next tick looks again
        driver.SetEnabled(false);
        // What the dialog tells its hook when the user moves to another file.
        HWND hook = nullptr;
        for (HWND child = GetWindow(open, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
            char name[16] = {};
            GetClassNameA(child, name, sizeof name);
            if (std::string(name) == "#32770") hook = child;
        }
        if (hook != nullptr) {
            OFNOTIFYA notify{};
            notify.hdr.hwndFrom = open;
            notify.hdr.code = CDN_SELCHANGE;
            SendMessageA(hook, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notify));
        }
        PostMessageA(open, WM_COMMAND, IDCANCEL, 0);
    };
    driver.SetInterval(10);
    driver.SetEnabled(true);

    EXPECT_FALSE(dialog.Execute(host.Handle()));
    // The dialog reports its first selection itself; the last report is ours.
    ASSERT_FALSE(seen.empty());
    EXPECT_NE(seen.back().find("win.ini"), std::string::npos) << seen.back();
    EXPECT_EQ(dialog.SelectedPath(), "");  // closed: nothing is selected any more
}
