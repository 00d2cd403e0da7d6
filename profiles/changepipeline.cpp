#include "profiles/changepipeline.h"

#include <utility>

#include "adapters/reg.h"
#include "core/error.h"
#include "core/handles.h"
#include "core/processrights.h"
#include "ui/messagewait.h"

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

ChangePipeline::ChangePipeline(ConnectServicesFunction connectServices, ElevatedChangeRunner runElevated)
    : m_connectServices(std::move(connectServices)), m_runElevated(std::move(runElevated))
{
}

void ChangePipeline::SetProgress(std::string text)
{
    m_progress = std::move(text);
    if (onProgress) onProgress();
}

ChangeOutcome ChangePipeline::Run(const ChangeRequest& request)
{
    m_busy = true;
    ScopeExit ended([this] {
        m_busy = false;
        SetProgress({});
    });
    SetProgress(StartingText(request));
    ChangeOutcome outcome;
    if (!MakeCalls(request, outcome)) return outcome;
    // Windows refuses a standard user everything: the same change goes to an elevated run of
    // the program, which asks for the rights once, for this change.
    bool denied = false;
    for (const ChangeStep& step : outcome.steps)
        denied = denied || (step.state == ChangeStep::State::Refused && step.code == kAccessDenied);
    if (denied && !ProcessElevated() && !Elevate(request, outcome)) return outcome;
    if (!ReadBack(request, outcome)) return outcome;
    outcome.ended = true;
    const tadapter* stored = FindAdapterBySettingID(request.settingId);
    AddStoredSettings(outcome.after, stored);
    outcome.difference = ChangeDifference(request, outcome, g_leaseWait);
    if (outcome.difference.empty()) outcome.difference = StoredDifference(request, outcome, stored);
    return outcome;
}

bool ChangePipeline::MakeCalls(const ChangeRequest& request, ChangeOutcome& outcome)
{
    // The registry's part is this thread's, which owns the registry adapter list: what it keeps
    // of the adapter before the change, and the stored gateway list emptied first (for a profile,
    // and for a configuration brought back) as the calls need it.
    const bool storesGateway = request.kind != ChangeRequest::Kind::Details;
    StoredGatewayChange stored;
    if (storesGateway) {
        stored = EmptyStoredGateway(request.settingId);
    } else if (const tadapter* found = FindAdapterBySettingID(request.settingId)) {
        stored.record = *found;
        stored.previous = ReadStoredGateway(&*stored.record);
    }
    bool called = false;
    WaitEnd end = WaitEnd::Signalled;
    try {
        end = RunInBackground([&] {
            const Variant adapter = AdapterNamed(m_connectServices, request.adapterIndex);
            outcome.before = ReadAdapterConfiguration(adapter);
            called = true;
            switch (request.kind) {
            case ChangeRequest::Kind::Profile: outcome.refusal = SendProfileSettings(adapter, request.profile); break;
            case ChangeRequest::Kind::Details: outcome.details = SendDetailSettings(adapter, request.details); break;
            case ChangeRequest::Kind::Undo: outcome.refusal = SendConfiguration(adapter, request.target); break;
            }
        });
    } catch (...) {
        // No call was made: the list is put back as it was.
        if (storesGateway) FinishStoredGateway(stored, std::nullopt);
        throw;
    }
    outcome.before.storedGateway = stored.previous;
    if (stored.record) outcome.before.dnsByHand = !stored.record->Dns1.empty();
    outcome.steps = ChangeSteps(request, outcome);
    if (storesGateway) {
        if (request.kind == ChangeRequest::Kind::Undo && !outcome.NothingMade()) {
            PutStoredGateway(stored, request.target);
        } else {
            FinishStoredGateway(stored, called ? std::optional(outcome.refusal) : std::nullopt);
        }
    }
    return end != WaitEnd::ProgramEnding;
}

bool ChangePipeline::Elevate(const ChangeRequest& request, ChangeOutcome& outcome)
{
    const std::optional<ElevatedResult> result = m_runElevated(ElevatedFor(request));
    if (!result) return false;
    outcome.elevated = true;
    outcome.refusal = result->refusal;
    outcome.details = result->details;
    outcome.steps = ChangeSteps(request, outcome);
    return true;
}

bool ChangePipeline::ReadBack(const ChangeRequest& request, ChangeOutcome& outcome)
{
    if (outcome.NothingMade()) {
        outcome.after = outcome.before;
        return true;
    }
    const auto read = [&] {
        return RunInBackground(
            [&] { outcome.after = ReadAdapterConfiguration(AdapterNamed(m_connectServices, request.adapterIndex)); });
    };
    if (read() == WaitEnd::ProgramEnding) return false;
    // A lease comes some seconds after EnableDHCP: it is waited for, up to a limit.
    if (WantsDhcp(request) && outcome.after.dhcp) {
        const ULONGLONG start = GetTickCount64();
        while (!LeasedAddress(outcome.after) && GetTickCount64() - start < g_leaseWait) {
            SetProgress("Waiting for an address from DHCP...");
            if (!PauseHandlingMessages(kLeaseLookEvery)) return false;
            if (read() == WaitEnd::ProgramEnding) return false;
        }
    }
    return true;
}
