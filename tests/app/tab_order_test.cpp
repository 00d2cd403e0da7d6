// The keyboard order follows the layout: Tab runs through the stops of each tab of the main
// window, of the profile editor and of the welcome dialog from top to bottom, and left to right
// within a row.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "app/mainwindow.h"
#include "profiles/iprofile.h"
#include "profiles/profedit.h"
#include "profiles/starttip.h"
#include "support/editordriver.h"
#include "support/timedsteps.h"
#include "support/welcomedriver.h"

namespace {
// Controls whose tops are this close stand on one row.
constexpr LONG kRowSlack = 8;

// The stops Tab visits from the window's first, once round.
std::vector<HWND> TabStops(HWND window)
{
    std::vector<HWND> stops;
    const HWND first = GetNextDlgTabItem(window, nullptr, FALSE);
    for (HWND stop = first; stop != nullptr && stops.size() < 64;) {
        stops.push_back(stop);
        stop = GetNextDlgTabItem(window, stop, FALSE);
        if (stop == first) break;
    }
    return stops;
}

std::string Describe(HWND control)
{
    char text[64]{}, className[32]{};
    GetWindowTextA(control, text, sizeof text);
    GetClassNameA(control, className, sizeof className);
    return std::string(className) + " \"" + text + "\"";
}

// Each stop after the one before in reading order.
void ExpectReadingOrder(const std::vector<HWND>& stops)
{
    for (size_t i = 1; i < stops.size(); ++i) {
        RECT before{}, after{};
        GetWindowRect(stops[i - 1], &before);
        GetWindowRect(stops[i], &after);
        const bool sameRow = std::abs(after.top - before.top) <= kRowSlack;
        const bool follows = sameRow ? after.left > before.left : after.top > before.top;
        EXPECT_TRUE(follows) << Describe(stops[i]) << " comes after " << Describe(stops[i - 1]);
    }
}

using TabOrderTest = MainWindowTest;
}  // namespace

TEST_F(TabOrderTest, FollowsTheLayoutOnEachTabOfTheMainWindow)
{
    StartOnProfilesTab("[0]\r\nip=10.0.0.1\r\nname=A\r\n");
    for (int tab : {TForm1::kNetworkConfigurationTab, TForm1::kGeneralTab, TForm1::kProfilesTab, TForm1::kAboutTab}) {
        SCOPED_TRACE(tab);
        SelectTab(tab);
        const std::vector<HWND> stops = TabStops(form->Handle());
        EXPECT_GE(stops.size(), 3u) << "the bottom row at least";
        EXPECT_EQ(stops.back(), form->Button1->Handle()) << "Apply Changes ends the round";
        ExpectReadingOrder(stops);
    }
}

TEST_F(TabOrderTest, FollowsTheLayoutInTheWelcomeDialog)
{
    WelcomeDriver welcome{application};
    std::vector<HWND> stops, expected;
    std::optional<TimedSteps> steps;
    welcome.answer = [&](TForm4& dialog) {
        expected = {dialog.CheckBox1->Handle(), dialog.Button1->Handle(), dialog.Button2->Handle()};
        steps.emplace(std::vector<Step>{[&] { stops = TabStops(dialog.Handle()); },
                                        [&] { PostMessageA(dialog.Button1->Handle(), BM_CLICK, 0, 0); }});
    };
    Create();
    EXPECT_EQ(stops, expected);
    ExpectReadingOrder(stops);
}

TEST_F(TabOrderTest, FollowsTheLayoutInTheEditor)
{
    Create();
    EditorDriver driver{Form2};
    TForm2& editor = driver.Editor();
    TListItems list;
    Tprofile& profile = AppendNewProfile(list);
    profile.ip = "10.0.0.5";  // a static profile: every field is a stop
    std::vector<HWND> stops;
    driver.Open(&profile, {[&] { stops = TabStops(editor.Handle()); }, driver.Cancel()});
    // The stops one by one are the editor's own test's; here they follow the layout.
    EXPECT_EQ(stops.size(), 17u);
    ExpectReadingOrder(stops);
}

namespace {
struct PageKey {
    const char* name;
    int fromTab;
    WORD key;
    bool shift;
    int toTab;
};

const PageKey kPageKeys[] = {
    {"CtrlTabGoesToTheNextTab", TForm1::kGeneralTab, VK_TAB, false, TForm1::kProfilesTab},
    {"CtrlShiftTabGoesBack", TForm1::kGeneralTab, VK_TAB, true, TForm1::kNetworkConfigurationTab},
    {"CtrlPageDownGoesRoundTheEnd", TForm1::kAboutTab, VK_NEXT, false, TForm1::kNetworkConfigurationTab},
    {"CtrlPageUpGoesBack", TForm1::kProfilesTab, VK_PRIOR, false, TForm1::kGeneralTab},
};

class PageKeyTest : public MainWindowTest, public testing::WithParamInterface<PageKey> {};
void PrintTo(const PageKey& c, std::ostream* out) { *out << c.name; }
}  // namespace

// The tab strip holds the pages, so Tab never stops on it: the tabs are chosen with Ctrl, from
// a field of a page or from the bottom row alike, and the focus follows onto the new page.
TEST_P(PageKeyTest, SelectsTheTabAndTakesTheFocusThere)
{
    const PageKey& c = GetParam();
    StartOnProfilesTab("[0]\r\nip=10.0.0.1\r\nname=A\r\n");
    for (HWND start : {HWND{}, form->Button2->Handle()}) {
        SelectTab(c.fromTab);
        if (start == nullptr) start = GetNextDlgTabItem(form->Handle(), nullptr, FALSE);  // on the page when it has one
        SetFocus(start);
        HoldModifiers(c.shift ? std::initializer_list<int>{VK_CONTROL, VK_SHIFT}
                              : std::initializer_list<int>{VK_CONTROL});
        PressInFocus(c.key);
        ReleaseModifiers();
        EXPECT_EQ(SelectedTab(), c.toTab);
        const HWND focus = GetFocus();
        EXPECT_TRUE(focus != nullptr && IsWindowVisible(focus)) << "the focus is on a shown control";
        EXPECT_TRUE(IsChild(form->Handle(), focus));
    }
}

INSTANTIATE_TEST_SUITE_P(MainWindow, PageKeyTest, testing::ValuesIn(kPageKeys),
                         [](const testing::TestParamInfo<PageKey>& info) { return std::string(info.param.name); });
