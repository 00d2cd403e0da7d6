// Closing, hiding and ending the main window: every close request saves, a visible window
// hides instead of closing unless "Exit" was chosen, and a failed save changes nothing.
#include "app/mainwindow.h"

TEST_F(MainWindowTest, StartsHiddenAndKeepsRunning)
{
    Create();
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_FALSE(application.Terminated());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MainWindowTest, ExitWhileVisibleSavesAndEnds)
{
    Create();
    Choose(form->Configuration1);
    Choose(form->Exit1);
    EXPECT_TRUE(StoreWritten());
    EXPECT_TRUE(form->ExitRequested);
    EXPECT_TRUE(application.Terminated());
}

TEST_F(MainWindowTest, ExitWhileHiddenSavesAndEnds)
{
    Create();
    Choose(form->Exit1);
    EXPECT_TRUE(StoreWritten());
    EXPECT_TRUE(application.Terminated());
}

TEST_F(MainWindowTest, CloseButtonWhileVisibleSavesAndHides)
{
    Create();
    Choose(form->Configuration1);
    CloseButton();
    EXPECT_TRUE(StoreWritten());
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_FALSE(application.Terminated());
}

TEST_F(MainWindowTest, CloseRequestWhileHiddenSavesAndEnds)
{
    Create();
    SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(StoreWritten());
    EXPECT_TRUE(application.Terminated());
}

TEST_F(MainWindowTest, OkSavesAndHides)
{
    Create();
    Choose(form->Configuration1);
    Click(*form->Button3);
    EXPECT_TRUE(StoreWritten());
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_FALSE(application.Terminated());
}

TEST_F(MainWindowTest, CancelHidesAndWritesNothing)
{
    Create();
    Choose(form->Configuration1);
    Click(*form->Button2);
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_FALSE(StoreWritten());
    EXPECT_FALSE(application.Terminated());
}

TEST_F(MainWindowTest, EscPressesCancel)
{
    Create();
    Choose(form->Configuration1);
    form->Button3->SetFocus();
    MSG key{};
    key.hwnd = form->Button3->Handle();
    key.message = WM_KEYDOWN;
    key.wParam = VK_ESCAPE;
    key.lParam = 0x00010001;
    EXPECT_TRUE(TApplication::PreTranslate(key));
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_FALSE(StoreWritten());
}

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

TEST_F(MainWindowTest, LogOffWhileVisibleSavesHidesAndRefuses)
{
    Create();
    Choose(form->Configuration1);
    EXPECT_EQ(QueryEndSession(), FALSE);
    EXPECT_TRUE(StoreWritten());
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
}

TEST_F(MainWindowTest, LogOffWhileHiddenSavesAndAgrees)
{
    Create();
    EXPECT_EQ(QueryEndSession(), TRUE);
    EXPECT_TRUE(StoreWritten());
}

TEST_F(MainWindowTest, LogOffWithAFailingSaveIsRefused)
{
    Create();
    BlockStore();
    EXPECT_EQ(QueryEndSession(), FALSE);
    EXPECT_EQ(boxes.size(), 1u);
}
