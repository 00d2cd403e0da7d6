#include <gtest/gtest.h>

#include "simnet/ipv4rules.h"

TEST(SimIPv4Rules, ParsesDottedDecimalOnly)
{
    EXPECT_EQ(ParseIPv4(L"192.168.1.10"), 0xC0A8010Au);
    EXPECT_EQ(ParseIPv4(L"0.0.0.0"), 0u);
    EXPECT_EQ(ParseIPv4(L"255.255.255.255"), 0xFFFFFFFFu);
    for (const wchar_t* bad : {L"", L"1.2.3", L"1.2.3.4.5", L"1.2.3.256", L"1..2.3", L" 1.2.3.4", L"1.2.3.4 ",
                               L"1.2.3.0004", L"a.b.c.d", L"1.2.3.-4"}) {
        EXPECT_FALSE(ParseIPv4(bad).has_value()) << std::string(bad, bad + wcslen(bad));
    }
}

TEST(SimIPv4Rules, UnicastAndMasks)
{
    EXPECT_TRUE(IsUnicastIPv4(L"10.0.0.1"));
    EXPECT_TRUE(IsUnicastIPv4(L"223.255.255.254"));
    EXPECT_FALSE(IsUnicastIPv4(L"0.1.2.3"));
    EXPECT_FALSE(IsUnicastIPv4(L"127.0.0.1"));
    EXPECT_FALSE(IsUnicastIPv4(L"224.0.0.1"));
    EXPECT_FALSE(IsUnicastIPv4(L"255.255.255.255"));

    EXPECT_TRUE(IsSubnetMask(L"255.255.255.0"));
    EXPECT_TRUE(IsSubnetMask(L"255.255.240.0"));
    EXPECT_TRUE(IsSubnetMask(L"128.0.0.0"));
    EXPECT_TRUE(IsSubnetMask(L"255.255.255.255"));
    EXPECT_FALSE(IsSubnetMask(L"0.0.0.0"));
    EXPECT_FALSE(IsSubnetMask(L"255.0.255.0"));
    EXPECT_FALSE(IsSubnetMask(L"0.255.255.255"));
    EXPECT_FALSE(IsSubnetMask(L"255.255.255"));
}
