#include "core/registry.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

#include "core/error.h"

namespace {
constexpr std::string_view kInvalidDataType = "Invalid data type for '%s'";
constexpr std::string_view kFailedToGetData = "Failed to get data for '%s'";
constexpr std::string_view kFailedToCreateKey = "Failed to create key %s";
constexpr std::string_view kFailedToSetData = "Failed to set data for '%s'";

// Paths are always taken from the root key; a leading backslash says the same thing.
const char* RelativePath(const std::string& key)
{
    const char* path = key.c_str();
    while (*path == '\\')
        ++path;
    return path;
}

BYTE* Bytes(std::string& buffer) { return reinterpret_cast<BYTE*>(buffer.data()); }

RegistryOpenRule& OpenRule()
{
    static RegistryOpenRule rule;
    return rule;
}

LSTATUS CreateOrOpen(HKEY root, const std::string& key, REGSAM access, UniqueHkey& opened)
{
    if (OpenRule()) {
        const LSTATUS refused = OpenRule()(root, access);
        if (refused != ERROR_SUCCESS) return refused;
    }
    LSTATUS status = RegCreateKeyExA(root, RelativePath(key), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                                     opened.put(), nullptr);
    // Under a volatile parent only a volatile key can be made. Wine keeps NetworkCards that
    // way (it lists the host's interfaces afresh at every start).
    if (status == ERROR_CHILD_MUST_BE_VOLATILE) {
        status = RegCreateKeyExA(root, RelativePath(key), 0, nullptr, REG_OPTION_VOLATILE, access, nullptr,
                                 opened.put(), nullptr);
    }
    return status;
}
}  // namespace

RegistryOpenRule SetRegistryOpenRule(RegistryOpenRule rule) { return std::exchange(OpenRule(), std::move(rule)); }

LSTATUS OpenRegistryKey(HKEY root, const std::string& path, REGSAM access, UniqueHkey& opened)
{
    if (OpenRule()) {
        const LSTATUS refused = OpenRule()(root, access);
        if (refused != ERROR_SUCCESS) return refused;
    }
    return RegOpenKeyExA(root, RelativePath(path), 0, access, opened.put());
}

LSTATUS QueryRegistryValue(HKEY key, const std::string& name, RegistryData& data)
{
    DWORD type = REG_NONE;
    DWORD size = 0;
    LSTATUS status = RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size);
    for (int attempt = 0; status == ERROR_SUCCESS && attempt < 4; ++attempt) {
        std::string bytes(size, '\0');
        DWORD read = size;
        status = RegQueryValueExA(key, name.c_str(), nullptr, &type, Bytes(bytes), &read);
        if (status == ERROR_SUCCESS) {
            // The ANSI size query may count the stored UTF-16 form; the read counts what it gave.
            bytes.resize(std::min(read, size));
            data.type = type;
            data.bytes = std::move(bytes);
            return ERROR_SUCCESS;
        }
        if (status != ERROR_MORE_DATA) return status;
        // Someone wrote a longer value meanwhile: ask again with the size it has now.
        size = read > size ? read : size + size / 2 + 1;
        status = ERROR_SUCCESS;
    }
    return status == ERROR_SUCCESS ? ERROR_MORE_DATA : status;
}

void RaiseRegistryError(std::string_view pattern, const std::string& name, LSTATUS status)
{
    std::string text(pattern);
    const size_t at = text.find("%s");
    if (at != std::string::npos) text.replace(at, 2, name);
    throw AppError(text, status == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(static_cast<DWORD>(status)));
}

std::string ReadUserString(const std::string& key, const std::string& name)
{
    DWORD size = 0;
    if (RegGetValueA(HKEY_CURRENT_USER, RelativePath(key), name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &size) !=
        ERROR_SUCCESS) {
        return {};
    }
    std::string text(size, '\0');
    // A value that grew meanwhile reads as absent, like one that is not there.
    if (RegGetValueA(HKEY_CURRENT_USER, RelativePath(key), name.c_str(), RRF_RT_REG_SZ, nullptr, text.data(), &size) !=
        ERROR_SUCCESS) {
        return {};
    }
    text.resize(std::min<size_t>(text.find('\0'), size));
    return text;
}

namespace {
bool WriteUserValue(const std::string& key, const std::string& name, DWORD type, std::string_view bytes)
{
    TRegistry registry(KEY_SET_VALUE);
    registry.SetRootKey(HKEY_CURRENT_USER);
    return registry.OpenKey(key, true) && registry.TryWriteData(name, type, bytes);
}
}  // namespace

bool WriteUserString(const std::string& key, const std::string& name, const std::string& value)
{
    // The terminating zero is part of a REG_SZ value's data.
    return WriteUserValue(key, name, REG_SZ, std::string_view(value.c_str(), value.size() + 1));
}

