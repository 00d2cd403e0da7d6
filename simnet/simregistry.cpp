#include "simnet/simregistry.h"

#include <algorithm>
#include <exception>
#include <utility>
#include <vector>

#include "adapters/multistring.h"
#include "adapters/reg.h"
#include "core/registry.h"
#include "core/text.h"

namespace {
std::vector<std::string> AnsiLines(const std::vector<std::wstring>& texts)
{
    std::vector<std::string> lines;
    lines.reserve(texts.size());
    for (const std::wstring& text : texts)
        lines.push_back(AnsiFromWide(text));
    return lines;
}

std::string Joined(const std::vector<std::wstring>& texts, char separator)
{
    std::string joined;
    for (const std::wstring& text : texts) {
        if (!joined.empty()) joined.push_back(separator);
        joined += AnsiFromWide(text);
    }
    return joined;
}

std::string FirstAnsi(const std::vector<std::wstring>& texts)
{
    return texts.empty() ? std::string() : AnsiFromWide(texts.front());
}

bool KeyExists(const std::string& path)
{
    UniqueHkey key;
    return RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

void WriteLines(TRegistry& registry, const std::string& name, const std::vector<std::string>& lines)
{
    registry.WriteData(name, REG_MULTI_SZ, BuildMultiString(lines));
}

// Opens `path` below HKLM as the registry's current key, creating it when missing.
void OpenCreated(TRegistry& registry, const std::string& path)
{
    registry.CreateKey(path);
    if (!registry.OpenKey(path, false)) RaiseRegistryError("Failed to create key %s", path);
}
}  // namespace

SimRegistryMirror::SimRegistryMirror(SimNetwork network, int firstCardNumber)
    : m_network(std::move(network)), m_firstCardNumber(firstCardNumber)
{
}

SimRegistryMirror::~SimRegistryMirror() { Detach(); }

std::string SimRegistryMirror::CardKey(size_t position) const
{
    return std::string(kNetworkCardsKey) + "\\" + std::to_string(m_firstCardNumber + static_cast<int>(position));
}

void SimRegistryMirror::Attach()
{
    for (size_t position = 0; position < m_network.AdapterCount(); ++position)
        Write(m_network.AdapterAt(position), StoredGateways::Written);
    m_network.SetChangeListener(
        [this](const SimAdapter& adapter, StoredGateways gateways) { OnChanged(adapter, gateways); });
    m_network.SetStoredSettingsReader([this](SimAdapter& adapter) { ReadBack(adapter); });
    m_attached = true;
}

void SimRegistryMirror::Follow()
{
    m_network.SetChangeListener([this](const SimAdapter& adapter, StoredGateways gateways) {
        OnChanged(adapter, gateways);
        m_written.clear();
        m_madeParents.clear();
    });
    m_network.SetStoredSettingsReader([this](SimAdapter& adapter) { ReadBack(adapter); });
    m_attached = true;
}

void SimRegistryMirror::OnChanged(const SimAdapter& adapter, StoredGateways gateways) noexcept
{
    // The change arrives inside a simulated WMI call; nothing may be thrown back into it.
    try {
        Write(adapter, gateways);
        m_lastFailure.clear();
    } catch (const std::exception& error) {
        m_lastFailure = error.what();
    }
}

void SimRegistryMirror::NoteMadeParents(const std::string& path)
{
    for (size_t cut = path.rfind('\\'); cut != std::string::npos && cut > 0; cut = path.rfind('\\', cut - 1)) {
        const std::string parent = path.substr(0, cut);
        if (KeyExists(parent)) break;
        m_madeParents.push_back(parent);
    }
}

void SimRegistryMirror::Write(const SimAdapter& adapter, StoredGateways gateways)
{
    size_t position = 0;
    while (position < m_network.AdapterCount() && &m_network.AdapterAt(position) != &adapter)
        ++position;
    if (position == m_network.AdapterCount()) return;
    const int card = m_firstCardNumber + static_cast<int>(position);
    const std::string settingId = AnsiFromWide(adapter.settingId);

    TRegistry registry;
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    // The identifier changed: its old interface key goes, so nothing the mirror wrote is left
    // without an adapter.
    const auto written = m_written.find(card);
    if (written != m_written.end() && written->second != settingId) {
        registry.DeleteKey(kTcpipInterfacesKey + written->second);
        m_written.erase(written);
    }
    // An empty identifier, or one with a backslash, names no interface key of its own.
    if (settingId.empty() || settingId.find('\\') != std::string::npos) {
        registry.DeleteKey(CardKey(position));
        return;
    }

    const std::string cardKey = CardKey(position);
    const std::string interfaceKey = kTcpipInterfacesKey + settingId;
    NoteMadeParents(cardKey);
    NoteMadeParents(interfaceKey);
    m_written[card] = settingId;

    OpenCreated(registry, cardKey);
    registry.WriteString("ServiceName", settingId);
    registry.WriteString("Description", AnsiFromWide(adapter.description));

    OpenCreated(registry, interfaceKey);
    registry.WriteInteger("EnableDHCP", adapter.dhcpEnabled ? 1 : 0);
    // The static gateway list is kept whatever the mode, and written only by what writes it on
    // Windows: SetGateways writes here, never to the DHCP values; EnableStatic routes through
    // what is here, and EnableDHCP "does not clear any static default gateways". They and
    // setDNSServerSearchOrder leave the bytes as the program (or anyone) wrote them, an emptied
    // list as its one empty string.
    if (gateways == StoredGateways::Written) {
        WriteLines(registry, "DefaultGateway", AnsiLines(adapter.storedGateways));
        std::vector<std::string> metrics;
        for (int32_t metric : adapter.storedGatewayMetrics)
            metrics.push_back(std::to_string(metric));
        WriteLines(registry, "DefaultGatewayMetric", metrics);
    }
    if (adapter.dhcpEnabled) {
        // On DHCP the interface's own address reads 0.0.0.0 and the lease is kept apart.
        WriteLines(registry, "IPAddress", {"0.0.0.0"});
        WriteLines(registry, "SubnetMask", {"0.0.0.0"});
        // Without a lease (awaited, or none to come) the DHCP client's values read 0.0.0.0: the
        // registry reference's DhcpIPAddress entry is added "when the service is enabled" and
        // configured by DHCP, and IPAddress "to replace 0.0.0.0" overrides it.
        std::vector<std::wstring> leased;
        for (const std::wstring& gateway : adapter.gateways) {
            if (std::find(adapter.storedGateways.begin(), adapter.storedGateways.end(), gateway) ==
                adapter.storedGateways.end()) {
                leased.push_back(gateway);
            }
        }
        const bool hasLease = !adapter.ipAddresses.empty();
        registry.WriteString("DhcpIPAddress", hasLease ? FirstAnsi(adapter.ipAddresses) : "0.0.0.0");
        registry.WriteString("DhcpSubnetMask", hasLease ? FirstAnsi(adapter.subnets) : "0.0.0.0");
        WriteLines(registry, "DhcpDefaultGateway", AnsiLines(leased));
        if (adapter.staticDns) {
            registry.WriteString("NameServer", Joined(adapter.dnsServers, ','));
        } else {
            registry.WriteString("NameServer", "");
            registry.WriteString("DhcpNameServer", Joined(adapter.dnsServers, ' '));
        }
    } else {
        WriteLines(registry, "IPAddress", AnsiLines(adapter.ipAddresses));
        WriteLines(registry, "SubnetMask", AnsiLines(adapter.subnets));
        // Without DHCP every server in the list was set by hand.
        registry.WriteString("NameServer", Joined(adapter.dnsServers, ','));
    }
}

void SimRegistryMirror::ReadBack(SimAdapter& adapter) const
{
    // What the program wrote as "DefaultGateway" (it empties the list before it applies a
    // profile) is what the next static change routes through.
    UniqueHkey key;
    const std::string path = kTcpipInterfacesKey + AnsiFromWide(adapter.settingId);
    if (adapter.settingId.empty() ||
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS) {
        return;
    }
    RegistryData data;
    if (QueryRegistryValue(key.get(), "DefaultGateway", data) != ERROR_SUCCESS || data.type != REG_MULTI_SZ) return;
    std::vector<std::wstring> gateways;
    for (const std::string& line : WalkMultiString(data.bytes, data.bytes.size())) {
        if (!line.empty()) gateways.push_back(WideFromAnsi(line));
    }
    if (gateways == adapter.storedGateways) return;
    adapter.storedGateways = gateways;
    adapter.storedGatewayMetrics.assign(gateways.size(), 1);
}

void SimRegistryMirror::Detach() noexcept
{
    if (m_attached) {
        m_network.SetChangeListener(nullptr);
        m_network.SetStoredSettingsReader(nullptr);
    }
    m_attached = false;
    try {
        TRegistry registry;
        registry.SetRootKey(HKEY_LOCAL_MACHINE);
        for (const auto& [card, settingId] : m_written) {
            registry.DeleteKey(std::string(kNetworkCardsKey) + "\\" + std::to_string(card));
            registry.DeleteKey(kTcpipInterfacesKey + settingId);
        }
        m_written.clear();
        // Parents it had to make go too, innermost first, as long as nothing else is in them.
        for (const std::string& parent : m_madeParents)
            RegDeleteKeyA(HKEY_LOCAL_MACHINE, parent.c_str());
        m_madeParents.clear();
    } catch (const std::exception&) {
        // Leaving a key behind is all that can go wrong here.
    }
}
