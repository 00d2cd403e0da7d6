#include "support/programrun.h"

#include <cstdio>
#include <string>

#include "core/text.h"

ProgramRun::ProgramRun(const std::string& program, const std::wstring& arguments)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) {
        m_finished.notRun = "no pipe: error " + std::to_string(GetLastError());
        return;
    }
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
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        m_finished.notRun = "not started: error " + std::to_string(GetLastError());
        return;
    }
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
    // Ended, yet no exit code: the process died under Wine before it ran (seen once in CI, as
    // a start that printed nothing), rather than the program ending.
    if (m_finished.exitCode == STILL_ACTIVE && m_finished.output.empty())
        m_finished.notRun = "ended without an exit code";
    return m_finished;
}

Finished RunProgram(const std::string& program, const std::wstring& arguments)
{
    Finished finished = ProgramRun(program, arguments).Wait();
    // A start Wine could not make, or whose process died before it printed a word, is not the
    // program's answer: it is tried once more, and said so in the test's output.
    if (!finished.notRun.empty()) {
        std::fprintf(stderr, "The start of %s was tried again: %s\n", program.c_str(), finished.notRun.c_str());
        finished = ProgramRun(program, arguments).Wait();
    }
    return finished;
}
