#pragma once
// The real program started with arguments as a script starts it, its output read through a
// pipe: run to its end, or started now and waited for later, while another start runs.
#include <windows.h>

#include <string>

#include "core/handles.h"

struct Finished {
    DWORD exitCode = STILL_ACTIVE;
    std::string output;
    // Why the program never ran, when Wine could not start it: empty when it ran.
    std::string notRun;
};

class ProgramRun {
public:
    ProgramRun(const std::string& program, const std::wstring& arguments);
    // Ends a start the test left running.
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    // Its exit code and output once it has ended; STILL_ACTIVE when it has not within `limit`.
    Finished Wait(DWORD limit = 60000);

private:
    UniqueHandle m_process;
    UniqueHandle m_output;
    Finished m_finished;
};

// Runs the program to its end.
Finished RunProgram(const std::string& program, const std::wstring& arguments);
