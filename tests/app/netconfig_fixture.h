#pragma once
// What the Network Configuration tab's tests share: the main window on a simulated network of
// three adapters, the notification area recorded, and the user's actions on the tab as the
// messages they send.
#include <string>
#include <utility>
#include <vector>

#include "app/mainwindow.h"
#include "simnet/simnetwork.h"
#include "support/notifyrecorder.h"

using Rows = std::vector<std::pair<std::string, std::string>>;

class NetconfigTest : public MainWindowTest {
protected:
    // Indexes of the network's adapters, in query order; the third is not IP-enabled.
    static constexpr int32_t Wired = 3;
    static constexpr int32_t Wireless = 7;
    static constexpr int32_t Bluetooth = 9;
    static const char* const WiredName;
    static const char* const WirelessName;
    static const char* const BluetoothName;

    NetconfigTest();

    // Creates the main window on `network`.
    TForm1& CreateOnNetwork();

    // What the tab shows.
    static Rows GridRows(const TValueListEditor& grid);
    std::vector<std::string> SelectorEntries() const;
    int SelectedEntry() const;
    // The captions the profile list shows, in its order.
    std::vector<std::string> ListCaptions() const;
    // The tip the notification area was last given.
    std::string ShownTip() const;
    // Adapter queries made so far.
    size_t QueryCount() const;

    // The user's actions.
    void PressDownInSelector();  // the arrow key in the selector's field
    void TypeInSelector(const std::string& text);
    void EditValue(const std::string& key, const std::string& text);  // click, type, Enter
    void ClickValue(int row);                                         // a click on a row's value cell

    SimNetwork network;
    RecordingNotifyArea area;

private:
    HWND SelectorField() const;
};
