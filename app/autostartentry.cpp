#include "app/autostartentry.h"

#include <windows.h>

#include "core/handles.h"
#include "core/programfile.h"
#include "core/registry.h"

namespace {
constexpr const char* kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* AutostartValue = "V.M.R.";
}  // namespace

AutostartEntry ReadAutostartEntry()
{
    AutostartEntry entry;
    TRegistry registry(KEY_ALL_ACCESS);
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    entry.writable = registry.OpenKey(kRunKey, true);
    if (!entry.writable) {
        registry.SetAccess(KEY_READ);
        if (!registry.OpenKey(kRunKey, false)) return entry;
    }
    entry.text = registry.ReadString(AutostartValue);
    return entry;
}

void WriteAutostartEntry()
{
    TRegistry registry(KEY_ALL_ACCESS);
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    registry.CreateKey(kRunKey);
    // Should the open fail after all, the write below reports it.
    registry.OpenKey(kRunKey, true);
    std::string quoted = "\"";
    quoted += ProgramFile();
    quoted += '"';
    registry.WriteString(AutostartValue, quoted);
}

LSTATUS DeleteAutostartEntry()
{
    UniqueHkey key;
    const LSTATUS opened = OpenRegistryKey(HKEY_LOCAL_MACHINE, kRunKey, KEY_SET_VALUE, key);
    if (opened != ERROR_SUCCESS) return opened;
    return RegDeleteValueA(key.get(), AutostartValue);
}
