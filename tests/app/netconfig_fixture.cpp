#include "app/netconfig_fixture.h"

#include <commctrl.h>

const char* const NetconfigTest::WiredName = "Realtek PCIe GbE Family Controller";
const char* const NetconfigTest::WirelessName = "Intel(R) Wi-Fi 6 AX201 160MHz";
const char* const NetconfigTest::BluetoothName = "Bluetooth Device (Personal Area Network)";

NetconfigTest::NetconfigTest()
{
    SimAdapter wired;
    wired.index = Wired;
    wired.description = L"Realtek PCIe GbE Family Controller";
    wired.settingId = L"{5D1C2E3A-1111-4F1A-9C3E-0050B6000003}";
    wired.macAddress = L"00:1B:21:00:00:03";
    wired.serviceName = L"rt640x64";
    wired.ipAddresses = {L"192.168.1.10"};
    wired.subnets = {L"255.255.255.0"};
    wired.gateways = {L"192.168.1.1"};
    wired.gatewayMetrics = {1};
    wired.dnsServers = {L"192.168.1.1", L"8.8.8.8"};
    wired.staticDns = true;
    network.AddAdapter(wired);

    SimAdapter wireless;
    wireless.index = Wireless;
    wireless.description = L"Intel(R) Wi-Fi 6 AX201 160MHz";
    wireless.settingId = L"{5D1C2E3A-2222-4F1A-9C3E-0050B6000007}";
    wireless.macAddress = L"00:1B:21:00:00:07";
    wireless.serviceName = L"Netwtw10";
    wireless.dhcpEnabled = true;
    wireless.ipAddresses = {L"10.0.7.100", L"10.0.7.101"};
    wireless.subnets = {L"255.255.255.0", L"255.255.255.0"};
    wireless.gateways = {L"10.0.7.1"};
    wireless.gatewayMetrics = {1};
    wireless.dnsServers = {L"10.0.7.1"};
    network.AddAdapter(wireless);

    SimAdapter bluetooth;
    bluetooth.index = Bluetooth;
    bluetooth.description = L"Bluetooth Device (Personal Area Network)";
    bluetooth.settingId = L"{5D1C2E3A-3333-4F1A-9C3E-0050B6000009}";
    bluetooth.macAddress = L"00:1B:21:00:00:09";
    bluetooth.serviceName = L"BthPan";
    bluetooth.ipEnabled = false;
    network.AddAdapter(bluetooth);
}

TForm1& NetconfigTest::CreateOnNetwork()
{
    return Create([this] { return network.Services(); });
}

Rows NetconfigTest::GridRows(const TValueListEditor& grid)
{
    Rows rows;
    for (int row = 0; row < grid.RowCount(); ++row)
        rows.emplace_back(grid.Key(row), grid.Value(row));
    return rows;
}

std::vector<std::string> NetconfigTest::SelectorEntries() const
{
    std::vector<std::string> entries;
    HWND combo = form->ComboBox1->Handle();
    const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        entries.emplace_back(text);
    }
    return entries;
}

int NetconfigTest::SelectedEntry() const
{
    return static_cast<int>(SendMessageA(form->ComboBox1->Handle(), CB_GETCURSEL, 0, 0));
}

std::string NetconfigTest::ShownTip() const
{
    for (auto call = area.calls.rbegin(); call != area.calls.rend(); ++call) {
        if (call->message == NIM_ADD || call->message == NIM_MODIFY) return call->record.szTip;
    }
    return {};
}

size_t NetconfigTest::QueryCount() const
{
    size_t count = 0;
    for (const SimCall& call : network.Calls())
        count += call.member == L"ExecQuery";
    return count;
}

HWND NetconfigTest::SelectorField() const { return FindWindowExA(form->ComboBox1->Handle(), nullptr, "Edit", nullptr); }

void NetconfigTest::PressDownInSelector() { SendMessageA(SelectorField(), WM_KEYDOWN, VK_DOWN, 0); }

void NetconfigTest::TypeInSelector(const std::string& text)
{
    HWND field = SelectorField();
    SendMessageA(field, EM_SETSEL, 0, -1);
    for (char c : text)
        SendMessageA(field, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 0);
}

void NetconfigTest::ClickValue(int row)
{
    const TValueListEditor& grid = *form->proplist;
    const int x = grid.KeyColumnWidth() + 20;
    const int y = row * grid.RowHeight() + grid.RowHeight() / 2;
    SendMessageA(grid.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(grid.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void NetconfigTest::EditValue(const std::string& key, const std::string& text)
{
    TValueListEditor& grid = *form->proplist;
    const int row = grid.FindRow(key);
    ASSERT_GE(row, 0) << key;
    ClickValue(row);
    ASSERT_TRUE(grid.Editing()) << key;
    HWND field = grid.Editor()->Handle();
    SendMessageA(field, EM_SETSEL, 0, -1);
    SendMessageA(field, WM_CLEAR, 0, 0);
    for (char c : text)
        SendMessageA(field, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 0);
    SendMessageA(field, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_FALSE(grid.Editing()) << key;
}

std::vector<std::string> NetconfigTest::ListCaptions() const
{
    std::vector<std::string> captions;
    const HWND list = form->ListView1->Handle();
    const auto count = SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        LVITEMA item{};
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        captions.push_back(text);
    }
    return captions;
}
