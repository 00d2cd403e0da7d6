// Profiles' shortcut keys: registered with Windows while the program runs, each applying its
// profile from anywhere, as the tray's "Activate" does. A key another program holds is told.
#include <algorithm>
#include <utility>
#include <vector>

#include "profiles/hotkey.h"
#include "profiles/iprofile.h"
#include "profiles/profilesview.h"

namespace {
// The ids of the program's hot keys ("RegisterHotKey function": an application's ids lie in
// 0x0000 to 0xBFFF): this one plus the profile's position.
constexpr int kFirstHotKeyId = 0x1000;
}  // namespace

void TProfilesView::RegisterProfileHotKeys()
{
    for (int id : m_hotKeyIds)
        UnregisterHotKey(m_window.Handle(), id);
    m_hotKeyIds.clear();
    std::string taken;
    std::string shared;
    // A key given to several profiles (a store written by hand) is the first one's.
    std::vector<std::pair<HotKey, const Tprofile*>> owners;
    for (int i = 0; ProfileList != nullptr && i < ProfileList->Count(); ++i) {
        const Tprofile& profile = ProfileAt(*ProfileList, i);
        const std::optional<HotKey> hotKey = profile.confirmed ? HotKeyFromText(profile.hotkey) : std::nullopt;
        if (!hotKey) continue;
        const auto owner =
            std::find_if(owners.begin(), owners.end(), [&](const auto& o) { return o.first == *hotKey; });
        if (owner != owners.end()) {
            const std::string what =
                profile.hotkey + " of \"" + profile.Caption() + "\" applies \"" + owner->second->Caption() + "\"";
            if (m_toldTakenKeys.insert(what).second) shared += (shared.empty() ? "" : "; ") + what;
            continue;
        }
        owners.emplace_back(*hotKey, &profile);
        const int id = kFirstHotKeyId + i;
        // MOD_NOREPEAT: a key held down applies the profile once.
        if (RegisterHotKey(m_window.Handle(), id, hotKey->modifiers | MOD_NOREPEAT, hotKey->key)) {
            m_hotKeyIds.push_back(id);
            continue;
        }
        // Told once for each profile and key, not at every change of the list.
        const std::string what = profile.hotkey + " for \"" + profile.Caption() + "\"";
        if (m_toldTakenKeys.insert(what).second) taken += (taken.empty() ? "" : ", ") + what;
    }
    if (!shared.empty())
        Notify({"Shortcut key shared", "More than one profile has the same key: " + shared + ".", true});
    if (!taken.empty())
        Notify({"Shortcut key taken", "Another program holds " + taken + ": choose another in the editor.", true});
}

void TProfilesView::HotKeyPressed(WPARAM id)
{
    const int position = static_cast<int>(id) - kFirstHotKeyId;
    if (ProfileList == nullptr || position < 0 || position >= ProfileList->Count()) return;
    const Tprofile& profile = ProfileAt(*ProfileList, position);
    ApplyProfile(profile.id, "hot key " + profile.hotkey);
}
