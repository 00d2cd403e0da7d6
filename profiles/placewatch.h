#pragma once
// Where the chosen adapter is, followed from Windows' notifications rather than by looking
// again and again. A burst of notifications (a Wi-Fi network left and another joined, a link
// going up and down, the program's own change of the address) is let settle first: the place
// is read once nothing more has come for the settling time, on a thread of its own, and the
// owner hears only of a network other than the last one it acted on.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "adapters/adapterstate.h"
#include "adapters/networkplace.h"
#include "ui/loopwork.h"

// How long the network must stay quiet before its place is read: Windows joins a network,
// brings the link up and takes a lease within a few seconds, each with its own notification.
inline constexpr DWORD kPlaceSettleTime = 3000;

class PlaceWatch {
public:
    struct Reading {
        NetworkPlace place;
        AdapterConfiguration adapter;  // what the adapter held then
    };

    explicit PlaceWatch(ConnectServicesFunction connect, DWORD settleTime = kPlaceSettleTime);
    ~PlaceWatch();
    PlaceWatch(const PlaceWatch&) = delete;
    PlaceWatch& operator=(const PlaceWatch&) = delete;

    // The chosen adapter's WMI Index; -1 when none is chosen.
    std::function<int32_t()> adapterIndex;
    // Whether any profile says where it belongs: until one does, nothing is read unasked, so a
    // program without locations makes not one query more.
    std::function<bool()> wanted;
    // The adapter is on a network other than the one last acted on. The owner answers false when
    // it cannot act now (a change under way, the welcome, the editor on that profile): the place
    // is read again after another settling time.
    std::function<bool(const Reading& reading)> arrived;
    // The adapter has left every network (its link is down).
    std::function<void()> left;
    // Windows withholds the Wi-Fi name: told once for the program's life.
    std::function<void()> nameWithheld;

    // Windows answers: where the adapter is is read at once, and from then on whenever Windows
    // says it changed, while some profile says where it belongs or a reading is asked for.
    void Start();
    // Windows said that something changed (called from the message loop; tests call it too).
    void Changed();
    // Another adapter was chosen: its network is new whatever it is.
    void AdapterChosen();
    // Reads where the adapter is now, wanted or not, and hands the reading to `then` ("Use here").
    void ReadNow(std::function<void(const Reading& reading)> then);
    // Work still to come back (tests).
    bool Pending() const noexcept { return m_work.Pending(); }

private:
    void Read();
    void Settled(const Reading& reading);

    ConnectServicesFunction m_connect;
    DWORD m_settleTime;
    LoopWork m_work;
    std::shared_ptr<void> m_listening;
    bool m_started = false;                 // Windows answers
    bool m_reading = false;                 // a read is on its way back
    bool m_readAgain = false;               // something changed while it was
    std::optional<NetworkPlace> m_actedOn;  // the network the owner last acted on
    bool m_withheldTold = false;
    std::vector<std::function<void(const Reading&)>> m_asked;
};
