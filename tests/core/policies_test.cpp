// The policies the program reads, and the Group Policy template that describes them.
#include <gtest/gtest.h>

#include <wrl/client.h>

#include <algorithm>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "core/dispatch.h"
#include "core/pathcheck.h"
#include "core/policies.h"
#include "profiles/location.h"
#include "support/registrykeys.h"
#include "support/tempfolder.h"

TEST(Policies, EachValueIsReadWithItsTypeAndTheMachinesWinsOverTheUsers)
{
    const HKEY machine = HKEY_LOCAL_MACHINE, user = HKEY_CURRENT_USER;
    SetEnvironmentVariableA("VELMORA_TEST_SHARE", "\\\\files\\it");
    const struct {
        const char* what;
        std::vector<std::tuple<HKEY, const char*, DWORD, std::string>> values;  // a number as its text
        Policies expected;
    } cases[] = {
        {"none set", {}, {}},
        {"the user's, a text expanded",
         {{user, "ProfilesFile", REG_EXPAND_SZ, "%VELMORA_TEST_SHARE%\\profiles.ini"},
          {user, "LockProfiles", REG_DWORD, "1"},
          {user, "LoadOnStartup", REG_DWORD, "0"},
          {user, "WhenNetworkChanges", REG_SZ, "apply"}},
         {"\\\\files\\it\\profiles.ini", true, false, "apply"}},
        {"the machine's over the user's, value by value, a switch turned off too",
         {{machine, "ProfilesFile", REG_SZ, "C:\\machine.ini"},
          {user, "ProfilesFile", REG_SZ, "C:\\user.ini"},
          {machine, "LockProfiles", REG_DWORD, "0"},
          {user, "LockProfiles", REG_DWORD, "1"},
          {user, "LoadOnStartup", REG_DWORD, "1"}},
         {"C:\\machine.ini", false, true, std::nullopt}},
        {"another type, or an empty text, sets nothing; the user's then holds",
         {{machine, "LockProfiles", REG_SZ, "1"},
          {user, "LockProfiles", REG_DWORD, "2"},
          {machine, "ProfilesFile", REG_DWORD, "1"},
          {machine, "WhenNetworkChanges", REG_SZ, ""},
          {machine, "LoadOnStartup", REG_BINARY, "1"}},
         {std::nullopt, true, std::nullopt, std::nullopt}},
    };
    for (const auto& c : cases) {
        const ScopedPolicies policies;
        for (const auto& [root, name, type, value] : c.values)
            policies.Set(root, name, type, value);
        EXPECT_EQ(ReadPolicies(), c.expected) << c.what;
    }
}

namespace {
// The source tree, as Wine's drive Z shows it.
std::string SourcePath(const std::string& relative)
{
    std::string path = "Z:" + std::string(VELMORA_SOURCE_DIR) + "/" + relative;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// What the Group Policy editor's reader (MSXML) says of the file: empty when it is well-formed.
std::string XmlFault(const std::string& path)
{
    CLSID clsid{};
    Microsoft::WRL::ComPtr<IDispatch> object;
    EXPECT_HRESULT_SUCCEEDED(CLSIDFromProgID(L"Msxml2.DOMDocument.6.0", &clsid));
    EXPECT_HRESULT_SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&object)));
    const Variant document = Variant::FromDispatch(object.Get());
    CallMethod(document, L"load", {ArgByValue(Variant::FromText(path))});
    return VariantText(GetMember(GetMember(document, L"parseError"), L"reason").get());
}

// Each match's first group.
std::vector<std::string> Found(const std::string& text, const char* pattern)
{
    std::vector<std::string> found;
    const std::regex expression(pattern);
    for (auto match = std::sregex_iterator(text.begin(), text.end(), expression); match != std::sregex_iterator();
         ++match)
        found.push_back((*match)[1]);
    return found;
}
}  // namespace

TEST(PolicyTemplate, NamesExactlyTheValuesTheProgramReadsWithTheirTypes)
{
    const std::string admx = ReadFileBytes(SourcePath("policies/velmora.admx"));
    const std::string adml = ReadFileBytes(SourcePath("policies/en-US/velmora.adml"));
    EXPECT_EQ(XmlFault(SourcePath("policies/velmora.admx")), "");
    EXPECT_EQ(XmlFault(SourcePath("policies/en-US/velmora.adml")), "");
    for (const std::string& key : Found(admx, R"re(\bkey="([^"]*)")re"))
        EXPECT_EQ(key, kPolicyKey);
    // A switch is the policy's own value (1 enabled, 0 disabled); a text or a choice an element's.
    std::map<std::string, DWORD> named;
    const std::regex valued(R"re(<(policy|text|enum)\b[^>]*\bvalueName="(\w+)"[^>]*>)re");
    for (auto match = std::sregex_iterator(admx.begin(), admx.end(), valued); match != std::sregex_iterator(); ++match)
        named[(*match)[2]] = (*match)[1] == "policy"                                         ? REG_DWORD
                             : match->str().find("expandable=\"true\"") != std::string::npos ? REG_EXPAND_SZ
                                                                                             : REG_SZ;
    std::map<std::string, DWORD> read;
    for (const PolicyValue& value : kPolicyValues)
        read[value.name] = value.type;
    EXPECT_EQ(named, read);
    // Each choice is one the program knows, and each text named is in the English resources.
    for (const std::string& choice : Found(admx, R"(<string>(\w+)</string>)")) {
        SetProgramPolicies({std::nullopt, false, std::nullopt, choice});
        EXPECT_TRUE(PlaceModeByPolicy()) << choice;
    }
    SetProgramPolicies({});
    for (const std::string& text : Found(admx, R"(\$\(string\.(\w+)\))"))
        EXPECT_NE(adml.find("<string id=\"" + text + "\">"), std::string::npos) << text;
}

// A share whose server does not answer holds the start no longer than the load's patience.
TEST(PathThereWithin, AnswersWhatTheCheckSaysOrNothingOnceThePatienceIsOver)
{
    EXPECT_EQ(PathThereWithin("C:\\windows", 1000), true);
    EXPECT_EQ(PathThereWithin("C:\\no such folder\\profiles.ini", 1000), false);
    const ULONGLONG start = GetTickCount64();
    EXPECT_EQ(
        PathThereWithin("\\\\gone\\share\\profiles.ini", 200, [](const std::string&) { return Sleep(2000), true; }),
        std::nullopt);
    EXPECT_LT(GetTickCount64() - start, 1500u);
}
