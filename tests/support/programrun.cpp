#include "support/programrun.h"

#include "core/text.h"

ProgramRun::ProgramRun(const std::string& program, const std::wstring& arguments)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return;
    m_output.reset(readEnd);
    UniqueHandle writing(writeEnd);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    std::wstring command = L"\"" + WideFromAnsi(program) + L"\" " + arguments;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
        return;
    const UniqueHandle thread(process.hThread);
    m_process.reset(process.hProcess);
}

ProgramRun::~ProgramRun()
{
    if (m_process && WaitForSingleObject(m_process.get(), 0) != WAIT_OBJECT_0) TerminateProcess(m_process.get(), 1);
}

Finished ProgramRun::Wait(DWORD limit)
{
    if (!m_process || WaitForSingleObject(m_process.get(), limit) != WAIT_OBJECT_0) return m_finished;
    // Ended: its end of the pipe is closed, so what is left reads to the end.
    char buffer[4096];
    DWORD read = 0;
    while (m_output && ReadFile(m_output.get(), buffer, sizeof buffer, &read, nullptr) && read > 0)
        m_finished.output.append(buffer, read);
    m_output.reset();
    GetExitCodeProcess(m_process.get(), &m_finished.exitCode);
    return m_finished;
}

Finished RunProgram(const std::string& program, const std::wstring& arguments)
{
    return ProgramRun(program, arguments).Wait();
}
