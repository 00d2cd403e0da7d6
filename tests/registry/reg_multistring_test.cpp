#include <gtest/gtest.h>

#include "adapters/reg.h"
#include "support/boxes.h"
#include "support/errortext.h"
#include "support/registrykeys.h"

using namespace std::string_literals;
using Lines = std::vector<std::string>;

namespace {
const std::string kKeyPath = std::string(kTestRootKey) + "\\MultiString";
}  // namespace

TEST(ReadMultiString, ReadsEachStoredFormIntoLines)
{
    struct Case {
        const char* what;
        DWORD type;
        std::string bytes;
        Lines expected;
    };
    const Case cases[] = {
        {"one zero byte", REG_MULTI_SZ, "\0"s, {""}},
        {"two zero bytes", REG_MULTI_SZ, "\0\0"s, {""}},
        {"two lines", REG_MULTI_SZ, "a\0b\0\0"s, {"a", "b"}},
        {"two addresses", REG_MULTI_SZ, "192.168.1.10\000192.168.1.11\0\0"s, {"192.168.1.10", "192.168.1.11"}},
        {"no final zero", REG_MULTI_SZ, "a\0b"s, {"a"}},
        {"no zero at all", REG_MULTI_SZ, "abc"s, {}},
        {"a single string", REG_SZ, "8.8.8.8,8.8.4.4\0"s, {"8.8.8.8,8.8.4.4"}},
        {"a single string without its zero", REG_SZ, "8.8.8.8"s, {"8.8.8.8"}},
        {"the empty single string", REG_SZ, "\0"s, {"", ""}},
    };
    for (const Case& c : cases) {
        ScopedKey key(kKeyPath);
        key.SetRaw("Value", c.type, c.bytes);
        OpenedOn<TReg> open(kKeyPath);
        ASSERT_TRUE(open.opened);
        MessageBoxRecorder boxes;
        Lines lines{"left over"};
        open.accessor.ReadMultiString("Value", &lines);
        EXPECT_EQ(lines, c.expected) << c.what;
        EXPECT_TRUE(boxes.Calls().empty()) << c.what;
    }
}

TEST(ReadMultiString, LeavesTheListAloneForAnAbsentOrZeroLengthValue)
{
    ScopedKey key(kKeyPath);
    key.SetRaw("Nothing", REG_MULTI_SZ, ""s);
    OpenedOn<TReg> open(kKeyPath);
    ASSERT_TRUE(open.opened);
    for (const char* name : {"Absent", "Nothing"}) {
        Lines lines{"kept"};
        open.accessor.ReadMultiString(name, &lines);
        EXPECT_EQ(lines, Lines{"kept"}) << name;
    }
    open.accessor.ReadMultiString("Nothing", nullptr);
}

TEST(ReadMultiString, RaisesForAValueOfAnotherType)
{
    ScopedKey key(kKeyPath);
    key.SetDword("IPAddress", 1);
    key.SetRaw("Expandable", REG_EXPAND_SZ, "x\0"s);
    key.SetRaw("Binary", REG_BINARY, std::string(1 << 20, '\x7f'));
    OpenedOn<TReg> open(kKeyPath);
    ASSERT_TRUE(open.opened);
    for (const std::string name : {"IPAddress", "Expandable", "Binary"}) {
        Lines lines{"kept"};
        EXPECT_EQ(ErrorText([&] { open.accessor.ReadMultiString(name, &lines); }),
                  "Invalid data type for '" + name + "'");
        EXPECT_EQ(lines, Lines{"kept"});
    }
}

TEST(ReadMultiString, StaysInsideValuesOfOddSizes)
{
    // Written through the UTF-16 functions: an odd byte count ends in half a character.
    const std::string oddSizes[] = {"a"s, "a\0\0"s, "a\0\0\0\0"s, "a\0\0\0b\0\0"s};
    for (const std::string& bytes : oddSizes) {
        ScopedKey key(kKeyPath);
        key.SetRawWide("Odd", REG_MULTI_SZ, bytes);
        OpenedOn<TReg> open(kKeyPath);
        ASSERT_TRUE(open.opened);
        MessageBoxRecorder boxes;
        Lines lines;
        open.accessor.ReadMultiString("Odd", &lines);
        // Whatever the half character does, nothing comes out that the value does not hold.
        EXPECT_LE(lines.size(), 2u) << bytes.size() << " bytes";
        for (const std::string& line : lines) {
            EXPECT_TRUE(line.empty() || line == "a" || line == "b") << bytes.size() << " bytes: " << line;
        }
        EXPECT_TRUE(boxes.Calls().empty());
    }
}

TEST(ReadMultiString, ReadsMegabyteValuesWhole)
{
    ScopedKey key(kKeyPath);
    const std::string first(1 << 20, 'x');
    const std::string second(3 << 19, 'y');
    key.SetRaw("Big", REG_MULTI_SZ, first + '\0' + second + '\0' + '\0');
    key.SetRaw("BigUnterminated", REG_MULTI_SZ, first);
    OpenedOn<TReg> open(kKeyPath);
    ASSERT_TRUE(open.opened);

    Lines lines;
    open.accessor.ReadMultiString("Big", &lines);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], first);
    EXPECT_EQ(lines[1], second);

    lines = {"old"};
    open.accessor.ReadMultiString("BigUnterminated", &lines);
    EXPECT_EQ(lines, Lines{});
}

TEST(WriteMultiString, StoresTheExactLayout)
{
    struct Case {
        Lines lines;
        std::string bytes;
    };
    const Case cases[] = {
        {{""}, "\0\0"s},
        {{"a", "b"}, "a\0b\0\0"s},
        {{}, "\0"s},
        {{"192.168.1.1", "", "10.0.0.1"}, "192.168.1.1\0\00010.0.0.1\0\0"s},
    };
    for (const Case& c : cases) {
        ScopedKey key(kKeyPath);
        OpenedOn<TReg> open(kKeyPath);
        ASSERT_TRUE(open.opened);
        MessageBoxRecorder boxes;
        open.accessor.WriteMultiString("DefaultGateway", c.lines);
        const std::optional<RegistryData> stored = ReadRaw(kKeyPath, "DefaultGateway");
        ASSERT_TRUE(stored);
        EXPECT_EQ(stored->type, static_cast<DWORD>(REG_MULTI_SZ));
        EXPECT_EQ(stored->bytes, c.bytes);
        EXPECT_TRUE(boxes.Calls().empty());
    }
}

TEST(WriteMultiString, ShowsTheFailedBoxWhenTheStoreFails)
{
    ScopedKey key(kKeyPath);
    key.SetMultiString("DefaultGateway", {"192.168.1.1"});
    OpenedOn<TReg> open(kKeyPath, KEY_READ);
    ASSERT_TRUE(open.opened);
    MessageBoxRecorder boxes;
    open.accessor.WriteMultiString("DefaultGateway", {""});

    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].owner, nullptr);
    EXPECT_EQ(boxes.Calls()[0].text, "failed");
    EXPECT_EQ(boxes.Calls()[0].caption, "failed");
    EXPECT_EQ(boxes.Calls()[0].flags, static_cast<UINT>(MB_OK));
    EXPECT_EQ(ReadRaw(kKeyPath, "DefaultGateway")->bytes, "192.168.1.1\0\0"s);
}
