// The services object and its query results.
#include <gtest/gtest.h>
#include <wrl/client.h>

#include "core/dispatch.h"
#include "simclient.h"

using Microsoft::WRL::ComPtr;

namespace {
SimNetwork ThreeAdapters()
{
    SimNetwork network;
    network.AddAdapter(TestAdapter(3));
    SimAdapter off = TestAdapter(7);
    off.ipEnabled = false;
    network.AddAdapter(off);
    network.AddAdapter(TestAdapter(5, true));
    return network;
}

ComPtr<IEnumVARIANT> Enumerator(const Variant& collection)
{
    Variant holder = GetMember(collection, L"_NewEnum");
    ComPtr<IEnumVARIANT> items;
    if (!holder.HoldsObject()) {
        ADD_FAILURE() << "_NewEnum gave no object";
        return items;
    }
    EXPECT_EQ(holder.get().punkVal->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(items.GetAddressOf())), S_OK);
    return items;
}

int32_t IndexOf(const VARIANT& item)
{
    Variant copy;
    VariantCopy(copy.put(), const_cast<VARIANT*>(&item));
    return VariantInt(GetMember(copy, L"Index").get());
}
}  // namespace

TEST(SimServices, AnswersExactlyTheProgramsTwoQueryTexts)
{
    struct Case {
        const wchar_t* text;
        bool accepted;
        std::vector<int32_t> indexes;
    };
    const Case cases[] = {
        {L"Select * from Win32_NetworkAdapterConfiguration ", true, {3, 7, 5}},
        {L"Select * from Win32_NetworkAdapterConfiguration where IPEnabled=TRUE", true, {3, 5}},
        {L"Select * from Win32_NetworkAdapterConfiguration", false, {}},
        {L"Select * from Win32_NetworkAdapterConfiguration  where IPEnabled=TRUE", false, {}},
        {L"Select * from Win32_NetworkAdapterConfigurationwhere IPEnabled=TRUE", false, {}},
        {L"select * from Win32_NetworkAdapterConfiguration ", false, {}},
        {L"Select * from Win32_NetworkAdapter ", false, {}},
        {L"", false, {}},
    };
    SimNetwork network = ThreeAdapters();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "query \"" << std::string(c.text, c.text + wcslen(c.text)) << "\"");
        Variant query = Variant::FromWide(c.text);
        InvokeOutcome outcome = InvokeMember(network.Services(), L"ExecQuery", DISPATCH_METHOD, {ArgByValue(query)});
        if (c.accepted) {
            ASSERT_EQ(outcome.hr, S_OK);
            EXPECT_EQ(ItemIndexes(outcome.result), c.indexes);
            EXPECT_EQ(VariantInt(GetMember(outcome.result, L"Count").get()), static_cast<int32_t>(c.indexes.size()));
        } else {
            EXPECT_EQ(outcome.hr, DISP_E_EXCEPTION);
            EXPECT_EQ(outcome.scode, kWbemInvalidQuery);
            EXPECT_EQ(outcome.description, L"Invalid query");
        }
    }
    EXPECT_EQ(network.Calls().size(), std::size(cases));
}

TEST(SimServices, TakesTheQueryByReferenceAndLogsIt)
{
    SimNetwork network = ThreeAdapters();
    Variant query = Variant::FromWide(kIpEnabledQuery);
    Variant result = CallMethod(network.Services(), L"execquery", {ArgByRef(query)});
    EXPECT_EQ(ItemIndexes(result), (std::vector<int32_t>{3, 5}));

    ASSERT_EQ(network.Calls().size(), 1u);
    const SimCall& call = network.Calls()[0];
    EXPECT_EQ(call.adapterIndex, -1);
    EXPECT_EQ(call.member, L"ExecQuery");
    ASSERT_EQ(call.args.size(), 1u);
    EXPECT_EQ(call.args[0].kind, SimArg::Kind::ByRef);
    EXPECT_EQ(call.args[0].type, VT_BSTR);
    EXPECT_EQ(call.args[0].texts, std::vector<std::wstring>{kIpEnabledQuery});
}

