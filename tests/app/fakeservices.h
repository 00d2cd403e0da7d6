#pragma once
// A services object of the test's own: answers ExecQuery as a machine without network
// adapters would (an empty result) and counts the queries, so a test sees every adapter query
// the main window runs.
#include <windows.h>
#include <oaidl.h>

#include <string>
#include <vector>

#include "core/variant.h"
#include "simnet/simnetwork.h"

class CountingServices : public IDispatch {
public:
    // A new object with one reference, held by the returned variant.
    static Variant Make(CountingServices** object);

    std::vector<std::wstring> queries;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO*, UINT*) override;

private:
    CountingServices() = default;
    virtual ~CountingServices() = default;
    ULONG m_references = 1;
    SimNetwork m_noAdapters;  // answers the queries
};
