// The main window's creation: its steps, their order, and an error in one of them.
#include "app/mainwindow.h"

#include "core/dispatch.h"
#include "core/error.h"
#include "profiles/iprofile.h"
#include "profiles/profedit.h"

TEST_F(MainWindowTest, CreationConnectsRefreshesAndLoads)
{
    ProfileList = nullptr;
    Create();
    EXPECT_EQ(form->SelectedAdapterIndex, 0);  // set to -1, then the refresh found no adapter
    EXPECT_EQ(form->ActiveProfileIndex, -1);
    EXPECT_EQ(DispatchOf(form->WmiServices), static_cast<IDispatch*>(services));
    EXPECT_EQ(services->queries.size(), 1u);
    EXPECT_EQ(ProfileList, &form->ListView1->Items());
    ASSERT_NE(Form2, nullptr);
    EXPECT_EQ(GetWindow(Form2->Handle(), GW_OWNER), form->Handle());
    EXPECT_FALSE(IsWindowVisible(Form2->Handle()));
    EXPECT_EQ(Form1, form);
}

TEST_F(MainWindowTest, ProfilesAreLoadedFromTheStore)
{
    {
        // A store with two profiles beside the program.
        HANDLE file = CreateFileA(StorePath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        const char text[] = "[0]\r\nip=10.0.0.5\r\nname=Office\r\n[1]\r\nip=10.0.0.6\r\nname=Home\r\n";
        DWORD written = 0;
        WriteFile(file, text, sizeof text - 1, &written, nullptr);
        CloseHandle(file);
    }
    form = &application.CreateForm<TForm1>([this] { return servicesHolder.Copy(); });
    EXPECT_EQ(form->ListView1->Items().Count(), 2);
}

TEST_F(MainWindowTest, FailedConnectionIsShownAndTheLaterStepsAreSkipped)
{
    ProfileList = nullptr;
    Create([]() -> Variant { RaiseError("The RPC server is unavailable"); });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "The RPC server is unavailable");
    EXPECT_EQ(boxes[0].caption, "Velmora");
    EXPECT_EQ(boxes[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    EXPECT_TRUE(services->queries.empty());  // no refresh
    EXPECT_TRUE(form->WmiServices.IsEmpty());
    EXPECT_NE(Form2, nullptr);  // the steps before it ran

    // The program runs on: the window hides and ends as ever, saving an empty store.
    EXPECT_FALSE(application.Terminated());
    Choose(form->Exit1);
    EXPECT_TRUE(StoreWritten());
    EXPECT_TRUE(application.Terminated());
}
