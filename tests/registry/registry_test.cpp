#include <gtest/gtest.h>

#include "core/registry.h"
#include "support/boxes.h"
#include "support/errortext.h"
#include "support/registrykeys.h"

using namespace std::string_literals;

namespace {
const std::string kKeyPath = std::string(kTestRootKey) + "\\Accessor";
}  // namespace

TEST(TRegistry, OpensOnlyExistingKeysUnlessAskedToCreate)
{
    ScopedKey key(kKeyPath, false);
    TRegistry registry;
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(registry.OpenKey(kKeyPath, false));
    EXPECT_EQ(registry.CurrentKey(), nullptr);
    EXPECT_FALSE(KeyExists(kKeyPath));

    ASSERT_TRUE(registry.OpenKey(kKeyPath, true));
    EXPECT_TRUE(KeyExists(kKeyPath));
    registry.WriteString("Where", "here");

    // A leading backslash names the same key; the old current key gives way to the new one.
    TRegistry second;
    second.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(second.OpenKey("\\" + kKeyPath, false));
    EXPECT_EQ(second.ReadString("Where"), "here");
    EXPECT_FALSE(second.OpenKey(kKeyPath + "\\Missing", false));
    EXPECT_EQ(second.ReadString("Where"), "here");
}

TEST(TRegistry, GivesNoDataSizeForAnAbsentValueOrWithoutAKey)
{
    ScopedKey key(kKeyPath);
    key.SetString("Text", "abc");
    OpenedOn<TRegistry> open(kKeyPath);
    ASSERT_TRUE(open.opened);
    EXPECT_EQ(open.accessor.GetDataSize("Text"), std::optional<DWORD>(4));
    EXPECT_EQ(open.accessor.GetDataSize("Absent"), std::nullopt);
    open.accessor.CloseKey();
    EXPECT_EQ(open.accessor.GetDataSize("Text"), std::nullopt);
}

TEST(TRegistry, ReadsStringsOfBothStringTypesAndNothingElse)
{
    ScopedKey key(kKeyPath);
    key.SetString("Plain", "C:\\Tools\\prog.exe");
    key.SetRaw("Expandable", REG_EXPAND_SZ, "%SystemRoot%\0"s);
    key.SetRaw("Unterminated", REG_SZ, "abc"s);
    key.SetRaw("Empty", REG_SZ, ""s);
    key.SetDword("Number", 7);
    key.SetMultiString("Lines", {"a", "b"});
    OpenedOn<TRegistry> open(kKeyPath);
    ASSERT_TRUE(open.opened);
    TRegistry& registry = open.accessor;

    EXPECT_EQ(registry.ReadString("Plain"), "C:\\Tools\\prog.exe");
    EXPECT_EQ(registry.ReadString("Expandable"), "%SystemRoot%");
    EXPECT_EQ(registry.ReadString("Unterminated"), "abc");
    EXPECT_EQ(registry.ReadString("Empty"), "");
    EXPECT_EQ(registry.ReadString("Absent"), "");
    EXPECT_EQ(ErrorText([&] { registry.ReadString("Number"); }), "Invalid data type for 'Number'");
    EXPECT_EQ(ErrorText([&] { registry.ReadString("Lines"); }), "Invalid data type for 'Lines'");
}

TEST(TRegistry, ReadsOnlyFourByteDwordsAsIntegers)
{
    ScopedKey key(kKeyPath);
    key.SetDword("One", 1);
    key.SetDword("AllBits", 0xFFFFFFFF);
    key.SetString("Text", "1");
    key.SetRaw("Binary", REG_BINARY, "\x01\0\0\0"s);
    key.SetRaw("Short", REG_DWORD, "\x01\0"s);
    key.SetRaw("Long", REG_DWORD, "\x01\0\0\0\0\0\0\0"s);
    OpenedOn<TRegistry> open(kKeyPath);
    ASSERT_TRUE(open.opened);
    TRegistry& registry = open.accessor;

    EXPECT_EQ(registry.ReadInteger("One"), 1);
    EXPECT_EQ(registry.ReadInteger("AllBits"), -1);
    EXPECT_EQ(ErrorText([&] { registry.ReadInteger("Absent"); }), "Failed to get data for 'Absent'");
    EXPECT_EQ(ErrorText([&] { registry.ReadInteger("Text"); }), "Invalid data type for 'Text'");
    EXPECT_EQ(ErrorText([&] { registry.ReadInteger("Binary"); }), "Invalid data type for 'Binary'");
    EXPECT_EQ(ErrorText([&] { registry.ReadInteger("Short"); }), "Failed to get data for 'Short'");
    EXPECT_EQ(ErrorText([&] { registry.ReadInteger("Long"); }), "Failed to get data for 'Long'");
}

