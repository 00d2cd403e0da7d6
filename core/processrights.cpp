#include "core/processrights.h"

#include <windows.h>

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
}  // namespace

bool ProcessElevated() { return g_elevationQuery ? g_elevationQuery() : TokenElevated(); }

ElevationQuery SetElevationQuery(ElevationQuery query) { return std::exchange(g_elevationQuery, std::move(query)); }
