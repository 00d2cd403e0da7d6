#include "core/processrights.h"

#include <windows.h>

#include <string>
#include <utility>

#include "core/handles.h"

namespace {
ElevationQuery g_elevationQuery;

bool TokenElevated()
{
    UniqueHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.put())) return false;
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    return GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof elevation, &size) &&
           elevation.TokenIsElevated != 0;
}
IntegrityQuery g_integrityQuery;

unsigned long TokenIntegrity(HANDLE process)
{
    UniqueHandle token;
    if (!OpenProcessToken(process, TOKEN_QUERY, token.put())) return 0;
    DWORD size = 0;
    GetTokenInformation(token.get(), TokenIntegrityLevel, nullptr, 0, &size);
    std::string buffer(size, '\0');
    if (size == 0 || !GetTokenInformation(token.get(), TokenIntegrityLevel, buffer.data(), size, &size)) return 0;
    const PSID sid = reinterpret_cast<TOKEN_MANDATORY_LABEL*>(buffer.data())->Label.Sid;
    const UCHAR count = *GetSidSubAuthorityCount(sid);
    return count == 0 ? 0 : *GetSidSubAuthority(sid, count - 1u);
}
}  // namespace

unsigned long IntegrityLevel(void* window)
{
    if (g_integrityQuery) return g_integrityQuery(window);
    if (window == nullptr) return TokenIntegrity(GetCurrentProcess());
    DWORD processId = 0;
    GetWindowThreadProcessId(static_cast<HWND>(window), &processId);
    UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    return process ? TokenIntegrity(process.get()) : 0;
}

IntegrityQuery SetIntegrityQuery(IntegrityQuery query) { return std::exchange(g_integrityQuery, std::move(query)); }

bool ProcessElevated() { return g_elevationQuery ? g_elevationQuery() : TokenElevated(); }

ElevationQuery SetElevationQuery(ElevationQuery query) { return std::exchange(g_elevationQuery, std::move(query)); }
