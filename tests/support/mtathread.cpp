#include "support/mtathread.h"

#include <objbase.h>

#include <exception>
#include <stdexcept>

MtaThread::MtaThread(std::function<void()> work) : m_work(std::move(work))
{
    const auto run = [](void* self) -> DWORD {
        MtaThread& thread = *static_cast<MtaThread*>(self);
        try {  // nothing raised may leave the thread procedure
            if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)))
                throw std::runtime_error("CoInitializeEx failed");
            thread.m_work();
            CoUninitialize();
        } catch (const std::exception& error) {
            thread.m_failure = error.what();
        } catch (...) {
            thread.m_failure = "an exception";
        }
        return 0;
    };
    m_thread.reset(CreateThread(nullptr, 0, run, this, 0, nullptr));
    if (!m_thread) throw std::runtime_error("CreateThread failed");
}