TEST(TRegistry, WritesStringsWithTheirZeroAndIntegersAsDwords)
{
    ScopedKey key(kKeyPath);
    OpenedOn<TRegistry> open(kKeyPath);
    ASSERT_TRUE(open.opened);
    open.accessor.WriteString("V.M.R.", "\"C:\\Tools\\prog.exe\"");
    open.accessor.WriteInteger("EnableDHCP", 1);

    const std::optional<RegistryData> text = ReadRaw(kKeyPath, "V.M.R.");
    ASSERT_TRUE(text);
    EXPECT_EQ(text->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(text->bytes, "\"C:\\Tools\\prog.exe\"\0"s);
    const std::optional<RegistryData> number = ReadRaw(kKeyPath, "EnableDHCP");
    ASSERT_TRUE(number);
    EXPECT_EQ(number->type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(number->bytes, "\x01\0\0\0"s);
}

TEST(TRegistry, DeletesAValueOnceAndSaysSo)
{
    ScopedKey key(kKeyPath);
    key.SetString("V.M.R.", "x");
    OpenedOn<TRegistry> open(kKeyPath);
    ASSERT_TRUE(open.opened);
    EXPECT_TRUE(open.accessor.DeleteValue("V.M.R."));
    EXPECT_FALSE(ReadRaw(kKeyPath, "V.M.R."));
    EXPECT_FALSE(open.accessor.DeleteValue("V.M.R."));
}

TEST(TRegistry, ReadOnlyAccessReadsButRefusesToWrite)
{
    ScopedKey key(kKeyPath);
    key.SetString("V.M.R.", "x");
    OpenedOn<TRegistry> open(kKeyPath, KEY_READ);
    ASSERT_TRUE(open.opened);
    EXPECT_EQ(open.accessor.ReadString("V.M.R."), "x");
    EXPECT_EQ(ErrorText([&] { open.accessor.WriteString("V.M.R.", "y"); }), "Failed to set data for 'V.M.R.'");
    EXPECT_EQ(ErrorText([&] { open.accessor.WriteInteger("Number", 1); }), "Failed to set data for 'Number'");
    // The registry's own text, and the call's code for code that asks why.
    try {
        open.accessor.WriteString("V.M.R.", "y");
    } catch (const AppError& error) {
        EXPECT_TRUE(error.AccessDenied()) << std::hex << error.Code();
    }
    EXPECT_FALSE(open.accessor.DeleteValue("V.M.R."));
    EXPECT_EQ(ReadRaw(kKeyPath, "V.M.R.")->bytes, "x\0"s);
}

TEST(TRegistry, CreatesKeysAndNamesTheOneItCannotCreate)
{
    ScopedKey key(kKeyPath);
    TRegistry registry;
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    registry.CreateKey(kKeyPath + "\\Run");
    registry.CreateKey(kKeyPath + "\\Run");  // already there: nothing changes
    EXPECT_TRUE(KeyExists(kKeyPath + "\\Run"));

    // Under a root key that has been deleted meanwhile, creation fails.
    UniqueHkey stale;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyPath.c_str(), 0, KEY_ALL_ACCESS, stale.put()), ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteTreeA(HKEY_LOCAL_MACHINE, kKeyPath.c_str()), ERROR_SUCCESS);
    TRegistry limited;
    limited.SetRootKey(stale.get());
    EXPECT_EQ(ErrorText([&] { limited.CreateKey("New\\Key"); }), "Failed to create key New\\Key");
    try {
        limited.CreateKey("New\\Key");
    } catch (const AppError& error) {
        EXPECT_NE(error.Code(), S_OK);
        EXPECT_FALSE(error.AccessDenied());
    }
    EXPECT_FALSE(limited.OpenKey("New", true));
    EXPECT_FALSE(KeyExists(kKeyPath));
}

TEST(TRegistry, DeletesAKeyWithEverythingInItButNeverItsRoot)
{
    ScopedKey key(kKeyPath);
    ScopedKey inner(kKeyPath + "\\Inner\\Deeper");
    inner.SetString("Value", "x");
    TRegistry registry;
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_TRUE(registry.DeleteKey(kKeyPath + "\\Inner"));
    EXPECT_FALSE(KeyExists(kKeyPath + "\\Inner"));
    EXPECT_FALSE(registry.DeleteKey(kKeyPath + "\\Inner"));

    UniqueHkey root;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyPath.c_str(), 0, KEY_ALL_ACCESS, root.put()), ERROR_SUCCESS);
    key.SetString("Kept", "x");
    registry.SetRootKey(root.get());
    EXPECT_FALSE(registry.DeleteKey(""));
    EXPECT_FALSE(registry.DeleteKey("\\"));
    EXPECT_TRUE(ReadRaw(kKeyPath, "Kept"));
}
