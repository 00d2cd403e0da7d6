#include "core/systemdll.h"

#include "core/check.h"

FARPROC SystemDllFunction(const char* dll, const char* name)
{
    // Only the system folder: a DLL of that name beside the program or in the working folder
    // must never be the one loaded.
    HMODULE module = LoadLibraryExA(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    CheckWin32(module != nullptr, "LoadLibraryExA");
    FARPROC function = GetProcAddress(module, name);
    CheckWin32(function != nullptr, "GetProcAddress");
    return function;
}

FARPROC TrySystemDllFunction(const char* dll, const char* name) noexcept
{
    HMODULE module = LoadLibraryExA(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module != nullptr ? GetProcAddress(module, name) : nullptr;
}
