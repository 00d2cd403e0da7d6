#include "adapters/elevatedchange.h"

#include <algorithm>
#include <charconv>
#include <map>

#include "adapters/wiretext.h"

namespace {
constexpr uint32_t kMarkMask = 0xF0000000u;
constexpr uint32_t kRefusalMark = 0x10000000u;
constexpr uint32_t kDetailsMark = 0x20000000u;
constexpr uint32_t kAutostartMark = 0x30000000u;

const char* KindName(ElevatedChange::Kind kind)
{
    switch (kind) {
    case ElevatedChange::Kind::ApplyProfile: return "apply-profile";
    case ElevatedChange::Kind::ApplyDetails: return "apply-details";
    case ElevatedChange::Kind::Autostart: return "autostart";
    case ElevatedChange::Kind::Restore: return "restore";
    }
    return "";
}

// The keys each change takes, every one of them required.
std::vector<std::string> KeysOf(ElevatedChange::Kind kind)
{
    switch (kind) {
    case ElevatedChange::Kind::ApplyProfile: return {"adapter", "setting", "dhcp", "ip", "mask", "gw", "dns1", "dns2"};
    case ElevatedChange::Kind::ApplyDetails: return {"adapter", "addresses", "masks", "gateways", "servers"};
    case ElevatedChange::Kind::Autostart: return {"entry"};
    case ElevatedChange::Kind::Restore: {
        std::vector<std::string> keys{"adapter", "setting"};
        for (const std::string& line : ConfigurationLines({}))
            keys.push_back(line.substr(0, line.find('=')));
        return keys;
    }
    }
    return {};
}

// -1 to 254 in one byte, 0 standing for -1; codes outside that range read as 65 (unknown failure).
uint32_t CodeByte(int32_t code) { return static_cast<uint32_t>((code < -1 || code > 254 ? 65 : code) + 1); }
int32_t ByteCode(uint32_t byte) { return static_cast<int32_t>(byte & 0xFF) - 1; }
}  // namespace

std::string ElevatedParameters(const ElevatedChange& change)
{
    std::map<std::string, std::string> values;
    switch (change.kind) {
    case ElevatedChange::Kind::ApplyProfile:
        values = {{"adapter", std::to_string(change.adapter)}, {"setting", Encode(change.settingId)},
                  {"dhcp", change.profile.dhcp ? "1" : "0"},   {"ip", Encode(change.profile.ip)},
                  {"mask", Encode(change.profile.mask)},       {"gw", Encode(change.profile.gw)},
                  {"dns1", Encode(change.profile.dns1)},       {"dns2", Encode(change.profile.dns2)}};
        break;
    case ElevatedChange::Kind::ApplyDetails:
        values = {{"adapter", std::to_string(change.adapter)},
                  {"addresses", EncodeList(change.details.addresses)},
                  {"masks", EncodeList(change.details.masks)},
                  {"gateways", EncodeList(change.details.gateways)},
                  {"servers", EncodeList(change.details.servers)}};
        break;
    case ElevatedChange::Kind::Autostart: values = {{"entry", change.autostart ? "on" : "off"}}; break;
    case ElevatedChange::Kind::Restore:
        values = {{"adapter", std::to_string(change.adapter)}, {"setting", Encode(change.settingId)}};
        for (const std::string& line : ConfigurationLines(change.configuration)) {
            const size_t equals = line.find('=');
            values[line.substr(0, equals)] = line.substr(equals + 1);
        }
        break;
    }
    std::string text = std::string(kElevatedChangeSwitch) + " " + KindName(change.kind);
    for (const std::string& key : KeysOf(change.kind))
        text += " " + key + "=" + values[key];
    return text;
}

