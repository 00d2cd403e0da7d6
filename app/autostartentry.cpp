#include "app/autostartentry.h"

#include <windows.h>

#include "core/programfile.h"
#include "core/registry.h"

namespace {
constexpr const char* RunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* AutostartValue = "V.M.R.";
}  // namespace

std::string ReadAutostartEntry()
{
    // Full access even for reading: for a user who may not change the entry the box stays
    // unchecked, so their start does not try a rewrite that would fail and cut the window's
    // creation short.
    TRegistry registry(KEY_ALL_ACCESS);
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    return registry.OpenKey(RunKey, true) ? registry.ReadString(AutostartValue) : std::string();
}

void WriteAutostartEntry()
{
    TRegistry registry(KEY_ALL_ACCESS);
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    registry.CreateKey(RunKey);
    // Should the open fail after all, the write below reports it.
    registry.OpenKey(RunKey, true);
    registry.WriteString(AutostartValue, "\"" + ProgramFile() + "\"");
}

bool DeleteAutostartEntry()
{
    TRegistry registry(KEY_ALL_ACCESS);
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    registry.OpenKey(RunKey, true);
    return registry.DeleteValue(AutostartValue);
}
