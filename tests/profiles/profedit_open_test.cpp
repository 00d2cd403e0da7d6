// TForm1::OpenProfileEditor on the real main window and the simulated network: where the
// dialog opens, which profile and adapter it gets, its answer, and a second opening while
// it is up.
#include <windows.h>
#include <commctrl.h>

#include "adapters/wmiworks.h"
#include "app/mainformunit.h"
#include "core/dispatch.h"
#include "profiles/iprofile.h"
#include "simnet/simnetwork.h"
#include "support/boxes.h"
#include "support/editordriver.h"
#include "support/mainwindowdriver.h"
#include "support/notifyrecorder.h"
#include "support/openmenu.h"
#include "support/profiledata.h"
#include "support/simcalls.h"
#include "tray/trayicon.h"
#include "ui/imagelist.h"
#include "ui/monitordpi.h"
#include "core/privatemessages.h"

namespace {
class OpenEditorTest : public testing::Test {
protected:
    OpenEditorTest()
    {
        // Two stored profiles, so the start is not a first start.
        WriteFileBytes(ProgramFolder() + "profiles.ini", kTwoProfileStore);
        network.AddAdapter(TestAdapter(3));
        network.AddAdapter(TestAdapter(7));
        form = window.form = &window.application.CreateForm<TForm1>([this] { return network.Services(); });
        window.Settle();
        editor = form->Profiles->ProfileEditor.get();
        driver = std::make_unique<EditorDriver>(*editor);
    }

    Tprofile& Profile(int position) { return ProfileAt(*ProfileList, position); }
    static void MovePointer(int x, int y) { ASSERT_TRUE(::MovePointer({x, y})) << x << ", " << y; }
    // The screen point in the middle of a Profiles list item.
    POINT ItemCentre(int index) const
    {
        POINT centre = window.ItemCentre(index);
        ClientToScreen(window.List(), &centre);
        return centre;
    }
    RECT EditorPlace() const
    {
        RECT place;
        GetWindowRect(editor->Handle(), &place);
        return place;
    }
    Step Press(const std::unique_ptr<TButton>& button) { return driver->Press(button->Handle()); }

    FileRestorer store{ProgramFolder() + "profiles.ini"};
    StoreNamesRestorer names;
    SimNetwork network;
    RecordingNotifyArea area;
    MessageBoxRecorder boxes;
    MainWindowDriver window;
    TForm1* form = nullptr;
    TForm2* editor = nullptr;
    std::unique_ptr<EditorDriver> driver;
};
}  // namespace

