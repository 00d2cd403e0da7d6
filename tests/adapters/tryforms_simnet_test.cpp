// The Try forms of late binding answer "absent" only for a member the object does not have; a
// read or call that fails for any other reason raises, naming the member and the place.
#include <gtest/gtest.h>

#include <string>

#include "adapters/wmiworks.h"
#include "core/check.h"
#include "core/dispatch.h"
#include "core/error.h"
#include "simnet/simnetwork.h"

namespace {
constexpr HRESULT kWbemNotFound = static_cast<HRESULT>(0x80041002L);

SimNetwork OneAdapter()
{
    SimNetwork network;
    SimAdapter adapter;
    adapter.index = 1;
    adapter.description = L"Ethernet";
    adapter.settingId = L"{ID-1}";
    adapter.ipEnabled = true;
    network.AddAdapter(adapter);
    return network;
}

Variant Adapter(const SimNetwork& network)
{
    return FindAdapterConfiguration(QueryAdapterConfigurations(network.Services(), false), 1);
}
}  // namespace

TEST(TryForms, AMissingMemberIsAbsent)
{
    struct Case {
        const char* name;
        HRESULT hr;  // how the object says the member is not there; S_OK: never scripted
        const wchar_t* description;
    };
    const Case cases[] = {
        {"not a member of the object", S_OK, L""},         {"unknown name", DISP_E_UNKNOWNNAME, L""},
        {"member not found", DISP_E_MEMBERNOTFOUND, L""},  {"WMI's not found, raised", kWbemNotFound, L"Not found"},
        {"WMI's not found, returned", kWbemNotFound, L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimNetwork network = OneAdapter();
        if (c.hr != S_OK) {
            network.FailProperty(1, L"ServiceName", c.hr, c.description);
            network.FailMethod(1, L"EnableDHCP", c.hr, c.description);
        }
        const Variant adapter = Adapter(network);
        const wchar_t* property = c.hr == S_OK ? L"NoSuchProperty" : L"ServiceName";
        const wchar_t* method = c.hr == S_OK ? L"NoSuchMethod" : L"EnableDHCP";
        EXPECT_FALSE(TryGetMember(adapter, property));
        EXPECT_FALSE(TryCallMethod(adapter, method, {}));
        // A member that is there still reads.
        const std::optional<Variant> description = TryGetMember(adapter, L"Description");
        ASSERT_TRUE(description);
        EXPECT_EQ(VariantText(description->get()), "Ethernet");
    }
}

TEST(TryForms, AnyOtherFailureRaisesWithItsCallAndPlace)
{
    struct Case {
        const char* name;
        HRESULT hr;
        const wchar_t* description;
        const char* text;
    };
    const Case cases[] = {
        {"connection lost", RPC_E_DISCONNECTED, L"", nullptr},
        {"access denied", E_ACCESSDENIED, L"", nullptr},
        {"WMI's generic failure", static_cast<HRESULT>(0x80041001L), L"Generic failure", "Generic failure"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimNetwork network = OneAdapter();
        network.FailProperty(1, L"SettingID", c.hr, c.description);
        network.FailMethod(1, L"EnableDHCP", c.hr, c.description);
        const Variant adapter = Adapter(network);
        const std::string reason = c.text != nullptr ? c.text : SystemMessageText(static_cast<DWORD>(c.hr));

        unsigned line = __LINE__ + 2;
        try {
            (void)TryGetMember(adapter, L"SettingID");
            ADD_FAILURE() << "no error raised";
        } catch (const AppError& error) {
            EXPECT_EQ(std::string(error.what()), "Reading \"SettingID\" failed: " + reason);
            EXPECT_EQ(error.Call(), "SettingID");
            EXPECT_NE(error.File().find("tryforms_simnet_test.cpp"), std::string::npos) << error.File();
            EXPECT_EQ(error.Line(), line);
        }
        line = __LINE__ + 2;
        try {
            (void)TryCallMethod(adapter, L"EnableDHCP", {});
            ADD_FAILURE() << "no error raised";
        } catch (const AppError& error) {
            EXPECT_EQ(std::string(error.what()), "Calling \"EnableDHCP\" failed: " + reason);
            EXPECT_EQ(error.Call(), "EnableDHCP");
            EXPECT_EQ(error.Line(), line);
        }
        // The configuration methods keep reporting rather than raising.
        EXPECT_EQ(AdapterEnableDHCP(adapter), -1);
    }
}
