#include "app/singleinstance.h"

#include <sddl.h>
#include <wtsapi32.h>

#include <cstdint>
#include <optional>
#include <utility>

#include "app/mainformunit.h"
#include "core/systemdll.h"
#include "ui/form.h"
#include "core/privatemessages.h"

namespace {
// How often a later start looks for the window of a first that is still starting.
constexpr DWORD kLookEvery = 100;

SingleInstance::CreateMappingFunction& CreateMapping()
{
    static SingleInstance::CreateMappingFunction function = [](const std::string& name, SECURITY_ATTRIBUTES* security) {
        HANDLE mapping =
            CreateFileMappingA(INVALID_HANDLE_VALUE, security, PAGE_READWRITE, 0, sizeof(int64_t), name.c_str());
        return SingleInstance::MappingAnswer{mapping, GetLastError()};
    };
    return function;
}

SingleInstance::PauseFunction& Pause()
{
    static SingleInstance::PauseFunction function = [](DWORD milliseconds) { Sleep(milliseconds); };
    return function;
}

SessionUserQuery& SessionUserAnswer()
{
    static SessionUserQuery query;
    return query;
}

// The token's account as its name and domain; none when the token does not tell.
std::optional<std::pair<std::wstring, std::wstring>> TokenAccount()
{
    UniqueHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.put())) return std::nullopt;
    DWORD size = 0;
    GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    std::string buffer(size, '\0');
    if (size == 0 || !GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size)) return std::nullopt;
    wchar_t name[256];
    wchar_t domain[256];
    DWORD nameLength = 256;
    DWORD domainLength = 256;
    SID_NAME_USE use{};
    if (!LookupAccountSidW(nullptr, reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, name, &nameLength, domain,
                           &domainLength, &use))
        return std::nullopt;
    return std::pair<std::wstring, std::wstring>{name, domain};
}

// The mapping's security: every signed-in account may read it (a copy started with another
// account's credentials must find the session's), nobody may write it but the program that
// made it, which keeps the handle it was given. Without it, the mapping of a copy started "Run
// as administrator" takes that token's default DACL, which names Administrators and SYSTEM, and
// an unelevated token holds Administrators for deny only: a later ordinary start is refused it.
// It is labelled medium (no write up), where what an elevated program makes would take its high
// level ("Mandatory Integrity Control"), above an unelevated start. None (the maker's defaults)
// when the descriptor cannot be built.
UniqueLocal MappingSecurity()
{
    UniqueLocal descriptor;
    const std::string text = "D:(A;;GR;;;AU)S:(ML;;NW;;;ME)";
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(text.c_str(), SDDL_REVISION_1, descriptor.put(),
                                                              nullptr)) {
        descriptor.reset();
    }
    return descriptor;
}
}  // namespace

SingleInstance::CreateMappingFunction SingleInstance::SetCreateMapping(CreateMappingFunction function)
{
    return std::exchange(CreateMapping(), std::move(function));
}

SingleInstance::PauseFunction SingleInstance::SetPause(PauseFunction function)
{
    return std::exchange(Pause(), std::move(function));
}

UINT OpenConfiguratorMessage()
{
    static const UINT message = RegisterWindowMessageA(kOpenConfiguratorMessageName);
    return message;
}

std::string SessionInstanceName() { return "Local\\Velmora"; }

SessionUserQuery SetSessionUserQuery(SessionUserQuery query)
{
    return std::exchange(SessionUserAnswer(), std::move(query));
}

