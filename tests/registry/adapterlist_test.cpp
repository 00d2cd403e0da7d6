#include <gtest/gtest.h>

#include "adapters/reg.h"
#include "support/boxes.h"
#include "support/errortext.h"
#include "support/registrykeys.h"
#include "support/seams.h"

using namespace std::string_literals;
using Texts = std::vector<std::string>;

namespace {
// NetworkCards numbers and setting identifiers of this test program only.
std::string CardPath(int number) { return std::string(kNetworkCardsKey) + "\\" + std::to_string(number); }
std::string InterfacePath(const std::string& settingId) { return kTcpipInterfacesKey + settingId; }

const std::string kFirstId = "{5E1F0A00-VELM-0RA0-REGT-000000000001}";
const std::string kSecondId = "{5E1F0A00-VELM-0RA0-REGT-000000000002}";

// One adapter as Windows keeps it: the NetworkCards entry and the Tcpip interface key.
class StoredAdapter {
public:
    StoredAdapter(int card, const std::string& settingId, bool withInterface = true)
        : m_card(CardPath(card)), m_interface(InterfacePath(settingId), withInterface)
    {
        m_card.SetString("ServiceName", settingId);
        m_card.SetString("Description", "Velmora test adapter");
        if (!withInterface) return;
        m_interface.SetMultiString("IPAddress", {"192.168.1.10", "192.168.1.11"});
        m_interface.SetMultiString("SubnetMask", {"255.255.255.0", "255.255.0.0"});
        m_interface.SetMultiString("DefaultGateway", {"192.168.1.1"});
        m_interface.SetString("NameServer", "8.8.8.8,8.8.4.4");
        m_interface.SetDword("EnableDHCP", 0);
    }
    const ScopedKey& Card() const { return m_card; }
    const ScopedKey& Interface() const { return m_interface; }

private:
    ScopedKey m_card;
    ScopedKey m_interface;
};

class AdapterListTest : public testing::Test {
protected:
    void TearDown() override { AdapterList().clear(); }
    MessageBoxRecorder m_boxes;
};
}  // namespace

TEST_F(AdapterListTest, FindsTheStoredSettingsBySettingId)
{
    StoredAdapter first(9501, kFirstId);
    StoredAdapter second(9502, kSecondId);
    second.Interface().SetMultiString("IPAddress", {"10.0.0.5"});
    second.Interface().SetDword("EnableDHCP", 1);
    BuildAdapterList();

    const tadapter* found = FindAdapterBySettingID(kFirstId);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->ServiceName, kFirstId);
    EXPECT_EQ(StoredSettings(*found),
              (Texts{"192.168.1.10", "255.255.255.0", "192.168.1.1", "8.8.8.8", "8.8.4.4", "0"}));

    found = FindAdapterBySettingID(kSecondId);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->Address, "10.0.0.5");
    EXPECT_EQ(found->DhcpEnabled, 1);
    EXPECT_TRUE(m_boxes.Calls().empty());
}

TEST_F(AdapterListTest, FindsNothingForAnotherLetterCaseAnUnknownIdOrAnEmptyList)
{
    StoredAdapter first(9501, kFirstId);
    BuildAdapterList();
    std::string lowered = kFirstId;
    for (char& c : lowered)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));

    EXPECT_EQ(FindAdapterBySettingID(lowered), nullptr);
    EXPECT_EQ(FindAdapterBySettingID("{00000000-0000-0000-0000-000000000000}"), nullptr);
    EXPECT_EQ(FindAdapterBySettingID(""), nullptr);
    EXPECT_NE(FindAdapterBySettingID(kFirstId), nullptr);

    AdapterList().clear();
    EXPECT_EQ(FindAdapterBySettingID(kFirstId), nullptr);
    EXPECT_EQ(LoadAdapterDetails(0), nullptr);
    EXPECT_EQ(LoadAdapterDetails(-1), nullptr);
}

TEST_F(AdapterListTest, ListsEveryReadableCardInRegistryOrder)
{
    StoredAdapter first(9501, kFirstId);
    StoredAdapter second(9502, kSecondId, false);
    ScopedKey nameless(CardPath(9503));
    ScopedKey unterminated(CardPath(9504));
    unterminated.SetRaw("ServiceName", REG_SZ, "{VELMORA-UNTERMINATED}"s);
    BuildAdapterList();

    std::vector<std::string> ours;
    for (const tadapter& adapter : AdapterList()) {
        if (adapter.ServiceName.find("VELM") != std::string::npos) ours.push_back(adapter.ServiceName);
    }
    EXPECT_EQ(ours, (std::vector<std::string>{kFirstId, kSecondId, "{VELMORA-UNTERMINATED}"}));
    // A card without an interface key is listed but cannot be looked up.
    EXPECT_EQ(FindAdapterBySettingID(kSecondId), nullptr);

    // The list is made anew, not added to.
    const size_t count = AdapterList().size();
    BuildAdapterList();
    EXPECT_EQ(AdapterList().size(), count);
}

