#include "app/mainformunit.h"

#include "profiles/iprofile.h"
#include "profiles/profedit.h"
#include "resources/resource.h"
#include "tray/trayicon.h"
#include "ui/fonts.h"

TForm1* Form1 = nullptr;
TForm2* Form2 = nullptr;

namespace {
FormArgs MainFormArgs()
{
    FormArgs args;
    args.name = "Form1";
    args.caption = "Velmora";
    args.bounds = {291, 198, 497, 421};
    args.borderStyle = TBorderStyle::bsSingle;
    args.helpButton = true;
    args.font = GetFont({"MS Sans Serif", 11});
    HINSTANCE instance = GetModuleHandleA(nullptr);
    args.icon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_VELMORA), IMAGE_ICON,
                                              GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), LR_SHARED));
    args.smallIcon =
        static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_VELMORA), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    return args;
}
}  // namespace

TForm1::TForm1(ConnectServicesFunction connectServices)
    : TForm(MainFormArgs()), m_connectServices(std::move(connectServices))
{
    Form1 = this;
    BuildImageLists();
    BuildFrame();
    BuildNetworkConfigurationTab();
    BuildProfilesTab();
    PageControl1->Page(AboutTab).BuildWhenShown([this] { BuildAboutTab(); });
    BuildBottomRow();
    BuildTrayMenu();
    BuildTrayIcon();

    onCreate = [this] { FormCreate(); };
    onShow = [this] { FormShow(); };
    onCloseQuery = [this](bool& canClose) { FormCloseQuery(canClose); };
    onClose = [this](TCloseAction& action) { FormClose(action); };
    DoCreate();
}

TForm1::~TForm1()
{
    if (Form1 == this) Form1 = nullptr;
    if (ListView1 && ProfileList == &ListView1->Items()) ProfileList = nullptr;
    if (Form2 == ProfileEditor.get()) Form2 = nullptr;
}

void TForm1::FormCreate()
{
    SetDescriptionText();                                // 1
    ProfileEditor = std::make_unique<TForm2>(Handle());  // 2
    Form2 = ProfileEditor.get();
    SwitchOffGridEditors();     // 3
    SetDefaultProfilePath();    // 4
    SetGeneralTexts();          // 5
    ReadAutostartState();       // 6
    SelectedAdapterIndex = -1;  // 7
    ActiveProfileIndex = -1;
    WmiServices = m_connectServices();  // 8
    refreshdata();                      // 9
    ReloadProfiles();                   // 10
}

void TForm1::FormShow() { refreshdata(); }

void TForm1::FormCloseQuery(bool& canClose)
{
    // A failed save raises here and so ends the close request with everything as it was.
    SaveProfiles();
    if (Visible() && !ExitRequested) {
        canClose = false;
        Hide();
    }
}

void TForm1::FormClose(TCloseAction&)
{
    // The default action stands: closing the main form ends the application.
}

void TForm1::Exit1Click(TMenuItem&)
{
    ExitRequested = true;
    Close();
}

void TForm1::Configuration1Click(TMenuItem&) { Show(); }

void TForm1::About1Click(TMenuItem&)
{
    PageControl1->SetActivePageIndex(AboutTab);
    Show();
}

void TForm1::Button3Click()
{
    SaveProfiles();
    Hide();
}

void TForm1::Button2Click() { Hide(); }

void TForm1::Label22Click() { PageControl1->SetActivePageIndex(ProfilesTab); }
