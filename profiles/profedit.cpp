#include "profiles/profedit.h"

#include <commctrl.h>

#include "profiles/inifile.h"
#include "profiles/profedit_groups.h"
#include "profiles/profedit_keys.h"
#include "ui/fonts.h"

namespace {
FormArgs EditorArgs(HWND owner)
{
    FormArgs args;
    args.name = "Form2";
    args.caption = "Profile";
    args.bounds = {CW_USEDEFAULT, CW_USEDEFAULT, 305, 507};
    args.borderStyle = TBorderStyle::bsDialog;
    args.owner = owner;
    args.font = GetFont({"MS Sans Serif", 11});
    return args;
}

Bounds Offset(Bounds bounds, int left, int top)
{
    bounds.left += left;
    bounds.top += top;
    return bounds;
}
}  // namespace

TForm2::TForm2(HWND owner) : TForm(EditorArgs(owner))
{
    BuildControls();
    BindEvents();
    DoCreate();
}

TForm2::~TForm2() = default;

Bounds TForm2::OnTab(int left, int top, int width, int height) const
{
    // Places are given relative to the tab strip; the page starts below its tabs.
    const Bounds page = TabControl1->PageBounds();
    return {left - page.left, top - page.top, width, height};
}

void TForm2::BuildControls()
{
    TWinControl* form = this;
    // The hidden number label, first in the window and never in the keyboard order.
    profileid = std::make_unique<TLabel>(LabelArgs{form, {3, 3, 0, 0}, "id"});
    profileid->SetVisible(false);

    PageControlArgs tabs;
    tabs.parent = form;
    tabs.bounds = {8, 8, 289, 305};
    tabs.multiLine = false;
    TabControl1 = std::make_unique<TPageControl>(tabs);
    TTabSheet& sheet = TabControl1->AddPage("Edit Current Profile", -1);
    // A frame only: the one tab never takes the focus and is not a stop of the keyboard order.
    TabControl1->SetStyle(TCS_FOCUSNEVER, WS_TABSTOP);
    TWinControl* page = &sheet;

    // The keyboard order follows the order of creation (the dialog manager walks the windows
    // from the top of the z-order), and the first created lies on top. So the fields, radio
    // buttons and check box come in the order they are read, from the top down, and the groups
    // last, below everything they frame (the buttons and box sit on the groups' top edges);
    // the places stay those of the groups.
    const Bounds group3 = OnTab(8, 24, 273, 49);
    const Bounds group1 = OnTab(4, 102, 273, 91);
    const Bounds group2 = OnTab(4, 224, 273, 65);
    // No longer than the profile file gives back whole, whatever blanks and quotes it holds.
    proftitle = std::make_unique<TEdit>(EditArgs{page, Offset({6, 20, 259, 21}, group3.left, group3.top), "proftitle",
                                                 nullptr, static_cast<int>(kIniLongestText)});

    HFONT courier = GetFont({"Courier", 11});
    auto address = [&](const Bounds& group, int top) {
        return std::make_unique<TMaskEdit>(
            MaskEditArgs{page, Offset({128, top, 137, 21}, group.left, group.top), kAddressEditMask, courier});
    };
    RadioButton1 = std::make_unique<TRadioButton>(
        CheckBoxArgs{page, OnTab(22, 76, 209, 17), "&Obtain an IP address automatically"});
    RadioButton2 = std::make_unique<TRadioButton>(
        CheckBoxArgs{page, OnTab(22, 94, 161, 17), "U&se the following IP address", true});
    ip = address(group1, 16);
    mask = address(group1, 40);
    gw = address(group1, 64);
    CheckBox1 = std::make_unique<TCheckBox>(
        CheckBoxArgs{page, OnTab(22, 216, 217, 17), "Us&e the following DNS server addresses"});
    dns1 = address(group2, 14);
    dns2 = address(group2, 38);

    GroupBox3 = std::make_unique<TGroupBox>(GroupBoxArgs{page, group3, "&Profile Title"});
    GroupBox1 = std::make_unique<TGroupBox>(GroupBoxArgs{page, group1, ""});
    GroupBox2 = std::make_unique<TGroupBox>(GroupBoxArgs{page, group2, ""});

    // The captions are painted by the groups they stand in.
    Label1 = std::make_unique<TLabel>(LabelArgs{GroupBox1.get(), {8, 18, 0, 0}, "&IP Address:"});
    Label2 = std::make_unique<TLabel>(LabelArgs{GroupBox1.get(), {8, 43, 0, 0}, "S&ubnet Mask:"});
    Label3 = std::make_unique<TLabel>(LabelArgs{GroupBox1.get(), {9, 68, 0, 0}, "&Default GateWay:"});
    Label4 = std::make_unique<TLabel>(LabelArgs{GroupBox2.get(), {8, 16, 0, 0}, "P&rimary DNS server:"});
    Label5 = std::make_unique<TLabel>(LabelArgs{GroupBox2.get(), {8, 40, 0, 0}, "Se&condary DNS server:"});

    // The profile's shortcut key, below the tab and above the buttons.
    HotKeyLabel = std::make_unique<TLabel>(LabelArgs{form, {16, 324, 0, 0}, "Shortcut &key:"});
    HotKey1 = std::make_unique<THotKeyEdit>(form, Bounds{136, 320, 155, 21});

    // Where the profile belongs: the network's values, each of which the user may clear.
    WhereLabel = std::make_unique<TLabel>(LabelArgs{form, {16, 350, 0, 0}, "Where it belongs:"});
    UseHere1 = std::make_unique<TButton>(ButtonArgs{form, {216, 345, 75, 23}, "Use &here"});
    const char* const whereCaptions[] = {"Wi-&Fi name:", "Gateway &MAC:", "DHCP ser&ver:", "DNS suffi&x:"};
    std::unique_ptr<TEdit>* const whereFields[] = {&wifiName, &gatewayMac, &dhcpServer, &dnsSuffix};
    for (int row = 0; row < 4; ++row) {
        const int top = 374 + row * 24;
        WhereLabels.push_back(std::make_unique<TLabel>(LabelArgs{form, {16, top + 4, 0, 0}, whereCaptions[row]}));
        *whereFields[row] = std::make_unique<TEdit>(
            EditArgs{form, {136, top, 155, 21}, "", nullptr, static_cast<int>(kIniLongestText)});
        WhereLabels.back()->SetFocusControl(whereFields[row]->get());
    }

    Button3 = std::make_unique<TButton>(ButtonArgs{form, {16, 476, 113, 25}, "&Get System Settings"});
    ButtonArgs ok{form, {136, 476, 75, 25}, "Ok"};
    ok.isDefault = true;
    Button1 = std::make_unique<TButton>(ok);
    ButtonArgs cancel{form, {216, 476, 75, 25}, "Cancel"};
    cancel.cancel = true;
    Button2 = std::make_unique<TButton>(cancel);
}

