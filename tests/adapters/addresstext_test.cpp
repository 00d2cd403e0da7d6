#include <gtest/gtest.h>

#include "adapters/addresstext.h"

TEST(NormaliseAddressText, DropsBlanksAndTreatsAnUntouchedMaskAsEmpty)
{
    EXPECT_EQ(NormaliseAddressText("   .   .   .   "), "");
    EXPECT_EQ(NormaliseAddressText("192.168.  1. 10"), "192.168.1.10");
    EXPECT_EQ(NormaliseAddressText("10.0.0.1"), "10.0.0.1");
    EXPECT_EQ(NormaliseAddressText(""), "");
    EXPECT_EQ(NormaliseAddressText("1 . . . "), "1...");
}

// WMI lists IPv4 addresses, masks and gateways before IPv6 ones and prefix lengths.
TEST(FirstIPv4, PassesOverIpv6EntriesAndPrefixLengths)
{
    const struct {
        std::vector<std::string> elements;
        const char* first;
    } cases[] = {
        {{"192.168.1.20", "fe80::5c3a:91ff:fe2e:4b10"}, "192.168.1.20"},
        {{"64", "255.255.255.0"}, "255.255.255.0"},
        {{"fe80::1", "10.0.0.1"}, "10.0.0.1"},
        {{"2001:db8::1", "64"}, ""},
        {{"192.168.1.300", "1.2.3", "1.2.3.4.5", "1..2.3", "01.2.3.4"}, "01.2.3.4"},
        {{}, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FirstIPv4(c.elements), c.first) << testing::PrintToString(c.elements);
}
