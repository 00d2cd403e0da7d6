// The calls of a change as they went, and the check of what the adapter holds afterwards against
// what was asked: the rules, free of the pipeline's threads and calls.
#include <utility>

#include "core/text.h"
#include "profiles/changepipeline.h"

namespace {
bool DetailRefused(int32_t code, bool enableStatic)
{
    return !ConfigurationAccepted(code) && !(enableStatic && code == kAlreadyStatic);
}

std::vector<std::string> Filled(const std::vector<std::string>& values)
{
    std::vector<std::string> filled;
    for (const std::string& value : values)
        if (!value.empty()) filled.push_back(value);
    return filled;
}

std::string Joined(const std::vector<std::string>& values)
{
    return JoinedBy(Filled(values), ' ', [](const std::string& value) { return value; });
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

std::vector<ChangeStep> ChangeSteps(const ChangeRequest& request, const ChangeOutcome& outcome)
{
    std::vector<ChangeStep> steps;
    if (request.kind == ChangeRequest::Kind::Details) {
        // Every call is made whatever the one before answered; an empty gateway row makes none.
        const bool gatewaysSent = !request.details.gateways.empty() && !request.details.gateways.front().empty();
        const auto step = [](const char* name, int32_t code, bool enableStatic) {
            return ChangeStep{
                name, DetailRefused(code, enableStatic) ? ChangeStep::State::Refused : ChangeStep::State::Made, code};
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
            return Reports(after.addresses.empty() ? std::string("no address") : Joined(after.addresses), title,
                           "DHCP");
        if (!LeasedAddress(after))
            return "No address came from DHCP within " + std::to_string(leaseWait / 1000) + " seconds.";
        // Its servers come from DHCP too, unless it brings back servers that were set by hand.
        const bool serversByHand = request.kind == ChangeRequest::Kind::Undo && request.target.dnsByHand;
        if (!serversByHand && after.dnsByHand && outcome.steps.back().state == ChangeStep::State::Made)
            return Reports(Named("DNS servers", after.dnsServers) + " set by hand", title, "DNS servers from DHCP");
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
        return "Windows stores " + (stored->Address.empty() ? std::string("no address") : stored->Address) + " where " +
               request.title + " asked for " + address + ".";
    }
    return {};
}
