#include "simnet/simplaces.h"

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <utility>

#include "core/text.h"
#include "simnet/configmethods.h"
#include "simnet/simstate.h"

namespace {
struct SimPlace {
    std::string name;
    std::wstring wifiName;  // empty: no network to join
    bool dhcpServer = false;
    SimDhcpOffer offer;
    std::map<std::wstring, std::wstring> neighbours;
};

const std::vector<SimPlace>& Places()
{
    static const std::vector<SimPlace> places = {
        {"home",
         L"Home Wi-Fi",
         true,
         {L"192.168.178.20", L"255.255.255.0", L"192.168.178.1", L"192.168.178.1", L"fritz.box", {L"192.168.178.1"}},
         {{L"192.168.178.1", L"3C-A6-2F-11-22-33"}}},
        // Addresses are set by hand here: no DHCP server answers.
        {"office", L"Office LAN", false, {}, {{L"10.0.0.1", L"00-1B-21-AA-BB-01"}}},
        {"cafe",
         L"Cafe Wi-Fi",
         true,
         {L"172.16.5.23", L"255.255.0.0", L"172.16.0.1", L"172.16.0.1", L"guest.example", {L"172.16.0.1"}},
         {{L"172.16.0.1", L"00-0C-42-77-88-99"}}},
        {"away", L"", false, {}, {}},
    };
    return places;
}

const SimPlace* FindPlace(const std::string& name)
{
    for (const SimPlace& place : Places()) {
        if (place.name == name) return &place;
    }
    return nullptr;
}

std::optional<SimAdapter> BySettingId(const SimNetwork& network, const std::string& settingId)
{
    const std::wstring wanted = WideFromAnsi(settingId);
    return network.FindAdapter([&](const SimAdapter& adapter) { return SameName(adapter.settingId, wanted); });
}

std::optional<int32_t> WifiIndex(const SimNetwork& network)
{
    const std::optional<SimAdapter> wifi = network.FindAdapter([](const SimAdapter& a) { return a.wireless; });
    return wifi ? std::optional<int32_t>(wifi->index) : std::nullopt;
}

// Holds a watcher while the program listens.
class Listening {
public:
    Listening(SimNetwork network, std::function<void()> changed)
        : m_network(std::move(network)), m_id(m_network.AddWatcher(std::move(changed)))
    {
    }
    ~Listening() { m_network.RemoveWatcher(m_id); }
    Listening(const Listening&) = delete;
    Listening& operator=(const Listening&) = delete;

private:
    SimNetwork m_network;
    int m_id;
};
}  // namespace

const std::vector<std::string>& SimPlaceNames()
{
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all;
        for (const SimPlace& place : Places())
            all.push_back(place.name);
        return all;
    }();
    return names;
}

PlaceReaders SimPlaceReaders(SimNetwork network)
{
    PlaceReaders readers;
    readers.wifi = [network](const std::string& settingId) -> WifiConnection {
        const std::optional<SimAdapter> adapter = BySettingId(network, settingId);
        if (!adapter || !adapter->wireless || !adapter->mediaConnected || adapter->wifiName.empty()) return {};
        if (network.WifiNamesWithheld()) return {"", true};
        return {AnsiFromWide(adapter->wifiName), false};
    };
    readers.neighbourMac = [network](const std::string& settingId, const std::string& gateway) -> std::string {
        const std::optional<SimAdapter> adapter = BySettingId(network, settingId);
        if (!adapter || !adapter->mediaConnected) return {};
        const auto found = adapter->neighbours.find(WideFromAnsi(gateway));
        return found != adapter->neighbours.end() ? AnsiFromWide(found->second) : std::string();
    };
    readers.listen = [network](std::function<void()> changed) -> std::shared_ptr<void> {
        return std::make_shared<Listening>(network, std::move(changed));
    };
    return readers;
}

bool MoveLaptop(SimNetwork& network, const std::string& placeName)
{
    const SimPlace* place = FindPlace(placeName);
    const std::optional<int32_t> wifi = WifiIndex(network);
    if (place == nullptr || !wifi) return false;
    network.EditAdapter(*wifi, [](SimAdapter& adapter) {
        adapter.mediaConnected = false;
        adapter.wifiName.clear();
        adapter.neighbours.clear();
        if (adapter.dhcpEnabled) DropDhcpLease(adapter);
        return true;
    });
    if (place->wifiName.empty()) return true;

    network.MoveWait(network.MoveTime());
    const DWORD leaseTime = network.LeaseTime();
    bool leaseAsked = false;
    network.EditAdapter(*wifi, [&](SimAdapter& adapter) {
        adapter.mediaConnected = true;
        adapter.wifiName = place->wifiName;
        adapter.neighbours = place->neighbours;
        adapter.dhcpServer = place->dhcpServer;
        adapter.dhcpOffer = place->offer;
        // A DHCP client asks for a lease as soon as the link is up; it lapses where no server answers.
        leaseAsked = adapter.dhcpEnabled;
        if (leaseAsked) adapter.leaseDue = GetTickCount64() + leaseTime;
        return true;
    });
    if (!leaseAsked) return true;

    network.MoveWait(leaseTime);
    // A hurried move takes its lease before its time. A call meanwhile may have found it come.
    network.EditAdapter(
        *wifi, [](SimAdapter& adapter) { return TakeDueLease(adapter, std::max(GetTickCount64(), adapter.leaseDue)); });
    return true;
}

bool FlapLink(SimNetwork& network, int times, DWORD withinMs)
{
    const std::optional<SimAdapter> wifi = network.FindAdapter([](const SimAdapter& a) { return a.wireless; });
    if (times < 1 || !wifi || wifi->wifiName.empty()) return false;
    const DWORD step = withinMs / static_cast<DWORD>(2 * times - 1);
    for (int flap = 0; flap < times; ++flap) {
        for (const bool up : {false, true}) {
            if (flap > 0 || up) network.MoveWait(step);
            network.EditAdapter(wifi->index, [up](SimAdapter& adapter) {
                adapter.mediaConnected = up;
                return true;
            });
        }
    }
    return true;
}
