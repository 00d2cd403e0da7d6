#include "app/fakeservices.h"

Variant CountingServices::Make(CountingServices** object)
{
    auto* services = new CountingServices();
    *object = services;
    Variant holder = Variant::FromDispatch(services);  // takes its own reference
    services->Release();
    return holder;
}

HRESULT CountingServices::QueryInterface(REFIID iid, void** out)
{
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG CountingServices::Release()
{
    const ULONG left = --m_references;
    if (left == 0) delete this;
    return left;
}

HRESULT CountingServices::GetTypeInfoCount(UINT* count)
{
    *count = 0;
    return S_OK;
}

HRESULT CountingServices::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    if (count == 1 && _wcsicmp(names[0], L"ExecQuery") == 0) {
        ids[0] = 1;
        return S_OK;
    }
    for (UINT i = 0; i < count; ++i)
        ids[i] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
}

HRESULT CountingServices::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                 EXCEPINFO* exception, UINT* argError)
{
    if (id != 1) return DISP_E_MEMBERNOTFOUND;
    std::wstring text;
    if (params != nullptr && params->cArgs >= 1) {
        const VARIANT& query = params->rgvarg[params->cArgs - 1];
        if (query.vt == VT_BSTR && query.bstrVal != nullptr) text = query.bstrVal;
    }
    queries.push_back(text);
    Variant network = m_noAdapters.Services();
    IDispatch* answer = network.get().pdispVal;
    LPOLESTR name = const_cast<LPOLESTR>(L"ExecQuery");
    DISPID answerId = DISPID_UNKNOWN;
    const HRESULT hr = answer->GetIDsOfNames(IID_NULL, &name, 1, 0, &answerId);
    if (FAILED(hr)) return hr;
    return answer->Invoke(answerId, IID_NULL, 0, flags, params, result, exception, argError);
}
