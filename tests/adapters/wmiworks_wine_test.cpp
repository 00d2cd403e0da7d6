// The WMI door against the platform's own WMI: connect through the moniker, query,
// enumerate and read. Nothing here calls a configuration method: no test may change the
// machine's network.
#include <gtest/gtest.h>

#include <set>

#include "adapters/wmiworks.h"
#include "core/dispatch.h"
#include "core/error.h"

namespace {
std::vector<Variant> Items(const Variant& collection)
{
    std::vector<Variant> items;
    Variant holder = GetMember(collection, L"_NewEnum");
    IEnumVARIANT* items_enum = nullptr;
    EXPECT_EQ(holder.get().punkVal->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(&items_enum)), S_OK);
    Variant item;
    ULONG fetched = 0;
    while (items_enum->Next(1, item.put(), &fetched) == S_OK)
        items.push_back(std::move(item));
    items_enum->Release();
    return items;
}
}  // namespace

class PlatformWmi : public testing::Test {
protected:
    static void SetUpTestSuite() { s_services = new Variant(ConnectWmiServices()); }
    static void TearDownTestSuite()
    {
        delete s_services;
        s_services = nullptr;
    }
    static Variant* s_services;
};
Variant* PlatformWmi::s_services = nullptr;

TEST_F(PlatformWmi, ConnectsThroughTheMonikerToAnAutomationObject) { EXPECT_TRUE(s_services->HoldsObject()); }

TEST_F(PlatformWmi, BothQueriesAnswerAndTheFilteredOneIsASubset)
{
    Variant all = QueryAdapterConfigurations(*s_services, false);
    Variant enabled = QueryAdapterConfigurations(*s_services, true);
    std::set<int32_t> allIndexes;
    for (const Variant& item : Items(all))
        allIndexes.insert(VariantInt(GetMember(item, L"Index").get()));
    ASSERT_FALSE(allIndexes.empty()) << "the machine reports no adapter configuration";
    for (const Variant& item : Items(enabled)) {
        EXPECT_TRUE(allIndexes.count(VariantInt(GetMember(item, L"Index").get())));
        EXPECT_EQ(VariantText(GetMember(item, L"IPEnabled").get()), "True");
    }
}

TEST_F(PlatformWmi, TheResultCanBeEnumeratedAgainAndFindsEachIndex)
{
    Variant all = QueryAdapterConfigurations(*s_services, false);
    const std::vector<Variant> first = Items(all);
    EXPECT_EQ(Items(all).size(), first.size());
    for (const Variant& item : first) {
        const int32_t index = VariantInt(GetMember(item, L"Index").get());
        Variant found = FindAdapterConfiguration(all, index);
        ASSERT_TRUE(found.HoldsObject());
        EXPECT_EQ(VariantText(GetMember(found, L"SettingID").get()), VariantText(GetMember(item, L"SettingID").get()));
    }
    Variant missing = FindAdapterConfiguration(all, 987654);
    EXPECT_EQ(missing.Type(), VT_I4);
    EXPECT_EQ(missing.get().lVal, 0);
}

TEST_F(PlatformWmi, PropertiesReadInTheFormsTheProgramShows)
{
    Variant all = QueryAdapterConfigurations(*s_services, false);
    for (const Variant& item : Items(all)) {
        EXPECT_FALSE(VariantToText(GetMember(item, L"Description")).empty());
        EXPECT_NO_THROW(VariantToText(GetMember(item, L"MACAddress")));
        const std::string dhcp = VariantToText(GetMember(item, L"DHCPEnabled"));
        EXPECT_TRUE(dhcp == "True" || dhcp == "False") << dhcp;
        for (const wchar_t* name : {L"IPAddress", L"IPSubnet", L"DefaultIPGateway", L"DNSServerSearchOrder"}) {
            Variant value = GetMember(item, name);
            EXPECT_TRUE(value.IsNull() || value.IsArray()) << "type " << value.Type();
            const std::string text = VariantToText(value);
            EXPECT_TRUE(text.empty() || text.back() == ' ') << text;
        }
    }
}

TEST(WmiDoor, UnknownMembersAndMissingObjectsRaiseTheirOwnTexts)
{
    Variant nothing = Variant::FromInt(0);
    try {
        QueryAdapterConfigurations(nothing, true);
        FAIL() << "a services variant holding no object must raise";
    } catch (const AppError& e) {
        EXPECT_STREQ(e.what(), "Invalid variant operation");
    }
    EXPECT_THROW(FindAdapterConfiguration(nothing, 1), AppError);
}