TEST_F(AdapterListTest, ReadsTheNameServersInEveryStoredForm)
{
    struct Case {
        const char* what;
        DWORD type;
        std::string bytes;
        std::string dns1;
        std::string dns2;
    };
    const Case cases[] = {
        {"empty single string", REG_SZ, "\0"s, "", ""},
        {"comma-joined", REG_SZ, "8.8.8.8,8.8.4.4\0"s, "8.8.8.8", "8.8.4.4"},
        {"comma and space", REG_SZ, "8.8.8.8, 8.8.4.4\0"s, "8.8.8.8", " 8.8.4.4"},
        {"one server", REG_SZ, "8.8.8.8\0"s, "8.8.8.8", ""},
        {"two lines", REG_MULTI_SZ, "1.1.1.1\0009.9.9.9\0\0"s, "1.1.1.1", "9.9.9.9"},
        {"empty multi-string", REG_MULTI_SZ, "\0\0"s, "", ""},
    };
    StoredAdapter first(9501, kFirstId);
    BuildAdapterList();
    for (const Case& c : cases) {
        first.Interface().SetRaw("NameServer", c.type, c.bytes);
        const tadapter* found = FindAdapterBySettingID(kFirstId);
        ASSERT_NE(found, nullptr) << c.what;
        EXPECT_EQ(found->Dns1, c.dns1) << c.what;
        EXPECT_EQ(found->Dns2, c.dns2) << c.what;
    }
}

TEST_F(AdapterListTest, LeavesAbsentValuesEmptyAndReloadsOnEveryLookup)
{
    StoredAdapter first(9501, kFirstId);
    BuildAdapterList();
    ASSERT_NE(FindAdapterBySettingID(kFirstId), nullptr);

    UniqueHkey key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, first.Interface().Path().c_str(), 0, KEY_ALL_ACCESS, key.put()),
              ERROR_SUCCESS);
    for (const char* name : {"IPAddress", "SubnetMask", "DefaultGateway", "NameServer"}) {
        RegDeleteValueA(key.get(), name);
    }
    const tadapter* found = FindAdapterBySettingID(kFirstId);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(StoredSettings(*found), (Texts{"", "", "", "", "", "0"}));
}

TEST_F(AdapterListTest, KeepsEarlierDetailsWhenTheInterfaceKeyIsGone)
{
    StoredAdapter first(9501, kFirstId);
    BuildAdapterList();
    ASSERT_NE(FindAdapterBySettingID(kFirstId), nullptr);
    ASSERT_EQ(RegDeleteTreeA(HKEY_LOCAL_MACHINE, first.Interface().Path().c_str()), ERROR_SUCCESS);

    EXPECT_EQ(FindAdapterBySettingID(kFirstId), nullptr);
    bool kept = false;
    for (const tadapter& adapter : AdapterList()) {
        if (adapter.ServiceName == kFirstId) kept = adapter.Address == "192.168.1.10";
    }
    EXPECT_TRUE(kept);
}

TEST_F(AdapterListTest, RaisesTheRegistryErrorsForBadValues)
{
    struct Case {
        const char* name;
        DWORD type;
        std::string bytes;
        std::string error;
    };
    const Case cases[] = {
        {"EnableDHCP", REG_SZ, "1\0"s, "Invalid data type for 'EnableDHCP'"},
        {"EnableDHCP", REG_BINARY, "\x01\0\0\0"s, "Invalid data type for 'EnableDHCP'"},
        {"IPAddress", REG_DWORD, "\x01\0\0\0"s, "Invalid data type for 'IPAddress'"},
        {"NameServer", REG_EXPAND_SZ, "8.8.8.8\0"s, "Invalid data type for 'NameServer'"},
    };
    for (const Case& c : cases) {
        StoredAdapter first(9501, kFirstId);
        BuildAdapterList();
        first.Interface().SetRaw(c.name, c.type, c.bytes);
        EXPECT_EQ(ErrorText([] { FindAdapterBySettingID(kFirstId); }), c.error);
    }

    StoredAdapter first(9501, kFirstId);
    BuildAdapterList();
    UniqueHkey key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, first.Interface().Path().c_str(), 0, KEY_ALL_ACCESS, key.put()),
              ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteValueA(key.get(), "EnableDHCP"), ERROR_SUCCESS);
    EXPECT_EQ(ErrorText([] { FindAdapterBySettingID(kFirstId); }), "Failed to get data for 'EnableDHCP'");
}

