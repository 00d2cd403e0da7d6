// The change controller without a window: a table of events (requests, Windows' first answer,
// the end of a change, Exit) and what they give: which changes start, in what order each
// request is answered and with what, when the program may end, and what Undo holds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/error.h"
#include "profiles/changecontroller.h"
#include "profiles/undorecord.h"

namespace {
using State = ChangeController::State;

std::string KindText(ChangeAnswer::Kind kind)
{
    switch (kind) {
    case ChangeAnswer::Kind::Ended: return "ended";
    case ChangeAnswer::Kind::NoSuchProfile: return "no such profile";
    case ChangeAnswer::Kind::NotMade: return "not made";
    case ChangeAnswer::Kind::NoAdapter: return "no adapter";
    case ChangeAnswer::Kind::AskFirst: return "ask first";
    case ChangeAnswer::Kind::Failed: return "failed";
    case ChangeAnswer::Kind::Cancelled: return "cancelled";
    }
    return "?";
}

// The controller with owner hooks that log what it asks of them. A request titled "Gone" finds
// its profile deleted at its turn; "Raise" raises while it is prepared.
class Driven {
public:
    Driven()
    {
        controller.prepare = [](const ChangeAsk& ask) {
            if (ask.title == "Raise") RaiseError("Invalid variant operation");
            PreparedChange prepared;
            if (ask.title == "Gone") {
                prepared.refusal = ChangeAnswer(ChangeAnswer::Kind::NoSuchProfile);
                return prepared;
            }
            ChangeRequest request;
            request.title = ask.title;
            request.settingId = "{wired}";
            prepared.request = request;
            return prepared;
        };
        controller.start = [this](const ChangeRequest& request) {
            log.push_back("start " + request.title);
            m_running = request;
        };
        controller.onEnd = [this]() -> std::optional<std::string> {
            log.push_back("end");
            if (m_unsaved) return "not saved";
            return std::nullopt;
        };
    }

    // One event: "ask <title>", "connect", "made" or "refused" (the change under way ended with
    // its call made or refused), "failed", "exit", "unsaved" (from now on the end cannot be
    // made: the profiles cannot be saved).
    void Play(const std::string& event)
    {
        if (event.rfind("ask ", 0) == 0) {
            ChangeAsk ask;
            ask.title = event.substr(4);
            ask.answer = [this, title = ask.title](const ChangeAnswer& answer) {
                log.push_back(title + ": " + KindText(answer.kind));
            };
            controller.Submit(ask);
        } else if (event == "connect") {
            controller.Connected();
        } else if (event == "made" || event == "refused") {
            ChangeOutcome outcome;
            outcome.ended = true;
            outcome.steps = {{"EnableStatic", event == "made" ? ChangeStep::State::Made : ChangeStep::State::Refused,
                              event == "made" ? 0 : 70}};
            outcome.after.addresses = {m_running.title};
            outcome.after.masks = {"255.0.0.0"};
            controller.Ended(m_running, outcome);
        } else if (event == "failed") {
            controller.Failed(m_running, std::make_exception_ptr(AppError("Invalid variant operation")));
        } else if (event == "exit") {
            controller.RequestEnd([this](const std::optional<std::string>& whyNot) {
                log.push_back("exit answered" + (whyNot ? ": " + *whyNot : std::string()));
            });
        } else if (event == "unsaved") {
            m_unsaved = true;
        }
    }

