#include "simnet/dispatchobject.h"

#include <exception>
#include <new>

#include "core/text.h"
#include "simnet/simstate.h"

DispatchAnswer DispatchAnswer::Value(Variant value)
{
    DispatchAnswer answer;
    answer.value = std::move(value);
    return answer;
}

DispatchAnswer DispatchAnswer::Failure(HRESULT hr, std::wstring description)
{
    DispatchAnswer answer;
    answer.hr = hr;
    answer.description = std::move(description);
    return answer;
}

HRESULT STDMETHODCALLTYPE DispatchObject::QueryInterface(REFIID riid, void** object)
{
    if (object == nullptr) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE DispatchObject::AddRef() { return ++m_references; }

ULONG STDMETHODCALLTYPE DispatchObject::Release()
{
    const ULONG left = --m_references;
    if (left == 0) delete this;
    return left;
}

HRESULT STDMETHODCALLTYPE DispatchObject::GetTypeInfoCount(UINT* count)
{
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DispatchObject::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info != nullptr) *info = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE DispatchObject::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    if (count == 0) return S_OK;
    if (names == nullptr || ids == nullptr) return E_POINTER;
    try {
        ids[0] = names[0] != nullptr ? Lookup(names[0]) : DISPID_UNKNOWN;
    } catch (...) {
        ids[0] = DISPID_UNKNOWN;
    }
    // No member takes named arguments.
    for (UINT i = 1; i < count; ++i)
        ids[i] = DISPID_UNKNOWN;
    return (ids[0] == DISPID_UNKNOWN || count > 1) ? DISP_E_UNKNOWNNAME : S_OK;
}

namespace {
HRESULT Report(HRESULT hr, const std::wstring& description, EXCEPINFO* excepInfo)
{
    if (description.empty()) return FAILED(hr) ? hr : E_FAIL;
    if (excepInfo != nullptr) {
        *excepInfo = EXCEPINFO{};
        excepInfo->scode = hr;
        excepInfo->bstrSource = SysAllocString(L"SWbemObjectEx");
        excepInfo->bstrDescription = SysAllocStringLen(description.data(), static_cast<UINT>(description.size()));
    }
    return DISP_E_EXCEPTION;
}
}  // namespace

HRESULT STDMETHODCALLTYPE DispatchObject::Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                                                 VARIANT* result, EXCEPINFO* excepInfo, UINT*)
{
    if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    if (params != nullptr && params->cNamedArgs != 0) return DISP_E_NONAMEDARGS;
    if (params != nullptr && params->cArgs != 0 && params->rgvarg == nullptr) return E_INVALIDARG;
    // Nothing raised below may cross into the caller's frames.
    try {
        DispatchArgs args;
        if (params != nullptr) {
            for (UINT i = params->cArgs; i > 0; --i)
                args.push_back(&params->rgvarg[i - 1]);
        }
        DispatchAnswer answer = Answer(id, flags, args);
        if (answer.hr != S_OK) return Report(answer.hr, answer.description, excepInfo);
        if (result != nullptr) *result = answer.value.release();
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (const std::exception& error) {
        return Report(E_FAIL, WideFromAnsi(error.what()), excepInfo);
    } catch (...) {
        return E_FAIL;
    }
}

DISPID LookupMember(const DispatchMember* members, size_t count, std::wstring_view name)
{
    for (size_t i = 0; i < count; ++i) {
        if (SameName(members[i].name, name)) return members[i].id;
    }
    return DISPID_UNKNOWN;
}

std::wstring MemberName(const DispatchMember* members, size_t count, DISPID id)
{
    for (size_t i = 0; i < count; ++i) {
        if (members[i].id == id) return members[i].name;
    }
    return {};
}

bool IsPropertyRead(WORD flags) { return (flags & (DISPATCH_PROPERTYGET | DISPATCH_METHOD)) != 0; }

bool IsMethodCall(WORD flags) { return (flags & DISPATCH_METHOD) != 0; }