TEST(SimServices, ScriptedQueryFailureWithAndWithoutDescription)
{
    SimNetwork network = ThreeAdapters();
    Variant query = Variant::FromWide(kAllAdaptersQuery);

    network.FailQuery(static_cast<HRESULT>(0x80041003L), L"Access denied");
    InvokeOutcome described = InvokeMember(network.Services(), L"ExecQuery", DISPATCH_METHOD, {ArgByValue(query)});
    EXPECT_EQ(described.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(described.scode, static_cast<HRESULT>(0x80041003L));
    EXPECT_EQ(described.description, L"Access denied");

    network.FailQuery(E_ACCESSDENIED, L"");
    EXPECT_EQ(InvokeMember(network.Services(), L"ExecQuery", DISPATCH_METHOD, {ArgByValue(query)}).hr, E_ACCESSDENIED);

    network.ClearScripts();
    EXPECT_EQ(InvokeMember(network.Services(), L"ExecQuery", DISPATCH_METHOD, {ArgByValue(query)}).hr, S_OK);
    EXPECT_EQ(network.Calls().size(), 3u);
}

TEST(SimServices, MissingOrNonTextQueryIsRefused)
{
    SimNetwork network = ThreeAdapters();
    Variant number = Variant::FromInt(1);
    EXPECT_EQ(InvokeMember(network.Services(), L"ExecQuery", DISPATCH_METHOD).hr, DISP_E_PARAMNOTFOUND);
    EXPECT_EQ(InvokeMember(network.Services(), L"ExecQuery", DISPATCH_METHOD, {ArgByValue(number)}).hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(InvokeMember(network.Services(), L"Get", DISPATCH_METHOD).hr, DISP_E_UNKNOWNNAME);
}

TEST(SimResultSet, EnumeratesAgainAndAgainFromTheStart)
{
    SimNetwork network = ThreeAdapters();
    Variant result = RunQuery(network);
    EXPECT_EQ(ItemIndexes(result), (std::vector<int32_t>{3, 7, 5}));
    EXPECT_EQ(ItemIndexes(result), (std::vector<int32_t>{3, 7, 5}));
    // Both flag forms reach the enumerator.
    EXPECT_EQ(InvokeMember(result, L"_NewEnum", DISPATCH_PROPERTYGET).hr, S_OK);
    EXPECT_EQ(InvokeMember(result, L"_NewEnum", DISPATCH_METHOD).hr, S_OK);
}

TEST(SimResultSet, EnumeratorNextSkipResetClone)
{
    SimNetwork network = ThreeAdapters();
    ComPtr<IEnumVARIANT> items = Enumerator(RunQuery(network));
    ASSERT_TRUE(items);

    VARIANT batch[4];
    for (VARIANT& slot : batch) VariantInit(&slot);
    ULONG fetched = 99;
    EXPECT_EQ(items->Next(2, batch, &fetched), S_OK);
    ASSERT_EQ(fetched, 2u);
    EXPECT_EQ(IndexOf(batch[0]), 3);
    EXPECT_EQ(IndexOf(batch[1]), 7);
    for (ULONG i = 0; i < fetched; ++i) VariantClear(&batch[i]);

    ComPtr<IEnumVARIANT> clone;
    ASSERT_EQ(items->Clone(&clone), S_OK);
    EXPECT_EQ(items->Next(4, batch, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 1u);
    EXPECT_EQ(IndexOf(batch[0]), 5);
    VariantClear(&batch[0]);
    EXPECT_EQ(items->Next(1, batch, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 0u);

    // The clone goes on from where it was made, on its own.
    EXPECT_EQ(clone->Next(1, batch, nullptr), S_OK);
    EXPECT_EQ(IndexOf(batch[0]), 5);
    VariantClear(&batch[0]);

    EXPECT_EQ(items->Reset(), S_OK);
    EXPECT_EQ(items->Skip(2), S_OK);
    EXPECT_EQ(items->Next(1, batch, nullptr), S_OK);
    EXPECT_EQ(IndexOf(batch[0]), 5);
    VariantClear(&batch[0]);
    EXPECT_EQ(items->Reset(), S_OK);
    EXPECT_EQ(items->Skip(4), S_FALSE);

    ComPtr<IUnknown> unknown;
    EXPECT_EQ(items.As(&unknown), S_OK);
    ComPtr<IPersist> unrelated;
    EXPECT_EQ(items.As(&unrelated), E_NOINTERFACE);
}

TEST(SimResultSet, ObjectsOutliveEveryNetworkHandle)
{
    Variant item;
    Variant collection;
    {
        SimNetwork network = ThreeAdapters();
        collection = RunQuery(network);
        item = QueryAdapter(network, 5);
    }
    EXPECT_EQ(ItemIndexes(collection), (std::vector<int32_t>{3, 7, 5}));
    EXPECT_EQ(CallCode(item, L"EnableDHCP"), 0);
    EXPECT_EQ(VariantInt(GetMember(item, L"Index").get()), 5);
}

TEST(SimNetworkHandle, CopiesShareOneNetworkAndOneServicesObject)
{
    SimNetwork network;
    SimNetwork copy = network;
    copy.AddAdapter(TestAdapter(4));
    EXPECT_EQ(ItemIndexes(RunQuery(network)), std::vector<int32_t>{4});
    EXPECT_EQ(network.Services().get().pdispVal, copy.Services().get().pdispVal);
    EXPECT_EQ(network.Calls().size(), 1u);

    UINT typeInfoCount = 7;
    EXPECT_EQ(network.Services().get().pdispVal->GetTypeInfoCount(&typeInfoCount), S_OK);
    EXPECT_EQ(typeInfoCount, 0u);
}
