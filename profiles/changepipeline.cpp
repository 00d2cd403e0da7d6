#include "profiles/changepipeline.h"

#include <utility>

#include "adapters/reg.h"
#include "core/error.h"
#include "core/handles.h"
#include "core/processrights.h"

namespace {
DWORD g_leaseWait = 20000;
constexpr DWORD kLeaseLookEvery = 500;

// The adapter the request names, found anew with services of the calling thread's own.
Variant AdapterNamed(const ConnectServicesFunction& connect, int32_t index)
{
    Variant adapter = FindAdapterConfiguration(QueryAdapterConfigurations(connect(), false), index);
    // As reading a property of "no adapter" fails where the window reads it.
    if (!adapter.HoldsObject()) RaiseError("Invalid variant operation");
    return adapter;
}

ElevatedChange ElevatedFor(const ChangeRequest& request)
{
    ElevatedChange change;
    change.adapter = request.adapterIndex;
    change.settingId = request.settingId;
    switch (request.kind) {
    case ChangeRequest::Kind::Profile:
        change.kind = ElevatedChange::Kind::ApplyProfile;
        change.profile = request.profile;
        break;
    case ChangeRequest::Kind::Details:
        change.kind = ElevatedChange::Kind::ApplyDetails;
        change.details = request.details;
        break;
    case ChangeRequest::Kind::Undo:
        change.kind = ElevatedChange::Kind::Restore;
        change.configuration = request.target;
        break;
    }
    return change;
}

}  // namespace

bool ChangeOutcome::Refused() const
{
    for (const ChangeStep& step : steps)
        if (step.state == ChangeStep::State::Refused) return true;
    return false;
}

bool ChangeOutcome::NothingMade() const
{
    for (const ChangeStep& step : steps)
        if (step.state == ChangeStep::State::Made) return false;
    return true;
}

std::string StartingText(const ChangeRequest& request)
{
    switch (request.kind) {
    case ChangeRequest::Kind::Profile: return "Applying " + request.title + "...";
    case ChangeRequest::Kind::Details: return "Applying the settings...";
    case ChangeRequest::Kind::Undo: return "Going back to " + ShortDescription(request.target) + "...";
    }
    return {};
}

bool WantsDhcp(const ChangeRequest& request)
{
    switch (request.kind) {
    case ChangeRequest::Kind::Profile: return request.profile.dhcp;
    case ChangeRequest::Kind::Undo: return request.target.dhcp;
    case ChangeRequest::Kind::Details: return false;
    }
    return false;
}

DWORD ChangePipeline::SetLeaseWait(DWORD milliseconds) { return std::exchange(g_leaseWait, milliseconds); }

// The change under way: what was asked, what came of it so far, and what its thread fills in.
struct ChangePipeline::Running {
    ChangeRequest request;
    ChangeOutcome outcome;
    bool storesGateway = false;
    StoredGatewayChange stored;
    ULONGLONG leaseStart = 0;
    // Written by the work's thread only, read once its end has come back.
    struct Calls {
        bool called = false;
        AdapterConfiguration before, after;
        ConfigurationRefusal refusal;
        DetailResults details;
        ElevatedAnswer elevated;
    };
    std::shared_ptr<Calls> calls = std::make_shared<Calls>();
};

ChangePipeline::ChangePipeline(ConnectServicesFunction connectServices, ElevatedChangeRunner runElevated)
    : m_connectServices(std::move(connectServices)), m_runElevated(std::move(runElevated))
{
}

void ChangePipeline::SetProgress(std::string text)
{
    m_progress = std::move(text);
    if (onProgress) onProgress();
}

void ChangePipeline::Start(const ChangeRequest& request)
{
    if (m_running) RaiseError("A change is under way.");
    auto running = std::make_shared<Running>();
    running->request = request;
    // The registry's part is this thread's, which owns the registry adapter list: what it keeps
    // of the adapter before the change, and the stored gateway list emptied first (for a profile,
    // and for a configuration brought back) as the calls need it.
    running->storesGateway = request.kind != ChangeRequest::Kind::Details;
    if (running->storesGateway) {
        running->stored = EmptyStoredGateway(request.settingId);
    } else if (const tadapter* found = FindAdapterBySettingID(request.settingId)) {
        running->stored.record = *found;
        running->stored.previous = ReadStoredGateway(&*running->stored.record);
    }
    m_running = running;
    SetProgress(StartingText(request));
    const std::shared_ptr<Running::Calls> calls = running->calls;
    try {
        m_work.Background(
            [calls, request, connect = m_connectServices] {
                const Variant adapter = AdapterNamed(connect, request.adapterIndex);
                calls->before = ReadAdapterConfiguration(adapter);
                calls->called = true;
                switch (request.kind) {
                case ChangeRequest::Kind::Profile:
                    calls->refusal = SendProfileSettings(adapter, request.profile);
                    break;
                case ChangeRequest::Kind::Details: calls->details = SendDetailSettings(adapter, request.details); break;
                case ChangeRequest::Kind::Undo: calls->refusal = SendConfiguration(adapter, request.target); break;
                }
            },
            [this](std::exception_ptr raised) { CallsEnded(raised); });
    } catch (...) {
        if (running->storesGateway) FinishStoredGateway(running->stored, std::nullopt);
        m_running.reset();
        SetProgress({});
        throw;
    }
}

