// "Undo: back to ..." in the tray menu: the adapter's configuration before the last change,
// brought back through the same road as any change, unless the adapter is gone or someone else
// has changed it since, which is told rather than overwritten blindly.
#include <windows.h>

#include "adapters/reg.h"
#include "adapters/wmiworks.h"
#include "core/dispatch.h"
#include "core/messagebox.h"
#include "profiles/profileswindow.h"
#include "ui/cursor.h"

namespace {
std::optional<std::string> TextOf(const Variant& object, const wchar_t* member)
{
    const std::optional<Variant> value = TryGetMember(object, member);
    return value ? TryVariantText(value->get()) : std::nullopt;
}
}  // namespace

void TProfilesWindow::Undo1Click(TMenuItem&)
{
    if (!Undo || RefusedWhileBusy()) return;
    BusyCursor busy(TCursor::crAppStart);
    const UndoRecord record = *Undo;
    const std::string wayBack = ShortDescription(record.backTo);

    // The adapter by the SettingID that stays across restarts; its Index may not.
    std::optional<int32_t> index;
    AdapterConfiguration now;
    ForEachConfiguration(QueryAdapterConfigurations(WmiServices, false), [&](const Variant& configuration) {
        if (index || TextOf(configuration, L"SettingID") != record.settingId) return;
        const std::optional<Variant> number = TryGetMember(configuration, L"Index");
        index = number ? TryVariantInt(number->get()) : std::nullopt;
        if (index) now = ReadAdapterConfiguration(configuration);
    });
    if (!index) {
        ShowMessageBox(Handle(),
                       "The adapter \"" + record.adapterName +
                           "\" is not there any more, so Velmora did not go back to " + wayBack + ".",
                       "Velmora", MB_OK | MB_ICONWARNING);
        return;
    }
    BuildAdapterList();
    AddStoredSettings(now, FindAdapterBySettingID(record.settingId));
    if (SameSettings(now, record.backTo)) {
        ShowMessageBox(Handle(),
                       "\"" + record.adapterName + "\" has " + DescribeConfiguration(now) +
                           " already: there is nothing to go back to.",
                       "Velmora", MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (!SameSettings(now, record.expected)) {
        const std::string question =
            "The settings of \"" + record.adapterName + "\" have changed since Velmora changed them: it now has " +
            DescribeConfiguration(now) + ".\n\nGo back to " + DescribeConfiguration(record.backTo) + " all the same?";
        if (ShowMessageBox(Handle(), question, "Velmora", MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    }

    ChangeRequest request;
    request.kind = ChangeRequest::Kind::Undo;
    request.title = "Undo";
    request.trigger = "tray: Undo";
    request.adapterIndex = *index;
    request.settingId = record.settingId;
    request.adapterName = record.adapterName;
    request.target = record.backTo;
    ChangeAndTell(request);
}
