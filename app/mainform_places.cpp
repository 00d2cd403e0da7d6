// Switching by location: the main window follows where the chosen adapter is (PlaceWatch) and,
// as the user chose on the General tab under "When the network changes", does nothing, offers
// the profile that belongs there, or applies it through the change controller like any other
// request. A profile learns where it belongs from "Use here", in its tray entry or the editor.
#include "app/mainformunit.h"

#include "profiles/iprofile.h"
#include "profiles/location.h"
#include "profiles/profedit.h"
#include "profiles/starttip.h"

namespace {
constexpr const char* kPlaceModeTexts[] = {"Do nothing", "Ask", "Apply the matching profile"};
}  // namespace

void TForm1::BuildPlaces()
{
    Places = std::make_unique<PlaceWatch>(m_connectServices, PlaceSettleTime);
    Places->adapterIndex = [this] { return SelectedAdapterIndex; };
    Places->wanted = [] {
        for (int i = 0; ProfileList != nullptr && i < ProfileList->Count(); ++i)
            if (ProfileAt(*ProfileList, i).confirmed && !ProfileAt(*ProfileList, i).location.Empty()) return true;
        return false;
    };
    Places->arrived = [this](const PlaceWatch::Reading& reading) { return PlaceArrived(reading); };
    Places->left = [this] { Profiles->OfferProfiles({}, {}); };
    Places->nameWithheld = [this] {
        ShowNotification({"Wi-Fi name withheld",
                          "Windows gives the Wi-Fi network's name only to apps allowed to use location "
                          "(Settings, Privacy & security, Location). Velmora goes by the network's other values.",
                          true});
    };
    Profiles->onUseHere = [this](int32_t number) { UseHere(number); };
    // A location typed in the editor is looked at as a notification would have it.
    Profiles->onEdited = [this] {
        Places->Changed();
        TellChangesDoNotLast();
    };
}

void TForm1::BuildPlaceSetting(TWinControl* group)
{
    Label23 = std::make_unique<TLabel>(
        LabelArgs{.parent = group, .bounds = {150, 81, 0, 0}, .caption = "When the &network changes:"});
    ComboBox2 = std::make_unique<TComboBox>(
        ComboBoxArgs{.parent = group, .bounds = {288, 77, 161, 21}, .dropDownCount = 3, .listOnly = true});
    for (const char* text : kPlaceModeTexts)
        ComboBox2->AddItem(text);
    ComboBox2->SetItemIndex(static_cast<int>(ReadPlaceMode()));
    Label23->SetFocusControl(ComboBox2.get());
    ComboBox2->onChange = [this] { ComboBox2Change(); };
}

void TForm1::ComboBox2Change()
{
    const int chosen = ComboBox2->ItemIndex();
    if (chosen < 0) return;
    WritePlaceMode(static_cast<PlaceMode>(chosen));
    // Ask and Apply take the place as it is now; Do nothing withdraws an offer.
    Profiles->OfferProfiles({}, {});
    Places->AdapterChosen();
}

bool TForm1::PlaceArrived(const PlaceWatch::Reading& reading)
{
    // Nothing switches under a change, the welcome or the editor: the place is looked at again.
    if (Changes->GetState() != ChangeController::State::Idle) return false;
    if (Form4 != nullptr && Form4->Visible()) return false;
    const PlaceMode mode = ReadPlaceMode();
    const std::vector<uint64_t> keys = ProfilesForPlace(*ProfileList, reading.place);
    Profiles->OfferProfiles({}, {});
    if (mode == PlaceMode::Nothing || keys.empty()) return true;
    const std::string place = PlaceName(reading.place);
    const Tprofile* profile = FindProfileByKey(keys.front());
    if (keys.size() == 1 && profile != nullptr) {
        if (AdapterHolds(reading.adapter, *profile)) return true;
        if (Form2 != nullptr && Form2->Visible() && Form2->EditedProfile == profile) return false;
        if (mode == PlaceMode::Apply) {
            Profiles->ApplyForPlace(*profile, place, false);
            return true;
        }
    }
    // Asked: a tie is never guessed.
    Profiles->OfferProfiles(keys, place);
    std::string names;
    for (const uint64_t key : keys) {
        const Tprofile* offered = FindProfileByKey(key);
        if (offered == nullptr) continue;
        names += (names.empty() ? "" : " or ") + offered->Caption();
    }
    ShowNotification({"You are at " + place,
                      keys.size() == 1 ? "Apply " + names + " from the tray menu."
                                       : names + " both fit here: choose one from the tray menu.",
                      false});
    return true;
}

void TForm1::UseHere(int32_t number)
{
    const Tprofile* asked = FindProfile(number);
    if (asked == nullptr) return;
    Places->ReadNow([this, key = asked->key](const PlaceWatch::Reading& reading) {
        // Deleted while the place was read: nothing to teach.
        Tprofile* profile = FindProfileByKey(key);
        if (profile == nullptr) return;
        if (reading.place.Empty()) {
            ShowNotification({"No network",
                              "The chosen adapter is on no network that Velmora can tell: " + profile->Caption() +
                                  " keeps where it belongs.",
                              true});
            return;
        }
        profile->location = LocationOf(reading.place);
        ShowNotification({profile->Caption() + " is for " + PlaceName(reading.place),
                          "It is offered, or applied, whenever the adapter is there.", false});
    });
}
