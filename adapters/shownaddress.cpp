#include "adapters/shownaddress.h"

#include <vector>

#include "adapters/addresstext.h"
#include "adapters/wmiworks.h"
#include "core/dispatch.h"

namespace {
// A lease value, or empty text where the registry has none (0.0.0.0 is none too).
std::string LeaseValue(TReg& reg, const char* name)
{
    std::vector<std::string> lines;
    reg.ReadMultiString(name, &lines);
    const std::string value = FirstIPv4(lines);
    return value == "0.0.0.0" ? std::string() : value;
}

std::string OrLive(const std::string& leased, const Variant& configuration, const wchar_t* property)
{
    return leased.empty() ? FirstIPv4Element(GetMember(configuration, property)) : leased;
}
}  // namespace

std::string FirstIPv4Element(const Variant& list)
{
    const auto elements = VariantToStringList(list);
    return elements ? FirstIPv4(*elements) : std::string();
}

AdapterAddress ShownAddress(const tadapter* stored, const Variant& configuration)
{
    if (stored == nullptr) {
        return {FirstIPv4Element(GetMember(configuration, L"IPAddress")),
                FirstIPv4Element(GetMember(configuration, L"IPSubnet")),
                FirstIPv4Element(GetMember(configuration, L"DefaultIPGateway"))};
    }
    if (stored->DhcpEnabled != 1) return {stored->Address, stored->Mask, stored->Gateway};

    AdapterAddress lease;
    TReg reg(KEY_READ);
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    if (reg.OpenKey(kTcpipInterfacesKey + stored->ServiceName, false)) {
        lease = {LeaseValue(reg, "DhcpIPAddress"), LeaseValue(reg, "DhcpSubnetMask"),
                 LeaseValue(reg, "DhcpDefaultGateway")};
    }
    return {OrLive(lease.address, configuration, L"IPAddress"), OrLive(lease.mask, configuration, L"IPSubnet"),
            OrLive(lease.gateway, configuration, L"DefaultIPGateway")};
}
