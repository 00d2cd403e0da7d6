#pragma once
// The simulated network's registry side: writes, for each simulated adapter, the keys Windows
// keeps for a real one, so the program's registry reader sees what it would see on Windows.
//
// For each adapter with a setting identifier:
// - HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion\NetworkCards\<n>: "ServiceName" (the
//   setting identifier) and "Description"; n counts from the mirror's first card number in
//   the network's adapter order.
// - HKLM\SYSTEM\CurrentControlSet\Services\Tcpip\Parameters\Interfaces\<setting identifier>:
//   "EnableDHCP" (REG_DWORD); "IPAddress", "SubnetMask", "DefaultGateway",
//   "DefaultGatewayMetric" (REG_MULTI_SZ); "NameServer" (REG_SZ, the servers set by hand,
//   comma-joined). With DHCP on, as Windows does: "IPAddress" and "SubnetMask" read
//   "0.0.0.0", the lease goes to "DhcpIPAddress", "DhcpSubnetMask", "DhcpDefaultGateway" and
//   "DhcpNameServer" (space-joined), and "DefaultGateway" keeps the static list it held,
//   which is why the program empties it before applying a profile. Without a lease (one asked
//   for and not come yet, or none to come) "DhcpIPAddress" and "DhcpSubnetMask" read "0.0.0.0".
// Written at Attach and again after every change of an adapter: the mirror takes over the
// network's one change listener while attached. "DefaultGateway" and "DefaultGatewayMetric"
// are written only where Windows writes them: at Attach, for an adapter added or edited, and
// by SetGateways; after the other methods they keep the bytes they held. Before each
// configuration method it reads "DefaultGateway" back, so a list emptied or left there by
// someone else is the one Windows would route through after the next static change. The keys it wrote, and parent keys
// it had to make, are removed by Detach and on destruction.
//
// Threads: the mirror writes under the network's lock, on the thread whose call made the change
// (the program's worker for a configuration method; whichever thread's query or call first
// finds a DHCP lease come), so its writes never overlap and follow the changes in order, and a
// query answered after a change finds the registry written. Attach, Follow and Detach are for
// the thread that owns the mirror; Attach before other threads use the network. After Detach
// returns, no write of the mirror is running or will run.
#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "simnet/simnetwork.h"

class SimRegistryMirror {
public:
    // Card numbers from `firstCardNumber` on; pick a range no other writer of the same
    // registry uses (Wine lists the host's interfaces from 1).
    explicit SimRegistryMirror(SimNetwork network, int firstCardNumber = 1001);
    ~SimRegistryMirror();
    SimRegistryMirror(const SimRegistryMirror&) = delete;
    SimRegistryMirror& operator=(const SimRegistryMirror&) = delete;

    // Writes every adapter's keys and follows the network's changes from now on. Raises when
    // a key cannot be written (on Windows: without the right to write HKLM).
    void Attach();
    // Stops following and removes every key the mirror wrote.
    void Detach() noexcept;
    // Follows the network's changes in keys another process's mirror wrote and will remove:
    // nothing is written now, and nothing is removed at the end (the program's elevated run).
    void Follow();

    // The NetworkCards subkey path (below HKLM) of the adapter at `position`.
    std::string CardKey(size_t position) const;
    // Why the last write after a change failed; empty when it did not. A change arrives
    // inside the simulated WMI's calls, so its failure is kept, not raised. Read it while no other
    // thread calls the network.
    const std::string& LastFailure() const { return m_lastFailure; }

private:
    void Write(const SimAdapter& adapter, StoredGateways gateways);
    void OnChanged(const SimAdapter& adapter, StoredGateways gateways) noexcept;
    void ReadBack(SimAdapter& adapter) const;
    void NoteMadeParents(const std::string& path);

    SimNetwork m_network;
    int m_firstCardNumber;
    bool m_attached = false;
    // What was written, by card number: the interface key's name (the setting identifier).
    std::map<int, std::string> m_written;
    // Parent keys that did not exist before the mirror wrote below them, innermost first.
    std::vector<std::string> m_madeParents;
    std::string m_lastFailure;
};
