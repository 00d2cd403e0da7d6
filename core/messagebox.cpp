#include "core/messagebox.h"

#include <utility>

namespace {
// Empty means the real box; the program has one user-interface thread, so no lock.
MessageBoxHandler& CurrentHandler()
{
    static MessageBoxHandler handler;
    return handler;
}
}  // namespace

int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags)
{
    const MessageBoxHandler& handler = CurrentHandler();
    if (handler) return handler(owner, text, caption, flags);
    return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler)
{
    return std::exchange(CurrentHandler(), std::move(handler));
}
