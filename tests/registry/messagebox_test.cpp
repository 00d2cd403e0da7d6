#include <gtest/gtest.h>

#include "core/messagebox.h"

TEST(MessageBoxSeam, HandsEveryBoxToTheHandlerAndGivesThePreviousOneBack)
{
    std::vector<std::string> seen;
    const MessageBoxHandler first = [&](HWND, const std::string& text, const std::string& caption, UINT flags) {
        seen.push_back(text + "|" + caption + "|" + std::to_string(flags));
        return IDCANCEL;
    };
    const MessageBoxHandler original = SetMessageBoxHandler(first);
    EXPECT_EQ(ShowMessageBox(nullptr, "text", "caption", MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(seen, std::vector<std::string>{"text|caption|" + std::to_string(MB_OKCANCEL)});

    const MessageBoxHandler second = [](HWND, const std::string&, const std::string&, UINT) { return IDRETRY; };
    const MessageBoxHandler previous = SetMessageBoxHandler(second);
    ASSERT_TRUE(previous);
    EXPECT_EQ(previous(nullptr, "again", "c", MB_OK), IDCANCEL);  // it is `first`
    EXPECT_EQ(ShowMessageBox(nullptr, "x", "y", MB_OK), IDRETRY);

    SetMessageBoxHandler(original);
}

namespace {
std::string g_boxCaption;

// Answers the real box as soon as it is set up, reading its caption first.
LRESULT CALLBACK AnswerBoxHook(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_INITDIALOG) {
        char caption[64] = {};
        GetWindowTextA(message->hwnd, caption, sizeof caption);
        g_boxCaption = caption;
        EndDialog(message->hwnd, IDCANCEL);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
}  // namespace

TEST(MessageBoxSeam, AnEmptyHandlerShowsTheSystemBoxAgain)
{
    const MessageBoxHandler original =
        SetMessageBoxHandler([](HWND, const std::string&, const std::string&, UINT) { return IDRETRY; });
    SetMessageBoxHandler(nullptr);

    g_boxCaption.clear();
    const HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROCRET, AnswerBoxHook, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    const int answer = ShowMessageBox(nullptr, "text", "seam check", MB_OKCANCEL);
    UnhookWindowsHookEx(hook);
    SetMessageBoxHandler(original);

    EXPECT_EQ(answer, IDCANCEL);
    EXPECT_EQ(g_boxCaption, "seam check");
}
