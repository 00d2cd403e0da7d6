#pragma once
// A program a test starts as a user would (no arguments), ended by force should the test leave
// it running.
#include <windows.h>

#include <string>

#include "core/handles.h"

class StartedProgram {
public:
    explicit StartedProgram(const std::string& path)
    {
        std::string command = "\"" + path + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
            return;
        const UniqueHandle thread(process.hThread);
        m_process.reset(process.hProcess);
        m_id = process.dwProcessId;
    }
    ~StartedProgram()
    {
        if (m_process && !EndsWithin(0)) TerminateProcess(m_process.get(), 1);
    }
    StartedProgram(const StartedProgram&) = delete;
    StartedProgram& operator=(const StartedProgram&) = delete;

    DWORD Id() const { return m_id; }
    // Waiting for input in its message loop (WaitForInputIdle).
    bool IdleWithin(DWORD ms) const { return m_process && WaitForInputIdle(m_process.get(), ms) == 0; }
    bool EndsWithin(DWORD ms) const { return m_process && WaitForSingleObject(m_process.get(), ms) == WAIT_OBJECT_0; }
    DWORD ExitCode() const
    {
        DWORD code = STILL_ACTIVE;
        if (m_process) GetExitCodeProcess(m_process.get(), &code);
        return code;
    }

private:
    UniqueHandle m_process;
    DWORD m_id = 0;
};
