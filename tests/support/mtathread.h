#pragma once
// A thread of its own in the multithreaded apartment, as the program's worker that makes the
// configuration calls. GoogleTest is built without its thread support: `work` records what it
// sees and the test checks that on its own thread once Done().
#include <windows.h>

#include <functional>
#include <string>

#include "core/handles.h"

class MtaThread {
public:
    explicit MtaThread(std::function<void()> work);
    ~MtaThread() { Done(INFINITE); }
    MtaThread(const MtaThread&) = delete;
    MtaThread& operator=(const MtaThread&) = delete;

    // True once the work has returned, waiting up to `timeout` for it.
    bool Done(DWORD timeout = 0) const { return WaitForSingleObject(m_thread.get(), timeout) == WAIT_OBJECT_0; }
    // What the work raised, once Done(); empty when nothing.
    const std::string& Failure() const noexcept { return m_failure; }

private:
    std::function<void()> m_work;
    std::string m_failure;
    UniqueHandle m_thread;
};
