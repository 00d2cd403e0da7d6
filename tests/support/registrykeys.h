#pragma once
// Keys that a test writes under HKEY_LOCAL_MACHINE and removes again, written with the plain
// registry functions so the code under test never prepares its own input.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "adapters/reg.h"
#include "core/policies.h"
#include "core/registry.h"

// Every key the tests make lives below this one or uses these names, so a leftover is easy
// to spot and never collides with what Windows (or another test program) keeps.
inline constexpr char kTestRootKey[] = "SOFTWARE\\VelmoraTests\\Registry";

// A key under HKLM that exists for the test's lifetime; anything left from an earlier run
// is removed first. Parent keys it had to make go again with it when nothing else is in them.
class ScopedKey {
public:
    explicit ScopedKey(std::string path, bool create = true);
    ~ScopedKey();
    ScopedKey(const ScopedKey&) = delete;
    ScopedKey& operator=(const ScopedKey&) = delete;

    const std::string& Path() const { return m_path; }
    void SetRaw(const std::string& name, DWORD type, const std::string& bytes) const;
    // Through the UTF-16 functions, for byte counts the ANSI ones cannot produce.
    void SetRawWide(const std::string& name, DWORD type, const std::string& bytes) const;
    void SetString(const std::string& name, const std::string& text) const;
    void SetDword(const std::string& name, DWORD value) const;
    void SetMultiString(const std::string& name, const std::vector<std::string>& lines) const;

private:
    std::string m_path;
    std::vector<std::string> m_madeParents;  // innermost first
};

bool KeyExists(const std::string& path);
// A value as the ANSI functions read it; none when absent.
std::optional<RegistryData> ReadRaw(const std::string& path, const std::string& name);
// Writes a value, making its key when it is missing, or deletes it.
void WriteRaw(const std::string& path, const std::string& name, DWORD type, const std::string& bytes);
void DeleteRaw(const std::string& path, const std::string& name);
// A REG_SZ value's bytes: the text and its terminating zero.
std::string StringBytes(const std::string& text);

// What the registry reader holds for an adapter: address, mask, gateway, the two name
// servers and the DHCP flag.
std::vector<std::string> StoredSettings(const tadapter& adapter);

// One of the program's registry accessors (TRegistry, TReg) on HKLM with the key `path` opened,
// not made.
template <typename Accessor>
struct OpenedOn {
    explicit OpenedOn(const std::string& path, REGSAM access = KEY_ALL_ACCESS) : accessor(access)
    {
        accessor.SetRootKey(HKEY_LOCAL_MACHINE);
        opened = accessor.OpenKey(path, false);
    }
    Accessor accessor;
    bool opened = false;
};

// Values under Software\Policies\Velmora, the machine's and the user's, for a test's lifetime:
// both keys go again at its end, and the program goes back to running with no policy.
class ScopedPolicies {
public:
    ScopedPolicies();
    ~ScopedPolicies();
    ScopedPolicies(const ScopedPolicies&) = delete;
    ScopedPolicies& operator=(const ScopedPolicies&) = delete;
    // A REG_DWORD is given as its decimal text; any other type's text is written as a string.
    void Set(HKEY root, const std::string& name, DWORD type, const std::string& value) const;
};
