// "Undo: back to ..." in the tray menu: the adapter's configuration before the last change,
// brought back through the same road as any change, unless the adapter is gone or someone else
// has changed it since, which is told rather than overwritten blindly.
#include <windows.h>

#include "adapters/reg.h"
#include "adapters/wmiworks.h"
#include "core/dispatch.h"
#include "profiles/profilesview.h"

namespace {
std::optional<std::string> TextOf(const Variant& object, const wchar_t* member)
{
    const std::optional<Variant> value = TryGetMember(object, member);
    return value ? TryVariantText(value->get()) : std::nullopt;
}

ChangeAnswer NotMade(std::string text, bool warning)
{
    ChangeAnswer answer(ChangeAnswer::Kind::NotMade);
    answer.text = std::move(text);
    answer.warning = warning;
    return answer;
}
}  // namespace

void TProfilesView::Undo1Click(TMenuItem&) { m_changes.Submit(TrayAsk(ChangeAsk::Kind::Undo, "Undo", "tray: Undo")); }

PreparedChange TProfilesView::PrepareUndo(const ChangeAsk& ask)
{
    PreparedChange prepared;
    // What Undo goes back to when its turn comes: after a change that ran before it, that one's.
    if (!m_changes.Undo()) {
        prepared.refusal = NotMade("There is nothing to undo.", false);
        return prepared;
    }
    const UndoRecord record = *m_changes.Undo();
    const std::string wayBack = ShortDescription(record.backTo);

    // The adapter by the SettingID that stays across restarts; its Index may not.
    std::optional<int32_t> index;
    AdapterConfiguration now;
    ForEachConfiguration(QueryAdapterConfigurations(m_state.WmiServices, false), [&](const Variant& configuration) {
        if (index || TextOf(configuration, L"SettingID") != record.settingId) return;
        const std::optional<Variant> number = TryGetMember(configuration, L"Index");
        index = number ? TryVariantInt(number->get()) : std::nullopt;
        if (index) now = ReadAdapterConfiguration(configuration);
    });
    if (!index) {
        prepared.refusal = NotMade("The adapter \"" + record.adapterName +
                                       "\" is not there any more, so Velmora did not go back to " + wayBack + ".",
                                   true);
        prepared.refusal.kind = ChangeAnswer::Kind::NoAdapter;
        // Told once: the tray offers no way back to an adapter that is gone.
        m_changes.ForgetUndo();
        return prepared;
    }
    BuildAdapterList();
    AddStoredSettings(now, FindAdapterBySettingID(record.settingId));
    if (SameSettings(now, record.backTo)) {
        prepared.refusal = NotMade("\"" + record.adapterName + "\" has " + DescribeConfiguration(now) +
                                       " already: there is nothing to go back to.",
                                   false);
        return prepared;
    }

    ChangeRequest request;
    request.kind = ChangeRequest::Kind::Undo;
    request.title = "Undo";
    request.trigger = ask.trigger;
    request.adapterIndex = *index;
    request.settingId = record.settingId;
    request.adapterName = record.adapterName;
    request.target = record.backTo;
    if (!SameSettings(now, record.expected) && !ask.confirmed) {
        // Someone else's change is not overwritten without the user's word.
        prepared.refusal.kind = ChangeAnswer::Kind::AskFirst;
        prepared.refusal.text = "The settings of \"" + record.adapterName +
                                "\" have changed since Velmora changed them: it now has " + DescribeConfiguration(now) +
                                ".";
        prepared.refusal.request = std::move(request);
        return prepared;
    }
    prepared.request = std::move(request);
    return prepared;
}
