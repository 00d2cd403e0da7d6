#pragma once
// One road for every change of an adapter's configuration: a profile, the settings typed on the
// Network Configuration tab, and Undo. The calls run on a thread of their own while the program
// goes on answering (ui/messagewait.h); a change Windows refuses for want of rights goes once to
// an elevated run of the program; afterwards what the adapter holds is read back, in WMI and in
// the registry, and checked against what was asked (for DHCP, once the lease has come). The main
// window has one; its views hand it requests and tell its outcomes (profiles/changereport.h).
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "adapters/adapterstate.h"
#include "adapters/configure.h"
#include "adapters/elevatedchange.h"
#include "adapters/wmiworks.h"

struct ChangeRequest {
    enum class Kind { Profile, Details, Undo };
    Kind kind = Kind::Profile;
    std::string title;         // who asks, for the user: a profile's caption, "Apply Changes", "Undo"
    std::string trigger;       // what started it, for the history: "tray: Apply next", ...
    int32_t adapterIndex = 0;  // the adapter configuration's WMI Index
    std::string settingId;     // its SettingID and Description, from the last query
    std::string adapterName;
    ProfileSettings profile;      // Profile
    DetailSettings details;       // Details
    AdapterConfiguration target;  // Undo
};

// One call of a change, named for the user, and how it went.
struct ChangeStep {
    enum class State { Made, Refused, NotSent };
    std::string name;
    State state = State::NotSent;
    int32_t code = 0;  // the method's result; -1 when the call could not be made
};

struct ChangeOutcome {
    // Whether the change ran to a result: not when the program began ending meanwhile, nor when
    // its elevated run gave none (the user has been told why).
    bool ended = false;
    bool elevated = false;  // the calls were made by the elevated run
    std::vector<ChangeStep> steps;
    ConfigurationRefusal refusal;        // Profile, Undo: the first refused call, if any
    DetailResults details;               // Details: each call's code
    AdapterConfiguration before, after;  // what the adapter held before and after
    // How what the adapter holds afterwards differs from what was asked, in words; empty when
    // it holds it, or when nothing was made.
    std::string difference;

    bool Refused() const;      // a call was refused
    bool NothingMade() const;  // no call was made: the adapter is as it was
    bool Made() const { return ended && !Refused() && difference.empty(); }
};

// Runs a change elevated: what it made, or none when it gave no result (the user was told why).
using ElevatedChangeRunner = std::function<std::optional<ElevatedResult>(const ElevatedChange& change)>;

class ChangePipeline {
public:
    ChangePipeline(ConnectServicesFunction connectServices, ElevatedChangeRunner runElevated);

    // Makes the change and returns its outcome. Raises when the adapter cannot be reached (gone
    // since the last query, WMI failing), with nothing of the change made. One at a time: the
    // caller asks Busy() first.
    ChangeOutcome Run(const ChangeRequest& request);

    bool Busy() const noexcept { return m_busy; }
    // What the change under way is doing, for the user ("Applying Office...", "Waiting for an
    // address from DHCP..."); empty when there is none.
    const std::string& Progress() const noexcept { return m_progress; }
    // Raised each time Progress() changes, the last time with empty text when the change ended.
    std::function<void()> onProgress;

    // How long a change to DHCP waits for its lease (20 s; tests shorten it). Returns the previous.
    static DWORD SetLeaseWait(DWORD milliseconds);

private:
    void SetProgress(std::string text);
    // The calls on their own thread, and the read-back.
    bool MakeCalls(const ChangeRequest& request, ChangeOutcome& outcome);
    bool Elevate(const ChangeRequest& request, ChangeOutcome& outcome);
    bool ReadBack(const ChangeRequest& request, ChangeOutcome& outcome);

    ConnectServicesFunction m_connectServices;
    ElevatedChangeRunner m_runElevated;
    bool m_busy = false;
    std::string m_progress;
};

// What a change is doing at its start: "Applying Office...", "Going back to DHCP...".
std::string StartingText(const ChangeRequest& request);
// Whether the change asks for DHCP.
bool WantsDhcp(const ChangeRequest& request);
// The calls of a change as they went, from the first refused call or each call's code.
std::vector<ChangeStep> ChangeSteps(const ChangeRequest& request, const ChangeOutcome& outcome);
// How the outcome's "after" differs from the request, in words; empty when it does not.
std::string ChangeDifference(const ChangeRequest& request, const ChangeOutcome& outcome, DWORD leaseWait);
// How what Windows stores for the adapter (its interface key, when there is one) differs: DHCP
// on or off, and a static change's first address. Empty when it does not.
std::string StoredDifference(const ChangeRequest& request, const ChangeOutcome& outcome, const tadapter* stored);
