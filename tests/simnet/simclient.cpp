#include "simclient.h"

#include <gtest/gtest.h>
#include <wrl/client.h>

#include "core/check.h"
#include "core/dispatch.h"

using Microsoft::WRL::ComPtr;

const wchar_t kAllAdaptersQuery[] = L"Select * from Win32_NetworkAdapterConfiguration ";
const wchar_t kIpEnabledQuery[] = L"Select * from Win32_NetworkAdapterConfiguration where IPEnabled=TRUE";

Variant RunQuery(const SimNetwork& network, const wchar_t* text)
{
    Variant query = Variant::FromWide(text);
    return CallMethod(network.Services(), L"ExecQuery", {ArgByValue(query)});
}

std::vector<Variant> Items(const Variant& collection)
{
    Variant holder = GetMember(collection, L"_NewEnum");
    if (!holder.HoldsObject()) RaiseError("_NewEnum gave no object");
    ComPtr<IEnumVARIANT> items;
    CheckHr(holder.get().punkVal->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(items.GetAddressOf())),
            "QueryInterface");
    std::vector<Variant> result;
    Variant item;
    ULONG fetched = 0;
    while (items->Next(1, item.put(), &fetched) == S_OK)
        result.push_back(std::move(item));
    return result;
}

std::vector<int32_t> ItemIndexes(const Variant& collection)
{
    std::vector<int32_t> indexes;
    for (const Variant& item : Items(collection))
        indexes.push_back(VariantInt(GetMember(item, L"Index").get()));
    return indexes;
}

Variant QueryAdapter(const SimNetwork& network, int32_t index)
{
    for (Variant& item : Items(RunQuery(network))) {
        if (VariantInt(GetMember(item, L"Index").get()) == index) return std::move(item);
    }
    ADD_FAILURE() << "no adapter with Index " << index;
    return Variant();
}

InvokeOutcome InvokeMember(const Variant& object, const wchar_t* member, WORD flags, std::vector<VARIANT> args)
{
    InvokeOutcome outcome;
    IDispatch* target = DispatchOf(object);
    DISPID id = 0;
    LPOLESTR name = const_cast<LPOLESTR>(member);
    outcome.hr = target->GetIDsOfNames(IID_NULL, &name, 1, 0, &id);
    if (FAILED(outcome.hr)) return outcome;
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    EXCEPINFO info{};
    UINT argError = 0;
    outcome.hr = target->Invoke(id, IID_NULL, 0, flags, &params, outcome.result.put(), &info, &argError);
    UniqueBstr source(info.bstrSource), description(info.bstrDescription), help(info.bstrHelpFile);
    if (outcome.hr == DISP_E_EXCEPTION) {
        outcome.scode = info.scode;
        if (description) outcome.description = description.get();
    }
    return outcome;
}

int32_t CallCode(const Variant& object, const wchar_t* member, std::vector<VARIANT> args)
{
    InvokeOutcome outcome = InvokeMember(object, member, DISPATCH_METHOD, std::move(args));
    EXPECT_EQ(outcome.hr, S_OK) << "calling " << std::string(member, member + wcslen(member));
    EXPECT_EQ(outcome.result.Type(), VT_I4);
    return outcome.result.Type() == VT_I4 ? outcome.result.get().lVal : -1;
}

namespace {
Variant MakeArray(VARTYPE type, const std::vector<std::wstring>& items, LONG lowerBound)
{
    SAFEARRAYBOUND bound{static_cast<ULONG>(items.size()), lowerBound};
    UniqueSafeArray array(SafeArrayCreate(type, 1, &bound));
    for (size_t i = 0; i < items.size(); ++i) {
        LONG index = lowerBound + static_cast<LONG>(i);
        Variant text = Variant::FromWide(items[i]);
        void* element = type == VT_VARIANT ? static_cast<void*>(&text.get()) : static_cast<void*>(text.get().bstrVal);
        CheckHr(SafeArrayPutElement(array.get(), &index, element), "SafeArrayPutElement");
    }
    Variant value;
    value.put()->parray = array.release();
    value.get().vt = static_cast<VARTYPE>(VT_ARRAY | type);
    return value;
}
}  // namespace

Variant WideTexts(const std::vector<std::wstring>& items, LONG lowerBound)
{
    return MakeArray(VT_BSTR, items, lowerBound);
}

Variant VariantTexts(const std::vector<std::wstring>& items, LONG lowerBound)
{
    return MakeArray(VT_VARIANT, items, lowerBound);
}

std::vector<std::wstring> ArrayTexts(const Variant& value)
{
    std::vector<std::wstring> texts;
    EXPECT_EQ(value.Type(), VT_ARRAY | VT_BSTR);
    if (value.Type() != (VT_ARRAY | VT_BSTR)) return texts;
    LONG lower = -1, upper = -1;
    ArrayBounds(value.get(), lower, upper);
    EXPECT_EQ(lower, 0);
    for (LONG i = lower; i <= upper; ++i)
        texts.emplace_back(ArrayElement(value.get(), i).get().bstrVal);
    return texts;
}
