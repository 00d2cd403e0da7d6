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
