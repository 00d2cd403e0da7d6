#pragma once
// Drives the simulated WMI the way a client does: late-bound through core/dispatch.h, or
// with a bare Invoke where a test looks at the status and exception information itself.
#include <windows.h>
#include <oaidl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/variant.h"
#include "simnet/simnetwork.h"
#include "support/simcalls.h"

extern const wchar_t kAllAdaptersQuery[];
extern const wchar_t kIpEnabledQuery[];

Variant RunQuery(const SimNetwork& network, const wchar_t* text = kAllAdaptersQuery);
std::vector<Variant> Items(const Variant& collection);
std::vector<int32_t> ItemIndexes(const Variant& collection);
// The first item of a fresh query whose Index is `index`.
Variant QueryAdapter(const SimNetwork& network, int32_t index);

struct InvokeOutcome {
    HRESULT hr = S_OK;
    SCODE scode = S_OK;        // from EXCEPINFO when hr is DISP_E_EXCEPTION
    std::wstring description;  // likewise
    Variant result;
};
// Name lookup and Invoke with positional arguments in call order; no translation.
InvokeOutcome InvokeMember(const Variant& object, const wchar_t* member, WORD flags, std::vector<VARIANT> args = {});

// A method call's result code; the test fails when the call itself fails.
int32_t CallCode(const Variant& object, const wchar_t* member, std::vector<VARIANT> args = {});

// Array helpers: texts as BSTR elements or as VARIANT elements.
Variant WideTexts(const std::vector<std::wstring>& items, LONG lowerBound = 1);
Variant VariantTexts(const std::vector<std::wstring>& items, LONG lowerBound = 1);
// The texts of a BSTR array variant, checked to have lower bound 0.
std::vector<std::wstring> ArrayTexts(const Variant& value);
