// A failed check says which call failed and where the program checked it, besides the
// platform's text; the Try forms answer none where the raising forms raise.
#include <gtest/gtest.h>

#include <string>

#include "core/check.h"
#include "core/dispatch.h"

TEST(CheckTest, AFailedCallNamesItselfAndThePlaceOfItsCheck)
{
    const unsigned line = __LINE__ + 2;
    try {
        CheckWin32((SetLastError(ERROR_ACCESS_DENIED), FALSE), "RegSetValueExA");
        ADD_FAILURE() << "no error raised";
    } catch (const AppError& error) {
        EXPECT_EQ(std::string(error.what()), SystemMessageText(ERROR_ACCESS_DENIED));
        EXPECT_EQ(error.Call(), "RegSetValueExA");
        EXPECT_NE(error.File().find("check_test.cpp"), std::string::npos) << error.File();
        EXPECT_EQ(error.Line(), line);
        EXPECT_EQ(error.Code(), HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED));
        EXPECT_TRUE(error.AccessDenied());
    }
    try {
        CheckHrSaying(static_cast<HRESULT>(0x800706BA), "Connecting to WMI");
        ADD_FAILURE() << "no error raised";
    } catch (const AppError& error) {
        EXPECT_EQ(std::string(error.what()).rfind("Connecting to WMI failed: ", 0), 0u) << error.what();
        EXPECT_EQ(error.Code(), static_cast<HRESULT>(0x800706BA));
        EXPECT_FALSE(error.AccessDenied());
    }
}

TEST(CheckTest, TryFormsAnswerNoneWhereTheRaisingFormsRaise)
{
    const Variant notAnObject = Variant::FromInt(7);
    EXPECT_THROW(GetMember(notAnObject, L"Index"), AppError);
    EXPECT_FALSE(TryGetMember(notAnObject, L"Index"));
    EXPECT_FALSE(TryCallMethod(notAnObject, L"EnableDHCP", {}));
    const Variant text = Variant::FromText("not a number");
    EXPECT_THROW(VariantInt(text.get()), AppError);
    EXPECT_FALSE(TryVariantInt(text.get()));
    EXPECT_EQ(TryVariantInt(Variant::FromText("42").get()), 42);
    EXPECT_EQ(TryVariantText(Variant::FromBool(true).get()), "True");
}
