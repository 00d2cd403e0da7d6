#pragma once
// The simulated network: an in-process stand-in for WMI's root\cimv2 services object and its
// Win32_NetworkAdapterConfiguration instances, for machines whose network cannot or must not
// be changed, and for tests that script what WMI answers.
//
// What the program sees (all through IDispatch, late-bound, member names matched without
// regard to letter case):
// - the services object (Services()): `ExecQuery` answers exactly the two texts the program
//   sends, "Select * from Win32_NetworkAdapterConfiguration " (every adapter) and
//   "Select * from Win32_NetworkAdapterConfiguration where IPEnabled=TRUE"; any other text
//   fails with DISP_E_EXCEPTION, scode kWbemInvalidQuery and the description "Invalid query".
// - the result collection: `_NewEnum` (a fresh IEnumVARIANT each time, as often as asked)
//   and `Count`. Its objects are snapshots taken at query time, as WMI's are: a method call
//   changes the live adapter, an old result keeps showing the old values.
// - adapter configuration objects: `Index`, `Description`, `SettingID`, `MACAddress`,
//   `ServiceName`, `IPEnabled`, `DHCPEnabled`, `IPAddress`, `IPSubnet`, `DefaultIPGateway`,
//   `DNSServerSearchOrder`, `GatewayCostMetric`, `DHCPServer`, `DNSDomain`, in the forms Windows gives (arrays with
//   lower bound 0, or Null when empty; an empty MAC address is Null), and the methods
//   `EnableStatic`, `SetGateWays`, `EnableDHCP`, `setDNSServerSearchOrder`, which answer the
//   codes Windows uses (see configmethods.h) and change the live adapter.
//
// Scripts (overrides, failures, method results) are keyed by the adapter's Index and the
// member name (any letter case), and are looked up when the member is used, so they also
// apply to results queried before the script was set. A property or method failed with
// DISP_E_UNKNOWNNAME becomes unknown to that adapter's GetIDsOfNames, as members missing from
// Wine's WMI are.
//
// A SimNetwork is a handle: copies share one network, and the COM objects it hands out keep
// the network's state alive, so they may outlive every handle. A moved-from handle is empty.
//
// Threads. The objects are free-threaded plain C++ objects: the services object, its results
// and their adapter objects may be called from any thread, in any apartment, without COM
// marshalling (a worker thread may call Services() itself, or use objects another thread got).
// One lock guards the network's state; a call's simulated time is waited outside it, so other
// threads' calls go on meanwhile. The functions of this class take the lock too, except that
// what Calls(), Adapter(), MutableAdapter() and AdapterAt() return is read after it is let
// go: use those while no other thread calls in (CallsSoFar() copies under the lock).
// Callbacks run on the thread whose call made the change, under the lock, one at a time and
// in the order of the changes; they may call this class but must not wait for another thread
// that uses the network (the watchers are the exception: see AddWatcher):
// - the change listener: on the thread of AddAdapter/AdapterChanged, of the configuration
//   method, or of the query or method call that found a DHCP lease come;
// - the stored-settings reader: on the thread of the configuration method, before it runs.
//
// Time. Every call takes no time unless a test or the program sets one (SetCallTime,
// SetConnectTime, SetLeaseTime). A call logs itself as it arrives, waits its time as the
// calling thread would wait for WMI's answer from its own process (see simwait.h: in a
// single-threaded apartment the thread handles sent messages but no posted message, timer or
// input meanwhile), and then answers from the network's state at that moment: a query made
// while another thread's EnableStatic waits still sees the old address.
#include <windows.h>
#include <oaidl.h>
#include <wrl/client.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/variant.h"

// WMI's status for a query it cannot parse (WBEM_E_INVALID_QUERY).
constexpr HRESULT kWbemInvalidQuery = static_cast<HRESULT>(0x80041017L);

// What the DHCP server on an adapter's network hands out. Without an address it is the simulation's
// own server: 10.0.<index>.100/24, with 10.0.<index>.1 as gateway, DNS server and the server itself.
struct SimDhcpOffer {
    std::wstring address, mask, gateway, server, dnsDomain;
    std::vector<std::wstring> dnsServers;
};

