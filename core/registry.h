#pragma once
// The program's registry accessor: one current key under a root key, opened and released
// within each operation. ANSI functions throughout, as the program keeps its texts in ANSI.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/handles.h"

// A value's type and bytes as the ANSI functions give them.
struct RegistryData {
    DWORD type = REG_NONE;
    std::string bytes;
};

// Reads a whole value of `key`. A value that grows between the size query and the read is
// asked for again, a few times, before the read gives up with ERROR_MORE_DATA.
LSTATUS QueryRegistryValue(HKEY key, const std::string& name, RegistryData& data);

// The texts of the registry errors; %s stands for the value or key name. The failed call's
// status, when there is one, is kept as the error's code.
[[noreturn]] void RaiseRegistryError(std::string_view pattern, const std::string& name, LSTATUS status = ERROR_SUCCESS);

// Where the program keeps its per-user settings, under HKEY_CURRENT_USER.
inline constexpr char kUserSettingsKey[] = "Software\\Velmora";

// A per-user setting: a REG_SZ or REG_DWORD value of HKEY_CURRENT_USER\<key>. Such settings are
// conveniences, so they raise nothing: one that is absent or unreadable reads as empty (or 0),
// and the writers and the deleter answer whether they succeeded.
std::string ReadUserString(const std::string& key, const std::string& name);
bool WriteUserString(const std::string& key, const std::string& name, const std::string& value);
uint32_t ReadUserNumber(const std::string& key, const std::string& name);
bool WriteUserNumber(const std::string& key, const std::string& name, uint32_t value);
bool DeleteUserValue(const std::string& key, const std::string& name);

// What Windows answers an open before it is made: ERROR_SUCCESS to let it through, or the error
// it refuses with. By default everything goes through; tests play a standard user, whom Windows
// refuses any access beyond reading under HKEY_LOCAL_MACHINE. Returns the previous rule.
using RegistryOpenRule = std::function<LSTATUS(HKEY root, REGSAM access)>;
RegistryOpenRule SetRegistryOpenRule(RegistryOpenRule rule);
// Opens `path` under `root` as RegOpenKeyEx does, under the rule above.
LSTATUS OpenRegistryKey(HKEY root, const std::string& path, REGSAM access, UniqueHkey& opened);

class TRegistry {
public:
    // Full access unless told otherwise; a reader without the right to write asks for KEY_READ.
    explicit TRegistry(REGSAM access = KEY_ALL_ACCESS) noexcept : m_access(access) {}
    ~TRegistry() = default;  // the current key closes with its owner
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    HKEY RootKey() const noexcept { return m_rootKey; }
    // Paths are relative to the root key, so changing it closes the current key.
    void SetRootKey(HKEY root) noexcept;
    REGSAM Access() const noexcept { return m_access; }
    // Applies to keys opened or created from now on.
    void SetAccess(REGSAM access) noexcept { m_access = access; }
    HKEY CurrentKey() const noexcept { return m_currentKey.get(); }

    // Opens `key` (relative to the root key; a leading backslash is ignored) with the access
    // above, creating it when `canCreate`. On success it becomes the current key and the
    // previous one is closed; on failure the current key stays as it was.
    bool OpenKey(const std::string& key, bool canCreate);
    // Creates `key` (nothing changes when it exists) without opening it.
    // Raises "Failed to create key %s".
    void CreateKey(const std::string& key);
    // Deletes `key` with all its subkeys and values.
    bool DeleteKey(const std::string& key);
    void CloseKey() noexcept { m_currentKey.reset(); }

    // Size in bytes of a value of the current key, as the ANSI functions count it; none
    // when the value is absent or no key is open.
    std::optional<DWORD> GetDataSize(const std::string& name) const;
    // A REG_SZ or REG_EXPAND_SZ value up to its first zero; the empty text when absent.
    // Raises "Invalid data type for '%s'" for another type, "Failed to get data for '%s'"
    // when the read fails.
    std::string ReadString(const std::string& name) const;
    // A REG_DWORD value. Raises "Failed to get data for '%s'" when absent (or not four
    // bytes long), "Invalid data type for '%s'" for another type.
    int32_t ReadInteger(const std::string& name) const;
    // Writers raise "Failed to set data for '%s'".
    void WriteString(const std::string& name, const std::string& value);
    void WriteInteger(const std::string& name, int32_t value);
    void WriteData(const std::string& name, DWORD type, std::string_view bytes);
    bool DeleteValue(const std::string& name);
    // The same as WriteData, answering whether it succeeded instead of raising.
    bool TryWriteData(const std::string& name, DWORD type, std::string_view bytes);
    // The names of the current key's subkeys, in the registry's order.
    std::vector<std::string> GetKeyNames() const;

private:
    LSTATUS WriteStatus(const std::string& name, DWORD type, std::string_view bytes);

    HKEY m_rootKey = HKEY_CURRENT_USER;
    REGSAM m_access;
    UniqueHkey m_currentKey;
};
