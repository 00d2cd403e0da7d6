// The check of a change against what Windows then reports (WMI) and stores (the interface key):
// each difference told in words, and nothing told for a change of which nothing was made.
#include <gtest/gtest.h>

#include "profiles/changepipeline.h"

namespace {
ChangeRequest Profile(const std::string& title, ProfileSettings settings)
{
    ChangeRequest request;
    request.kind = ChangeRequest::Kind::Profile;
    request.title = title;
    request.profile = std::move(settings);
    return request;
}

const ChangeRequest kOffice = Profile("Office", {false, "10.0.0.5", "255.0.0.0", "10.0.0.1", "10.0.0.2", ""});
const ChangeRequest kHome = Profile("Home", {true, "", "", "", "", ""});

AdapterConfiguration Static(std::string address, std::string mask, std::string gateway, std::string dns)
{
    AdapterConfiguration configuration;
    configuration.addresses = {std::move(address)};
    configuration.masks = {std::move(mask)};
    if (!gateway.empty()) configuration.gateways = {std::move(gateway)};
    if (!dns.empty()) configuration.dnsServers = {std::move(dns)};
    return configuration;
}

AdapterConfiguration Dhcp(std::string leased)
{
    AdapterConfiguration configuration;
    configuration.dhcp = true;
    if (!leased.empty()) configuration.addresses = {std::move(leased)};
    return configuration;
}

tadapter Stored(int32_t dhcp, std::string address)
{
    tadapter stored;
    stored.DhcpEnabled = dhcp;
    stored.Address = std::move(address);
    return stored;
}
}  // namespace

TEST(ChangeDifferenceTest, WhatWindowsReportsAndStoresAgainstWhatWasAsked)
{
    struct Case {
        const char* name;
        const ChangeRequest& request;
        AdapterConfiguration after;
        tadapter stored;
        std::string told;
    };
    const Case cases[] = {
        {"as asked", kOffice, Static("10.0.0.5", "255.0.0.0", "10.0.0.1", "10.0.0.2"), Stored(0, "10.0.0.5"), ""},
        {"another address", kOffice, Static("192.168.1.20", "255.0.0.0", "10.0.0.1", "10.0.0.2"), Stored(0, "10.0.0.5"),
         "Windows reports 192.168.1.20 where Office asked for 10.0.0.5."},
        {"another mask", kOffice, Static("10.0.0.5", "255.255.0.0", "10.0.0.1", "10.0.0.2"), Stored(0, "10.0.0.5"),
         "Windows reports the mask 255.255.0.0 where Office asked for the mask 255.0.0.0."},
        {"no gateway", kOffice, Static("10.0.0.5", "255.0.0.0", "", "10.0.0.2"), Stored(0, "10.0.0.5"),
         "Windows reports no gateway where Office asked for the gateway 10.0.0.1."},
        {"stored on DHCP", kOffice, Static("10.0.0.5", "255.0.0.0", "10.0.0.1", "10.0.0.2"), Stored(1, "0.0.0.0"),
         "Windows stores DHCP on where Office asked for 10.0.0.5."},
        {"stored another address", kOffice, Static("10.0.0.5", "255.0.0.0", "10.0.0.1", "10.0.0.2"),
         Stored(0, "192.168.1.20"), "Windows stores 192.168.1.20 where Office asked for 10.0.0.5."},
        {"DHCP as asked", kHome, Dhcp("10.0.1.100"), Stored(1, "0.0.0.0"), ""},
        {"DHCP not on", kHome, Static("10.0.0.5", "255.0.0.0", "", ""), Stored(1, "0.0.0.0"),
         "Windows reports 10.0.0.5 where Home asked for DHCP."},
        {"no lease", kHome, Dhcp(""), Stored(1, "0.0.0.0"), "No address came from DHCP within 20 seconds."},
        {"a private address is no lease", kHome, Dhcp("169.254.7.1"), Stored(1, "0.0.0.0"),
         "No address came from DHCP within 20 seconds."},
        {"DHCP not stored", kHome, Dhcp("10.0.1.100"), Stored(0, "10.0.0.5"),
         "Windows stores DHCP off where Home asked for DHCP."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ChangeOutcome outcome;
        outcome.after = c.after;
        outcome.steps = ChangeSteps(c.request, outcome);
        std::string told = ChangeDifference(c.request, outcome, 20000);
        if (told.empty()) told = StoredDifference(c.request, outcome, &c.stored);
        EXPECT_EQ(told, c.told);
    }
    // Refused at its first call: nothing was made, so nothing is checked.
    ChangeOutcome refused;
    refused.refusal = {kAddressStep, 70};
    refused.steps = ChangeSteps(kOffice, refused);
    refused.after = Static("192.168.1.20", "255.255.255.0", "", "");
    const tadapter stored = Stored(0, "192.168.1.20");
    EXPECT_EQ(ChangeDifference(kOffice, refused, 20000), "");
    EXPECT_EQ(StoredDifference(kOffice, refused, &stored), "");
}
