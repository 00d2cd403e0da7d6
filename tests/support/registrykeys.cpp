#include "support/registrykeys.h"

#include <gtest/gtest.h>

#include "core/text.h"

namespace {
UniqueHkey OpenForWriting(const std::string& path)
{
    UniqueHkey key;
    const LSTATUS status = RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                           KEY_ALL_ACCESS, nullptr, key.put(), nullptr);
    EXPECT_EQ(status, ERROR_SUCCESS) << path;
    return key;
}
}  // namespace

ScopedKey::ScopedKey(std::string path, bool create) : m_path(std::move(path))
{
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, m_path.c_str());
    for (size_t cut = m_path.rfind('\\'); cut != std::string::npos && cut > 0; cut = m_path.rfind('\\', cut - 1)) {
        const std::string parent = m_path.substr(0, cut);
        if (KeyExists(parent)) break;
        m_madeParents.push_back(parent);
    }
    if (!create) return;
    UniqueHkey key;
    LSTATUS status = RegCreateKeyExA(HKEY_LOCAL_MACHINE, m_path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                     KEY_ALL_ACCESS, nullptr, key.put(), nullptr);
    // Wine makes NetworkCards afresh at every start, as a volatile key.
    if (status == ERROR_CHILD_MUST_BE_VOLATILE) {
        status = RegCreateKeyExA(HKEY_LOCAL_MACHINE, m_path.c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                                 nullptr, key.put(), nullptr);
    }
    EXPECT_EQ(status, ERROR_SUCCESS) << m_path;
}

ScopedKey::~ScopedKey()
{
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, m_path.c_str());
    // RegDeleteKey refuses a key that still has subkeys, so a parent someone else uses stays.
    for (const std::string& parent : m_madeParents) {
        if (RegDeleteKeyA(HKEY_LOCAL_MACHINE, parent.c_str()) != ERROR_SUCCESS) break;
    }
}

void ScopedKey::SetRaw(const std::string& name, DWORD type, const std::string& bytes) const
{
    WriteRaw(m_path, name, type, bytes);
}

void ScopedKey::SetRawWide(const std::string& name, DWORD type, const std::string& bytes) const
{
    UniqueHkey key = OpenForWriting(m_path);
    ASSERT_EQ(RegSetValueExW(key.get(), WideFromAnsi(name).c_str(), 0, type,
                             reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS)
        << name;
}

void ScopedKey::SetString(const std::string& name, const std::string& text) const
{
    SetRaw(name, REG_SZ, StringBytes(text));
}

void ScopedKey::SetDword(const std::string& name, DWORD value) const
{
    SetRaw(name, REG_DWORD, std::string(reinterpret_cast<const char*>(&value), sizeof value));
}

void ScopedKey::SetMultiString(const std::string& name, const std::vector<std::string>& lines) const
{
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + '\0';
    SetRaw(name, REG_MULTI_SZ, bytes + '\0');
}

bool KeyExists(const std::string& path)
{
    UniqueHkey key;
    return RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

std::optional<RegistryData> ReadRaw(const std::string& path, const std::string& name)
{
    UniqueHkey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return std::nullopt;
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
    RegistryData data;
    data.bytes.assign(size, '\0');
    if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.bytes.data()), &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    data.bytes.resize(size);
    data.type = type;
    return data;
}

void WriteRaw(const std::string& path, const std::string& name, DWORD type, const std::string& bytes)
{
    UniqueHkey key = OpenForWriting(path);
    ASSERT_EQ(RegSetValueExA(key.get(), name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS)
        << name;
}

void DeleteRaw(const std::string& path, const std::string& name)
{
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, path.c_str(), name.c_str());
}

std::string StringBytes(const std::string& text) { return std::string(text.c_str(), text.size() + 1); }

std::vector<std::string> StoredSettings(const tadapter& adapter)
{
    return {adapter.Address, adapter.Mask, adapter.Gateway,
            adapter.Dns1,    adapter.Dns2, std::to_string(adapter.DhcpEnabled)};
}

ScopedPolicies::ScopedPolicies()
{
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
        RegDeleteTreeA(root, kPolicyKey);
}

ScopedPolicies::~ScopedPolicies()
{
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
        RegDeleteTreeA(root, kPolicyKey);
    SetProgramPolicies({});
}

void ScopedPolicies::Set(HKEY root, const std::string& name, DWORD type, const std::string& value) const
{
    const DWORD number = type == REG_DWORD ? std::stoul(value) : 0;
    const std::string bytes =
        type == REG_DWORD ? std::string(reinterpret_cast<const char*>(&number), sizeof number) : StringBytes(value);
    EXPECT_EQ(RegSetKeyValueA(root, kPolicyKey, name.c_str(), type, bytes.data(), static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS)
        << name;
}
