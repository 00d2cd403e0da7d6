#include "app/singleinstance.h"

#include <sddl.h>

#include <cstdint>
#include <utility>

namespace {
SingleInstance::CreateMappingFunction& CreateMapping()
{
    static SingleInstance::CreateMappingFunction function = [](const std::string& name, SECURITY_ATTRIBUTES* security) {
        HANDLE mapping =
            CreateFileMappingA(INVALID_HANDLE_VALUE, security, PAGE_READWRITE, 0, sizeof(int64_t), name.c_str());
        return SingleInstance::MappingAnswer{mapping, GetLastError()};
    };
    return function;
}
}  // namespace

SingleInstance::CreateMappingFunction SingleInstance::SetCreateMapping(CreateMappingFunction function)
{
    return std::exchange(CreateMapping(), std::move(function));
}

UINT OpenConfiguratorMessage()
{
    static const UINT message = RegisterWindowMessageA("Velmora.OpenConfigurator");
    return message;
}

std::string SessionInstanceName()
{
    std::string user = "unknown";
    UniqueHandle token;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.put())) {
        DWORD size = 0;
        GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
        std::string buffer(size, '\0');
        char* sidText = nullptr;
        if (size != 0 && GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size) &&
            ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &sidText)) {
            user = sidText;
            LocalFree(sidText);
        }
    }
    return "Local\\Velmora." + user;
}

SingleInstance::SingleInstance(const std::string& name)
{
    // A named mapping rather than a mutex: the name says whether a program runs, and the
    // memory behind it says where its window is.
    // When the name cannot be had at all the program runs as the only one, as before.
    const MappingAnswer answer = CreateMapping()(name, nullptr);
    m_mapping.reset(answer.mapping);
    m_first = m_mapping.get() == nullptr || answer.error != ERROR_ALREADY_EXISTS;
    if (m_mapping) m_view.reset(MapViewOfFile(m_mapping.get(), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(int64_t)));
}

void SingleInstance::Publish(HWND mainWindow)
{
    // Windows handles are 32-bit values across processes, in 64-bit ones too.
    if (!m_view) return;
    auto* slot = static_cast<volatile int64_t*>(m_view.get());
    InterlockedExchange64(const_cast<int64_t*>(slot), static_cast<int64_t>(reinterpret_cast<intptr_t>(mainWindow)));
}

bool SingleInstance::BringFirstForward() const
{
    if (!m_view) return false;
    auto* slot = static_cast<volatile int64_t*>(m_view.get());
    const HWND window = reinterpret_cast<HWND>(static_cast<intptr_t>(*slot));
    if (window == nullptr || !IsWindow(window)) return false;
    // This start came from the user, so it may hand the foreground on to the running program,
    // which otherwise could only flash its taskbar button.
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    AllowSetForegroundWindow(process);
    return PostMessageA(window, OpenConfiguratorMessage(), 0, 0) != FALSE;
}
