// What the organisation sets through Group Policy (core/policies.h), read once as the window is
// made: a control a policy sets is greyed with a note beside it, and profiles the organisation
// manages are applied, never changed (TProfilesView::SetLocked).
#include "app/mainformunit.h"

#include "core/policies.h"
#include "profiles/iprofile.h"
#include "profiles/location.h"

namespace {
constexpr COLORREF kNoteColor = RGB(0, 0, 255);  // as the tab's explanations

std::unique_ptr<TLabel> PolicyNote(TWinControl* parent, const Bounds& bounds, const std::string& caption)
{
    auto note = std::make_unique<TLabel>(
        LabelArgs{.parent = parent, .bounds = bounds, .caption = caption, .autoSize = false, .textColor = kNoteColor});
    note->SetVisible(false);
    return note;
}
}  // namespace

void TForm1::BuildPolicyNotes()
{
    // Under the last explanation of the options, and beside the file field's caption.
    Label24 = PolicyNote(GroupBox5.get(), {16, 136, 433, 13}, "Options shown greyed are set by your organisation.");
    Label25 = PolicyNote(GroupBox6.get(), {96, 16, 273, 13}, std::string(kSetByOrganisationText) + ".");
}

void TForm1::ShowPolicies()
{
    const Policies& policies = ProgramPolicies();
    // The field shows the organisation's file from the start (SetDefaultProfilePath).
    const bool fileSet = policies.profilesFile.has_value();
    Edit1->SetEnabled(!fileSet);
    Button4->SetEnabled(!fileSet);
    Label25->SetVisible(fileSet);

    const std::optional<PlaceMode> mode = PlaceModeByPolicy();
    if (mode) ComboBox2->SetItemIndex(static_cast<int>(*mode));
    ComboBox2->SetEnabled(!mode);
    Label23->SetEnabled(!mode);
    // "Load on StartUp" is set as the autostart entry is read (ReadAutostartState).
    CheckBox2->SetEnabled(!policies.loadOnStartup);
    Label24->SetVisible(mode || policies.loadOnStartup);

    // "Apply Changes" would put settings on the adapter that no managed profile holds.
    Profiles->SetLocked(policies.lockProfiles);
    Button1->SetEnabled(!policies.lockProfiles);
}

void TForm1::TellProfileFileFallback()
{
    const std::optional<std::string>& shared = ProgramPolicies().profilesFile;
    if (!shared || !ProfilesLoaded() || ProfilesReadFrom() == ProfileIniPath) return;
    const bool ownCopy = GetFileAttributesA(ProfilesReadFrom().c_str()) != INVALID_FILE_ATTRIBUTES;
    ShowNotification({ownCopy ? "Velmora uses its own copy of the profiles" : "No profiles yet",
                      "\"" + *shared + "\" could not be reached, so " +
                          (ownCopy ? "Velmora uses the copy it saved last, \"" + ProfilesReadFrom() + "\"."
                                   : "there are no profiles until it can be: Velmora has no copy of its own yet."),
                      true});
}

void TForm1::TellChangesDoNotLast()
{
    const std::optional<std::string>& shared = ProgramPolicies().profilesFile;
    if (!shared || m_toldChangesDoNotLast) return;
    m_toldChangesDoNotLast = true;
    ShowNotification({"Your change lasts until Velmora starts again",
                      "Your organisation's profiles are loaded from \"" + *shared + "\" at each start.", true});
}
