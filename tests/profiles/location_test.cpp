// Which profiles belong where the adapter is, whether two readings are one network, and how a
// location is kept in the store.
#include <gtest/gtest.h>

#include "profiles/location.h"
#include "support/profiledata.h"

namespace {
const NetworkPlace kHome{"Home Wi-Fi", false, "3C-A6-2F-11-22-33", "192.168.178.1", "fritz.box"};
const NetworkPlace kOffice{"Office LAN", false, "00-1B-21-AA-BB-01", "", ""};

Tprofile& Located(TListItems& list, const std::string& name, ProfileLocation location)
{
    Tprofile& profile = AppendProfile(list, {"10.0.0.5", "255.0.0.0", "", "", "", name});
    profile.location = std::move(location);
    return profile;
}
}  // namespace

TEST(LocationTest, AProfileMatchesOnTheValuesItSharesAndNeverOnOneThatDiffers)
{
    struct Case {
        ProfileLocation location;
        NetworkPlace place;
        int values;
    } const cases[] = {
        {{"Home Wi-Fi", "", "", ""}, kHome, 1},
        {{"Home Wi-Fi", "3C-A6-2F-11-22-33", "192.168.178.1", "fritz.box"}, kHome, 4},
        // The name withheld: the gateway still tells.
        {{"Home Wi-Fi", "3C-A6-2F-11-22-33", "", ""}, {"", true, "3C-A6-2F-11-22-33", "", ""}, 1},
        // Another Wi-Fi network with a router of the same make and address is not home.
        {{"Home Wi-Fi", "3C-A6-2F-11-22-33", "", ""}, {"Cafe Wi-Fi", false, "3C-A6-2F-11-22-33", "", ""}, -1},
        // Nothing to compare: no match, never a guess.
        {{"", "", "", "corp.example"}, kOffice, -1},
        {{}, kHome, -1},
    };
    for (const Case& test : cases)
        EXPECT_EQ(MatchingValues(test.location, test.place), test.values) << test.location.wifiName;
}

TEST(LocationTest, TheProfileMatchingMostValuesWinsAndATieIsLeftToTheUser)
{
    TListItems list;
    const Tprofile& office = Located(list, "Office", {"Office LAN", "", "", ""});
    Located(list, "Home", {"Home Wi-Fi", "", "", ""});
    const Tprofile& homeExact = Located(list, "Home, exactly", {"Home Wi-Fi", "3C-A6-2F-11-22-33", "", ""});
    Located(list, "Unconfirmed", {"Office LAN", "00-1B-21-AA-BB-01", "", ""}).confirmed = false;
    Located(list, "Nowhere", {});
    EXPECT_EQ(ProfilesForPlace(list, kHome), std::vector<uint64_t>{homeExact.key});
    EXPECT_EQ(ProfilesForPlace(list, kOffice), std::vector<uint64_t>{office.key});
    const Tprofile& twin = Located(list, "Office too", {"Office LAN", "", "", ""});
    EXPECT_EQ(ProfilesForPlace(list, kOffice), (std::vector<uint64_t>{office.key, twin.key}));
    EXPECT_TRUE(ProfilesForPlace(list, {"Cafe Wi-Fi", false, "00-0C-42-77-88-99", "172.16.0.1", ""}).empty());
}

TEST(LocationTest, OneNetworkIsOneWhateverTheProgramsOwnChangeAddsOrDrops)
{
    const NetworkPlace officeBeforeOffice{"Office LAN", false, "", "", ""};
    EXPECT_TRUE(SameNetwork(officeBeforeOffice, kOffice));  // the static gateway now in the table
    EXPECT_TRUE(SameNetwork({"", false, "3C-A6-2F-11-22-33", "", ""}, kHome));
    EXPECT_FALSE(SameNetwork(kHome, kOffice));
    EXPECT_FALSE(SameNetwork({"", false, "3C-A6-2F-11-22-33", "", ""}, {"", false, "00-1B-21-AA-BB-01", "", ""}));
}

TEST(LocationTest, TheAdapterHoldsAProfileWhenItsAddressMaskAndGatewayOrItsDhcpAre)
{
    TListItems list;
    Tprofile& office = AppendProfile(list, {"10.0.0.5", "255.0.0.0", "10.0.0.1", "", "", "Office"});
    Tprofile& home = AppendProfile(list, {"", "", "", "", "", "Home", true});
    AdapterConfiguration onDhcp;
    onDhcp.dhcp = true;
    AdapterConfiguration atOffice;
    atOffice.addresses = {"10.0.0.5"};
    atOffice.masks = {"255.0.0.0"};
    atOffice.gateways = {"10.0.0.1"};
    AdapterConfiguration otherGateway = atOffice;
    otherGateway.gateways = {"10.0.0.254"};
    EXPECT_TRUE(AdapterHolds(atOffice, office));
    EXPECT_FALSE(AdapterHolds(otherGateway, office));
    EXPECT_FALSE(AdapterHolds(onDhcp, office));
    EXPECT_TRUE(AdapterHolds(onDhcp, home));
    EXPECT_FALSE(AdapterHolds(atOffice, home));
}

TEST(LocationTest, ALocationIsStoredOnlyWhenSetAndReadBackWhole)
{
    TempFolder folder;
    TListItems list;
    Located(list, "Office", {"Office LAN", "00-1B-21-AA-BB-01", "", ""});
    Located(list, "Nowhere", {});
    const std::string text = StoreText(list);
    EXPECT_NE(text.find("wifi=Office LAN\r\ngatewaymac=00-1B-21-AA-BB-01\r\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("dhcpserver"), std::string::npos);
    EXPECT_EQ(text.find("wifi", text.find("[1]")), std::string::npos) << "a profile without a location has no keys";
    SaveProfilesTo(list, folder.File("profiles.ini"));
    TListItems read;
    LoadProfilesFrom(read, folder.File("profiles.ini"));
    ASSERT_EQ(read.Count(), 2);
    EXPECT_EQ(ProfileAt(read, 0).location, (ProfileLocation{"Office LAN", "00-1B-21-AA-BB-01", "", ""}));
    EXPECT_TRUE(ProfileAt(read, 1).location.Empty());
}
