#pragma once
// The change controller: one change of the adapter at a time, each carried to its end. It holds
// all the state of changes: whether Windows answers yet, the change under way, the requests
// waiting their turn, and what Undo goes back to. Every way into a change (the tray, the
// Profiles tab, Apply Changes, Undo, hot keys, shortcuts and commands) hands it a request that
// carries its own answer; every request is answered, in order, with its own result. A change
// is made by the change pipeline and comes back by a message; nothing here waits or shows a
// window, so the main window owns one and tests drive it as a table of events.
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <optional>
#include <string>

#include "profiles/changepipeline.h"
#include "profiles/changereport.h"
#include "profiles/undorecord.h"

struct ChangeAnswer;

// A request for a change as it waits its turn: what asks for it, and where its answer goes.
struct ChangeAsk {
    enum class Kind { Profile, Next, Details, Undo };
    Kind kind = Kind::Profile;
    uint64_t profileKey = 0;    // Profile: the profile, by the key it keeps while it exists
    std::string title;          // for the user while it waits: the profile's caption, "Undo", ...
    std::string trigger;        // what started it, for the history: "tray: Apply next", ...
    std::string reason;         // why, for the notification (a location's "you are at ...")
    int32_t adapterIndex = -1;  // Details: the adapter it was asked for, and what the list held
    DetailSettings details;
    bool confirmed = false;  // Undo: the user said to go back over a change made since
    // Where the answer goes: a start of the program, a box, or no one (none).
    std::function<void(const ChangeAnswer& answer)> answer;
};

// What became of a request.
struct ChangeAnswer {
    enum class Kind {
        Ended,          // the change ran: `outcome` says how
        NoSuchProfile,  // its profile is gone, or there is none to apply next
        NotMade,        // it was not started: `text` says why (nothing to undo, ...)
        NoAdapter,      // it was not started: its adapter is not there (`text` says which)
        AskFirst,       // Undo over a change made since by someone else: `text` asks the user
        Failed,         // the change raised `error`, with nothing of it made
        Cancelled,      // the program ended before its turn came
    };
    ChangeAnswer() = default;
    explicit ChangeAnswer(Kind answered) : kind(answered) {}
    Kind kind = Kind::Ended;
    ChangeRequest request;  // as it was started (Ended, Failed)
    ChangeOutcome outcome;  // Ended
    std::string text;
    bool warning = true;  // NotMade: told as a warning, or as information
    std::exception_ptr error;
    // Ended: the profile was edited while the change ran, so it was not marked as applied.
    bool editedMeanwhile = false;
};

// The notice of a change that ran: OutcomeNotice, and, for a profile edited meanwhile, that it
// was not marked. What the notification shows, and a command's start is told.
ChangeNotice EndedNotice(const ChangeAnswer& answer);

// The change a request makes at its turn, or the answer that it makes none.
struct PreparedChange {
    std::optional<ChangeRequest> request;
    ChangeAnswer refusal;  // when there is no request
};

class ChangeController {
public:
    enum class State {
        WaitingForWindows,  // the first connection to WMI is being made: requests wait
        Idle,
        Applying,  // a change is under way
        Ending,    // a change is under way and the program ends once it has ended
    };

    explicit ChangeController(std::optional<UndoRecord> undo = std::nullopt);

    // What the owner does for it. Each is called from the message loop, never inside a wait.
    // At its turn: the change a request makes, with a copy of what it applies. May raise.
    std::function<PreparedChange(const ChangeAsk& ask)> prepare;
    // Starts the change; it comes back by Ended or Failed. May raise (then it failed).
    std::function<void(const ChangeRequest& request)> start;
    // A request's turn ended, with a change or without: the views take it in before anyone is
    // told (the profile is marked, or not when it was edited meanwhile; the details refreshed).
    std::function<void(ChangeAnswer& answer)> onEnded;
    // The notification that tells a change's end.
    std::function<void(const ChangeNotice& notice)> onNotify;
    // The program may end now: every change has ended and every request has been answered. It
    // answers none when the program ends, or why it cannot (its profiles could not be saved).
    std::function<std::optional<std::string>()> onEnd;
    // The state, the change under way or the waiting requests changed.
    std::function<void()> onStateChanged;

    // Windows answers: waiting requests run.
    void Connected();
    // A request; run now, or when its turn comes.
    void Submit(ChangeAsk ask);
    // The change under way came back.
    void Ended(const ChangeRequest& request, const ChangeOutcome& outcome);
    void Failed(const ChangeRequest& request, std::exception_ptr error);
    // Exit, --exit, the end of the session: the waiting requests are answered at once, a change
    // under way is carried to its end, then onEnd. `answer` hears what onEnd said: none when the
    // program ends, or why it does not (then it goes on, and so do requests).
    using EndAnswer = std::function<void(const std::optional<std::string>& whyNot)>;
    void RequestEnd(EndAnswer answer = {});

    State GetState() const noexcept { return m_state; }
    bool Busy() const noexcept { return m_state == State::Applying || m_state == State::Ending; }
    const std::deque<ChangeAsk>& Waiting() const noexcept { return m_waiting; }
    // What Undo goes back to; none before the first change (kept across starts).
    const std::optional<UndoRecord>& Undo() const noexcept { return m_undo; }
    // Puts another record in its place, as a start that read it would hold it (tests).
    void SetUndo(std::optional<UndoRecord> record) { m_undo = std::move(record); }
    // Forgets the record here and where it is kept: its adapter is gone, and the user was told.
    void ForgetUndo();
    // What the change under way is doing, for the user ("Applying Office...", "Waiting for an
    // address from DHCP..."); empty when none runs. The pipeline's owner passes it on.
    const std::string& Progress() const noexcept { return m_progress; }
    void ShowProgress(std::string text);

private:
    // Runs an owner's hook inside the boundary: its error is shown afterwards, and the
    // controller goes on with every request answered.
    template <typename Hook, typename... Args>
    void Call(const Hook& hook, Args&&... args);
    void SetState(State state);
    void RunNext();
    void Answer(const ChangeAsk& ask, const ChangeAnswer& answer);
    void Finish(ChangeAnswer answer);
    void EndNow();

    State m_state = State::WaitingForWindows;
    std::optional<ChangeAsk> m_current;
    std::deque<ChangeAsk> m_waiting;
    std::optional<UndoRecord> m_undo;
    EndAnswer m_endAnswer;
    std::string m_progress;
    bool m_endRequested = false;
};
