#include "simnet/simstate.h"

#include "simnet/configmethods.h"
#include "simnet/simwait.h"

std::wstring LowerCase(std::wstring_view text)
{
    std::wstring lower(text);
    for (wchar_t& c : lower) {
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    }
    return lower;
}

bool SameName(std::wstring_view a, std::wstring_view b) { return LowerCase(a) == LowerCase(b); }

ScriptKey MakeScriptKey(int32_t index, std::wstring_view name) { return {index, LowerCase(name)}; }

void SimState::Receive(SimCall call)
{
    DWORD time = 0;
    {
        const std::lock_guard guard(lock);
        const auto found = callTimes.find(LowerCase(call.member));
        if (found != callTimes.end()) time = found->second;
        calls.push_back(std::move(call));
    }
    WaitAsForComServer(time);
}

std::unique_lock<SimLock> SimState::Answering()
{
    std::unique_lock guard(lock);
    if (sync) sync();
    // No timer brings a lease: the first call after its time finds it, on that call's thread,
    // and the registry mirror writes it then, before the call's answer is made.
    const uint64_t now = GetTickCount64();
    for (SimAdapter& adapter : adapters) {
        if (TakeDueLease(adapter, now)) NotifyChanged(adapter, StoredGateways::Untouched);
    }
    return guard;
}
