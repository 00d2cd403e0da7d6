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

bool DetailRefused(int32_t code, bool enableStatic)
{
    return !ConfigurationAccepted(code) && !(enableStatic && code == kAlreadyStatic);
}

std::string Joined(const std::vector<std::string>& values)
{
    std::string text;
    for (const std::string& value : values) {
        if (value.empty()) continue;
        if (!text.empty()) text += ' ';
        text += value;
    }
    return text;
}

std::vector<std::string> Filled(const std::vector<std::string>& values)
{
    std::vector<std::string> filled;
    for (const std::string& value : values)
        if (!value.empty()) filled.push_back(value);
    return filled;
}

// "Windows reports X where Office asked for Y."
std::string Reports(const std::string& reported, const std::string& title, const std::string& asked)
{
    return "Windows reports " + reported + " where " + title + " asked for " + asked + ".";
}

// "the gateway 10.0.0.1", or "no gateway".
std::string Named(const char* what, const std::vector<std::string>& values)
{
    const std::string joined = Joined(values);
    return (joined.empty() ? std::string("no ") : std::string("the ")) + what + (joined.empty() ? "" : " " + joined);
}

std::string FirstOf(const std::vector<std::string>& values) { return values.empty() ? std::string() : values.front(); }

bool StepMade(const ChangeOutcome& outcome, size_t index)
{
    return index < outcome.steps.size() && outcome.steps[index].state == ChangeStep::State::Made;
}

