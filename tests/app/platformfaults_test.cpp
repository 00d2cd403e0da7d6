// Faults on the platform side met by the whole window: a query that fails while the details
// are refreshed or a profile applied, and display properties that are Null or of another type.
// Each gets an error box with its own text or a plain fall-back, and the program goes on.
#include "app/netconfig_fixture.h"
#include "profiles/iprofile.h"
#include "support/profiledata.h"
#include "support/simcalls.h"

TEST_F(NetconfigTest, AFailingQueryIsShownAndTheProgramGoesOn)
{
    Create();
    network.FailQuery(static_cast<HRESULT>(0x80041003), L"Access denied");
    boxes.clear();
    Choose(form->Configuration1);  // showing refreshes
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Calling \"ExecQuery\" failed: Access denied");
    EXPECT_EQ(boxes[0].caption, "Velmora");
    EXPECT_TRUE(IsWindowVisible(form->Handle()));

    // An activation that cannot find its adapter makes nothing, and says so once.
    AppendCaptioned(*ProfileList, {"10.9.9.9", "255.0.0.0", "", "", "", "Lab"});
    boxes.clear();
    form->ActiveProfileIndex = -1;
    Choose(form->Profiles->ApplyNextProfile1);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Calling \"ExecQuery\" failed: Access denied"});
    EXPECT_EQ(network.Adapter(Wired)->ipAddresses, std::vector<std::wstring>{L"192.168.1.10"});
    EXPECT_TRUE(MethodCalls(network).empty());

    network.ClearScripts();
    boxes.clear();
    form->refreshdata();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(form->proplist->Values("IP Address"), "192.168.1.10 ");
}

TEST_F(NetconfigTest, NullAndOtherTypedPropertiesShowAsTheirTextOrNothing)
{
    network.OverrideProperty(Wired, L"IPAddress", Variant::Null());
    network.OverrideProperty(Wired, L"DNSServerSearchOrder", Variant::FromInt(42));
    network.OverrideProperty(Wired, L"MACAddress", Variant::Null());
    Create();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(form->proplist->Values("IP Address"), "");
    EXPECT_EQ(form->proplist->Values("DNS Servers"), "42");
    EXPECT_EQ(form->proplist->Values("MACAddress"), "");
    EXPECT_EQ(form->SelectedAdapterIndex, Wired);
}