    ChangeController controller;
    std::vector<std::string> log;

private:
    ChangeRequest m_running;
    bool m_unsaved = false;
};

struct Case {
    const char* name;
    std::vector<std::string> events;
    std::vector<std::string> log;
    ChangeController::State state;
    const char* undoAfter;  // the address Undo's record says the last change left; "" for none
};

const Case kCases[] = {
    {"RequestsWaitForWindowsThenRunInTurn",
     {"ask Office", "ask Home", "connect", "made", "made"},
     {"start Office", "Office: ended", "start Home", "Home: ended"},
     State::Idle,
     "Home"},
    {"ARequestDuringAChangeWaitsItsTurn",
     {"connect", "ask Office", "ask Home", "made", "made"},
     {"start Office", "Office: ended", "start Home", "Home: ended"},
     State::Idle,
     "Home"},
    {"ExitDuringAChangeAnswersTheWaitingFirstThenEndsAfterTheChange",
     {"connect", "ask Office", "ask Home", "exit", "made"},
     {"start Office", "Home: cancelled", "Office: ended", "end", "exit answered"},
     State::Idle,
     "Office"},
    {"ARequestAfterExitIsNotMade",
     {"connect", "ask Office", "exit", "ask Home", "made"},
     {"start Office", "Home: cancelled", "Office: ended", "end", "exit answered"},
     State::Idle,
     "Office"},
    {"ExitWhileIdleEndsAtOnce", {"connect", "exit"}, {"end", "exit answered"}, State::Idle, ""},
    {"ExitWhileWaitingForWindowsEndsAtOnce",
     {"ask Office", "exit"},
     {"Office: cancelled", "end", "exit answered"},
     State::WaitingForWindows,
     ""},
    {"AProfileGoneAtItsTurnIsAnsweredSoAndTheNextRuns",
     {"connect", "ask Office", "ask Gone", "ask Home", "made", "made"},
     {"start Office", "Office: ended", "Gone: no such profile", "start Home", "Home: ended"},
     State::Idle,
     "Home"},
    {"AFailedChangeIsAnsweredAndTheNextRuns",
     {"connect", "ask Office", "ask Home", "failed", "made"},
     {"start Office", "Office: failed", "start Home", "Home: ended"},
     State::Idle,
     "Home"},
    {"ARequestThatRaisesWhenPreparedIsAnsweredAsFailed",
     {"connect", "ask Raise", "ask Home", "made"},
     {"Raise: failed", "start Home", "Home: ended"},
     State::Idle,
     "Home"},
    {"ARefusedChangeLeavesUndoAsItWas",
     {"connect", "ask Office", "made", "ask Home", "refused"},
     {"start Office", "Office: ended", "start Home", "Home: ended"},
     State::Idle,
     "Office"},
    {"AnEndThatCannotBeMadeSaysWhyAndRequestsGoOn",
     {"connect", "unsaved", "ask Office", "exit", "made", "ask Home"},
     {"start Office", "Office: ended", "end", "exit answered: not saved", "start Home"},
     State::Applying,
     "Office"},
    {"AChangeUnderWayIsApplying", {"connect", "ask Office", "ask Home"}, {"start Office"}, State::Applying, ""},
    {"AChangeUnderWayWhenExitIsAskedIsEnding", {"connect", "ask Office", "exit"}, {"start Office"}, State::Ending, ""},
};

class ChangeControllerTest : public testing::TestWithParam<Case> {
protected:
    ChangeControllerTest() { ForgetUndoRecord(); }
    ~ChangeControllerTest() override { ForgetUndoRecord(); }
};

std::string CaseName(const testing::TestParamInfo<Case>& info) { return info.param.name; }
}  // namespace

TEST_P(ChangeControllerTest, GivesEachRequestItsTurnAndItsOwnAnswer)
{
    const Case& c = GetParam();
    Driven driven;
    for (const std::string& event : c.events)
        driven.Play(event);
    EXPECT_EQ(driven.log, c.log);
    EXPECT_EQ(driven.controller.GetState(), c.state);
    const std::optional<UndoRecord>& undo = driven.controller.Undo();
    EXPECT_EQ(undo ? undo->expected.addresses.front() : std::string(), c.undoAfter);
    // What Undo holds outlasts the program.
    if (undo) {
        EXPECT_EQ(ReadUndoRecord(), undo);
    }
}

INSTANTIATE_TEST_SUITE_P(Events, ChangeControllerTest, testing::ValuesIn(kCases), CaseName);
