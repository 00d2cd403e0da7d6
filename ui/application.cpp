#include "ui/application.h"

#include "ui/accesskeys.h"

#include "ui/form.h"
#include "ui/labelfor.h"
#include "ui/pagekeys.h"

namespace {
TApplication* g_current = nullptr;
}

TApplication::TApplication() { g_current = this; }

TApplication::~TApplication()
{
    while (!m_forms.empty())
        m_forms.pop_back();
    if (g_current == this) g_current = nullptr;
}

TApplication* TApplication::Current() noexcept { return g_current; }

bool TApplication::PreTranslate(MSG& message)
{
    if (message.hwnd == nullptr) return false;
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    auto* form = dynamic_cast<TForm*>(TWindow::FromHandle(root));
    if (form == nullptr) return false;
    if (message.message == WM_SYSKEYDOWN && message.wParam == VK_MENU) ShowAccessKeys(root);
    // Alt and a painted label's access key: the dialog manager knows only the keys of windows.
    if (message.message == WM_SYSCHAR && FocusByLabelKey(*form, static_cast<char>(message.wParam))) return true;
    if (SwitchPageByKey(*form, message)) return true;
    return IsDialogMessageA(root, &message) != FALSE;
}

void TApplication::Run()
{
    if (m_showMainForm && m_mainForm != nullptr) m_mainForm->Show();
    m_running = true;
    MSG message;
    while (!m_terminated && GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (PreTranslate(message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    m_running = false;
    m_terminated = true;
}

void TApplication::Terminate()
{
    m_terminated = true;
    // Only a running loop is told; a quit left in the queue would end the next modal loop.
    if (m_running) PostQuitMessage(0);
}

void TApplication::ProcessMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (PreTranslate(message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