uint32_t ReadUserNumber(const std::string& key, const std::string& name)
{
    DWORD value = 0;
    DWORD size = sizeof value;
    return RegGetValueA(HKEY_CURRENT_USER, RelativePath(key), name.c_str(), RRF_RT_REG_DWORD, nullptr, &value, &size) ==
                   ERROR_SUCCESS
               ? value
               : 0;
}

bool WriteUserNumber(const std::string& key, const std::string& name, uint32_t value)
{
    const DWORD number = value;
    return WriteUserValue(key, name, REG_DWORD,
                          std::string_view(reinterpret_cast<const char*>(&number), sizeof number));
}

bool DeleteUserValue(const std::string& key, const std::string& name)
{
    return RegDeleteKeyValueA(HKEY_CURRENT_USER, RelativePath(key), name.c_str()) == ERROR_SUCCESS;
}

void TRegistry::SetRootKey(HKEY root) noexcept
{
    if (root == m_rootKey) return;
    CloseKey();
    m_rootKey = root;
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate)
{
    UniqueHkey opened;
    const LSTATUS status =
        canCreate ? CreateOrOpen(m_rootKey, key, m_access, opened) : OpenRegistryKey(m_rootKey, key, m_access, opened);
    if (status != ERROR_SUCCESS) return false;
    m_currentKey = std::move(opened);
    return true;
}

void TRegistry::CreateKey(const std::string& key)
{
    UniqueHkey created;
    const LSTATUS status = CreateOrOpen(m_rootKey, key, m_access, created);
    if (status != ERROR_SUCCESS) RaiseRegistryError(kFailedToCreateKey, key, status);
}

bool TRegistry::DeleteKey(const std::string& key)
{
    const char* path = RelativePath(key);
    // An empty path would empty the root key itself.
    if (*path == '\0') return false;
    return RegDeleteTreeA(m_rootKey, path) == ERROR_SUCCESS;
}

std::optional<DWORD> TRegistry::GetDataSize(const std::string& name) const
{
    DWORD size = 0;
    if (RegQueryValueExA(CurrentKey(), name.c_str(), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return size;
}

std::string TRegistry::ReadString(const std::string& name) const
{
    if (!GetDataSize(name)) return {};
    RegistryData data;
    const LSTATUS status = QueryRegistryValue(CurrentKey(), name, data);
    if (status != ERROR_SUCCESS) RaiseRegistryError(kFailedToGetData, name, status);
    if (data.type != REG_SZ && data.type != REG_EXPAND_SZ) RaiseRegistryError(kInvalidDataType, name);
    // Stored strings need not end in a zero; the text stops at the first one or at the end.
    const size_t end = data.bytes.find('\0');
    if (end != std::string::npos) data.bytes.resize(end);
    return std::move(data.bytes);
}

int32_t TRegistry::ReadInteger(const std::string& name) const
{
    DWORD type = REG_NONE;
    DWORD size = 0;
    // The type first, so a long value of another type is never fetched.
    if (RegQueryValueExA(CurrentKey(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
        RaiseRegistryError(kFailedToGetData, name);
    }
    if (type != REG_DWORD) RaiseRegistryError(kInvalidDataType, name);
    DWORD value = 0;
    size = sizeof value;
    if (RegQueryValueExA(CurrentKey(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value) {
        RaiseRegistryError(kFailedToGetData, name);
    }
    int32_t result;
    std::memcpy(&result, &value, sizeof result);
    return result;
}

void TRegistry::WriteData(const std::string& name, DWORD type, std::string_view bytes)
{
    const LSTATUS status = WriteStatus(name, type, bytes);
    if (status != ERROR_SUCCESS) RaiseRegistryError(kFailedToSetData, name, status);
}

bool TRegistry::TryWriteData(const std::string& name, DWORD type, std::string_view bytes)
{
    return WriteStatus(name, type, bytes) == ERROR_SUCCESS;
}

LSTATUS TRegistry::WriteStatus(const std::string& name, DWORD type, std::string_view bytes)
{
    if (bytes.size() > std::numeric_limits<DWORD>::max()) return ERROR_INVALID_PARAMETER;
    return RegSetValueExA(CurrentKey(), name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                          static_cast<DWORD>(bytes.size()));
}

std::vector<std::string> TRegistry::GetKeyNames() const
{
    std::vector<std::string> names;
    // Key names are at most 255 characters.
    char name[256];
    for (DWORD position = 0;; ++position) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(CurrentKey(), position, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return names;
        names.emplace_back(name, length);
    }
}

void TRegistry::WriteString(const std::string& name, const std::string& value)
{
    // The terminating zero is part of a REG_SZ value's data.
    WriteData(name, REG_SZ, std::string_view(value.c_str(), value.size() + 1));
}

void TRegistry::WriteInteger(const std::string& name, int32_t value)
{
    WriteData(name, REG_DWORD, std::string_view(reinterpret_cast<const char*>(&value), sizeof value));
}

bool TRegistry::DeleteValue(const std::string& name)
{
    return RegDeleteValueA(CurrentKey(), name.c_str()) == ERROR_SUCCESS;
}
