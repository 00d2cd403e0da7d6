#include "simnet/simnetwork.h"

#include <mutex>
#include <utility>

#include "simnet/simobjects.h"
#include "simnet/simstate.h"
#include "simnet/simwait.h"

using Guard = std::lock_guard<SimLock>;

SimNetwork::SimNetwork() : m_state(std::make_shared<SimState>()), m_services(MakeServicesObject(m_state)) {}

SimAdapter& SimNetwork::AddAdapter(SimAdapter adapter)
{
    if (!adapter.dhcpEnabled && adapter.storedGateways.empty()) {
        adapter.storedGateways = adapter.gateways;
        adapter.storedGatewayMetrics = adapter.gatewayMetrics;
    }
    const Guard guard(m_state->lock);
    SimAdapter& added = m_state->adapters.emplace_back(std::move(adapter));
    m_state->NotifyChanged(added, StoredGateways::Written);
    return added;
}

Variant SimNetwork::Services() const
{
    // Connecting while the WMI service starts waits for it, as every connection made before it
    // is up does; later ones do not wait.
    using std::chrono::steady_clock;
    steady_clock::duration left{};
    {
        const Guard guard(m_state->lock);
        const steady_clock::time_point now = steady_clock::now();
        if (!m_state->connected) m_state->connected = now + std::chrono::milliseconds(m_state->connectTime);
        if (now < *m_state->connected) left = *m_state->connected - now;
    }
    WaitAsForComServer(static_cast<DWORD>(std::chrono::ceil<std::chrono::milliseconds>(left).count()));
    return Variant::FromDispatch(m_services.Get());
}

namespace {
SimAdapter* FindByIndex(std::deque<SimAdapter>& adapters, int32_t index)
{
    for (SimAdapter& adapter : adapters) {
        if (adapter.index == index) return &adapter;
    }
    return nullptr;
}
}  // namespace

const SimAdapter* SimNetwork::Adapter(int32_t index) const
{
    const Guard guard(m_state->lock);
    return FindByIndex(m_state->adapters, index);
}

SimAdapter* SimNetwork::MutableAdapter(int32_t index)
{
    const Guard guard(m_state->lock);
    return FindByIndex(m_state->adapters, index);
}

size_t SimNetwork::AdapterCount() const
{
    const Guard guard(m_state->lock);
    return m_state->adapters.size();
}

const SimAdapter& SimNetwork::AdapterAt(size_t position) const
{
    const Guard guard(m_state->lock);
    return m_state->adapters.at(position);
}

void SimNetwork::AdapterChanged(int32_t index)
{
    const Guard guard(m_state->lock);
    if (const SimAdapter* adapter = Adapter(index)) m_state->NotifyChanged(*adapter, StoredGateways::Written);
}

std::optional<SimAdapter> SimNetwork::FindAdapter(const std::function<bool(const SimAdapter&)>& match) const
{
    const auto answering = m_state->Answering();
    for (const SimAdapter& adapter : m_state->adapters) {
        if (match(adapter)) return adapter;
    }
    return std::nullopt;
}

bool SimNetwork::EditAdapter(int32_t index, const std::function<bool(SimAdapter&)>& edit)
{
    const auto answering = m_state->Answering();
    SimAdapter* adapter = FindByIndex(m_state->adapters, index);
    if (adapter == nullptr || !edit(*adapter)) return false;
    m_state->NotifyChanged(*adapter, StoredGateways::Untouched);
    return true;
}

void SimNetwork::OverrideProperty(int32_t index, const std::wstring& name, Variant value)
{
    const Guard guard(m_state->lock);
    m_state->propertyOverrides.insert_or_assign(MakeScriptKey(index, name), std::move(value));
}

void SimNetwork::FailProperty(int32_t index, const std::wstring& name, HRESULT hr, std::wstring description)
{
    const Guard guard(m_state->lock);
    m_state->propertyFailures.insert_or_assign(MakeScriptKey(index, name), SimFailure{hr, std::move(description)});
}

void SimNetwork::SetMethodResult(int32_t index, const std::wstring& method, int32_t code)
{
    const Guard guard(m_state->lock);
    m_state->methodResults.insert_or_assign(MakeScriptKey(index, method), code);
}

