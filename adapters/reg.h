#pragma once
// The TCP/IP settings Windows stores for each network adapter, found by WMI's SettingID,
// which is the adapter's "ServiceName" under NetworkCards and the name of its Tcpip
// interface key. Complements the live configuration that wmiworks reads.
#include <cstdint>
#include <string>
#include <vector>

#include "adapters/multistring.h"  // ExtractField
#include "adapters/wmiworks.h"
#include "core/registry.h"

// The registry accessor with multi-string values. Both methods work on the current key.
class TReg : public TRegistry {
public:
    using TRegistry::TRegistry;

    // Fills `strings` from a REG_MULTI_SZ value (or one line from a REG_SZ value). An absent
    // or empty value leaves the list as it was; a read that fails shows the "failed" box and
    // goes on with what it reported. Raises "Invalid data type for '%s'" for another type.
    void ReadMultiString(const std::string& name, std::vector<std::string>* strings);
    // Stores `strings` as a REG_MULTI_SZ value; a store that fails shows the "failed" box.
    void WriteMultiString(const std::string& name, const std::vector<std::string>& strings);
};

// One adapter's stored settings. Only the first address, mask and gateway of the stored
// lists are kept. The fields from Address on are filled by LoadAdapterDetails.
class tadapter {
public:
    std::string ServiceName;
    std::string Address;
    std::string Mask;
    std::string Gateway;
    std::string Dns1;
    std::string Dns2;
    int32_t DhcpEnabled = 0;  // exactly 1 means DHCP is on
};

// The adapters under NetworkCards, in the registry's order; made anew by BuildAdapterList.
// An entry stays where it is until the next rebuild.
std::vector<tadapter>& AdapterList();

void BuildAdapterList();
// The entry whose ServiceName equals `settingId` (letter case included), its details loaded
// afresh; none when no entry matches or its interface key cannot be opened.
tadapter* FindAdapterBySettingID(const std::string& settingId);
// Loads the interface key's settings into the entry at `position` and returns it; none when
// there is no such entry or its interface key cannot be opened with full access.
tadapter* LoadAdapterDetails(int position);
// Stores the record's gateways (as VariantToText gives them) as the adapter's
// "DefaultGateway", creating the interface key when missing. An empty record empties the
// stored list. Nothing happens without an adapter or when the key cannot be opened.
void WriteDefaultGateway(const tadapter* adapter, const tGWSettings& settings);

// The adapter's stored "DefaultGateway" as it stands, so that a refused change can put it
// back: `known` when the interface key could be read, `present` when the value was there.
struct StoredGateway {
    bool known = false;
    bool present = false;
    RegistryData data;
};
StoredGateway ReadStoredGateway(const tadapter* adapter);
// Puts the value back as it was read: its type and bytes, or no value when there was none.
void RestoreStoredGateway(const tadapter* adapter, const StoredGateway& stored);

// Where Windows keeps the two halves, under HKEY_LOCAL_MACHINE: NetworkCards has one subkey
// per adapter with its "ServiceName"; the interface key's name is that ServiceName.
inline constexpr char kNetworkCardsKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards";
inline constexpr char kTcpipInterfacesKey[] = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\";