void TForm2::BindEvents()
{
    onCreate = [this] { FormCreate(); };
    onShow = [this] { FormShow(); };
    RadioButton1->onClick = [this] { RadioButton1Click(); };
    RadioButton2->onClick = [this] { RadioButton2Click(); };
    Button1->onClick = [this] { Button1Click(); };
    Button2->onClick = [this] { Button2Click(); };
    Button3->onClick = [this] { Button3Click(); };
    UseHere1->onClick = [this] { UseHere1Click(); };
}

void TForm2::ChildrenShown()
{
    for (const TGroupBox* group : {GroupBox3.get(), GroupBox1.get(), GroupBox2.get()}) {
        m_underlays.push_back(std::make_unique<TGroupUnderlay>(group->Handle()));
    }
    // Every control that takes the focus hands its keys to the form's shortcut handler first,
    // as Escape must close the dialog with any modifier held (Alt+Esc never reaches the dialog
    // manager's Esc handling).
    const HWND focusable[] = {proftitle->Handle(),    ip->Handle(),      mask->Handle(),         gw->Handle(),
                              dns1->Handle(),         dns2->Handle(),    RadioButton1->Handle(), CheckBox1->Handle(),
                              RadioButton2->Handle(), HotKey1->Handle(), Button3->Handle(),      Button1->Handle(),
                              Button2->Handle()};
    for (HWND control : focusable) {
        auto watch = std::make_unique<TKeyWatch>(control);
        watch->onKeyDown = [this](WORD key) { return FormShortCut(key); };
        if (control == proftitle->Handle()) {
            watch->onKeyUp = [this](WORD key) { proftitleKeyUp(key); };
            watch->onEnter = [this] { proftitleEnter(); };
            watch->onExit = [this] { proftitleExit(); };
        }
        m_keyWatches.push_back(std::move(watch));
    }
}

LRESULT TForm2::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND: {
        // The dialog's own background is the window colour; the tab strip's page keeps the face.
        RECT client;
        GetClientRect(Handle(), &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_WINDOW));
        return TRUE;
    }
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
        // The buttons below the tab strip stand on the window colour.
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (FormShortCut(static_cast<WORD>(wParam))) return 0;
        break;
    }
    return TForm::HandleMessage(message, wParam, lParam);
}
