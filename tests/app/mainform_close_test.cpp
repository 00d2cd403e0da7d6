// Closing, hiding and ending the main window: every close request saves, a visible window
// hides instead of closing unless "Exit" was chosen, and a failed save changes nothing.
#include "app/mainwindow.h"

#include <functional>
#include <string>

namespace {
// One way of closing, from the window shown or hidden, and what it leaves.
struct CloseCase {
    const char* name;
    bool shown;
    std::function<void(MainWindowTest&)> close;
    bool written, ended;  // a window that goes on running is hidden after each
};

class CloseTest : public MainWindowTest, public testing::WithParamInterface<CloseCase> {
public:
    void PressEscOnOk()
    {
        form->Button3->SetFocus();
        MSG key{};
        key.hwnd = form->Button3->Handle();
        key.message = WM_KEYDOWN;
        key.wParam = VK_ESCAPE;
        key.lParam = 0x00010001;
        EXPECT_TRUE(TApplication::PreTranslate(key));
    }
};

const CloseCase kCloses[] = {
    {"NoRequestStaysHiddenAndRuns", false, [](MainWindowTest&) {}, false, false},
    {"ExitWhileVisible", true, [](MainWindowTest& t) { t.Choose(t.form->Exit1); }, true, true},
    {"ExitWhileHidden", false, [](MainWindowTest& t) { t.Choose(t.form->Exit1); }, true, true},
    {"CloseButtonWhileVisibleHides", true, [](MainWindowTest& t) { t.CloseButton(); }, true, false},
    {"CloseRequestWhileHidden", false, [](MainWindowTest& t) { SendMessageA(t.form->Handle(), WM_CLOSE, 0, 0); }, true,
     true},
    {"OkHides", true, [](MainWindowTest& t) { t.Click(*t.form->Button3); }, true, false},
    {"CancelHidesWithoutSaving", true, [](MainWindowTest& t) { t.Click(*t.form->Button2); }, false, false},
    {"EscPressesCancel", true, [](MainWindowTest& t) { static_cast<CloseTest&>(t).PressEscOnOk(); }, false, false},
    {"LogOffWhileVisibleHidesAndRefuses", true, [](MainWindowTest& t) { EXPECT_EQ(t.QueryEndSession(), FALSE); }, true,
     false},
    {"LogOffWhileHiddenAgrees", false, [](MainWindowTest& t) { EXPECT_EQ(t.QueryEndSession(), TRUE); }, true, false},
};
}  // namespace

TEST_P(CloseTest, SavesHidesOrEndsAsTheRequestSays)
{
    const CloseCase& c = GetParam();
    Create();
    if (c.shown) Choose(form->Configuration1);
    c.close(*this);
    EXPECT_EQ(StoreWritten(), c.written);
    EXPECT_EQ(application.Terminated(), c.ended);
    if (!c.ended) {
        EXPECT_FALSE(IsWindowVisible(form->Handle()));
    }
    EXPECT_EQ(form->ExitRequested, std::string(c.name).rfind("Exit", 0) == 0);
    EXPECT_TRUE(boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Ways, CloseTest, testing::ValuesIn(kCloses),
                         [](const testing::TestParamInfo<CloseCase>& info) { return std::string(info.param.name); });

// A save that fails ends the request before anything else happens.
TEST_F(MainWindowTest, FailedSaveOnCloseKeepsTheWindowAsItWas)
{
    Create();
    Choose(form->Configuration1);
    BlockStore();
    CloseButton();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Velmora");
    EXPECT_EQ(boxes[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    EXPECT_FALSE(boxes[0].text.empty());
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_FALSE(application.Terminated());

    Click(*form->Button3);  // Ok fails the same way
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
}

TEST_F(MainWindowTest, FailedSaveOnExitKeepsRunningUntilTheNextGoodClose)
{
    Create();
    BlockStore();
    Choose(form->Exit1);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_FALSE(application.Terminated());
    EXPECT_TRUE(IsWindow(form->Handle()));

    UnblockStore();
    Choose(form->Configuration1);
    CloseButton();  // visible, but Exit was asked for: the close goes through now
    EXPECT_TRUE(StoreWritten());
    EXPECT_TRUE(application.Terminated());
}

TEST_F(MainWindowTest, LogOffWithAFailingSaveIsRefused)
{
    Create();
    BlockStore();
    EXPECT_EQ(QueryEndSession(), FALSE);
    EXPECT_EQ(boxes.size(), 1u);
}
