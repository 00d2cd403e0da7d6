#pragma once
// One road for every change of an adapter's configuration: a profile, the settings typed on the
// Network Configuration tab, and Undo. The calls run on a thread of their own and each stage
// ends by a message (ui/loopwork.h), so the program goes on answering and nothing re-enters the
// change; a change Windows refuses for want of rights goes once to an elevated run of the
// program; afterwards what the adapter holds is read back, in WMI and in the registry, and
// checked against what was asked (for DHCP, once the lease has come, looked for by a timer).
// The change controller (profiles/changecontroller.h) runs one at a time through it.
#include <windows.h>

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "adapters/adapterstate.h"
#include "adapters/configure.h"
#include "adapters/elevatedchange.h"
#include "adapters/wmiworks.h"
#include "ui/loopwork.h"

struct ChangeRequest {
    enum class Kind { Profile, Details, Undo };
    Kind kind = Kind::Profile;
    std::string title;         // who asks, for the user: a profile's caption, "Apply Changes", "Undo"
    std::string trigger;       // what started it, for the history: "tray: Apply next", ...
    std::string reason;        // why, for the notification: "you are at Office LAN"; mostly none
    int32_t adapterIndex = 0;  // the adapter configuration's WMI Index
    std::string settingId;     // its SettingID and Description, from the last query
    std::string adapterName;
    ProfileSettings profile;      // Profile: a copy of what it held when the change started
    uint64_t profileKey = 0;      // Profile: whose (Tprofile's key)
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
    // Whether the change ran to a result: not when its elevated run gave none (`whyNot` says why).
    bool ended = false;
    std::string whyNot;
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

// What an elevated run of a change made, or why it made nothing (the prompt declined, the run
// failed to start or ended without its result).
struct ElevatedAnswer {
    std::optional<ElevatedResult> result;
    std::string whyNot;
};
// Runs a change elevated and waits for the run's end, on the change's own thread.
using ElevatedChangeRunner = std::function<ElevatedAnswer(const ElevatedChange& change)>;

class ChangePipeline {
public:
    ChangePipeline(ConnectServicesFunction connectServices, ElevatedChangeRunner runElevated);

    // Starts the change and returns at once; it ends with onEnded (its outcome), or with
    // onFailed when the adapter could not be reached (gone since the last query, WMI failing)
    // and nothing of it was made; each from the message loop, never inside Start. One at a time.
    void Start(const ChangeRequest& request);
    std::function<void(const ChangeRequest& request, const ChangeOutcome& outcome)> onEnded;
    std::function<void(const ChangeRequest& request, std::exception_ptr error)> onFailed;

    bool Busy() const noexcept { return m_running != nullptr; }
    // What the change under way is doing, for the user ("Applying Office...", "Waiting for an
    // address from DHCP..."); empty when there is none.
    const std::string& Progress() const noexcept { return m_progress; }
    // Raised each time Progress() changes, the last time with empty text when the change ended.
    std::function<void()> onProgress;

    // How long a change to DHCP waits for its lease (20 s; tests shorten it). Returns the previous.
    static DWORD SetLeaseWait(DWORD milliseconds);

    // Whether work of a change is still to come back (tests wait for it).
    bool Pending() const noexcept { return m_work.Pending(); }

private:
    struct Running;
    void SetProgress(std::string text);
    // The stages, each started on the work's thread and ended from the message loop.
    void CallsEnded(std::exception_ptr raised);
    void Elevate();
    void ReadBack();
    void ReadEnded(std::exception_ptr raised);
    void Finish();
    void Fail(std::exception_ptr error);

    ConnectServicesFunction m_connectServices;
    ElevatedChangeRunner m_runElevated;
    std::shared_ptr<Running> m_running;
    std::string m_progress;
    LoopWork m_work;
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
