#include "app/elevatedrun.h"

#include <windows.h>
#include <shellapi.h>

#include <exception>

#include "adapters/configure.h"
#include "adapters/reg.h"
#include "adapters/wmiworks.h"
#include "app/autostartentry.h"
#include "adapters/elevatedchange.h"
#include "core/dispatch.h"
#include "core/handles.h"
#include "core/text.h"

std::vector<std::string> ProgramArguments() { return CommandLineArguments(GetCommandLineW()); }

std::vector<std::string> CommandLineArguments(const std::wstring& commandLine)
{
    std::vector<std::string> arguments;
    int count = 0;
    const UniqueLocalAs<LPWSTR*> words(CommandLineToArgvW(commandLine.c_str(), &count));
    if (!words) return arguments;
    for (int i = 1; i < count; ++i)
        arguments.push_back(AnsiFromWide(words.get()[i]));
    return arguments;
}

bool ElevatedRunRequested(const std::vector<std::string>& arguments)
{
    return !arguments.empty() && arguments[0] == kElevatedChangeSwitch;
}

int RunElevatedChange(const std::vector<std::string>& arguments, const ConnectServicesFunction& connectServices)
{
    const std::optional<ElevatedChange> change = ParseElevatedArguments(arguments);
    if (!change) return static_cast<int>(kElevatedMalformed);
    try {
        if (change->kind == ElevatedChange::Kind::Autostart) {
            bool done = false;
            if (change->autostart) {
                WriteAutostartEntry();
                done = true;
            } else {
                done = DeleteAutostartEntry() == ERROR_SUCCESS;
            }
            return static_cast<int>(PackAutostartResult(done));
        }
        // Every adapter, not only the IP-enabled ones: the change names its adapter by Index.
        const Variant adapters = QueryAdapterConfigurations(connectServices(), false);
        const Variant adapter = FindAdapterConfiguration(adapters, change->adapter);
        if (!adapter.HoldsObject()) return static_cast<int>(kElevatedFailed);
        // The stored settings it writes belong to the adapter it changes, or it changes nothing:
        // an Index reused by another adapter since, or a change made up, would write over
        // another adapter's.
        if (!change->settingId.empty()) {
            const std::optional<Variant> settingId = TryGetMember(adapter, L"SettingID");
            if (!settingId || TryVariantText(settingId->get()) != change->settingId)
                return static_cast<int>(kElevatedMalformed);
        }
        if (change->kind == ElevatedChange::Kind::ApplyDetails)
            return static_cast<int>(PackDetailResults(SendDetailSettings(adapter, change->details)));
        BuildAdapterList();
        if (change->kind == ElevatedChange::Kind::Restore)
            return static_cast<int>(
                PackRefusal(RestoreAdapterConfiguration(adapter, change->settingId, change->configuration)));
        return static_cast<int>(PackRefusal(ApplyProfileSettings(adapter, change->settingId, change->profile)));
    } catch (const std::exception&) {
        // No window to tell it in: the exit code says the change failed.
        return static_cast<int>(kElevatedFailed);
    }
}
