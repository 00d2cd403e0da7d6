// The General tab: "Show only IP Enabled", "Load on StartUp" (mainform_general_autostart.cpp)
// and the profile file's path with its Browse dialog.
#include "app/mainformunit.h"

#include "core/policies.h"
#include "profiles/iprofile.h"

namespace {
constexpr COLORREF kExplanationColor = RGB(0, 0, 255);

// The explanations under the options: blue, and as wide as their group allows.
LabelArgs Explanation(TWinControl* parent, const Bounds& bounds)
{
    return {.parent = parent,
            .bounds = bounds,
            .caption = {},
            .autoSize = false,
            .wordWrap = false,
            .textColor = kExplanationColor};
}

CheckBoxArgs Option(TWinControl* parent, const Bounds& bounds, const std::string& caption, bool checked)
{
    return {.parent = parent, .bounds = bounds, .caption = caption, .checked = checked};
}
}  // namespace

void TForm1::BuildGeneralTab()
{
    TWinControl* page = &PageControl1->Page(kGeneralTab);

    GroupBox5 = std::make_unique<TGroupBox>(GroupBoxArgs{page, {8, 8, 465, 153}, "System options"});
    TWinControl* system = GroupBox5.get();
    CheckBox1 = std::make_unique<TCheckBox>(Option(system, {16, 16, 137, 17}, "Show only &IP Enabled", true));
    CheckBox1->onClick = [this] { CheckBox1Click(); };
    Label1 = std::make_unique<TLabel>(Explanation(system, {16, 40, 433, 33}));
    // Unchecked until creation has read the autostart entry.
    CheckBox2 = std::make_unique<TCheckBox>(Option(system, {16, 80, 105, 17}, "&Load on StartUp", false));
    CheckBox2->onClick = [this] { CheckBox2Click(); };
    Label17 = std::make_unique<TLabel>(Explanation(system, {16, 104, 433, 33}));
    BuildPlaceSetting(system);

    GroupBox6 = std::make_unique<TGroupBox>(GroupBoxArgs{page, {8, 168, 465, 121}, "File Options"});
    TWinControl* files = GroupBox6.get();
    LabelArgs caption;
    caption.parent = files;
    caption.bounds = {16, 16, 0, 0};
    caption.caption = "P&rofiles .INI";
    Label2 = std::make_unique<TLabel>(caption);
    Edit1 = std::make_unique<TEdit>(EditArgs{files, {16, 32, 353, 21}, "", nullptr});
    Edit1->onChange = [this] { Edit1Change(); };
    Button4 = std::make_unique<TButton>(ButtonArgs{files, {374, 32, 75, 22}, "&Browse..."});
    Button4->onClick = [this] { Button4Click(); };
    Label18 = std::make_unique<TLabel>(Explanation(files, {16, 64, 433, 49}));
    BuildPolicyNotes();

    // Only the first three characters of a default extension are appended to a typed name,
    // and without a dot (GetOpenFileName, OPENFILENAME.lpstrDefExt): "ini", not "Profiles.ini".
    OpenDialog1 = std::make_unique<TOpenDialog>(OpenDialogArgs{"OpenDialog1", "ini", "INI files|*.ini|All files|*.*"});
    OpenDialog1->onSelectionChange = [this] { OpenDialog1SelectionChange(); };
}

void TForm1::SetDefaultProfilePath()
{
    // The dialog and the field start at the default store, or at the file the organisation
    // shares; the field's change handler hands the path on to the store.
    const std::optional<std::string>& shared = ProgramPolicies().profilesFile;
    OpenDialog1->SetFileName(shared ? *shared : ProgramFolder() + ProfileIniName);
    Edit1->SetText(OpenDialog1->FileName());
}

void TForm1::SetGeneralTexts()
{
    Label1->SetWordWrap(true);
    Label1->SetCaption("If checked then only currently Active connections will be displayed on the Network "
                       "Configuration tab.");
    Label17->SetWordWrap(true);
    Label17->SetCaption("If checked then Application will be launched automatically each time you start the "
                        "Windows. This is needed to run program fully functional.");
    Label18->SetWordWrap(true);
    Label18->SetCaption("All profile settings are Stored in .INI file. You can select the location of proper "
                        "PROFILE.INI.\n\r"
                        "Please note: You can strore the file as backup of system network settings.");
}

void TForm1::Edit1Change()
{
    // Read by the store only while the window is created: a path chosen later is kept but
    // neither reloads the profiles nor moves the file they are saved to.
    ProfileIniPath = Edit1->Text();
}

void TForm1::CheckBox1Click()
{
    IpEnabledOnly = CheckBox1->Checked();
    refreshdata();
}

void TForm1::Button4Click()
{
    // The field has followed the selection while the dialog was open, so a cancel leaves it at
    // the last file looked at. A name typed into the dialog raises no selection change: a
    // confirmed choice is taken as well.
    if (OpenDialog1->Execute(Handle())) Edit1->SetText(OpenDialog1->FileName());
}

void TForm1::OpenDialog1SelectionChange() { Edit1->SetText(OpenDialog1->SelectedPath()); }
