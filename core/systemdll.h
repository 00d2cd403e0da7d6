#pragma once
// Functions of system DLLs that most runs never call (the Open dialog, the WMI moniker): the
// DLL is loaded from the system folder the first time one is needed, and stays. Loading them
// with the program would cost every start their time and memory.
#include <windows.h>

// The function's address; raises the platform's error when the DLL or the function is missing.
FARPROC SystemDllFunction(const char* dll, const char* name);

template <typename Function>
Function* SystemFunction(const char* dll, const char* name)
{
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(SystemDllFunction(dll, name)));
}
