// Showing the main window: which tab it shows, the details refresh at each showing, the links.
#include "app/mainwindow.h"

#include "app/makerinfo.h"
#include "support/input.h"

TEST_F(MainWindowTest, AboutWhileHiddenShowsTheAboutTab)
{
    Create();
    Choose(form->About1);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_EQ(SelectedTab(), TForm1::kAboutTab);
    EXPECT_TRUE(IsWindowVisible(form->PageControl1->Page(TForm1::kAboutTab).Handle()));
}

TEST_F(MainWindowTest, FirstOpenShowsProfilesThenTheLastTab)
{
    Create();
    Choose(form->Configuration1);
    EXPECT_EQ(SelectedTab(), TForm1::kProfilesTab);
    EXPECT_TRUE(IsWindowVisible(form->PageControl1->Page(TForm1::kProfilesTab).Handle()));

    SelectTab(TForm1::kGeneralTab);
    Click(*form->Button2);
    Choose(form->Configuration1);
    EXPECT_EQ(SelectedTab(), TForm1::kGeneralTab);
    EXPECT_TRUE(IsWindowVisible(form->PageControl1->Page(TForm1::kGeneralTab).Handle()));
    EXPECT_FALSE(IsWindowVisible(form->PageControl1->Page(TForm1::kProfilesTab).Handle()));
}

TEST_F(MainWindowTest, EveryShowingRunsOneAdapterQuery)
{
    Create();
    ASSERT_EQ(QueryCount(), 1u);  // creation's own refresh
    Choose(form->Configuration1);
    EXPECT_EQ(QueryCount(), 2u);
    Choose(form->Configuration1);  // already visible: no showing, no query
    Choose(form->About1);
    EXPECT_EQ(QueryCount(), 2u);
    Click(*form->Button2);
    Choose(form->About1);
    EXPECT_EQ(QueryCount(), 3u);
}

TEST_F(MainWindowTest, ProfilesTabLinkSelectsTheProfilesTab)
{
    Create();
    Choose(form->Configuration1);
    SelectTab(TForm1::kNetworkConfigurationTab);
    ClickOn(*form->Label22);
    EXPECT_EQ(SelectedTab(), TForm1::kProfilesTab);
}

TEST_F(MainWindowTest, ContactLinksOpenTheMakersAddressesThroughTheShell)
{
    Create();
    Choose(form->About1);
    for (const TLinkLabel* link : {form->Label7.get(), form->Label8.get()})
        ClickOn(*link);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0], VELMORA_MAKER_WEB_ADDRESS);
    EXPECT_EQ(opened[1], "mailto:" VELMORA_MAKER_SUPPORT_ADDRESS);
}
