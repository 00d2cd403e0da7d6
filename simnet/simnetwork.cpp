#include "simnet/simnetwork.h"

#include <utility>

#include "simnet/simobjects.h"
#include "simnet/simstate.h"

SimNetwork::SimNetwork() : m_state(std::make_shared<SimState>()), m_services(MakeServicesObject(m_state)) {}

SimAdapter& SimNetwork::AddAdapter(SimAdapter adapter)
{
    if (!adapter.dhcpEnabled && adapter.storedGateways.empty()) {
        adapter.storedGateways = adapter.gateways;
        adapter.storedGatewayMetrics = adapter.gatewayMetrics;
    }
    SimAdapter& added = m_state->adapters.emplace_back(std::move(adapter));
    m_state->NotifyChanged(added, StoredGateways::Written);
    return added;
}

Variant SimNetwork::Services() const { return Variant::FromDispatch(m_services.Get()); }

namespace {
SimAdapter* FindAdapter(std::deque<SimAdapter>& adapters, int32_t index)
{
    for (SimAdapter& adapter : adapters) {
        if (adapter.index == index) return &adapter;
    }
    return nullptr;
}
}  // namespace

const SimAdapter* SimNetwork::Adapter(int32_t index) const { return FindAdapter(m_state->adapters, index); }

SimAdapter* SimNetwork::MutableAdapter(int32_t index) { return FindAdapter(m_state->adapters, index); }

size_t SimNetwork::AdapterCount() const { return m_state->adapters.size(); }

const SimAdapter& SimNetwork::AdapterAt(size_t position) const { return m_state->adapters.at(position); }

void SimNetwork::AdapterChanged(int32_t index)
{
    if (const SimAdapter* adapter = Adapter(index)) m_state->NotifyChanged(*adapter, StoredGateways::Written);
}

void SimNetwork::OverrideProperty(int32_t index, const std::wstring& name, Variant value)
{
    m_state->propertyOverrides.insert_or_assign(MakeScriptKey(index, name), std::move(value));
}

void SimNetwork::FailProperty(int32_t index, const std::wstring& name, HRESULT hr, std::wstring description)
{
    m_state->propertyFailures.insert_or_assign(MakeScriptKey(index, name), SimFailure{hr, std::move(description)});
}

void SimNetwork::SetMethodResult(int32_t index, const std::wstring& method, int32_t code)
{
    m_state->methodResults.insert_or_assign(MakeScriptKey(index, method), code);
}

void SimNetwork::FailMethod(int32_t index, const std::wstring& method, HRESULT hr, std::wstring description)
{
    m_state->methodFailures.insert_or_assign(MakeScriptKey(index, method), SimFailure{hr, std::move(description)});
}

void SimNetwork::FailQuery(HRESULT hr, std::wstring description)
{
    m_state->queryFailure = SimFailure{hr, std::move(description)};
}

void SimNetwork::ClearScripts()
{
    m_state->propertyOverrides.clear();
    m_state->propertyFailures.clear();
    m_state->methodResults.clear();
    m_state->methodFailures.clear();
    m_state->queryFailure.reset();
}

const std::vector<SimCall>& SimNetwork::Calls() const { return m_state->calls; }

void SimNetwork::ClearCalls() { m_state->calls.clear(); }

void SimNetwork::SetChangeListener(std::function<void(const SimAdapter&, StoredGateways)> listener)
{
    m_state->listener = std::move(listener);
}

void SimNetwork::SetStoredSettingsReader(std::function<void(SimAdapter&)> reader)
{
    m_state->storedSettingsReader = std::move(reader);
}
