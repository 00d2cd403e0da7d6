#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "profiles/inirules.h"

namespace {
struct IntegerCase {
    const char* text;
    std::optional<int32_t> value;
};

const IntegerCase kIntegerCases[] = {
    {"0", 0},
    {"1", 1},
    {"2", 2},
    {"007", 7},
    {"+5", 5},
    {"-12", -12},
    {"2147483647", 2147483647},
    {"-2147483648", INT32_MIN},
    {"$1", 1},
    {"$ff", 255},
    {"$7FFFFFFF", 2147483647},
    {"$FFFFFFFF", -1},
    {"$000000001", 1},
    {"-$10", -16},
    {"0x1", 1},
    {"0X1f", 31},
    {"0x00", 0},
    {"-0x1", -1},
    // not integers
    {"", std::nullopt},
    {"yes", std::nullopt},
    {"true", std::nullopt},
    {"0x", std::nullopt},
    {"$", std::nullopt},
    {"+", std::nullopt},
    {"-", std::nullopt},
    {"--1", std::nullopt},
    {"$-1", std::nullopt},
    {"0x-1", std::nullopt},
    {"00x1", std::nullopt},
    {"x1", std::nullopt},
    {"1a", std::nullopt},
    {"$1g", std::nullopt},
    {"ff", std::nullopt},
    {" 1", std::nullopt},
    {"1 ", std::nullopt},
    {"1.0", std::nullopt},
    {"2147483648", std::nullopt},
    {"-2147483649", std::nullopt},
    {"99999999999999999999999", std::nullopt},
    {"$100000000", std::nullopt},
    {"0x1FFFFFFFF", std::nullopt},
};

struct BooleanCase {
    const char* text;
    bool value;
};

// The values a hand-edited "dhcp" key is likely to hold.
const BooleanCase kBooleanCases[] = {
    {"1", true},    {"2", true},  {"0x1", true}, {"$1", true},          {"-1", true},    {"0", false},
    {"yes", false}, {"", false},  {"$0", false}, {"0x0", false},        {"true", false}, {"0x", false},
    {"1x", false},  {"$", false}, {"00", false}, {"9999999999", false},
};
}  // namespace

TEST(ParseIniInteger, ReadsDecimalAndBothHexadecimalFormsAndRejectsTheRest)
{
    for (const IntegerCase& c : kIntegerCases) {
        EXPECT_EQ(ParseIniInteger(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(ParseIniInteger, StopsAtTheEndOfTheViewNotAtATerminator)
{
    const std::string text = "12345";
    EXPECT_EQ(ParseIniInteger(std::string_view(text).substr(0, 2)), 12);
    EXPECT_EQ(ParseIniInteger(std::string_view("1\0"
                                               "2",
                                               3)),
              std::nullopt);
}

TEST(IniBoolean, IsTrueExactlyForNonZeroIntegers)
{
    for (const BooleanCase& c : kBooleanCases) {
        EXPECT_EQ(IniBoolean(c.text), c.value) << '"' << c.text << '"';
    }
}
