// The General tab's texts, "Show only IP Enabled" and the profile file's path field.
#include "app/mainwindow.h"

#include "profiles/iprofile.h"
#include "support/tempfolder.h"

namespace {
const std::wstring AllAdapters = L"Select * from Win32_NetworkAdapterConfiguration ";
const std::wstring IpEnabledAdapters = L"Select * from Win32_NetworkAdapterConfiguration where IPEnabled=TRUE";

void ClickBox(const TCheckBox& box) { SendMessageA(box.Handle(), BM_CLICK, 0, 0); }

// What a user's typing does to the field: the whole text replaced through the keyboard's path.
void TypeInto(const TEdit& edit, const std::string& text)
{
    SendMessageA(edit.Handle(), EM_SETSEL, 0, -1);
    SendMessageA(edit.Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}
}  // namespace

TEST_F(MainWindowTest, GeneralTabShowsItsTextsInBlueWithWordWrap)
{
    Create();
    struct Expected {
        const TControl* control;
        const char* text;
    };
    const Expected captions[] = {
        {form->GroupBox5.get(), "System options"},
        {form->CheckBox1.get(), "Show only IP Enabled"},
        {form->CheckBox2.get(), "Load on StartUp"},
        {form->GroupBox6.get(), "File Options"},
        {form->Label2.get(), "Profiles .INI"},
        {form->Button4.get(), "Browse..."},
        {form->Label1.get(),
         "If checked then only currently Active connections will be displayed on the Network Configuration tab."},
        {form->Label17.get(), "If checked then Application will be launched automatically each time you start the "
                              "Windows. This is needed to run program fully functional."},
        {form->Label18.get(), "All profile settings are Stored in .INI file. You can select the location of proper "
                              "PROFILE.INI.\n\rPlease note: You can strore the file as backup of system network "
                              "settings."},
    };
    for (const Expected& expected : captions) {
        EXPECT_EQ(expected.control->Text(), expected.text);
    }
    for (const TLabel* label : {form->Label1.get(), form->Label17.get(), form->Label18.get()}) {
        EXPECT_TRUE(label->WordWrap()) << label->Text();
        EXPECT_EQ(label->TextColor(), RGB(0, 0, 255)) << label->Text();
    }
    // Every control lies on the General page, so it shows and hides with that tab.
    HWND page = form->PageControl1->Page(TForm1::GeneralTab).Handle();
    for (const Expected& expected : captions) {
        EXPECT_TRUE(IsChild(page, expected.control->Handle())) << expected.text;
    }
    EXPECT_TRUE(IsChild(page, form->Edit1->Handle()));
}

TEST_F(MainWindowTest, ShowOnlyIpEnabledSwitchesTheQueryAndRefreshesEachTime)
{
    Create();
    EXPECT_TRUE(form->CheckBox1->Checked());
    EXPECT_TRUE(form->IpEnabledOnly);
    ASSERT_EQ(services->queries.size(), 1u);
    EXPECT_EQ(services->queries.back(), IpEnabledAdapters);

    ClickBox(*form->CheckBox1);
    EXPECT_FALSE(form->IpEnabledOnly);
    ASSERT_EQ(services->queries.size(), 2u);
    EXPECT_EQ(services->queries.back(), AllAdapters);

    ClickBox(*form->CheckBox1);
    EXPECT_TRUE(form->IpEnabledOnly);
    ASSERT_EQ(services->queries.size(), 3u);
    EXPECT_EQ(services->queries.back(), IpEnabledAdapters);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MainWindowTest, PathFieldStartsAtTheProgramFoldersStore)
{
    ProfileIniPath = "C:\\left\\from\\before.ini";
    Create();
    const std::string expected = ProgramFolder() + "profiles.ini";
    EXPECT_EQ(form->Edit1->Text(), expected);
    EXPECT_EQ(form->OpenDialog1->FileName(), expected);
    EXPECT_EQ(ProfileIniPath, expected);
}

// A path typed later in the run is kept, but neither loads it nor moves the save.
TEST_F(MainWindowTest, TypedPathIsTakenButNeitherReloadsNorMovesTheSave)
{
    TempFolder folder;
    const std::string other = folder.File("other.ini");
    const std::string otherText = "[0]\r\nip=10.1.1.1\r\nname=Elsewhere\r\n[1]\r\nip=10.1.1.2\r\n";
    WriteFileBytes(other, otherText);
    Create();
    const int loaded = form->ListView1->Items().Count();

    TypeInto(*form->Edit1, other);
    EXPECT_EQ(ProfileIniPath, other);
    EXPECT_EQ(form->ListView1->Items().Count(), loaded);

    Click(*form->Button3);  // "Ok" saves
    EXPECT_TRUE(StoreWritten());
    EXPECT_EQ(ReadFileBytes(other), otherText);
}
