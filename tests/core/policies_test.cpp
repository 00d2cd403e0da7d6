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

// The template as the Group Policy editor reads it: a file that is not well-formed fails here.
Variant LoadXml(const std::string& relative)
{
    const std::string path = SourcePath(relative);
    CLSID clsid{};
    Microsoft::WRL::ComPtr<IDispatch> object;
    EXPECT_HRESULT_SUCCEEDED(CLSIDFromProgID(L"Msxml2.DOMDocument.6.0", &clsid));
    EXPECT_HRESULT_SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&object)));
    Variant document = Variant::FromDispatch(object.Get());
    EXPECT_EQ(VariantText(CallMethod(document, L"load", {ArgByValue(Variant::FromText(path))}).get()), "True")
        << path << ": " << VariantText(GetMember(GetMember(document, L"parseError"), L"reason").get());
    return document;
}

std::vector<Variant> Elements(const Variant& node, const char* tag)
{
    const Variant list = CallMethod(node, L"getElementsByTagName", {ArgByValue(Variant::FromText(tag))});
    std::vector<Variant> elements;
    for (int i = 0; i < VariantInt(GetMember(list, L"length").get()); ++i)
        elements.push_back(DispatchCall(DispatchOf(list), L"item", DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                                        {ArgByValue(Variant::FromInt(i))}));
    return elements;
}

std::string Attribute(const Variant& element, const char* name)
{
    return VariantText(CallMethod(element, L"getAttribute", {ArgByValue(Variant::FromText(name))}).get());
}
}  // namespace

TEST(PolicyTemplate, NamesExactlyTheValuesTheProgramReadsWithTheirTypes)
{
    const Variant admx = LoadXml("policies/velmora.admx");
    std::map<std::string, DWORD> named;
    for (const Variant& policy : Elements(admx, "policy")) {
        EXPECT_EQ(Attribute(policy, "key"), kPolicyKey) << Attribute(policy, "name");
        // A switch is the policy's own value: 1 enabled, 0 disabled.
        if (!Attribute(policy, "valueName").empty()) named[Attribute(policy, "valueName")] = REG_DWORD;
        for (const Variant& text : Elements(policy, "text"))
            named[Attribute(text, "valueName")] = Attribute(text, "expandable") == "true" ? REG_EXPAND_SZ : REG_SZ;
        for (const Variant& choice : Elements(policy, "enum")) {
            named[Attribute(choice, "valueName")] = REG_SZ;
            for (const Variant& value : Elements(choice, "string")) {
                Policies set;
                set.whenNetworkChanges = VariantText(GetMember(value, L"text").get());
                SetProgramPolicies(set);
                EXPECT_TRUE(PlaceModeByPolicy()) << *set.whenNetworkChanges << " is not a choice the program knows";
            }
            SetProgramPolicies({});
        }
    }
    std::map<std::string, DWORD> read;
    for (const PolicyValue& value : kPolicyValues)
        read[value.name] = value.type;
    EXPECT_EQ(named, read);

    // Every text the template names is in its English resources.
    std::set<std::string> strings;
    for (const Variant& text : Elements(LoadXml("policies/en-US/velmora.adml"), "string"))
        strings.insert(Attribute(text, "id"));
    const std::string source = ReadFileBytes(SourcePath("policies/velmora.admx"));
    const std::regex reference(R"(\$\(string\.(\w+)\))");
    for (auto found = std::sregex_iterator(source.begin(), source.end(), reference); found != std::sregex_iterator();
         ++found)
        EXPECT_TRUE(strings.count((*found)[1])) << (*found)[1];
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
