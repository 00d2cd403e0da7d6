// The simulated machine shared between processes: the program and its elevated run must see
// one network, as two processes on Windows see one. The adapters go to a small text file, a
// line per field, written after every change and taken in again once another process wrote it.
#include <windows.h>

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/handles.h"
#include "core/text.h"
#include "simnet/simnetwork.h"
#include "simnet/simstate.h"

namespace {
// Texts travel with '%', '|' and line breaks escaped, so a list is one line of '|'-joined items.
std::string Escaped(const std::wstring& text)
{
    std::string out;
    for (const char c : AnsiFromWide(text)) {
        if (c == '%' || c == '|' || c == '\n' || c == '\r') {
            static const char hex[] = "0123456789ABCDEF";
            out += '%';
            out += hex[(static_cast<unsigned char>(c) >> 4) & 15];
            out += hex[static_cast<unsigned char>(c) & 15];
        } else {
            out += c;
        }
    }
    return out;
}

std::wstring Unescaped(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return WideFromAnsi(out);
}

std::string Joined(const std::vector<std::wstring>& items) { return JoinedBy(items, '|', Escaped); }

std::string Joined(const std::vector<int32_t>& items)
{
    return JoinedBy(items, '|', [](int32_t item) { return std::to_string(item); });
}

std::vector<std::string> Split(const std::string& line)
{
    std::vector<std::string> parts;
    if (line.empty()) return parts;
    size_t start = 0;
    for (;;) {
        const size_t bar = line.find('|', start);
        parts.push_back(line.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos) return parts;
        start = bar + 1;
    }
}

// Every field of an adapter, in one order for writing and reading.
template <typename Visit>
void Fields(SimAdapter& a, Visit&& visit)
{
    visit("index", a.index);
    visit("description", a.description);
    visit("settingId", a.settingId);
    visit("macAddress", a.macAddress);
    visit("serviceName", a.serviceName);
    visit("ipEnabled", a.ipEnabled);
    visit("dhcpEnabled", a.dhcpEnabled);
    visit("mediaConnected", a.mediaConnected);
    visit("staticDns", a.staticDns);
    visit("ipAddresses", a.ipAddresses);
    visit("subnets", a.subnets);
    visit("gateways", a.gateways);
    visit("dnsServers", a.dnsServers);
    visit("gatewayMetrics", a.gatewayMetrics);
    visit("storedGateways", a.storedGateways);
    visit("storedGatewayMetrics", a.storedGatewayMetrics);
    visit("ipv6Addresses", a.ipv6Addresses);
    visit("ipv6Prefixes", a.ipv6Prefixes);
    visit("ipv6Gateways", a.ipv6Gateways);
    visit("dhcpServer", a.dhcpServer);
    // The tick count is the machine's, so a lease asked for in one process comes in the other.
    visit("leaseDue", a.leaseDue);
    visit("offerAddress", a.dhcpOffer.address);
    visit("offerMask", a.dhcpOffer.mask);
    visit("offerGateway", a.dhcpOffer.gateway);
    visit("offerServer", a.dhcpOffer.server);
    visit("offerDnsDomain", a.dhcpOffer.dnsDomain);
    visit("offerDnsServers", a.dhcpOffer.dnsServers);
    visit("dhcpServerAddress", a.dhcpServerAddress);
    visit("dnsDomain", a.dnsDomain);
    visit("wireless", a.wireless);
    visit("wifiName", a.wifiName);
    visit("neighbours", a.neighbours);
}

using Neighbours = std::map<std::wstring, std::wstring>;

struct Writer {
    std::string& text;
    void operator()(const char* name, int32_t value) { text += std::string(name) + "=" + std::to_string(value) + "\n"; }
    void operator()(const char* name, uint64_t value)
    {
        text += std::string(name) + "=" + std::to_string(value) + "\n";
    }
    void operator()(const char* name, bool value) { text += std::string(name) + "=" + (value ? "1" : "0") + "\n"; }
    void operator()(const char* name, const std::wstring& value)
    {
        text += std::string(name) + "=" + Escaped(value) + "\n";
    }
    void operator()(const char* name, const std::vector<std::wstring>& value)
    {
        text += std::string(name) + "=" + Joined(value) + "\n";
    }
    void operator()(const char* name, const std::vector<int32_t>& value)
    {
        text += std::string(name) + "=" + Joined(value) + "\n";
    }
    // Entries as "address=mac" items: neither side holds an '='.
    void operator()(const char* name, const Neighbours& value)
    {
        text += std::string(name) + "=" +
                JoinedBy(value, '|', [](const auto& entry) { return Escaped(entry.first + L"=" + entry.second); }) +
                "\n";
    }
};

struct Reader {
    const std::vector<std::string>& lines;
    size_t& next;
    std::string Take(const char* name)
    {
        const std::string prefix = std::string(name) + "=";
        if (next >= lines.size() || lines[next].rfind(prefix, 0) != 0) throw std::runtime_error("bad state");
        return lines[next++].substr(prefix.size());
    }
    void operator()(const char* name, int32_t& value) { value = std::stoi(Take(name)); }
    void operator()(const char* name, uint64_t& value) { value = std::stoull(Take(name)); }
    void operator()(const char* name, bool& value) { value = Take(name) == "1"; }
    void operator()(const char* name, std::wstring& value) { value = Unescaped(Take(name)); }
    void operator()(const char* name, std::vector<std::wstring>& value)
    {
        value.clear();
        for (const std::string& part : Split(Take(name)))
            value.push_back(Unescaped(part));
    }
    void operator()(const char* name, std::vector<int32_t>& value)
    {
        value.clear();
        for (const std::string& part : Split(Take(name)))
            value.push_back(std::stoi(part));
    }
    void operator()(const char* name, Neighbours& value)
    {
        value.clear();
        for (const std::string& part : Split(Take(name))) {
            const std::wstring entry = Unescaped(part);
            const size_t equals = entry.find(L'=');
            if (equals == std::wstring::npos) throw std::runtime_error("bad state");
            value.emplace(entry.substr(0, equals), entry.substr(equals + 1));
        }
    }
};

std::string StateText(SimState& state)
{
    std::string text = "refuseUnelevated=" + std::string(state.refuseUnelevated ? "1" : "0") + "\n";
    for (SimAdapter& adapter : state.adapters) {
        text += "[adapter]\n";
        Fields(adapter, Writer{text});
    }
    return text;
}

// Takes the text in; false, changing nothing, when it is not a state this file writes.
bool TakeState(SimState& state, const std::string& text)
{
    std::vector<std::string> lines;
    for (size_t start = 0; start < text.size();) {
        const size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    try {
        size_t next = 0;
        Reader reader{lines, next};
        const bool refuse = reader.Take("refuseUnelevated") == "1";
        std::vector<SimAdapter> adapters;
        while (next < lines.size() && lines[next] == "[adapter]") {
            ++next;
            SimAdapter& adapter = adapters.emplace_back();
            Fields(adapter, reader);
        }
        if (next != lines.size()) return false;
        state.refuseUnelevated = refuse;
        // In place: the objects of earlier queries refer to adapters by their position.
        state.adapters.resize(adapters.size());
        for (size_t i = 0; i < adapters.size(); ++i)
            state.adapters[i] = std::move(adapters[i]);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

std::optional<std::string> ReadWhole(const std::string& path)
{
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    std::string text;
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(file.get(), chunk, sizeof chunk, &read, nullptr) && read > 0)
        text.append(chunk, read);
    return text;
}

void WriteWhole(const std::string& path, const std::string& text)
{
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (file) WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

// The last text this process wrote or took in: a file that still holds it needs no reading in.
// Both run under the network's lock.
void Share(const std::shared_ptr<SimState>& state, const std::string& path, std::string current)
{
    auto last = std::make_shared<std::string>(std::move(current));
    SimState* raw = state.get();
    state->sync = [raw, path, last] {
        const std::optional<std::string> text = ReadWhole(path);
        if (text && *text != *last && TakeState(*raw, *text)) {
            *last = *text;
            // Another process changed the machine: this one's watchers hear of it now.
            raw->TellWatchers();
        }
    };
    state->publish = [raw, path, last] {
        *last = StateText(*raw);
        WriteWhole(path, *last);
    };
}
}  // namespace

void SimNetwork::RefuseUnelevated(bool refuse)
{
    const std::lock_guard guard(m_state->lock);
    m_state->refuseUnelevated = refuse;
    if (m_state->publish) m_state->publish();
}

void SimNetwork::ShareState(const std::string& path)
{
    const std::lock_guard guard(m_state->lock);
    const std::string text = StateText(*m_state);
    WriteWhole(path, text);
    Share(m_state, path, text);
}

bool SimNetwork::JoinSharedState(const std::string& path)
{
    const std::lock_guard guard(m_state->lock);
    const std::optional<std::string> text = ReadWhole(path);
    if (!text || !TakeState(*m_state, *text)) return false;
    Share(m_state, path, *text);
    return true;
}
