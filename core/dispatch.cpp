#include "core/dispatch.h"

#include <algorithm>

#include "core/check.h"
#include "core/text.h"

IDispatch* DispatchOf(const Variant& holder)
{
    const VARIANT& v = holder.get();
    if (v.vt == VT_DISPATCH && v.pdispVal != nullptr) return v.pdispVal;
    RaiseError("Invalid variant operation");
}

namespace {
std::string ExceptionText(EXCEPINFO& info, HRESULT hr)
{
    if (info.pfnDeferredFillIn != nullptr) info.pfnDeferredFillIn(&info);
    UniqueBstr source(info.bstrSource);
    UniqueBstr description(info.bstrDescription);
    UniqueBstr helpFile(info.bstrHelpFile);
    if (description && SysStringLen(description.get()) != 0) {
        std::string text = AnsiFromWide(description.get());
        while (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
            text.pop_back();
        return text;
    }
    if (FAILED(info.scode)) return SystemMessageText(static_cast<DWORD>(info.scode));
    return SystemMessageText(static_cast<DWORD>(hr));
}

// A failed call names what failed: the property read or the method called, as the user
// would otherwise see only a code (Wine's WMI has no ServiceName: "Unknown name"). The member
// is the call recorded in the history, with the place that asked for it.
[[noreturn]] void RaiseMemberError(const wchar_t* member, WORD flags, const std::string& reason, HRESULT code,
                                   const std::source_location& where)
{
    const std::string name = AnsiFromWide(member);
    const char* what = (flags & DISPATCH_PROPERTYGET) != 0 ? "Reading \"" : "Calling \"";
    throw AppError(what + name + "\" failed: " + reason, name, where, code);
}
}  // namespace

namespace {
// One late-bound call; the failure, when there is one, as its status and the text to give it.
struct CallOutcome {
    HRESULT hr = S_OK;
    std::string reason;
    // The object's own status when it raised (DISP_E_EXCEPTION), as WMI's objects do.
    HRESULT raised = S_OK;

    // The member is not there. "IDispatch::GetIDsOfNames": DISP_E_UNKNOWNNAME for a name the
    // object does not know; "Returning errors" (Automation): Invoke's DISP_E_MEMBERNOTFOUND for
    // a member it cannot find; "WbemErrorEnum enumeration": wbemErrNotFound (WBEM_E_NOT_FOUND),
    // which an SWbemObject raises for a property it does not have.
    // The object's own status when it raised one, else the call's.
    HRESULT Code() const noexcept { return hr == DISP_E_EXCEPTION && FAILED(raised) ? raised : hr; }

    bool MemberMissing() const noexcept
    {
        constexpr HRESULT wbemNotFound = static_cast<HRESULT>(0x80041002L);
        return hr == DISP_E_UNKNOWNNAME || hr == DISP_E_MEMBERNOTFOUND || hr == wbemNotFound ||
               (hr == DISP_E_EXCEPTION && raised == wbemNotFound);
    }
};

CallOutcome Invoke(IDispatch* object, const wchar_t* member, WORD flags, const std::vector<VARIANT>& args,
                   Variant& result)
{
    DISPID id = 0;
    LPOLESTR name = const_cast<LPOLESTR>(member);
    const HRESULT found = object->GetIDsOfNames(IID_NULL, &name, 1, 0, &id);
    if (FAILED(found)) return {found, SystemMessageText(static_cast<DWORD>(found))};

    // IDispatch takes its positional arguments last to first.
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params{};
    params.rgvarg = reversed.empty() ? nullptr : reversed.data();
    params.cArgs = static_cast<UINT>(reversed.size());

    EXCEPINFO info{};
    UINT argError = 0;
    const HRESULT hr = object->Invoke(id, IID_NULL, 0, flags, &params, result.put(), &info, &argError);
    if (hr == DISP_E_EXCEPTION) {
        std::string reason = ExceptionText(info, hr);
        return {hr, std::move(reason), info.scode};
    }
    if (FAILED(hr)) return {hr, SystemMessageText(static_cast<DWORD>(hr))};
    return {};
}

std::optional<Variant> TryCall(const Variant& holder, const wchar_t* member, WORD flags,
                               const std::vector<VARIANT>& args, const std::source_location& where)
{
    const VARIANT& v = holder.get();
    if (v.vt != VT_DISPATCH || v.pdispVal == nullptr) return std::nullopt;
    Variant result;
    const CallOutcome outcome = Invoke(v.pdispVal, member, flags, args, result);
    if (outcome.MemberMissing()) return std::nullopt;
    if (FAILED(outcome.hr)) RaiseMemberError(member, flags, outcome.reason, outcome.Code(), where);
    return result;
}
}  // namespace

Variant DispatchCall(IDispatch* object, const wchar_t* member, WORD flags, const std::vector<VARIANT>& args,
                     const std::source_location& where)
{
    if (object == nullptr) RaiseError("Invalid variant operation");
    Variant result;
    const CallOutcome outcome = Invoke(object, member, flags, args, result);
    if (FAILED(outcome.hr)) RaiseMemberError(member, flags, outcome.reason, outcome.Code(), where);
    return result;
}

std::optional<Variant> TryGetMember(const Variant& object, const wchar_t* member, const std::source_location& where)
{
    return TryCall(object, member, DISPATCH_METHOD | DISPATCH_PROPERTYGET, {}, where);
}

std::optional<Variant> TryCallMethod(const Variant& object, const wchar_t* member, const std::vector<VARIANT>& args,
                                     const std::source_location& where)
{
    return TryCall(object, member, DISPATCH_METHOD, args, where);
}

Variant GetMember(const Variant& object, const wchar_t* member, const std::source_location& where)
{
    return DispatchCall(DispatchOf(object), member, DISPATCH_METHOD | DISPATCH_PROPERTYGET, {}, where);
}

Variant CallMethod(const Variant& object, const wchar_t* member, const std::vector<VARIANT>& args,
                   const std::source_location& where)
{
    return DispatchCall(DispatchOf(object), member, DISPATCH_METHOD, args, where);
}

VARIANT ArgByRef(Variant& value)
{
    VARIANT arg;
    VariantInit(&arg);
    arg.vt = VT_BYREF | VT_VARIANT;
    arg.pvarVal = &value.get();
    return arg;
}

VARIANT ArgByValue(const Variant& value) { return value.get(); }

VARIANT ArgOmitted()
{
    VARIANT arg;
    VariantInit(&arg);
    arg.vt = VT_ERROR;
    arg.scode = DISP_E_PARAMNOTFOUND;
    return arg;
}