std::optional<ElevatedChange> ParseElevatedArguments(const std::vector<std::string>& arguments)
{
    if (arguments.size() < 2 || arguments[0] != kElevatedChangeSwitch) return std::nullopt;
    ElevatedChange change;
    bool known = false;
    for (const auto kind : {ElevatedChange::Kind::ApplyProfile, ElevatedChange::Kind::ApplyDetails,
                            ElevatedChange::Kind::Autostart, ElevatedChange::Kind::Restore}) {
        if (arguments[1] == KindName(kind)) {
            change.kind = kind;
            known = true;
        }
    }
    if (!known) return std::nullopt;

    const std::vector<std::string> keys = KeysOf(change.kind);
    std::map<std::string, std::string> values;
    for (size_t i = 2; i < arguments.size(); ++i) {
        const size_t equals = arguments[i].find('=');
        if (equals == std::string::npos) return std::nullopt;
        const std::string key = arguments[i].substr(0, equals);
        if (std::find(keys.begin(), keys.end(), key) == keys.end()) return std::nullopt;
        if (!values.emplace(key, arguments[i].substr(equals + 1)).second) return std::nullopt;
    }
    if (values.size() != keys.size()) return std::nullopt;

    bool wellFormed = true;
    const auto text = [&](const char* key) {
        const std::optional<std::string> value = Decode(values[key]);
        wellFormed = wellFormed && value.has_value();
        return value.value_or(std::string());
    };
    const auto list = [&](const char* key) {
        const std::optional<std::vector<std::string>> value = DecodeList(values[key]);
        wellFormed = wellFormed && value.has_value();
        return value.value_or(std::vector<std::string>());
    };
    const auto adapter = [&] {
        const std::optional<int32_t> value = DecodeInt(values["adapter"]);
        wellFormed = wellFormed && value.has_value();
        return value.value_or(0);
    };
    switch (change.kind) {
    case ElevatedChange::Kind::ApplyProfile: {
        change.adapter = adapter();
        change.settingId = text("setting");
        const std::optional<bool> dhcp = DecodeFlag(values["dhcp"], "1", "0");
        wellFormed = wellFormed && dhcp.has_value();
        change.profile = {dhcp.value_or(false), text("ip"), text("mask"), text("gw"), text("dns1"), text("dns2")};
        break;
    }
    case ElevatedChange::Kind::ApplyDetails:
        change.adapter = adapter();
        change.details = {list("addresses"), list("masks"), list("gateways"), list("servers")};
        break;
    case ElevatedChange::Kind::Autostart: {
        const std::optional<bool> entry = DecodeFlag(values["entry"], "on", "off");
        wellFormed = wellFormed && entry.has_value();
        change.autostart = entry.value_or(false);
        break;
    }
    case ElevatedChange::Kind::Restore: {
        change.adapter = adapter();
        change.settingId = text("setting");
        std::vector<std::string> lines;
        for (const std::string& line : ConfigurationLines({})) {
            const std::string key = line.substr(0, line.find('='));
            lines.push_back(key + "=" + values[key]);
        }
        const std::optional<AdapterConfiguration> configuration = ConfigurationFromLines(lines);
        wellFormed = wellFormed && configuration.has_value();
        if (configuration) change.configuration = *configuration;
        break;
    }
    }
    if (!wellFormed) return std::nullopt;
    return change;
}

uint32_t PackRefusal(const ConfigurationRefusal& refusal)
{
    return kRefusalMark | (static_cast<uint32_t>(refusal.step & 0xF) << 16) |
           (static_cast<uint32_t>(refusal.code) & 0xFFFFu);
}

uint32_t PackDetailResults(const DetailResults& results)
{
    return kDetailsMark | CodeByte(results.gateways) | (CodeByte(results.address) << 8) |
           (CodeByte(results.servers) << 16);
}

uint32_t PackAutostartResult(bool done) { return kAutostartMark | (done ? 1u : 0u); }

std::optional<ElevatedResult> ReadElevatedResult(ElevatedChange::Kind kind, uint32_t exitCode)
{
    ElevatedResult result;
    const uint32_t mark = exitCode & kMarkMask;
    switch (kind) {
    case ElevatedChange::Kind::ApplyProfile:
    case ElevatedChange::Kind::Restore:
        if (mark != kRefusalMark) return std::nullopt;
        result.refusal = {static_cast<int>((exitCode >> 16) & 0xF), static_cast<int16_t>(exitCode & 0xFFFFu)};
        return result;
    case ElevatedChange::Kind::ApplyDetails:
        if (mark != kDetailsMark) return std::nullopt;
        result.details = {ByteCode(exitCode), ByteCode(exitCode >> 8), ByteCode(exitCode >> 16)};
        return result;
    case ElevatedChange::Kind::Autostart:
        if (mark != kAutostartMark) return std::nullopt;
        result.autostart = (exitCode & 1u) != 0;
        return result;
    }
    return std::nullopt;
}
