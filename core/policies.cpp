#include "core/policies.h"

#include <cstring>
#include <utility>

#include "core/registry.h"

namespace {
// Software\Policies\Velmora of both hives, each opened once for all the values; a hive
// without the key sets nothing.
struct PolicyKeys {
    UniqueHkey machine;
    UniqueHkey user;
};

// One value of one hive, when it is there with its own type (a text may also be REG_SZ where
// REG_EXPAND_SZ is its type: an administrator's hand-made value).
std::optional<RegistryData> ReadPolicyValue(HKEY key, const PolicyValue& value)
{
    RegistryData data;
    if (key == nullptr || QueryRegistryValue(key, value.name, data) != ERROR_SUCCESS) return std::nullopt;
    const bool text = value.type == REG_SZ || value.type == REG_EXPAND_SZ;
    const bool typeFits = data.type == value.type || (value.type == REG_EXPAND_SZ && data.type == REG_SZ);
    if (!typeFits || (value.type == REG_DWORD && data.bytes.size() != sizeof(DWORD))) return std::nullopt;
    if (text) {
        data.bytes.resize(std::strlen(data.bytes.c_str()));
        if (data.bytes.empty()) return std::nullopt;
    }
    return data;
}

// The machine's value wins, value by value: a policy set for the user cannot undo what the
// administrator set for the whole computer.
std::optional<RegistryData> ReadPolicy(const PolicyKeys& keys, const PolicyValue& value)
{
    if (auto machine = ReadPolicyValue(keys.machine.get(), value)) return machine;
    return ReadPolicyValue(keys.user.get(), value);
}

std::optional<bool> Switch(const PolicyKeys& keys, const PolicyValue& value)
{
    const std::optional<RegistryData> data = ReadPolicy(keys, value);
    if (!data) return std::nullopt;
    DWORD number = 0;
    std::memcpy(&number, data->bytes.data(), sizeof number);
    return number != 0;
}

std::string Expanded(const std::string& text)
{
    const DWORD size = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    if (size == 0) return text;
    std::string expanded(size, '\0');
    if (ExpandEnvironmentStringsA(text.c_str(), expanded.data(), size) == 0) return text;
    expanded.resize(std::strlen(expanded.c_str()));
    return expanded;
}

Policies& Current()
{
    static Policies policies;
    return policies;
}
}  // namespace

Policies ReadPolicies()
{
    PolicyKeys keys;
    OpenRegistryKey(HKEY_LOCAL_MACHINE, kPolicyKey, KEY_QUERY_VALUE, keys.machine);
    OpenRegistryKey(HKEY_CURRENT_USER, kPolicyKey, KEY_QUERY_VALUE, keys.user);
    Policies policies;
    if (auto file = ReadPolicy(keys, kProfilesFilePolicy)) policies.profilesFile = Expanded(file->bytes);
    policies.lockProfiles = Switch(keys, kLockProfilesPolicy).value_or(false);
    policies.loadOnStartup = Switch(keys, kLoadOnStartupPolicy);
    if (auto mode = ReadPolicy(keys, kWhenNetworkChangesPolicy)) policies.whenNetworkChanges = mode->bytes;
    return policies;
}

const Policies& ProgramPolicies() { return Current(); }

void SetProgramPolicies(Policies policies) { Current() = std::move(policies); }
