#include <gtest/gtest.h>

#include "adapters/multistring.h"

using namespace std::string_literals;
using Lines = std::vector<std::string>;

TEST(WalkMultiString, FollowsTheStoredLayoutAndNeverLeavesTheBuffer)
{
    struct Case {
        const char* what;
        std::string buffer;
        size_t reported;
        Lines expected;
    };
    const Case cases[] = {
        {"two lines", "a\0b\0\0"s, 5, {"a", "b"}},
        {"one zero byte: no line", "\0"s, 1, {}},
        {"two zero bytes: one empty line", "\0\0"s, 2, {""}},
        {"empty line between two", "a\0\0b\0\0"s, 6, {"a", "", "b"}},
        {"no final zero: the unfinished last line is dropped", "a\0b"s, 3, {"a"}},
        {"no zero at all", "abc"s, 3, {}},
        {"nothing reported", "a\0\0"s, 0, {}},
        {"read reported less than the buffer holds", "a\0b\0\0"s, 3, {"a"}},
        {"read reported more than the buffer holds (value grew)", "a\0b\0\0"s, 1000000, {"a", "b", ""}},
        {"reported size at the maximum", "a\0\0"s, SIZE_MAX, {"a", ""}},
        {"bytes above 127 are kept", "\xe9t\xe9\0\0"s, 5, {"\xe9t\xe9"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WalkMultiString(c.buffer, c.reported), c.expected) << c.what;
    }
}

TEST(WalkMultiString, WalksAnEmptyBufferWhateverIsReported)
{
    EXPECT_EQ(WalkMultiString(std::string_view(), 100), Lines{});
}

TEST(ExtractField, SplitsAtTheSeparatorKeepingSpaces)
{
    struct Case {
        std::string text;
        int n;
        std::string expected;
    };
    const Case cases[] = {
        {"8.8.8.8,8.8.4.4", 1, "8.8.8.8"},
        {"8.8.8.8,8.8.4.4", 2, "8.8.4.4"},
        {"8.8.8.8", 1, "8.8.8.8"},
        {"8.8.8.8", 2, ""},
        {"8.8.8.8, 8.8.4.4", 2, " 8.8.4.4"},
        {"", 1, ""},
        {"", 2, ""},
        {",", 1, ""},
        {",", 2, ""},
        {"a,b,c", 2, "b"},
        {"a,b,c", 3, "c"},
        {"a,b", 3, ""},
        {"a,b", 0, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ExtractField(c.text, c.n, ','), c.expected) << '"' << c.text << "\" field " << c.n;
    }
}