TEST_F(AdapterListTest, WriteDefaultGatewayEmptiesTheStoredList)
{
    StoredAdapter first(9501, kFirstId);
    first.Interface().SetMultiString("DefaultGatewayMetric", {"1"});
    BuildAdapterList();
    const tadapter* found = FindAdapterBySettingID(kFirstId);
    ASSERT_NE(found, nullptr);

    WriteDefaultGateway(found, tGWSettings{});
    const std::optional<RegistryData> stored = ReadRaw(first.Interface().Path(), "DefaultGateway");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, static_cast<DWORD>(REG_MULTI_SZ));
    EXPECT_EQ(stored->bytes, "\0\0"s);
    EXPECT_EQ(ReadRaw(first.Interface().Path(), "DefaultGatewayMetric")->bytes, "1\0\0"s);
    EXPECT_EQ(ReadRaw(first.Interface().Path(), "IPAddress")->bytes, "192.168.1.10\000192.168.1.11\0\0"s);
    EXPECT_EQ(FindAdapterBySettingID(kFirstId)->Gateway, "");
    EXPECT_TRUE(m_boxes.Calls().empty());
}

TEST_F(AdapterListTest, WriteDefaultGatewayCreatesAMissingInterfaceKey)
{
    StoredAdapter second(9502, kSecondId, false);
    BuildAdapterList();
    tadapter adapter;
    adapter.ServiceName = kSecondId;
    ASSERT_FALSE(KeyExists(second.Interface().Path()));

    WriteDefaultGateway(&adapter, tGWSettings{});
    const std::optional<RegistryData> stored = ReadRaw(second.Interface().Path(), "DefaultGateway");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, static_cast<DWORD>(REG_MULTI_SZ));
    EXPECT_EQ(stored->bytes, "\0\0"s);
}

TEST_F(AdapterListTest, WriteDefaultGatewayStoresTheGatewaysAsTheirDisplayText)
{
    StoredAdapter first(9501, kFirstId);
    tadapter adapter;
    adapter.ServiceName = kFirstId;
    tGWSettings settings;
    settings.Gateways = TextArray({"10.0.0.1"}, 0);
    settings.Metrics = IntArray({1}, 0);
    WriteDefaultGateway(&adapter, settings);
    EXPECT_EQ(ReadRaw(first.Interface().Path(), "DefaultGateway")->bytes, "10.0.0.1 \0\0"s);

    WriteDefaultGateway(nullptr, tGWSettings{});  // no adapter: nothing to write, no error
    EXPECT_EQ(ReadRaw(first.Interface().Path(), "DefaultGateway")->bytes, "10.0.0.1 \0\0"s);
}

// A standard user, whom Windows refuses any access beyond reading under HKLM, still reads every
// stored setting a change keeps for Undo: the servers set by hand, the stored gateway, the lease.
TEST_F(AdapterListTest, AStandardUserReadsEveryStoredSetting)
{
    StoredAdapter first(9501, kFirstId);
    const SeamGuard<RegistryOpenRule> standardUser(SetRegistryOpenRule, [](HKEY root, REGSAM access) -> LSTATUS {
        return root == HKEY_LOCAL_MACHINE && (access & ~KEY_READ) != 0 ? ERROR_ACCESS_DENIED : ERROR_SUCCESS;
    });
    BuildAdapterList();
    const tadapter* found = FindAdapterBySettingID(kFirstId);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(StoredSettings(*found),
              (Texts{"192.168.1.10", "255.255.255.0", "192.168.1.1", "8.8.8.8", "8.8.4.4", "0"}));
    const StoredGateway gateway = ReadStoredGateway(found);
    EXPECT_TRUE(gateway.known && gateway.present);
    // Writing is refused, as it is to a standard user: the elevated run writes.
    WriteDefaultGateway(found, tGWSettings{});
    EXPECT_EQ(ReadStoredGateway(found).data.bytes, gateway.data.bytes);
    EXPECT_TRUE(m_boxes.empty());
}
