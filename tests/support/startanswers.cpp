#include "support/startanswers.h"

StartAnswers::StartAnswers() : m_window(MakeAnswerWindow())
{
    // A start's own answer window, which the running copy asks for, keeping what it hears.
    SetWindowLongPtrA(m_window.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(m_window.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StartAnswers::Proc));
}

LRESULT CALLBACK StartAnswers::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* start = reinterpret_cast<StartAnswers*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message != WM_COPYDATA || start == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    if (const std::optional<CommandAnswer> answer = ReceiveAnswer(lParam)) {
        start->answers.push_back(*answer);
        return TRUE;
    }
    if (const std::optional<std::string> note = ReceiveNote(lParam)) {
        start->notes.push_back(*note);
        return TRUE;
    }
    return FALSE;
}