TEST_F(OpenEditorTest, OpensBesideThePointerAndTowardsTheInsideAtTheRightAndBottomEdges)
{
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    const RECT outer = EditorPlace();
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    const struct {
        const char* where;
        POINT pointer;
        POINT place;
    } cases[] = {
        {"inside", {100, 120}, {100, 120}},
        {"one short of the right edge", {desktop.right - width - 1, 120}, {desktop.right - width - 1, 120}},
        {"at the right edge", {desktop.right - width, 120}, {desktop.right - 2 * width, 120}},
        {"at the bottom edge", {100, desktop.bottom - height}, {100, desktop.bottom - 2 * height}},
        {"in the corner",
         {desktop.right - 1, desktop.bottom - 1},
         {desktop.right - 1 - width, desktop.bottom - 1 - height}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        MovePointer(c.pointer.x, c.pointer.y);
        RECT shownAt{};
        driver->Script({[&] { shownAt = EditorPlace(); }, Press(editor->Button2)});
        EXPECT_FALSE(form->Profiles->OpenProfileEditor(&Profile(0)));
        EXPECT_EQ(shownAt.left, c.place.x);
        EXPECT_EQ(shownAt.top, c.place.y);
        EXPECT_EQ(shownAt.right - shownAt.left, width);
    }
}

// On a monitor of another scale the editor opens at that monitor's scale, beside the pointer.
TEST_F(OpenEditorTest, OpensAtTheScaleOfThePointersMonitor)
{
    const int designWidth = EditorPlace().right - EditorPlace().left;
    for (const UINT dpi : {144u, 192u, 96u}) {
        SCOPED_TRACE(dpi);
        const MonitorDpiSource previous = SetMonitorDpiSource([dpi](HMONITOR) { return dpi; });
        ScopeExit restore([&] { SetMonitorDpiSource(previous); });
        MovePointer(10, 10);
        int shownDpi = 0;
        RECT ok{};
        driver->Script({[&] {
                            shownDpi = editor->Dpi();
                            GetWindowRect(editor->Button1->Handle(), &ok);
                        },
                        Press(editor->Button2)});
        form->Profiles->OpenProfileEditor(&Profile(0));
        EXPECT_EQ(shownDpi, static_cast<int>(dpi));
        // The Ok button, 75 x 25 in the design.
        EXPECT_EQ(ok.right - ok.left, MulDiv(75, static_cast<int>(dpi), 96));
        EXPECT_EQ(ok.bottom - ok.top, MulDiv(25, static_cast<int>(dpi), 96));
    }
    // Back on a monitor at 100%, the design's size.
    EXPECT_EQ(EditorPlace().right - EditorPlace().left, designWidth);
}

TEST_F(OpenEditorTest, WithoutAProfileTakesTheListItemUnderThePointer)
{
    form->Configuration1->Click();  // the window on its Profiles tab
    ASSERT_EQ(ProfileList->Count(), 2);
    // The tab shows its profiles as 64 x 64 icons: the place a person points at.
    TImageList icons({64, 64});
    SendMessageA(form->Profiles->ListView1->Handle(), LVM_SETIMAGELIST, LVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(icons.Handle()));
    SendMessageA(form->Profiles->ListView1->Handle(), LVM_ARRANGE, LVA_DEFAULT, 0);
    for (int index : {1, 0}) {
        const POINT centre = ItemCentre(index);
        MovePointer(centre.x, centre.y);
        std::string shownTitle;
        driver->Script({[&] { shownTitle = editor->proftitle->Text(); }, Press(editor->Button2)});
        form->Profiles->OpenProfileEditor(nullptr);
        EXPECT_EQ(editor->EditedProfile, &Profile(index));
        EXPECT_EQ(shownTitle, Profile(index).name);
    }
    EXPECT_EQ(driver->Runs(), 2);

    // Nothing under the pointer (an "Edit..." whose number no profile has): nothing opens.
    MovePointer(2, 2);
    EXPECT_FALSE(form->Profiles->OpenProfileEditor(FindProfile(99)));
    EXPECT_EQ(driver->Runs(), 2);
    EXPECT_EQ(editor->EditedProfile, &Profile(0));  // the last opening's
}

TEST_F(OpenEditorTest, GivesTheEditorTheChosenAdapterOrZero)
{
    auto openedIndex = [&]() -> int32_t {
        int32_t index = -2;
        driver->Script({[&] {
                            index = editor->EditorAdapter.HoldsObject()
                                        ? VariantInt(GetMember(editor->EditorAdapter, L"Index").get())
                                        : -1;
                            if (!editor->EditorAdapter.HoldsObject()) {
                                EXPECT_EQ(VariantInt(editor->EditorAdapter.get()), 0);
                            }
                        },
                        Press(editor->Button2)});
        form->Profiles->OpenProfileEditor(&Profile(0));
        return index;
    };
    form->SelectedAdapterIndex = 7;
    EXPECT_EQ(openedIndex(), 7);
    form->SelectedAdapterIndex = 42;  // no such configuration
    EXPECT_EQ(openedIndex(), -1);
    // No adapter query has given a collection (the connection failed): the editor still opens.
    form->AdapterCollection = Variant();
    form->SelectedAdapterIndex = 3;
    EXPECT_EQ(openedIndex(), -1);
    EXPECT_EQ(driver->Runs(), 3);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(OpenEditorTest, ASecondOpeningWhileOpenIsRefusedAndChangesNothing)
{
    form->SelectedAdapterIndex = 3;
    MovePointer(100, 120);
    bool secondOpened = true;
    bool openedWithoutProfile = true;
    RECT before{};
    RECT after{};
    Tprofile* shown = nullptr;
    IDispatch* adapterBefore = nullptr;
    IDispatch* adapterAfter = nullptr;
    driver->Script({[&] {
                        before = EditorPlace();
                        adapterBefore = editor->EditorAdapter.get().pdispVal;
                        form->SelectedAdapterIndex = 7;
                        MovePointer(400, 300);
                        // A tray "Edit..." while the dialog is up.
                        secondOpened = form->Profiles->OpenProfileEditor(&Profile(1));
                        openedWithoutProfile = form->Profiles->OpenProfileEditor(nullptr);
                        after = EditorPlace();
                        shown = editor->EditedProfile;
                        adapterAfter = editor->EditorAdapter.get().pdispVal;
                    },
                    Press(editor->Button1)});
    EXPECT_TRUE(form->Profiles->OpenProfileEditor(&Profile(0)));
    EXPECT_FALSE(secondOpened);
    EXPECT_FALSE(openedWithoutProfile);
    EXPECT_EQ(shown, &Profile(0));
    EXPECT_EQ(adapterAfter, adapterBefore);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(driver->Runs(), 1);
}

TEST_F(OpenEditorTest, AnswersTrueOnlyForOkOnAProfileThatStillExists)
{
    MovePointer(100, 120);
    Tprofile& office = Profile(0);
    driver->Script({[&] { SetWindowTextA(editor->proftitle->Handle(), "Office 2"); }, Press(editor->Button1)});
    EXPECT_TRUE(form->Profiles->OpenProfileEditor(&office));
    EXPECT_EQ(office.name, "Office 2");
    EXPECT_EQ(office.Caption(), "Office 2");

    driver->Script({[&] { SetWindowTextA(editor->proftitle->Handle(), "Office 3"); }, Press(editor->Button2)});
    EXPECT_FALSE(form->Profiles->OpenProfileEditor(&office));
    EXPECT_EQ(office.name, "Office 2");

    // Deleted meanwhile (from the tray): its Ok writes nothing and the caller hears false.
    Tprofile& home = Profile(1);
    driver->Script({[&] {
                        SetWindowTextA(editor->proftitle->Handle(), "Away");
                        editor->ProfileRemoved(home);
                        ProfileList->Delete(1);
                    },
                    Press(editor->Button1)});
    EXPECT_FALSE(form->Profiles->OpenProfileEditor(&home));
    EXPECT_EQ(ProfileList->Count(), 1);
    EXPECT_EQ(editor->EditedProfile, nullptr);
}

TEST_F(OpenEditorTest, TheTrayMenuOpensWhileTheEditorIsUp)
{
    MovePointer(100, 120);
    bool menuShown = false;
    bool trayAnswered = false;
    std::unique_ptr<OpenMenuWatch> watch;
    driver->Script({[&] {
                        watch = std::make_unique<OpenMenuWatch>();
                        // A right press on the tray icon: the menu runs until the watch ends it.
                        SendMessageA(form->TrayIcon1->MessageWindow(), kTrayCallbackMessage, 1, WM_RBUTTONDOWN);
                        SendMessageA(form->TrayIcon1->MessageWindow(), kTrayCallbackMessage, 1, WM_RBUTTONUP);
                        trayAnswered = true;
                        menuShown = watch->Seen();
                    },
                    Press(editor->Button2)});
    form->Profiles->OpenProfileEditor(&Profile(0));
    EXPECT_TRUE(menuShown);
    EXPECT_TRUE(trayAnswered);
}
