#include <gtest/gtest.h>

#include "adapters/wmiworks.h"
#include "core/check.h"
#include "core/variant.h"

TEST(Variant, OwnsWhatItHoldsAndCopiesOnlyByName)
{
    Variant text = Variant::FromText("192.168.1.10");
    Variant copy = text.Copy();
    Variant moved = std::move(text);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(VariantText(moved.get()), "192.168.1.10");
    EXPECT_EQ(VariantText(copy.get()), "192.168.1.10");
    EXPECT_NE(copy.get().bstrVal, moved.get().bstrVal);
    static_assert(!std::is_copy_constructible_v<Variant>);
    static_assert(!std::is_copy_constructible_v<UniqueBstr>);
}

TEST(Variant, ArraysKeepTheirLowerBoundAndElements)
{
    Variant texts = TextArray({"10.0.0.1", "10.0.0.2"});
    LONG lower = 0, upper = 0;
    ArrayBounds(texts.get(), lower, upper);
    EXPECT_EQ(lower, 1);
    EXPECT_EQ(upper, 2);
    EXPECT_EQ(VariantText(ArrayElement(texts.get(), 2).get()), "10.0.0.2");
    EXPECT_THROW(ArrayElement(texts.get(), 0), AppError);

    Variant numbers = IntArray({1, 20}, 0);
    EXPECT_EQ(VariantInt(ArrayElement(numbers.get(), 1).get()), 20);
}

TEST(Variant, TextFormsOfScalars)
{
    EXPECT_EQ(VariantText(Variant::FromBool(true).get()), "True");
    EXPECT_EQ(VariantText(Variant::FromBool(false).get()), "False");
    EXPECT_EQ(VariantText(Variant::FromInt(-7).get()), "-7");
    EXPECT_EQ(VariantText(Variant::Null().get()), "");
    EXPECT_EQ(VariantInt(Variant::FromText("42").get()), 42);
    EXPECT_THROW(VariantInt(Variant::FromText("forty-two").get()), AppError);
}

TEST(SystemMessageText, GivesThePlatformTextWithoutTrailingStop)
{
    const std::string text = SystemMessageText(ERROR_ACCESS_DENIED);
    EXPECT_FALSE(text.empty());
    EXPECT_NE(text.back(), '.');
    EXPECT_NE(text.back(), '\n');
    EXPECT_EQ(SystemMessageText(0xA0001234u).rfind("Error 0x", 0), 0u);
}

TEST(ConfigurationResultText, NamesTheCodesUsersMeet)
{
    EXPECT_EQ(ConfigurationResultText(66), "Invalid subnet mask");
    EXPECT_EQ(ConfigurationResultText(70), "Invalid IP address");
    EXPECT_EQ(ConfigurationResultText(71), "Invalid gateway IP address");
    EXPECT_EQ(ConfigurationResultText(84), "IP not enabled on adapter");
    EXPECT_EQ(ConfigurationResultText(91), "Access denied");
    EXPECT_EQ(ConfigurationResultText(97), "Interface not configurable");
    EXPECT_EQ(ConfigurationResultText(-1), "The call failed");
    EXPECT_EQ(ConfigurationResultText(12345), "Unknown result code 12345");
}
