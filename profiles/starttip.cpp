#include "profiles/starttip.h"

#include <utility>

#include "core/handles.h"
#include "core/registry.h"
#include "ui/fonts.h"
#include "core/privatemessages.h"
#include "ui/subclass.h"

TForm4* Form4 = nullptr;

namespace {
std::function<TForm4&()>& WelcomeMaker()
{
    static std::function<TForm4&()> maker;
    return maker;
}
}  // namespace

TForm4* WelcomeDialog()
{
    if (Form4 == nullptr && WelcomeMaker()) return &WelcomeMaker()();
    return Form4;
}

void SetWelcomeMaker(std::function<TForm4&()> maker) { WelcomeMaker() = std::move(maker); }

namespace {
constexpr int kClientWidth = 322;
constexpr int kClientHeight = 179;

// The owner of the running dialog: its activation passes on to the dialog, as Windows does for
// the owner of a modal dialog. Wine can hand the activation back to the owner after the dialog
// has come up, when the owner was shown just before it; that would leave the dialog behind.
class OwnerActivation : public TSubclass {
public:
    OwnerActivation(HWND owner, HWND dialog) : TSubclass(owner), m_dialog(dialog) {}

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) PostMessageA(m_dialog, kComeForwardMessage, 0, 0);
        return TSubclass::HandleMessage(message, wParam, lParam);
    }

private:
    HWND m_dialog;
};

FormArgs WelcomeArgs()
{
    FormArgs args;
    args.name = "Form4";
    args.caption = "Welcome to V.M.R.";
    // In the middle of the work area, where a first start's question belongs.
    RECT work{0, 0, 1024, 768};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    args.bounds = {work.left + (work.right - work.left - kClientWidth) / 2,
                   work.top + (work.bottom - work.top - kClientHeight) / 2, kClientWidth, kClientHeight};
    args.borderStyle = TBorderStyle::bsDialog;
    args.font = GetFont({"MS Sans Serif", 11});
    return args;
}

std::unique_ptr<TLabel> MakeText(TWinControl* parent, int left, int top, const char* caption, bool bold,
                                 COLORREF color = kParentColor)
{
    LabelArgs args;
    args.parent = parent;
    args.bounds = {left, top, 0, 0};
    args.caption = caption;
    args.color = color;
    if (bold) args.font = GetFont({"MS Sans Serif", 11, true});
    return std::make_unique<TLabel>(args);
}
}  // namespace

TForm4::TForm4() : TForm(WelcomeArgs())
{
    Form4 = this;
    TWinControl* self = this;
    Shape1 = std::make_unique<TShape>(ShapeArgs{self, {1, 1, 320, 40}});
    Label1 = MakeText(self, 72, 16, "Welcome to Velmora", false, RGB(255, 255, 255));
    Shape1->SendToBack();

    GroupBox1 = std::make_unique<TGroupBox>(GroupBoxArgs{self, {8, 48, 305, 89}, ""});
    TWinControl* frame = GroupBox1.get();
    Label2 = MakeText(frame, 8, 16, "There is no any Profile saved at the moment.", true);
    Label3 = MakeText(frame, 8, 32, "Click Create New Profile to copy current network", true);
    Label4 = MakeText(frame, 56, 48, "settings to the Default profile.", true);
    Label5 = MakeText(frame, 60, 64, "Click Close to skip this step.", true);

    // On the frame's top edge, where a caption would be.
    CheckBox1 = std::make_unique<TCheckBox>(CheckBoxArgs{self, {15, 44, 162, 17}, "&Don't show this notice again."});
    CheckBox1->BringToFront();

    ButtonArgs close{self, {32, 144, 121, 25}, "Close"};
    close.cancel = true;
    Button1 = std::make_unique<TButton>(close);
    Button1->onClick = [this] { Button1Click(); };
    ButtonArgs create{self, {168, 144, 121, 25}, "&Create New Profile"};
    create.isDefault = true;
    Button2 = std::make_unique<TButton>(create);
    Button2->onClick = [this] { Button2Click(); };
    DoCreate();
}

TForm4::~TForm4()
{
    if (Form4 == this) Form4 = nullptr;
}

int TForm4::ShowModalOver(HWND owner)
{
    const OwnerActivation activation(owner, Handle());
    SetWindowLongPtrA(Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    ScopeExit disowned([this] { SetWindowLongPtrA(Handle(), GWLP_HWNDPARENT, 0); });
    return ShowModal();
}

LRESULT TForm4::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kComeForwardMessage) {
        if (Modal()) Show();
        return 0;
    }
    return TForm::HandleMessage(message, wParam, lParam);
}

void TForm4::Button1Click() { SetModalResult(mrCancel); }

void TForm4::Button2Click() { SetModalResult(mrOk); }

bool WelcomeNoticeHidden() { return ReadUserNumber(WelcomeSettingsKey, kWelcomeHiddenValue) != 0; }

void HideWelcomeNotice() { WriteUserNumber(WelcomeSettingsKey, kWelcomeHiddenValue, 1); }

void ShowWelcomeNoticeAgain() { DeleteUserValue(WelcomeSettingsKey, kWelcomeHiddenValue); }
