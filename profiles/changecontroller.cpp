#include "profiles/changecontroller.h"

#include <utility>

#include "core/errorbox.h"
#include "core/history.h"

ChangeNotice EndedNotice(const ChangeAnswer& answer)
{
    ChangeNotice notice = OutcomeNotice(answer.request, answer.outcome);
    if (!answer.request.reason.empty() && answer.outcome.Made()) notice.title += ": " + answer.request.reason;
    if (answer.editedMeanwhile) {
        notice.text += "\n" + answer.request.title + " was edited meanwhile, so it is not marked as applied.";
        notice.warning = true;
    }
    return notice;
}

ChangeController::ChangeController(std::optional<UndoRecord> undo) : m_undo(std::move(undo)) {}

template <typename Hook, typename... Args>
void ChangeController::Call(const Hook& hook, Args&&... args)
{
    if (!hook) return;
    try {
        hook(std::forward<Args>(args)...);
    } catch (...) {
        ReportError(std::current_exception(), ErrorShown::Later);
    }
}

void ChangeController::ForgetUndo()
{
    m_undo.reset();
    ForgetUndoRecord();
}

void ChangeController::SetState(State state)
{
    m_state = state;
    Call(onStateChanged);
}

void ChangeController::ShowProgress(std::string text)
{
    m_progress = std::move(text);
    Call(onStateChanged);
}

void ChangeController::Connected()
{
    if (m_state != State::WaitingForWindows) return;
    SetState(State::Idle);
    RunNext();
}

void ChangeController::Submit(ChangeAsk ask)
{
    if (m_endRequested) {
        // Asked after Exit: the program ends before its turn would come.
        Answer(ask, ChangeAnswer(ChangeAnswer::Kind::Cancelled));
        return;
    }
    m_waiting.push_back(std::move(ask));
    if (m_state == State::Idle) {
        RunNext();
    } else {
        Call(onStateChanged);  // the tray shows what waits
    }
}

void ChangeController::RunNext()
{
    // Requests that make no change are answered here at once, and the next one is taken.
    while (m_state == State::Idle && !m_waiting.empty()) {
        ChangeAsk ask = std::move(m_waiting.front());
        m_waiting.pop_front();
        PreparedChange prepared;
        try {
            if (prepare) prepared = prepare(ask);
        } catch (...) {
            prepared.refusal = ChangeAnswer(ChangeAnswer::Kind::Failed);
            prepared.refusal.error = std::current_exception();
        }
        if (!prepared.request) {
            Call(onEnded, prepared.refusal);
            Answer(ask, prepared.refusal);
            continue;
        }
        m_current = std::move(ask);
        SetState(State::Applying);
        try {
            start(*prepared.request);
        } catch (...) {
            Failed(*prepared.request, std::current_exception());
        }
        return;
    }
    if (m_state == State::Idle && m_endRequested) EndNow();
}

void ChangeController::Answer(const ChangeAsk& ask, const ChangeAnswer& answer) { Call(ask.answer, answer); }

void ChangeController::Ended(const ChangeRequest& request, const ChangeOutcome& outcome)
{
    ChangeAnswer answer(ChangeAnswer::Kind::Ended);
    answer.request = request;
    answer.outcome = outcome;
    if (outcome.ended) {
        AppendToHistory(ChangeEntry{request.trigger,
                                    request.adapterName,
                                    {DescribeConfiguration(outcome.before)},
                                    {DescribeConfiguration(outcome.after)},
                                    OutcomeSummary(request, outcome),
                                    outcome.elevated,
                                    request.kind == ChangeRequest::Kind::Undo
                                        ? "Undo: back to " + ShortDescription(request.target)
                                        : request.title});
        // Whatever the change made, Undo goes back to what was there before it.
        if (!outcome.NothingMade()) {
            m_undo = UndoRecord{request.settingId, request.adapterName, outcome.before, outcome.after};
            WriteUndoRecord(*m_undo);
        }
    }
    Finish(std::move(answer));
}

void ChangeController::Failed(const ChangeRequest& request, std::exception_ptr error)
{
    ChangeAnswer answer(ChangeAnswer::Kind::Failed);
    answer.request = request;
    answer.error = std::move(error);
    Finish(std::move(answer));
}

void ChangeController::Finish(ChangeAnswer answer)
{
    if (!m_current) return;
    const ChangeAsk ask = std::exchange(m_current, std::nullopt).value();
    // Recorded, taken in by the views and told before the next change starts, and before the
    // program ends; the state is idle again first, so whatever they do finds it so.
    m_state = State::Idle;
    Call(onEnded, answer);
    if (answer.kind == ChangeAnswer::Kind::Ended && answer.outcome.ended && onNotify)
        Call(onNotify, EndedNotice(answer));
    Answer(ask, answer);
    SetState(State::Idle);
    RunNext();
}

void ChangeController::RequestEnd(EndAnswer answer)
{
    if (answer) {
        // A second request to end joins the first.
        m_endAnswer = [first = std::move(m_endAnswer),
                       second = std::move(answer)](const std::optional<std::string>& whyNot) {
            if (first) first(whyNot);
            second(whyNot);
        };
    }
    m_endRequested = true;
    // Nothing that waits will be made.
    std::deque<ChangeAsk> cancelled = std::exchange(m_waiting, {});
    for (const ChangeAsk& ask : cancelled)
        Answer(ask, ChangeAnswer(ChangeAnswer::Kind::Cancelled));
    if (Busy()) {
        SetState(State::Ending);
        return;
    }
    EndNow();
}

void ChangeController::EndNow()
{
    m_endRequested = false;
    if (m_state == State::Ending) m_state = State::Idle;
    Call(onStateChanged);
    std::optional<std::string> whyNot;
    try {
        if (onEnd) whyNot = onEnd();
    } catch (const std::exception& error) {
        whyNot = error.what();
    }
    // Told what became of the end: the program is ending, or goes on.
    Call(std::exchange(m_endAnswer, nullptr), whyNot);
}