bool RunsAsSessionUser()
{
    if (SessionUserAnswer()) return SessionUserAnswer()();
    using QueryFunction = BOOL WINAPI(HANDLE, DWORD, WTS_INFO_CLASS, LPWSTR*, DWORD*);
    using FreeFunction = void WINAPI(PVOID);
    auto* query = TrySystemFunction<QueryFunction>("wtsapi32.dll", "WTSQuerySessionInformationW");
    auto* release = TrySystemFunction<FreeFunction>("wtsapi32.dll", "WTSFreeMemory");
    if (query == nullptr || release == nullptr) return true;
    const auto sessionText = [&](WTS_INFO_CLASS what) -> std::optional<std::wstring> {
        LPWSTR text = nullptr;
        DWORD bytes = 0;
        if (!query(WTS_CURRENT_SERVER_HANDLE, WTS_CURRENT_SESSION, what, &text, &bytes) || text == nullptr)
            return std::nullopt;
        std::wstring value(text);
        release(text);
        return value;
    };
    const std::optional<std::wstring> sessionUser = sessionText(WTSUserName);
    const std::optional<std::wstring> sessionDomain = sessionText(WTSDomainName);
    const std::optional<std::pair<std::wstring, std::wstring>> own = TokenAccount();
    // A session without a signed-in user (a service's), or an answer Windows does not give,
    // decides nothing.
    if (!sessionUser || sessionUser->empty() || !own) return true;
    const auto same = [](const std::wstring& a, const std::wstring& b) {
        return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_EQUAL;
    };
    return same(*sessionUser, own->first) && (!sessionDomain || same(*sessionDomain, own->second));
}

SingleInstance::SingleInstance(const std::string& name)
{
    // A named mapping rather than a mutex: the name says whether a program runs, and the
    // memory behind it says where its window is.
    const UniqueLocal security = MappingSecurity();
    SECURITY_ATTRIBUTES attributes{sizeof attributes, security.get(), FALSE};
    const MappingAnswer answer = CreateMapping()(name, security ? &attributes : nullptr);
    UniqueHandle made(answer.mapping);
    // CreateFileMapping: an existing mapping comes back with ERROR_ALREADY_EXISTS; one this
    // process may not open for writing (another copy's, made with the descriptor above, or an
    // elevated copy's) fails with ERROR_ACCESS_DENIED, and a name another kind of object holds
    // with ERROR_INVALID_HANDLE. Only a mapping made here makes this start the first.
    m_first = made && answer.error != ERROR_ALREADY_EXISTS;
    if (m_first) {
        m_mapping = std::move(made);
        m_view.reset(MapViewOfFile(m_mapping.get(), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(int64_t)));
        return;
    }
    m_mapping.reset(OpenFileMappingA(FILE_MAP_READ, FALSE, name.c_str()));
    if (m_mapping) m_view.reset(MapViewOfFile(m_mapping.get(), FILE_MAP_READ, 0, 0, sizeof(int64_t)));
}

void SingleInstance::Publish(HWND mainWindow)
{
    // Windows handles are 32-bit values across processes, in 64-bit ones too.
    if (!m_first || !m_view) return;
    auto* slot = static_cast<volatile int64_t*>(m_view.get());
    InterlockedExchange64(const_cast<int64_t*>(slot), static_cast<int64_t>(reinterpret_cast<intptr_t>(mainWindow)));
}

HWND SingleInstance::FirstWindow() const
{
    HWND window = nullptr;
    if (m_view) {
        window = reinterpret_cast<HWND>(static_cast<intptr_t>(*static_cast<const volatile int64_t*>(m_view.get())));
    } else if (!m_first) {
        // The name is held but cannot be read (a mapping made without this program's descriptor,
        // or another kind of object): the window is looked for by its class and caption, which
        // works across integrity levels.
        window = FindWindowA(kFormWindowClass, kMainWindowCaption);
    }
    return window != nullptr && IsWindow(window) ? window : nullptr;
}

HWND SingleInstance::RunningWindow(DWORD patience) const
{
    // A first program publishes its window at the end of its start-up; a start that comes
    // while it is still starting (autostart and a double click at logon) waits a little for it.
    HWND window = FirstWindow();
    for (DWORD waited = 0; window == nullptr && waited < patience; waited += kLookEvery) {
        Pause()(kLookEvery);
        window = FirstWindow();
    }
    return window;
}

bool SingleInstance::BringFirstForward(DWORD patience) const
{
    HWND window = RunningWindow(patience);
    if (window == nullptr) return false;
    // This start came from the user, so it may hand the foreground on to the running program,
    // which otherwise could only flash its taskbar button.
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    AllowSetForegroundWindow(process);
    return PostMessageA(window, OpenConfiguratorMessage(), 0, 0) != FALSE;
}
