#pragma once
// Functions of system DLLs that most runs never call (the Open dialog, the WMI moniker): the
// DLL is loaded from the system folder the first time one is needed, and stays. Loading them
// with the program would cost every start their time and memory.
#include <windows.h>

// The function's address; raises the platform's error when the DLL or the function is missing.
FARPROC SystemDllFunction(const char* dll, const char* name);

// The same, or null when the DLL or the function is missing (a function newer than the Windows
// that runs the program).
FARPROC TrySystemDllFunction(const char* dll, const char* name) noexcept;

template <typename Function>
Function* SystemFunction(const char* dll, const char* name)
{
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(SystemDllFunction(dll, name)));
}

template <typename Function>
Function* TrySystemFunction(const char* dll, const char* name) noexcept
{
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(TrySystemDllFunction(dll, name)));
}
