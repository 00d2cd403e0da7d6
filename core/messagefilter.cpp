#include "core/messagefilter.h"

#include <utility>

namespace {
MessageFilterFunction& MessageFilter()
{
    static MessageFilterFunction function = [](HWND window, UINT message, DWORD action) {
        return ChangeWindowMessageFilterEx(window, message, action, nullptr);
    };
    return function;
}
}  // namespace

void LetMessageThrough(HWND window, UINT message)
{
    if (MessageFilter()) MessageFilter()(window, message, MSGFLT_ALLOW);
}

MessageFilterFunction SetMessageFilter(MessageFilterFunction function)
{
    return std::exchange(MessageFilter(), std::move(function));
}
