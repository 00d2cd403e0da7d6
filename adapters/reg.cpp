#include "adapters/reg.h"

#include "core/messagebox.h"

namespace {
void ShowFailed() { ShowMessageBox(nullptr, "failed", "failed", MB_OK); }

std::string FirstLine(const std::vector<std::string>& lines) { return lines.empty() ? std::string() : lines.front(); }
}  // namespace

void TReg::ReadMultiString(const std::string& name, std::vector<std::string>* strings)
{
    if (strings == nullptr) return;
    const std::optional<DWORD> size = GetDataSize(name);
    if (!size || *size < 1) return;

    RegistryData data;
    // A value that changed since its size was asked for is read again; a read that fails all
    // the same says "failed" and goes on with nothing.
    if (QueryRegistryValue(CurrentKey(), name, data) != ERROR_SUCCESS) ShowFailed();
    switch (data.type) {
    case REG_MULTI_SZ: {
        strings->clear();
        std::vector<std::string> lines = WalkMultiString(data.bytes, static_cast<DWORD>(data.bytes.size()));
        strings->insert(strings->end(), std::make_move_iterator(lines.begin()), std::make_move_iterator(lines.end()));
        break;
    }
    case REG_SZ: strings->assign(1, ReadString(name)); break;
    default: RaiseRegistryError("Invalid data type for '%s'", name);
    }
    if (data.bytes.size() < 2) strings->emplace_back();
}

void TReg::WriteMultiString(const std::string& name, const std::vector<std::string>& strings)
{
    if (!TryWriteData(name, REG_MULTI_SZ, BuildMultiString(strings))) ShowFailed();
}

std::vector<tadapter>& AdapterList()
{
    static std::vector<tadapter> list;
    return list;
}

void BuildAdapterList()
{
    std::vector<tadapter> list;
    TRegistry cards(KEY_READ);
    cards.SetRootKey(HKEY_LOCAL_MACHINE);
    if (cards.OpenKey(kNetworkCardsKey, false)) {
        for (const std::string& name : cards.GetKeyNames()) {
            TRegistry card(KEY_QUERY_VALUE);
            card.SetRootKey(HKEY_LOCAL_MACHINE);
            if (!card.OpenKey(std::string(kNetworkCardsKey) + "\\" + name, false)) continue;
            tadapter adapter;
            RegistryData data;
            // A ServiceName that is not a string is as good as none.
            if (QueryRegistryValue(card.CurrentKey(), "ServiceName", data) == ERROR_SUCCESS &&
                (data.type == REG_SZ || data.type == REG_EXPAND_SZ)) {
                adapter.ServiceName = StoredStringText(data.bytes);
            }
            list.push_back(std::move(adapter));
        }
    }
    AdapterList() = std::move(list);
}

tadapter* FindAdapterBySettingID(const std::string& settingId)
{
    std::vector<tadapter>& list = AdapterList();
    for (size_t position = 0; position < list.size(); ++position) {
        if (list[position].ServiceName == settingId) return LoadAdapterDetails(static_cast<int>(position));
    }
    return nullptr;
}

tadapter* LoadAdapterDetails(int position)
{
    std::vector<tadapter>& list = AdapterList();
    if (position < 0 || static_cast<size_t>(position) >= list.size()) return nullptr;
    tadapter& adapter = list[static_cast<size_t>(position)];

    // Read with read access only: Windows refuses a standard user anything more under HKLM, and
    // a refused open would make an adapter's stored settings look absent.
    TReg reg(KEY_READ);
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    if (!reg.OpenKey(kTcpipInterfacesKey + adapter.ServiceName, false)) return nullptr;

    std::vector<std::string> lines;
    const auto readFirstLine = [&](const char* valueName) {
        lines.clear();
        reg.ReadMultiString(valueName, &lines);
        return FirstLine(lines);
    };
    adapter.Address = readFirstLine("IPAddress");
    adapter.Mask = readFirstLine("SubnetMask");
    adapter.Gateway = readFirstLine("DefaultGateway");

    // Windows keeps the name servers as one comma-joined string; a multi-string of one
    // server per line is read the same way.
    const std::string servers = readFirstLine("NameServer");
    adapter.Dns1 = ExtractField(servers, 1, ',');
    adapter.Dns2 = lines.size() > 1 ? lines[1] : ExtractField(servers, 2, ',');

    adapter.DhcpEnabled = reg.ReadInteger("EnableDHCP");
    return &adapter;
}

void WriteDefaultGateway(const tadapter* adapter, const tGWSettings& settings)
{
    if (adapter == nullptr) return;
    const std::vector<std::string> lines{VariantToText(settings.Gateways)};
    TReg reg(KEY_SET_VALUE);
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    if (reg.OpenKey(kTcpipInterfacesKey + adapter->ServiceName, true)) reg.WriteMultiString("DefaultGateway", lines);
}

StoredGateway ReadStoredGateway(const tadapter* adapter)
{
    StoredGateway stored;
    if (adapter == nullptr) return stored;
    TRegistry reg(KEY_READ);
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    if (!reg.OpenKey(kTcpipInterfacesKey + adapter->ServiceName, false)) return stored;
    const LSTATUS status = QueryRegistryValue(reg.CurrentKey(), "DefaultGateway", stored.data);
    stored.known = status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
    stored.present = status == ERROR_SUCCESS;
    return stored;
}

void RestoreStoredGateway(const tadapter* adapter, const StoredGateway& stored)
{
    if (adapter == nullptr || !stored.known) return;
    TRegistry reg(KEY_SET_VALUE);
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    if (!reg.OpenKey(kTcpipInterfacesKey + adapter->ServiceName, false)) return;
    if (stored.present) {
        reg.WriteData("DefaultGateway", stored.data.type, stored.data.bytes);
    } else {
        reg.DeleteValue("DefaultGateway");
    }
}
