#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "core/check.h"
#include "core/error.h"
#include "core/handles.h"
#include "core/systemdll.h"

TEST(SystemDll, FindsFunctionsOfTheSystemFolderOnly)
{
    auto* length = SystemFunction<int WINAPI(LPCSTR)>("kernel32.dll", "lstrlenA");
    EXPECT_EQ(length("Velmora"), 7);

    // The platform's own text, not a crash, for a function or a DLL that is not there.
    try {
        SystemFunction<void WINAPI()>("kernel32.dll", "NoSuchFunctionAtAll");
        ADD_FAILURE() << "a missing function was found";
    } catch (const AppError& error) {
        EXPECT_FALSE(std::string(error.what()).empty());
    }
    // A file of that name beside the program is never looked at: it would load as a bad
    // image instead of being missing.
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string planted = program;
    planted = planted.substr(0, planted.find_last_of('\\') + 1) + "velmora-planted.dll";
    {
        const UniqueFile file(CreateFileA(planted.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        ASSERT_TRUE(file);
        DWORD written = 0;
        WriteFile(file.get(), "not a DLL", 9, &written, nullptr);
    }
    try {
        SystemFunction<void WINAPI()>("velmora-planted.dll", "Anything");
        ADD_FAILURE() << "a DLL outside the system folder was loaded";
    } catch (const AppError& error) {
        EXPECT_EQ(std::string(error.what()), SystemMessageText(ERROR_MOD_NOT_FOUND));
    }
    DeleteFileA(planted.c_str());
}