// The live state of one adapter configuration.
struct SimAdapter {
    int32_t index = 0;
    std::wstring description, settingId, macAddress, serviceName;
    bool ipEnabled = true, dhcpEnabled = false;
    // False while the link is down (no cable, a VPN not connected): WMI then reports the
    // adapter as not IP-enabled and without addresses; the registry keeps its settings.
    bool mediaConnected = true;
    // True when the DNS list was set by hand (it then survives EnableDHCP); false when it came
    // with a DHCP lease or is empty.
    bool staticDns = false;
    // IPv4, live: on DHCP the lease's address, mask and gateway come first.
    std::vector<std::wstring> ipAddresses, subnets, gateways, dnsServers;
    std::vector<int32_t> gatewayMetrics;
    // The static gateway list Windows keeps as the interface's "DefaultGateway". A static
    // adapter routes through it; a DHCP adapter keeps it from its static time, routes through
    // it too, and EnableStatic makes it the whole list again. AddAdapter fills it from
    // `gateways` for a static adapter added without one.
    std::vector<std::wstring> storedGateways;
    std::vector<int32_t> storedGatewayMetrics;
    // IPv6: WMI lists these after the IPv4 entries (prefix lengths such as "64" after the
    // masks); the four IPv4 methods leave them as they are.
    std::vector<std::wstring> ipv6Addresses, ipv6Prefixes, ipv6Gateways;
    // False where no DHCP server answers on the adapter's network (a host's virtual switch):
    // a lease asked for never comes.
    bool dhcpServer = true;
    // While a DHCP lease is awaited: the GetTickCount64() value at which it comes (the same
    // clock in every process on the machine); 0 when none is awaited.
    uint64_t leaseDue = 0;
    SimDhcpOffer dhcpOffer;
    // Of the current lease: its server, and the connection's DNS suffix it gave (a suffix may
    // also be set by hand on a static adapter). Empty without a lease.
    std::wstring dhcpServerAddress, dnsDomain;
    // A Wi-Fi adapter, and the network (SSID) it is joined to; empty when not joined.
    bool wireless = false;
    std::wstring wifiName;
    // The neighbour table's routers on the adapter's link: IPv4 address -> MAC ("00-1B-21-AA-BB-01").
    std::map<std::wstring, std::wstring> neighbours;
};

// What WMI reports as IPEnabled ("TCP/IP is bound and enabled on this network adapter"), and
// the link up: Windows reports a disconnected adapter as FALSE like an unbound one, and leaves
// it out of "where IPEnabled=TRUE" (as it behaves; the class page does not say so).
inline bool ReportsIpEnabled(const SimAdapter& adapter) { return adapter.ipEnabled && adapter.mediaConnected; }

// One argument of a logged call, as it arrived.
struct SimArg {
    enum class Kind { ByValue, ByRef, Omitted };
    Kind kind = Kind::ByValue;
    VARTYPE type = VT_EMPTY;          // of the value itself, behind any reference (VT_ARRAY|VT_BSTR, ...)
    UINT dimensions = 0;              // arrays only
    LONG lowerBound = 0;              // arrays only: of the first dimension
    size_t count = 0;                 // elements of an array's first dimension; 1 for a scalar, 0 when omitted
    std::vector<std::wstring> texts;  // the text elements (or the text scalar), in order
    std::vector<int32_t> ints;        // the integer elements (or the integer scalar), in order
};

// One method call, in the order received. Members are named as the program spells them:
// "ExecQuery", "EnableStatic", "SetGateWays", "EnableDHCP", "setDNSServerSearchOrder".
struct SimCall {
    int32_t adapterIndex = -1;  // -1 for calls on the services object
    std::wstring member;
    std::vector<SimArg> args;
};

// Whether a change wrote the static gateway list that Windows stores for the adapter
// ("DefaultGateway" and its metrics). An adapter added, or edited and announced through
// AdapterChanged, is new throughout; of the configuration methods only SetGateways writes it.
enum class StoredGateways { Written, Untouched };

struct SimState;

class SimNetwork {
public:
    SimNetwork();

    // Adds an adapter (at the end of every query result) and tells the change listener.
    // The reference stays valid for the network's life.
    SimAdapter& AddAdapter(SimAdapter adapter);

    // The services object (VT_DISPATCH), the same object on every call, from any thread. The
    // first call takes the connect time, and so does every call made before that has passed.
    Variant Services() const;

    // Live state; the first adapter with that Index, or none.
    const SimAdapter* Adapter(int32_t index) const;
    SimAdapter* MutableAdapter(int32_t index);
    // Every adapter in query order.
    size_t AdapterCount() const;
    const SimAdapter& AdapterAt(size_t position) const;
    // Tells the change listener about an edit made through MutableAdapter.
    void AdapterChanged(int32_t index);
    // For threads that run beside others: a copy of the first adapter `match` accepts, taken
    // under the lock once what another process shared and the leases due are taken in.
    std::optional<SimAdapter> FindAdapter(const std::function<bool(const SimAdapter&)>& match) const;
    // Likewise, `edit` changes the adapter with this Index under the lock; when it returns true
    // the change is told as a change of the adapter (stored gateways untouched). False when
    // there is no such adapter or nothing changed.
    bool EditAdapter(int32_t index, const std::function<bool(SimAdapter&)>& edit);

