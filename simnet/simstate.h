#pragma once
// The shared state behind a SimNetwork and every COM object it hands out.
#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/variant.h"
#include "simnet/simnetwork.h"

// How a scripted member fails: with a description, as DISP_E_EXCEPTION carrying hr.
struct SimFailure {
    HRESULT hr = E_FAIL;
    std::wstring description;
};

// Scripts are keyed by adapter Index and the member's name in lower case.
using ScriptKey = std::pair<int32_t, std::wstring>;
ScriptKey MakeScriptKey(int32_t index, std::wstring_view name);

// ASCII letter case only: member names are plain ASCII.
std::wstring LowerCase(std::wstring_view text);
bool SameName(std::wstring_view a, std::wstring_view b);

// A recursive mutex that runs the work deferred under it once its outermost hold is let go, on
// the thread that held it: the watchers are called outside the lock, yet on the changing thread.
class SimLock {
public:
    void lock()
    {
        m_mutex.lock();
        ++m_depth;
    }
    bool try_lock()
    {
        if (!m_mutex.try_lock()) return false;
        ++m_depth;
        return true;
    }
    void unlock() noexcept
    {
        if (--m_depth > 0 || m_deferred.empty()) {
            m_mutex.unlock();
            return;
        }
        std::vector<std::function<void()>> work = std::move(m_deferred);
        m_deferred.clear();
        m_mutex.unlock();
        for (const auto& item : work)
            item();
    }
    // Under the lock.
    void Defer(std::function<void()> work) { m_deferred.push_back(std::move(work)); }

private:
    std::recursive_mutex m_mutex;
    int m_depth = 0;
    std::vector<std::function<void()>> m_deferred;
};

// One watcher; `calling` is held through each call, so its removal can wait for a call in progress.
struct SimWatcher {
    std::function<void()> changed;
    std::recursive_mutex calling;
    bool removed = false;
    void Call()
    {
        const std::lock_guard guard(calling);
        if (!removed) changed();
    }
};

struct SimState {
    // Guards everything below; the objects may be called from any thread. Recursive because the
    // callbacks run under it and may call the network back (the registry mirror looks up the
    // adapter's position). Never held while a call waits its time.
    mutable SimLock lock;

    // A deque keeps references to adapters valid as more are added.
    std::deque<SimAdapter> adapters;

    std::map<ScriptKey, Variant> propertyOverrides;
    std::map<ScriptKey, SimFailure> propertyFailures;
    std::map<ScriptKey, int32_t> methodResults;
    std::map<ScriptKey, SimFailure> methodFailures;
    std::optional<SimFailure> queryFailure;

    std::vector<SimCall> calls;
    std::function<void(const SimAdapter&, StoredGateways)> listener;
    std::function<void(SimAdapter&)> storedSettingsReader;
    std::map<int, std::shared_ptr<SimWatcher>> watchers;
    int nextWatcherId = 1;
    bool withholdWifiNames = false;
    // Configuration methods answer 91 to a process without administrator rights.
    bool refuseUnelevated = false;
    // With the state shared with another process: `sync` takes in what that process wrote,
    // before every query and method call; `publish` writes it out after every change.
    std::function<void()> sync;
    std::function<void()> publish;

    // Simulated time: each member's (by lower-case name), the first connection's, a lease's.
    std::map<std::wstring, DWORD> callTimes;
    DWORD connectTime = 0;
    std::optional<std::chrono::steady_clock::time_point> connected;  // when the first connection ends
    DWORD leaseTime = 0;
    DWORD moveTime = 0;
    // Moves wait on `hurryChanged` (with its own mutex: a waiting move holds no network lock).
    std::mutex hurryMutex;
    std::condition_variable hurryChanged;
    bool hurried = false;

    // Under the lock.
    void NotifyChanged(const SimAdapter& adapter, StoredGateways gateways) const
    {
        if (listener) listener(adapter, gateways);
        if (publish) publish();
        TellWatchers();
    }
    void TellWatchers() const
    {
        for (const auto& [id, watcher] : watchers)
            lock.Defer([watcher = watcher] { watcher->Call(); });
    }
    // The GetTickCount64() value at which a lease asked for now comes.
    uint64_t LeaseDue() const { return GetTickCount64() + leaseTime; }

    // Logs a call as it arrives and lets it take its member's time, without the lock, as the
    // caller waits for WMI's answer.
    void Receive(SimCall call);
    // The lock for answering a call, once what another process shared and the DHCP leases that
    // have come meanwhile are taken in.
    std::unique_lock<SimLock> Answering();
};
