// Forms: close handling, and modal runs through the seam that tests answer.
#include "ui/toolkit.h"

#include "ui/application.h"
#include "ui/modal.h"
#include "ui/timer.h"

namespace {
class ModalSeam {
public:
    explicit ModalSeam(ModalHandler handler) : m_previous(SetModalHandler(std::move(handler))) {}
    ~ModalSeam() { SetModalHandler(m_previous); }

private:
    ModalHandler m_previous;
};

FormArgs DialogArgs(HWND owner)
{
    FormArgs args;
    args.name = "Dialog";
    args.caption = "Dialog";
    args.bounds = {40, 40, 200, 100};
    args.borderStyle = TBorderStyle::bsDialog;
    args.owner = owner;
    return args;
}
}  // namespace

TEST_F(ToolkitTest, CloseOfAFormThatIsNotMainHidesIt)
{
    int queries = 0;
    host.onCloseQuery = [&](bool&) { ++queries; };
    host.Show();
    SendMessageA(host.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(queries, 1);
    EXPECT_FALSE(IsWindowVisible(host.Handle()));
}

TEST_F(ToolkitTest, RefusedCloseQueryKeepsTheForm)
{
    host.onCloseQuery = [](bool& canClose) { canClose = false; };
    host.Show();
    SendMessageA(host.Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindowVisible(host.Handle()));
    EXPECT_EQ(SendMessageA(host.Handle(), WM_QUERYENDSESSION, 0, 0), FALSE);
}

TEST_F(ToolkitTest, ClosingTheMainFormTerminatesTheApplication)
{
    TApplication application;
    TForm& main = application.CreateForm<TForm>(DialogArgs(nullptr));
    SendMessageA(main.Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(application.Terminated());
}

TEST_F(ToolkitTest, ModalRunCanBeAnsweredWithoutShowing)
{
    TForm dialog(DialogArgs(host.Handle()));
    std::vector<std::string> asked;
    ModalSeam seam([&](const ModalRequest& request, const std::function<int()>&) {
        asked.push_back(request.name);
        EXPECT_EQ(request.window, dialog.Handle());
        return mrOk;
    });
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_EQ(asked, std::vector<std::string>{"Dialog"});
    EXPECT_FALSE(IsWindowVisible(dialog.Handle()));
}

TEST_F(ToolkitTest, ModalRunEndsWithItsResultAndFreesTheOwner)
{
    host.Show();
    TForm dialog(DialogArgs(host.Handle()));
    bool ownerDisabled = false;
    TTimer press;
    press.onTimer = [&] {
        press.SetEnabled(false);
        ownerDisabled = !IsWindowEnabled(host.Handle());
        dialog.SetModalResult(mrOk);
        PostMessageA(dialog.Handle(), WM_NULL, 0, 0);
    };
    press.SetInterval(1);
    press.SetEnabled(true);
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(IsWindowEnabled(host.Handle()));
    EXPECT_FALSE(IsWindowVisible(dialog.Handle()));
}

TEST_F(ToolkitTest, ClosingAModalFormEndsItAsCancel)
{
    TForm dialog(DialogArgs(host.Handle()));
    TTimer close;
    close.onTimer = [&] {
        close.SetEnabled(false);
        PostMessageA(dialog.Handle(), WM_CLOSE, 0, 0);
    };
    close.SetInterval(1);
    close.SetEnabled(true);
    EXPECT_EQ(dialog.ShowModal(), mrCancel);
}
