#include "app/autostartentry.h"

#include <windows.h>

#include "core/programfile.h"
#include "core/registry.h"

namespace {
constexpr const char* RunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* AutostartValue = "V.M.R.";
}  // namespace

AutostartEntry ReadAutostartEntry()
{
    AutostartEntry entry;
    TRegistry registry(KEY_ALL_ACCESS);
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    entry.writable = registry.OpenKey(RunKey, true);
    if (!entry.writable) {
        registry.SetAccess(KEY_READ);
        if (!registry.OpenKey(RunKey, false)) return entry;
    }
    entry.text = registry.ReadString(AutostartValue);
    return entry;
}

void WriteAutostartEntry()
{
    TRegistry registry(KEY_ALL_ACCESS);
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    registry.CreateKey(RunKey);
    // Should the open fail after all, the write below reports it.
    registry.OpenKey(RunKey, true);
    std::string quoted = "\"";
    quoted += ProgramFile();
    quoted += '"';
    registry.WriteString(AutostartValue, quoted);
}

bool DeleteAutostartEntry()
{
    TRegistry registry(KEY_ALL_ACCESS);
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    registry.OpenKey(RunKey, true);
    return registry.DeleteValue(AutostartValue);
}
