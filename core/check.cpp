#include "core/check.h"

#include <cstdio>

#include "core/codenames.h"
#include "core/handles.h"

std::string SystemMessageText(DWORD code)
{
    UniqueLocalAs<LPSTR> buffer;
    // FORMAT_MESSAGE_ALLOCATE_BUFFER takes the address of the pointer in the buffer's place.
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<LPSTR>(buffer.put()), 0, nullptr);
    std::string text;
    if (length != 0 && buffer) text.assign(buffer.get(), length);
    while (!text.empty() && (static_cast<unsigned char>(text.back()) <= ' ' || text.back() == '.')) {
        text.pop_back();
    }
    if (text.empty()) {
        // No text from the platform: the code's own name where we know it, and the number.
        char number[32];
        std::snprintf(number, sizeof number, "0x%08lX", static_cast<unsigned long>(code));
        const char* name = StatusCodeName(code);
        text = name != nullptr ? std::string(name) + " (" + number + ")" : std::string("Error ") + number;
    }
    return text;
}

void RaiseCallError(DWORD status, const char* call, const std::source_location& where)
{
    throw AppError(SystemMessageText(status), call, where, CodeAsHresult(status));
}

void CheckHrSaying(HRESULT hr, const char* what, const std::source_location& where)
{
    if (FAILED(hr)) {
        throw AppError(std::string(what) + " failed: " + SystemMessageText(static_cast<DWORD>(hr)), what, where, hr);
    }
}
