#pragma once
// TForm4, the welcome dialog of a first start: shown when the profile store holds no profile,
// it offers to copy the chosen adapter's settings into a profile named "Default". Its modal
// result is mrOk for "Create New Profile" and mrCancel for "Close" or the title bar's close.
#include <functional>
#include <memory>

#include "core/registry.h"
#include "ui/button.h"
#include "ui/form.h"
#include "ui/graphic.h"
#include "ui/label.h"

class TForm4 : public TForm {
public:
    TForm4();
    ~TForm4() override;

    std::unique_ptr<TShape> Shape1;
    std::unique_ptr<TLabel> Label1;
    std::unique_ptr<TGroupBox> GroupBox1;
    std::unique_ptr<TLabel> Label2;
    std::unique_ptr<TLabel> Label3;
    std::unique_ptr<TLabel> Label4;
    std::unique_ptr<TLabel> Label5;
    std::unique_ptr<TCheckBox> CheckBox1;  // "Don't show this notice again."
    std::unique_ptr<TButton> Button1;      // "Close"
    std::unique_ptr<TButton> Button2;      // "Create New Profile"

    void Button1Click();
    void Button2Click();

    // Runs the dialog modally over `owner`, which it belongs to meanwhile and keeps in front
    // of; returns the modal result.
    int ShowModalOver(HWND owner);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// The welcome dialog, once made; null while there is none.
extern TForm4* Form4;

// The running program's welcome dialog: Form4, or else one made now by the maker that start-up
// set. Most starts find profiles and never show it, so start-up leaves making its windows
// until a first start needs them. Null when there is neither (a main window made on its own).
TForm4* WelcomeDialog();
// Start-up's maker of the dialog, which also decides who owns it; an empty one takes it back.
void SetWelcomeMaker(std::function<TForm4&()> maker);

// The user's "Don't show this notice again.", kept per user under HKEY_CURRENT_USER\Software\Velmora.
bool WelcomeNoticeHidden();
// Keeps the choice; when it cannot be stored the notice simply shows again next time.
void HideWelcomeNotice();
// Forgets the choice.
void ShowWelcomeNoticeAgain();

inline constexpr const char* WelcomeSettingsKey = kUserSettingsKey;
inline constexpr char kWelcomeHiddenValue[] = "HideWelcomeNotice";