void ChangePipeline::CallsEnded(std::exception_ptr raised)
{
    Running& running = *m_running;
    const Running::Calls& calls = *running.calls;
    ChangeOutcome& outcome = running.outcome;
    if (raised) {
        // No call was made: the list is put back as it was.
        if (running.storesGateway) FinishStoredGateway(running.stored, std::nullopt);
        Fail(raised);
        return;
    }
    outcome.before = calls.before;
    outcome.refusal = calls.refusal;
    outcome.details = calls.details;
    outcome.before.storedGateway = running.stored.previous;
    if (running.stored.record) outcome.before.dnsByHand = !running.stored.record->Dns1.empty();
    outcome.steps = ChangeSteps(running.request, outcome);
    if (running.storesGateway) {
        if (running.request.kind == ChangeRequest::Kind::Undo && !outcome.NothingMade()) {
            PutStoredGateway(running.stored, running.request.target);
        } else {
            FinishStoredGateway(running.stored, calls.called ? std::optional(outcome.refusal) : std::nullopt);
        }
    }
    // Windows refuses a standard user everything: the same change goes to an elevated run of
    // the program, which asks for the rights once, for this change.
    bool denied = false;
    for (const ChangeStep& step : outcome.steps)
        denied = denied || (step.state == ChangeStep::State::Refused && step.code == kAccessDenied);
    if (denied && !ProcessElevated()) {
        Elevate();
        return;
    }
    ReadBack();
}

void ChangePipeline::Elevate()
{
    const std::shared_ptr<Running::Calls> calls = m_running->calls;
    // The consent prompt waits for the user as long as the user takes, and the run for its end:
    // both on the change's thread.
    m_work.Background(
        [calls, change = ElevatedFor(m_running->request), run = m_runElevated] { calls->elevated = run(change); },
        [this](std::exception_ptr raised) {
            if (raised) {
                Fail(raised);
                return;
            }
            ChangeOutcome& outcome = m_running->outcome;
            const ElevatedAnswer& answer = m_running->calls->elevated;
            if (!answer.result) {
                // Nothing more was made; the user hears why with the outcome.
                outcome.whyNot = answer.whyNot;
                outcome.after = outcome.before;
                const std::shared_ptr<Running> running = std::exchange(m_running, nullptr);
                SetProgress({});
                if (onEnded) onEnded(running->request, running->outcome);
                return;
            }
            outcome.elevated = true;
            outcome.refusal = answer.result->refusal;
            outcome.details = answer.result->details;
            outcome.steps = ChangeSteps(m_running->request, outcome);
            ReadBack();
        });
}

void ChangePipeline::ReadBack()
{
    ChangeOutcome& outcome = m_running->outcome;
    if (outcome.NothingMade()) {
        outcome.after = outcome.before;
        Finish();
        return;
    }
    const std::shared_ptr<Running::Calls> calls = m_running->calls;
    m_work.Background(
        [calls, index = m_running->request.adapterIndex, connect = m_connectServices] {
            calls->after = ReadAdapterConfiguration(AdapterNamed(connect, index));
        },
        [this](std::exception_ptr raised) { ReadEnded(raised); });
}

void ChangePipeline::ReadEnded(std::exception_ptr raised)
{
    if (raised) {
        Fail(raised);
        return;
    }
    Running& running = *m_running;
    running.outcome.after = running.calls->after;
    // A lease comes some seconds after EnableDHCP: it is looked for again, up to a limit.
    if (WantsDhcp(running.request) && running.outcome.after.dhcp && !LeasedAddress(running.outcome.after)) {
        if (running.leaseStart == 0) running.leaseStart = GetTickCount64();
        if (GetTickCount64() - running.leaseStart < g_leaseWait) {
            SetProgress("Waiting for an address from DHCP...");
            m_work.After(kLeaseLookEvery, [this] { ReadBack(); });
            return;
        }
    }
    Finish();
}

void ChangePipeline::Finish()
{
    const std::shared_ptr<Running> running = std::exchange(m_running, nullptr);
    ChangeOutcome& outcome = running->outcome;
    outcome.ended = true;
    const tadapter* stored = FindAdapterBySettingID(running->request.settingId);
    AddStoredSettings(outcome.after, stored);
    outcome.difference = ChangeDifference(running->request, outcome, g_leaseWait);
    if (outcome.difference.empty()) outcome.difference = StoredDifference(running->request, outcome, stored);
    SetProgress({});
    if (onEnded) onEnded(running->request, outcome);
}

void ChangePipeline::Fail(std::exception_ptr error)
{
    const std::shared_ptr<Running> running = std::exchange(m_running, nullptr);
    SetProgress({});
    if (onFailed) onFailed(running->request, error);
}