// The first difference between a static configuration asked for and what the adapter holds,
// for the steps that were made.
std::string StaticDifference(const std::string& title, const std::vector<std::string>& addresses,
                             const std::vector<std::string>& masks, const std::vector<std::string>& gateways,
                             const std::vector<std::string>& servers, bool gatewaysMade, bool serversMade,
                             const AdapterConfiguration& after)
{
    const auto address = [](const std::vector<std::string>& values) {
        return values.empty() ? std::string("no address") : Joined(values);
    };
    if (after.dhcp) return Reports("DHCP", title, address(addresses));
    if (after.addresses != addresses) return Reports(address(after.addresses), title, address(addresses));
    if (after.masks != masks) return Reports(Named("mask", after.masks), title, Named("mask", masks));
    if (gatewaysMade && !gateways.empty() && FirstOf(after.gateways) != gateways.front())
        return Reports(Named("gateway", after.gateways), title, Named("gateway", gateways));
    if (serversMade && after.dnsServers != servers)
        return Reports(Named("DNS servers", after.dnsServers), title, Named("DNS servers", servers));
    return {};
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

std::vector<ChangeStep> ChangeSteps(const ChangeRequest& request, const ChangeOutcome& outcome)
{
    std::vector<ChangeStep> steps;
    if (request.kind == ChangeRequest::Kind::Details) {
        // Every call is made whatever the one before answered; an empty gateway row makes none.
        const bool gatewaysSent = !request.details.gateways.empty() && !request.details.gateways.front().empty();
        const auto step = [](const char* name, int32_t code, bool enableStatic) {
            return ChangeStep{name, DetailRefused(code, enableStatic) ? ChangeStep::State::Refused : ChangeStep::State::Made,
                              code};
        };
        if (gatewaysSent) steps.push_back(step("Default Gateways", outcome.details.gateways, false));
        steps.push_back(step("IP Address and Subnet Mask", outcome.details.address, true));
        steps.push_back(step("DNS Servers", outcome.details.servers, false));
        return steps;
    }
    const bool dhcp = WantsDhcp(request);
    const std::vector<int> numbers = request.kind == ChangeRequest::Kind::Profile ? ConfigurationSteps(request.profile)
                                                                                  : ConfigurationSteps(request.target);
    for (const int number : numbers) {
        ChangeStep step{ConfigurationStepName(dhcp, number)};
        if (!outcome.refusal || number < outcome.refusal.step) {
            step.state = ChangeStep::State::Made;
        } else if (number == outcome.refusal.step) {
            step.state = ChangeStep::State::Refused;
            step.code = outcome.refusal.code;
        }
        steps.push_back(step);
    }
    return steps;
}

std::string ChangeDifference(const ChangeRequest& request, const ChangeOutcome& outcome, DWORD leaseWait)
{
    if (outcome.NothingMade()) return {};
    const AdapterConfiguration& after = outcome.after;
    const std::string& title = request.title;
    if (WantsDhcp(request)) {
        if (!after.dhcp)
            return Reports(after.addresses.empty() ? std::string("no address") : Joined(after.addresses), title, "DHCP");
        if (!LeasedAddress(after))
            return "No address came from DHCP within " + std::to_string(leaseWait / 1000) + " seconds.";
        return {};
    }
    switch (request.kind) {
    case ChangeRequest::Kind::Profile: {
        const ProfileSettings& profile = request.profile;
        std::string dns1 = profile.dns1;
        std::string dns2 = profile.dns2;
        MoveLoneAlternateServerUp(dns1, dns2);
        const bool gatewaysMade = !profile.gw.empty() && StepMade(outcome, 1);
        return StaticDifference(title, {profile.ip}, {profile.mask}, Filled({profile.gw}), Filled({dns1, dns2}),
                                gatewaysMade, outcome.steps.back().state == ChangeStep::State::Made, after);
    }
    case ChangeRequest::Kind::Details: {
        const DetailSettings& details = request.details;
        // The address and the DNS servers are the last two calls; with the address refused,
        // what the others set cannot be told apart from what was there.
        if (!StepMade(outcome, outcome.steps.size() - 2)) return {};
        const bool gatewaysMade = outcome.steps.size() == 3 && StepMade(outcome, 0);
        return StaticDifference(title, Filled(details.addresses), Filled(details.masks), Filled(details.gateways),
                                Filled(details.servers), gatewaysMade, StepMade(outcome, outcome.steps.size() - 1),
                                after);
    }
    case ChangeRequest::Kind::Undo: {
        const AdapterConfiguration& target = request.target;
        const bool gatewaysMade = !target.gateways.empty() && StepMade(outcome, 1);
        return StaticDifference(title, target.addresses, target.masks, target.gateways,
                                target.dnsByHand ? target.dnsServers : std::vector<std::string>(), gatewaysMade,
                                outcome.steps.back().state == ChangeStep::State::Made, after);
    }
    }
    return {};
}

std::string StoredDifference(const ChangeRequest& request, const ChangeOutcome& outcome, const tadapter* stored)
{
    if (stored == nullptr || outcome.NothingMade()) return {};
    const bool dhcp = WantsDhcp(request);
    std::string address;
    switch (request.kind) {
    case ChangeRequest::Kind::Profile: address = request.profile.ip; break;
    case ChangeRequest::Kind::Undo: address = FirstOf(request.target.addresses); break;
    case ChangeRequest::Kind::Details:
        // With the address refused, the stored one is not this change's to check.
        if (!StepMade(outcome, outcome.steps.size() - 2)) return {};
        address = FirstOf(Filled(request.details.addresses));
        break;
    }
    const bool storedDhcp = stored->DhcpEnabled == 1;
    if (storedDhcp != dhcp) {
        return "Windows stores DHCP " + std::string(storedDhcp ? "on" : "off") + " where " + request.title +
               " asked for " + (dhcp ? std::string("DHCP") : address) + ".";
    }
    if (!dhcp && !address.empty() && stored->Address != address) {
        return "Windows stores " + (stored->Address.empty() ? std::string("no address") : stored->Address) +
               " where " + request.title + " asked for " + address + ".";
    }
    return {};
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
        return RunInBackground([&] { outcome.after = ReadAdapterConfiguration(AdapterNamed(m_connectServices, request.adapterIndex)); });
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
