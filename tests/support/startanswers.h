#pragma once
// Stands for later starts of the program, each waiting for its command's answer: a message-only
// window per start, which keeps the answers and the notes the running copy sends it.
#include <windows.h>

#include <string>
#include <vector>

#include "app/remotecommand.h"
#include "core/handles.h"

class StartAnswers {
public:
    StartAnswers();
    StartAnswers(const StartAnswers&) = delete;
    StartAnswers& operator=(const StartAnswers&) = delete;

    HWND Window() const noexcept { return m_window.get(); }
    std::vector<CommandAnswer> answers;
    std::vector<std::string> notes;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    UniqueHwnd m_window;
};
