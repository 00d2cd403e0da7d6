#include "core/programfile.h"

#include <windows.h>

#include <vector>

#include "core/check.h"

std::string ProgramFile()
{
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), size);
        if (length == 0) RaiseError(SystemMessageText(GetLastError()));
        // A full buffer may hold a cut path: try again with more room.
        if (length < size || size >= 32768) return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}
