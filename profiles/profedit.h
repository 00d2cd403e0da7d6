#pragma once
// TForm2, the profile editor dialog: shows one profile (title, DHCP or static, five
// addresses) and writes what it shows back into that profile when Ok is pressed. It never
// touches the profile file. Created hidden by the main window, owned by it and reused for
// every opening; TProfilesWindow::OpenProfileEditor (profiles/openeditor.cpp) places and shows it.
// Its parts: profedit.cpp (the controls and their bindings), profedit_events.cpp (the
// handlers), profedit_keys.cpp (keys and focus of single controls), profedit_groups.cpp (the
// group boxes painting below the controls they frame).
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "adapters/networkplace.h"
#include "core/variant.h"
#include "ui/button.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/hotkeyedit.h"
#include "ui/label.h"
#include "ui/maskedit.h"
#include "ui/pagecontrol.h"

class Tprofile;
class TKeyWatch;
class TGroupUnderlay;

// The mask of the five address fields: four groups of three digit places between fixed
// points, blanks as spaces, the points kept in the text.
inline constexpr char kAddressEditMask[] = "999.999.999.999;1; ";

class TForm2 : public TForm {
public:
    // `owner`: the main window.
    explicit TForm2(HWND owner);
    ~TForm2() override;

    // The profile the dialog shows and writes on Ok. Not owned: the profile list owns it.
    // OpenProfileEditor sets it before each opening; it keeps the last one afterwards.
    Tprofile* EditedProfile = nullptr;
    // The adapter configuration "Get System Settings" reads, or the integer 0 when no adapter
    // matched. Replaced at each opening.
    Variant EditorAdapter;

    // True while the dialog is open on `profile`.
    bool Editing(const Tprofile& profile) const;
    // The profile list is about to destroy `profile`. If the dialog shows it, the dialog lets
    // go of it: it stays open, but its Ok writes nothing and OpenProfileEditor reports false.
    void ProfileRemoved(const Tprofile& profile);

    // Event handlers, named after their bindings.
    void FormCreate();
    void FormShow();
    bool FormShortCut(WORD key);  // true when the key was used
    void proftitleEnter();
    void proftitleExit();
    void proftitleKeyUp(WORD key);
    void RadioButton1Click();
    void RadioButton2Click();
    void Button1Click();  // "Ok"
    void Button2Click();  // "Cancel"
    void Button3Click();  // "Get System Settings"

    // Controls, in keyboard order where they take the focus. The fields and buttons lie on
    // the tab strip's page above the groups that frame them.
    std::unique_ptr<TPageControl> TabControl1;
    std::unique_ptr<TEdit> proftitle;
    std::unique_ptr<TMaskEdit> ip;
    std::unique_ptr<TMaskEdit> mask;
    std::unique_ptr<TMaskEdit> gw;
    std::unique_ptr<TMaskEdit> dns1;
    std::unique_ptr<TMaskEdit> dns2;
    std::unique_ptr<TRadioButton> RadioButton1;
    std::unique_ptr<TCheckBox> CheckBox1;
    std::unique_ptr<TRadioButton> RadioButton2;
    std::unique_ptr<TLabel> Label1;        // "IP Address:"
    std::unique_ptr<TLabel> Label2;        // "Subnet Mask:"
    std::unique_ptr<TLabel> Label3;        // "Default GateWay:"
    std::unique_ptr<TLabel> Label4;        // "Primary DNS server:"
    std::unique_ptr<TLabel> Label5;        // "Secondary DNS server:"
    std::unique_ptr<TGroupBox> GroupBox3;  // "Profile Title"
    std::unique_ptr<TGroupBox> GroupBox1;
    std::unique_ptr<TGroupBox> GroupBox2;
    std::unique_ptr<TLabel> HotKeyLabel;  // "Shortcut key:"
    std::unique_ptr<THotKeyEdit> HotKey1;
    // Where the profile belongs, and "Use here", which fills it from where the adapter is now.
    std::unique_ptr<TLabel> WhereLabel;
    std::unique_ptr<TButton> UseHere1;
    std::vector<std::unique_ptr<TLabel>> WhereLabels;
    std::unique_ptr<TEdit> wifiName;
    std::unique_ptr<TEdit> gatewayMac;
    std::unique_ptr<TEdit> dhcpServer;
    std::unique_ptr<TEdit> dnsSuffix;
    void UseHere1Click();
    // Reads where the chosen adapter is now and hands it on (from the message loop, later).
    std::function<void(std::function<void(const NetworkPlace& place)> then)> readPlace;
    std::unique_ptr<TButton> Button3;
    // The shortcut key Ok writes: the control's, or `kept` when the control cannot show it.
    std::string EditedHotKey(const std::string& kept) const;
    // Another confirmed profile that has this key; none when no other has it.
    static const Tprofile* ProfileWithHotKey(const std::string& hotkey, const Tprofile& edited);
    std::unique_ptr<TButton> Button1;
    std::unique_ptr<TButton> Button2;
    std::unique_ptr<TLabel> profileid;  // never visible
    int32_t profileidTag = 0;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The windows are made: the key watches and the groups' underlays go on them.
    void ChildrenShown() override;

private:
    void BuildControls();
    void BindEvents();
    // A place given relative to TabControl1, on its page.
    Bounds OnTab(int left, int top, int width, int height) const;

    // Last: removed before the controls go.
    std::vector<std::unique_ptr<TKeyWatch>> m_keyWatches;
    std::vector<std::unique_ptr<TGroupUnderlay>> m_underlays;
};
