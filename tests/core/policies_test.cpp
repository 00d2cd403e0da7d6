// The policies the program reads, and the Group Policy template that describes them.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/dispatch.h"
#include "core/pathcheck.h"
#include "core/policies.h"
#include "profiles/location.h"
#include "support/registrykeys.h"

namespace {
const HKEY kMachine = HKEY_LOCAL_MACHINE;
const HKEY kUser = HKEY_CURRENT_USER;

struct PolicyCase {
    const char* what;
    std::vector<std::tuple<HKEY, const char*, DWORD, std::string>> values;  // root, name, type, text or number
    Policies expected;
};

void Write(const ScopedPolicies& policies, HKEY root, const char* name, DWORD type, const std::string& value)
{
    if (type == REG_DWORD) {
        policies.SetNumber(root, name, static_cast<DWORD>(std::stoul(value)));
    } else {
        policies.SetText(root, name, value, type);
    }
}
}  // namespace

TEST(Policies, EachValueIsReadWithItsTypeAndTheMachinesWinsOverTheUsers)
{
    SetEnvironmentVariableA("VELMORA_TEST_SHARE", "\\\\files\\it");
    const PolicyCase cases[] = {
        {"none set", {}, {}},
        {"the user's, a text expanded",
         {{kUser, "ProfilesFile", REG_EXPAND_SZ, "%VELMORA_TEST_SHARE%\\profiles.ini"},
          {kUser, "LockProfiles", REG_DWORD, "1"},
          {kUser, "LoadOnStartup", REG_DWORD, "0"},
          {kUser, "WhenNetworkChanges", REG_SZ, "apply"}},
         {"\\\\files\\it\\profiles.ini", true, false, "apply"}},
        {"the machine's over the user's, one value at a time, a disabled switch too",
         {{kMachine, "ProfilesFile", REG_SZ, "C:\\machine.ini"},
          {kUser, "ProfilesFile", REG_SZ, "C:\\user.ini"},
          {kMachine, "LockProfiles", REG_DWORD, "0"},
          {kUser, "LockProfiles", REG_DWORD, "1"},
          {kUser, "LoadOnStartup", REG_DWORD, "1"}},
         {"C:\\machine.ini", false, true, std::nullopt}},
        {"another type, or an empty text, sets nothing; the user's then holds",
         {{kMachine, "LockProfiles", REG_SZ, "1"},
          {kUser, "LockProfiles", REG_DWORD, "2"},
          {kMachine, "ProfilesFile", REG_DWORD, "1"},
          {kMachine, "WhenNetworkChanges", REG_SZ, ""},
          {kMachine, "LoadOnStartup", REG_BINARY, "1"}},
         {std::nullopt, true, std::nullopt, std::nullopt}},
    };
    for (const PolicyCase& c : cases) {
        const ScopedPolicies policies;
        for (const auto& [root, name, type, value] : c.values)
            Write(policies, root, name, type, value);
        EXPECT_EQ(ReadPolicies(), c.expected) << c.what;
    }
}

// The template, read as the Group Policy editor reads it: each policy's registry values.
namespace {
std::string SourcePath(const std::string& relative)
{
    std::string path = std::string(VELMORA_SOURCE_DIR) + "/" + relative;
    for (char& c : path)
        if (c == '/') c = '\\';
    // The Linux tree, as Wine's drive Z shows it.
    return path.front() == '\\' ? "Z:" + path : path;
}

Variant LoadXml(const std::string& path)
{
    CLSID clsid{};
    IDispatch* object = nullptr;
    EXPECT_HRESULT_SUCCEEDED(CLSIDFromProgID(L"Msxml2.DOMDocument.6.0", &clsid));
    EXPECT_HRESULT_SUCCEEDED(
        CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&object)));
    Variant document = Variant::FromDispatch(object);
    object->Release();
    const Variant loaded = CallMethod(document, L"load", {ArgByValue(Variant::FromText(path))});
    EXPECT_EQ(VariantText(loaded.get()), "True")
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

// "$(string.Id)" -> "Id".
std::string Reference(const std::string& text, const std::string& table)
{
    const std::string start = "$(" + table + ".";
    return text.rfind(start, 0) == 0 && text.back() == ')' ? text.substr(start.size(), text.size() - start.size() - 1)
                                                           : std::string("not a reference: " + text);
}
}  // namespace

TEST(PolicyTemplate, NamesExactlyTheValuesTheProgramReadsWithTheirTypesAndEveryTextItRefersTo)
{
    const Variant admx = LoadXml(SourcePath("policies/velmora.admx"));
    const Variant adml = LoadXml(SourcePath("policies/en-US/velmora.adml"));
    std::set<std::string> strings, presentations;
    for (const Variant& text : Elements(adml, "string"))
        strings.insert(Attribute(text, "id"));
    for (const Variant& presentation : Elements(adml, "presentation"))
        presentations.insert(Attribute(presentation, "id"));

    std::map<std::string, DWORD> named;
    for (const Variant& policy : Elements(admx, "policy")) {
        const std::string name = Attribute(policy, "name");
        EXPECT_EQ(Attribute(policy, "key"), kPolicyKey) << name;
        EXPECT_TRUE(strings.count(Reference(Attribute(policy, "displayName"), "string"))) << name;
        EXPECT_TRUE(strings.count(Reference(Attribute(policy, "explainText"), "string"))) << name;
        // A switch: the policy's own value, 1 when enabled and 0 when disabled.
        if (!Attribute(policy, "valueName").empty()) {
            EXPECT_EQ(Elements(policy, "decimal").size(), 2u) << name;
            named[Attribute(policy, "valueName")] = REG_DWORD;
            continue;
        }
        EXPECT_TRUE(presentations.count(Reference(Attribute(policy, "presentation"), "presentation"))) << name;
        for (const Variant& text : Elements(policy, "text"))
            named[Attribute(text, "valueName")] = Attribute(text, "expandable") == "true" ? REG_EXPAND_SZ : REG_SZ;
        for (const Variant& choice : Elements(policy, "enum")) {
            named[Attribute(choice, "valueName")] = REG_SZ;
            // Each choice is one the program knows.
            for (const Variant& value : Elements(choice, "string")) {
                const std::string text = VariantText(GetMember(value, L"text").get());
                Policies set;
                set.whenNetworkChanges = text;
                SetProgramPolicies(set);
                EXPECT_TRUE(PlaceModeByPolicy().has_value()) << text;
            }
            SetProgramPolicies({});
            for (const Variant& item : Elements(choice, "item"))
                EXPECT_TRUE(strings.count(Reference(Attribute(item, "displayName"), "string")));
        }
    }
    std::map<std::string, DWORD> read;
    for (const PolicyValue& value : kPolicyValues)
        read[value.name] = value.type;
    EXPECT_EQ(named, read);
}

// The organisation's file is asked for on a thread of its own: a server that does not answer
// holds the start no longer than the load's patience.
TEST(PathThereWithin, AnswersWhatTheCheckSaysOrNothingOnceThePatienceIsOver)
{
    EXPECT_EQ(PathThereWithin("C:\\windows", 1000), true);
    EXPECT_EQ(PathThereWithin("C:\\no such folder\\profiles.ini", 1000), false);
    const ULONGLONG start = GetTickCount64();
    const auto slowServer = [](const std::string&) {
        Sleep(2000);
        return true;
    };
    EXPECT_EQ(PathThereWithin("\\\\gone\\share\\profiles.ini", 200, slowServer), std::nullopt);
    EXPECT_LT(GetTickCount64() - start, 1500u);
}
