// The main window's creation: its steps, their order, and an error in one of them.
#include "app/mainwindow.h"

#include <commctrl.h>

#include <functional>
#include <string>

#include "core/check.h"
#include "core/dispatch.h"
#include "core/handles.h"
#include "core/error.h"
#include "profiles/iprofile.h"
#include "profiles/profedit.h"
#include "support/profiledata.h"
#include "support/registrykeys.h"
#include "simnet/simnetwork.h"
#include "support/tempfolder.h"

TEST_F(MainWindowTest, CreationConnectsRefreshesAndLoads)
{
    ProfileList = nullptr;
    Create();
    EXPECT_EQ(form->SelectedAdapterIndex, 0);  // set to -1, then the refresh found no adapter
    EXPECT_EQ(form->ActiveProfileIndex, -1);
    EXPECT_EQ(DispatchOf(form->WmiServices), DispatchOf(network.Services()));
    EXPECT_EQ(QueryCount(), 1u);
    EXPECT_EQ(ProfileList, &form->Profiles->ListView1->Items());
    ASSERT_NE(Form2, nullptr);
    EXPECT_EQ(GetWindow(Form2->Handle(), GW_OWNER), form->Handle());
    EXPECT_FALSE(IsWindowVisible(Form2->Handle()));
    EXPECT_EQ(Form1, form);
}

TEST_F(MainWindowTest, ProfilesAreLoadedFromTheStore)
{
    WriteFileBytes(StorePath(), "[0]\r\nip=10.0.0.5\r\nname=Office\r\n[1]\r\nip=10.0.0.6\r\nname=Home\r\n");
    form = &application.CreateForm<TForm1>([this] { return network.Services(); });
    Settle();
    EXPECT_EQ(form->Profiles->ListView1->Items().Count(), 2);

    // A start in the tray makes no window inside the main window; its first showing makes
    // them, and the list shows what was loaded.
    EXPECT_EQ(GetWindow(form->Handle(), GW_CHILD), nullptr);
    Choose(form->Configuration1);
    EXPECT_NE(GetWindow(form->Handle(), GW_CHILD), nullptr);
    EXPECT_EQ(SendMessageA(form->Profiles->ListView1->Handle(), LVM_GETITEMCOUNT, 0, 0), 2);
}

// A step of the creation that reaches the machine fails: the error is shown, and the store is
// loaded all the same, so that the close that follows writes back what the user had.
struct FailedStep {
    const char* name;
    const char* shown;  // the error box's text
    std::function<void(MainWindowTest&, SimNetwork&)> arrange;
    bool connects;
};

class FailedStepTest : public MainWindowTest, public testing::WithParamInterface<FailedStep> {
public:
    ~FailedStepTest() override
    {
        if (m_written) DeleteRaw(kRunKey, "V.M.R.");
    }
    // "V.M.R." of another type than a string, as another program could leave it.
    void PutNumberAsAutostartValue()
    {
        const DWORD number = 1;
        WriteRaw(kRunKey, "V.M.R.", REG_DWORD, std::string(reinterpret_cast<const char*>(&number), sizeof number));
        m_written = true;
    }

private:
    static constexpr char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
    bool m_written = false;
};

TEST_P(FailedStepTest, IsShownAndTheProfilesAreLoadedAndKept)
{
    const FailedStep& step = GetParam();
    SimNetwork network;
    step.arrange(*this, network);
    WriteFileBytes(StorePath(), kTwoProfileStore);
    form = &application.CreateForm<TForm1>([&]() -> Variant {
        if (!step.connects) RaiseError("The RPC server is unavailable");
        return network.Services();
    });
    Settle();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, step.shown);
    EXPECT_EQ(boxes[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(form->Profiles->ListView1->Items().Count(), 2);
    EXPECT_EQ(form->Profiles->prfs->Count(), 2);

    Choose(form->Exit1);
    EXPECT_TRUE(application.Terminated());
    EXPECT_EQ(ReadFileBytes(StorePath()), kTwoProfileStore);
}

INSTANTIATE_TEST_SUITE_P(Steps, FailedStepTest,
                         testing::Values(FailedStep{"Connection", "The RPC server is unavailable", [](auto&, auto&) {},
                                                    false},
                                         FailedStep{"Refresh", "Calling \"ExecQuery\" failed: Generic failure",
                                                    [](auto&, SimNetwork& network) {
                                                        network.FailQuery(static_cast<HRESULT>(0x80041001L),
                                                                          L"Generic failure");
                                                    },
                                                    true},
                                         FailedStep{"AutostartValue", "Invalid data type for 'V.M.R.'",
                                                    [](MainWindowTest& test, auto&) {
                                                        static_cast<FailedStepTest&>(test).PutNumberAsAutostartValue();
                                                    },
                                                    true}),
                         [](const testing::TestParamInfo<FailedStep>& info) { return std::string(info.param.name); });

// A store that is there but cannot be read is not an empty store: no welcome, and nothing
// saved over it in this run, whatever the user does.
TEST_F(MainWindowTest, AnUnreadableStoreIsNamedAndKept)
{
    WriteFileBytes(StorePath(), kTwoProfileStore);
    {
        // Another program holds the file open without sharing it.
        UniqueFile held(CreateFileA(StorePath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        form = &application.CreateForm<TForm1>([this] { return network.Services(); });
    }
    Settle();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find(StorePath()), std::string::npos) << boxes[0].text;
    EXPECT_NE(boxes[0].text.find(SystemMessageText(ERROR_SHARING_VIOLATION)), std::string::npos) << boxes[0].text;
    EXPECT_FALSE(IsWindowVisible(form->Handle())) << "the first start's welcome";
    EXPECT_FALSE(ProfilesLoaded());

    // The user makes do with an empty list, then leaves: the file stays, and they are told.
    Choose(form->Configuration1);
    Click(*form->Button3);
    Choose(form->Exit1);
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[1].text, StoreKeptText());
    EXPECT_EQ(boxes[2].text, StoreKeptText());
    EXPECT_TRUE(application.Terminated());
    EXPECT_EQ(ReadFileBytes(StorePath()), kTwoProfileStore);
}

TEST_F(MainWindowTest, AFailedSaveNamesTheFileAndSaysNothingChanged)
{
    Create();
    BlockStore();
    Choose(form->Exit1);
    ASSERT_EQ(boxes.size(), 1u);
    const std::string named = std::string(1, '"').append(StorePath()).append("\": File access denied");
    EXPECT_NE(boxes[0].text.find(named), std::string::npos) << boxes[0].text;
    EXPECT_NE(boxes[0].text.find("not changed"), std::string::npos) << boxes[0].text;
}
