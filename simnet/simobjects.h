#pragma once
// The automation objects of the simulated WMI. Each holds the network's state alive.
#include <windows.h>
#include <oaidl.h>
#include <wrl/client.h>

#include <cstddef>
#include <memory>
#include <vector>

struct SimState;

// The root\cimv2 services object: ExecQuery.
Microsoft::WRL::ComPtr<IDispatch> MakeServicesObject(std::shared_ptr<SimState> state);

// A Win32_NetworkAdapterConfiguration instance: the properties of the adapter at `slot`
// as they are now, and methods that act on that adapter's live state.
Microsoft::WRL::ComPtr<IDispatch> MakeAdapterObject(std::shared_ptr<SimState> state, size_t slot);

// A query result: _NewEnum and Count over `items`.
Microsoft::WRL::ComPtr<IDispatch> MakeResultSet(std::vector<Microsoft::WRL::ComPtr<IDispatch>> items);
