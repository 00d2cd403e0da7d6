#pragma once
// A hand-written IDispatch for the simulated WMI objects: reference counting, name lookup
// and the Invoke boundary. Subclasses answer members through Lookup and Answer; nothing they
// raise gets past Invoke.
#include <windows.h>
#include <oaidl.h>
#include <wrl/client.h>

#include <atomic>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/variant.h"

// What a member answers: a value, or a failure (with a description it is reported as
// DISP_E_EXCEPTION carrying hr, without one Invoke returns hr itself).
struct DispatchAnswer {
    HRESULT hr = S_OK;
    std::wstring description;
    Variant value;

    static DispatchAnswer Value(Variant value);
    static DispatchAnswer Failure(HRESULT hr, std::wstring description = {});
};

// The arguments of one Invoke, positional, in call order (IDispatch passes them last to
// first). They stay owned by the caller.
using DispatchArgs = std::vector<const VARIANT*>;

class DispatchObject : public IDispatch {
public:
    DispatchObject() = default;
    DispatchObject(const DispatchObject&) = delete;
    DispatchObject& operator=(const DispatchObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID locale, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* excepInfo, UINT* argError) override;

protected:
    virtual ~DispatchObject() = default;

    // The member's DISPID, or DISPID_UNKNOWN.
    virtual DISPID Lookup(std::wstring_view name) const = 0;
    virtual DispatchAnswer Answer(DISPID id, WORD flags, const DispatchArgs& args) = 0;

private:
    // The objects are free-threaded: any thread may take or drop a reference.
    std::atomic<ULONG> m_references = 1;
};

// A new object of ours handed out as IDispatch, holding its one reference.
template <typename T, typename... Args>
Microsoft::WRL::ComPtr<IDispatch> MakeDispatchObject(Args&&... args)
{
    Microsoft::WRL::ComPtr<IDispatch> object;
    // Not Attach: MinGW's ComPtr::Attach adds a reference (Microsoft's does not), and every
    // object made so would live for ever.
    *object.ReleaseAndGetAddressOf() = new T(std::forward<Args>(args)...);
    return object;
}

template <typename T, typename... Args>
Microsoft::WRL::ComPtr<T> MakeComObject(Args&&... args)
{
    Microsoft::WRL::ComPtr<T> object;
    *object.ReleaseAndGetAddressOf() = new T(std::forward<Args>(args)...);  // not Attach: see above
    return object;
}

// A member table entry: the name (any letter case matches) and its DISPID.
struct DispatchMember {
    const wchar_t* name;
    DISPID id;
};
DISPID LookupMember(const DispatchMember* members, size_t count, std::wstring_view name);
template <size_t N>
DISPID LookupMember(const DispatchMember (&members)[N], std::wstring_view name)
{
    return LookupMember(members, N, name);
}
// The table's spelling of a DISPID's name (for the call log); empty when absent.
std::wstring MemberName(const DispatchMember* members, size_t count, DISPID id);
template <size_t N>
std::wstring MemberName(const DispatchMember (&members)[N], DISPID id)
{
    return MemberName(members, N, id);
}

// Member kinds: properties answer a read with no arguments; methods need DISPATCH_METHOD.
bool IsPropertyRead(WORD flags);
bool IsMethodCall(WORD flags);
