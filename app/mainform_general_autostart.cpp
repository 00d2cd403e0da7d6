// "Load on StartUp": the program's entry under the machine's Run key, read when the main window
// is created and written or deleted each time the box changes.
#include "app/mainformunit.h"

#include <vector>

#include "core/check.h"
#include "core/messagebox.h"
#include "core/registry.h"

namespace {
constexpr const char* RunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* AutostartValue = "V.M.R.";

std::string RunningProgramPath()
{
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), size);
        if (length == 0) RaiseError(SystemMessageText(GetLastError()));
        // A full buffer may hold a cut path: try again with more room.
        if (length < size || size >= 32768) return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

std::string Quoted(const std::string& path)
{
    std::string text(1, '"');
    text += path;
    text += '"';
    return text;
}
}  // namespace

void TForm1::ReadAutostartState()
{
    std::string entry;
    {
        // Full access even for reading: for a user who may not change the entry the box stays
        // unchecked, so their start does not try a rewrite that would fail and cut the
        // window's creation short.
        TRegistry registry(KEY_ALL_ACCESS);
        registry.SetRootKey(HKEY_LOCAL_MACHINE);
        if (registry.OpenKey(RunKey, true)) entry = registry.ReadString(AutostartValue);
    }
    // Checking the box runs its click handler, which points a present entry at this program.
    CheckBox2->SetChecked(!entry.empty());
}

void TForm1::CheckBox2Click()
{
    TRegistry registry(KEY_ALL_ACCESS);
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    if (CheckBox2->Checked()) {
        registry.CreateKey(RunKey);
        // Should the open fail after all, the write below reports it.
        registry.OpenKey(RunKey, true);
        registry.WriteString(AutostartValue, Quoted(RunningProgramPath()));
    } else {
        registry.OpenKey(RunKey, true);
        if (!registry.DeleteValue(AutostartValue)) {
            ShowMessageBox(Handle(), "Failed to Delete RegistryKey ", "Velmora", MB_OK);
        }
    }
    registry.CloseKey();
}
