#include "support/startanswers.h"

StartAnswers::StartAnswers()
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &StartAnswers::Proc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VelmoraTestStart";
    RegisterClassA(&windowClass);
    m_window.reset(CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   GetModuleHandleA(nullptr), nullptr));
    SetWindowLongPtrA(m_window.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
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
