#pragma once
// What the Network Configuration tab's tests share: the main window on a simulated network of
// three adapters.
#include <string>

#include "app/mainwindow.h"

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
};