void SimNetwork::FailMethod(int32_t index, const std::wstring& method, HRESULT hr, std::wstring description)
{
    const Guard guard(m_state->lock);
    m_state->methodFailures.insert_or_assign(MakeScriptKey(index, method), SimFailure{hr, std::move(description)});
}

void SimNetwork::FailQuery(HRESULT hr, std::wstring description)
{
    const Guard guard(m_state->lock);
    m_state->queryFailure = SimFailure{hr, std::move(description)};
}

void SimNetwork::ClearScripts()
{
    const Guard guard(m_state->lock);
    m_state->propertyOverrides.clear();
    m_state->propertyFailures.clear();
    m_state->methodResults.clear();
    m_state->methodFailures.clear();
    m_state->queryFailure.reset();
}

const std::vector<SimCall>& SimNetwork::Calls() const { return m_state->calls; }

std::vector<SimCall> SimNetwork::CallsSoFar() const
{
    const Guard guard(m_state->lock);
    return m_state->calls;
}

void SimNetwork::ClearCalls()
{
    const Guard guard(m_state->lock);
    m_state->calls.clear();
}

void SimNetwork::SetCallTime(const std::wstring& member, DWORD milliseconds)
{
    const Guard guard(m_state->lock);
    m_state->callTimes.insert_or_assign(LowerCase(member), milliseconds);
}

void SimNetwork::SetConnectTime(DWORD milliseconds)
{
    const Guard guard(m_state->lock);
    m_state->connectTime = milliseconds;
}

void SimNetwork::SetLeaseTime(DWORD milliseconds)
{
    const Guard guard(m_state->lock);
    m_state->leaseTime = milliseconds;
}

void SimNetwork::SetMoveTime(DWORD milliseconds)
{
    const Guard guard(m_state->lock);
    m_state->moveTime = milliseconds;
}

DWORD SimNetwork::MoveTime() const
{
    const Guard guard(m_state->lock);
    return m_state->moveTime;
}

DWORD SimNetwork::LeaseTime() const
{
    const Guard guard(m_state->lock);
    return m_state->leaseTime;
}

void SimNetwork::MoveWait(DWORD milliseconds) const
{
    std::unique_lock guard(m_state->hurryMutex);
    m_state->hurryChanged.wait_for(guard, std::chrono::milliseconds(milliseconds), [&] { return m_state->hurried; });
}

void SimNetwork::HurryMoves()
{
    {
        const std::lock_guard guard(m_state->hurryMutex);
        m_state->hurried = true;
    }
    m_state->hurryChanged.notify_all();
}

int SimNetwork::AddWatcher(std::function<void()> changed)
{
    auto watcher = std::make_shared<SimWatcher>();
    watcher->changed = std::move(changed);
    const Guard guard(m_state->lock);
    const int id = m_state->nextWatcherId++;
    m_state->watchers.emplace(id, std::move(watcher));
    return id;
}

void SimNetwork::RemoveWatcher(int id)
{
    std::shared_ptr<SimWatcher> watcher;
    {
        const Guard guard(m_state->lock);
        const auto found = m_state->watchers.find(id);
        if (found == m_state->watchers.end()) return;
        watcher = std::move(found->second);
        m_state->watchers.erase(found);
    }
    // Calls already deferred still hold the watcher: they find it removed.
    const std::lock_guard calling(watcher->calling);
    watcher->removed = true;
}

void SimNetwork::WithholdWifiNames(bool withhold)
{
    const Guard guard(m_state->lock);
    m_state->withholdWifiNames = withhold;
}

bool SimNetwork::WifiNamesWithheld() const
{
    const Guard guard(m_state->lock);
    return m_state->withholdWifiNames;
}

void SimNetwork::SetChangeListener(std::function<void(const SimAdapter&, StoredGateways)> listener)
{
    // Once this returns, no call of the previous listener is running (they run under the lock).
    const Guard guard(m_state->lock);
    m_state->listener = std::move(listener);
}

void SimNetwork::SetStoredSettingsReader(std::function<void(SimAdapter&)> reader)
{
    const Guard guard(m_state->lock);
    m_state->storedSettingsReader = std::move(reader);
}
