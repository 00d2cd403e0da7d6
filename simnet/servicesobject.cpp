// The simulated root\cimv2 services object.
#include <string>
#include <utility>

#include "simnet/dispatchobject.h"
#include "simnet/simargs.h"
#include "simnet/simobjects.h"
#include "simnet/simstate.h"

using Microsoft::WRL::ComPtr;

namespace {
enum ServicesMember : DISPID { ExecQueryId = 1 };
const DispatchMember kMembers[] = {{L"ExecQuery", ExecQueryId}};

// The two texts the program sends, byte for byte; WMI would parse any WQL, the simulator
// knows only these.
const wchar_t kAllAdapters[] = L"Select * from Win32_NetworkAdapterConfiguration ";
const wchar_t kIpEnabledAdapters[] = L"Select * from Win32_NetworkAdapterConfiguration where IPEnabled=TRUE";

class ServicesObject final : public DispatchObject {
public:
    explicit ServicesObject(std::shared_ptr<SimState> state) : m_state(std::move(state)) {}

protected:
    DISPID Lookup(std::wstring_view name) const override { return LookupMember(kMembers, name); }

    DispatchAnswer Answer(DISPID id, WORD flags, const DispatchArgs& args) override
    {
        if (id != ExecQueryId || !IsMethodCall(flags)) return DispatchAnswer::Failure(DISP_E_MEMBERNOTFOUND);
        SimCall call{-1, MemberName(kMembers, id), {}};
        for (const VARIANT* arg : args)
            call.args.push_back(DecodeArg(*arg));
        m_state->Receive(call);
        // The objects are snapshots of the adapters as they are when the answer is made.
        const auto answering = m_state->Answering();

        if (m_state->queryFailure) {
            return DispatchAnswer::Failure(m_state->queryFailure->hr, m_state->queryFailure->description);
        }
        if (call.args.empty() || call.args[0].kind == SimArg::Kind::Omitted) {
            return DispatchAnswer::Failure(DISP_E_PARAMNOTFOUND);
        }
        if (call.args[0].type != VT_BSTR) return DispatchAnswer::Failure(DISP_E_TYPEMISMATCH);
        const std::wstring& text = call.args[0].texts.at(0);
        const bool ipEnabledOnly = text == kIpEnabledAdapters;
        if (!ipEnabledOnly && text != kAllAdapters) return DispatchAnswer::Failure(kWbemInvalidQuery, L"Invalid query");

        std::vector<ComPtr<IDispatch>> items;
        for (size_t slot = 0; slot < m_state->adapters.size(); ++slot) {
            if (ipEnabledOnly && !ReportsIpEnabled(m_state->adapters[slot])) continue;
            items.push_back(MakeAdapterObject(m_state, slot));
        }
        return DispatchAnswer::Value(Variant::FromDispatch(MakeResultSet(std::move(items)).Get()));
    }

private:
    std::shared_ptr<SimState> m_state;
};
}  // namespace

ComPtr<IDispatch> MakeServicesObject(std::shared_ptr<SimState> state)
{
    return MakeDispatchObject<ServicesObject>(std::move(state));
}