    // Scripting.
    void OverrideProperty(int32_t index, const std::wstring& name, Variant value);
    // With a description the read fails with DISP_E_EXCEPTION carrying hr and the
    // description; without one Invoke returns hr itself.
    void FailProperty(int32_t index, const std::wstring& name, HRESULT hr, std::wstring description = {});
    // The method answers `code` and changes nothing.
    void SetMethodResult(int32_t index, const std::wstring& method, int32_t code);
    void FailMethod(int32_t index, const std::wstring& method, HRESULT hr, std::wstring description = {});
    // Every query fails this way until ClearScripts.
    void FailQuery(HRESULT hr, std::wstring description);
    void ClearScripts();

    const std::vector<SimCall>& Calls() const;
    std::vector<SimCall> CallsSoFar() const;
    void ClearCalls();

    // How long a call of `member` takes (any letter case: "ExecQuery", "EnableStatic",
    // "SetGateWays", "EnableDHCP", "setDNSServerSearchOrder"), from its arrival to its answer.
    void SetCallTime(const std::wstring& member, DWORD milliseconds);
    // How long the first connection takes, as while the WMI service starts at logon.
    void SetConnectTime(DWORD milliseconds);
    // How long after EnableDHCP a DHCP server's lease comes. Meanwhile the adapter is
    // DHCP-enabled without an IPv4 address; with 0 the lease is there when EnableDHCP answers.
    void SetLeaseTime(DWORD milliseconds);

    // How long the demo laptop is off the air between leaving one network and joining the next
    // (MoveLaptop, simplaces.h); its lease then takes the lease time.
    void SetMoveTime(DWORD milliseconds);
    DWORD MoveTime() const;
    DWORD LeaseTime() const;
    // Waits that long, unless moves are hurried.
    void MoveWait(DWORD milliseconds) const;
    // Moves and link flaps in progress, and those to come, take their remaining steps at once: for
    // a program that ends while its laptop moves.
    void HurryMoves();

    // Called after every change of an adapter's state: added, changed by a method, or
    // announced through AdapterChanged, or given a DHCP lease; told whether the change wrote
    // the stored gateways.
    void SetChangeListener(std::function<void(const SimAdapter&, StoredGateways)> listener);
    // Called before a configuration method runs, to bring in what was stored for the adapter
    // behind WMI's back (the registry mirror reads back "DefaultGateway").
    void SetStoredSettingsReader(std::function<void(SimAdapter&)> reader);
    // Called after every change of an adapter (those the change listener hears of, a move's
    // steps, and what another process sharing the state changed, once this one takes it in),
    // on the thread that made the change, after the lock is let go, as IP Helper's
    // NotifyIpInterfaceChange and the WLAN API's notifications call a program back. A watcher
    // must not throw, as no callback may unwind through Windows' frames. Returns the id for
    // RemoveWatcher, which waits for a call of that watcher in progress on another thread (call
    // it outside the other callbacks) and, once it returns, the watcher is not called again.
    int AddWatcher(std::function<void()> changed);
    void RemoveWatcher(int id);
    // Plays Windows 11 keeping the Wi-Fi name back from a program without the user's location
    // consent ("Changes to API behavior for Wi-Fi access and location"): SimPlaceReaders'
    // wifi() then tells a joined adapter's name as withheld.
    void WithholdWifiNames(bool withhold);
    bool WifiNamesWithheld() const;

    // Configuration methods answer 91 (access denied) to a process without administrator
    // rights (ProcessElevated), as Windows does for a standard user.
    void RefuseUnelevated(bool refuse);

    // Keeps the network's adapters in the file at `path` too, where another process (the
    // program's elevated run) reaches the same machine: written now and after every change,
    // read again before every query and method call once another process has written it.
    void ShareState(const std::string& path);
    // Takes the adapters, and the refusal of unelevated calls, from a file another network
    // shares, then shares it too; false, changing nothing, when there is no such file.
    bool JoinSharedState(const std::string& path);

private:
    std::shared_ptr<SimState> m_state;
    Microsoft::WRL::ComPtr<IDispatch> m_services;
};

// A laptop: wired Ethernet (static) and Wi-Fi (DHCP, joined to "Demo Wi-Fi" with a lease of
// the simulation's own server; MoveLaptop takes it to the places in simplaces.h), both with
// IPv6, first; then a virtual
// switch adapter, a VPN adapter that is not connected, and adapters not IP-enabled. Indexes
// run from 1; more adapters than the machine has come as numbered virtual adapters. For
// velmora-simnet.exe, the tests and the benchmarks.
SimNetwork MakeDemoNetwork(int adapterCount = 8);
