// The services object and its query results.
#include <gtest/gtest.h>
#include <wrl/client.h>

#include <cwchar>

#include "core/dispatch.h"
#include "simclient.h"

using Microsoft::WRL::ComPtr;

namespace {
// Adapters 3 and 5 IP-enabled, 7 not, in that order.
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

// The Index of a fetched item, or -1 when the slot holds no object.
int32_t TakeIndex(VARIANT& slot)
{
    Variant item = Variant::Attach(slot);
    return item.HoldsObject() ? VariantInt(GetMember(item, L"Index").get()) : -1;
}
}  // namespace

TEST(SimServices, AnswersExactlyTheProgramsTwoQueryTexts)
{
    struct Case {
        const wchar_t* text;
        std::vector<int32_t> indexes;  // empty: refused
    };
    const Case cases[] = {
        {L"Select * from Win32_NetworkAdapterConfiguration ", {3, 7, 5}},
        {L"Select * from Win32_NetworkAdapterConfiguration where IPEnabled=TRUE", {3, 5}},
        {L"Select * from Win32_NetworkAdapterConfiguration", {}},
        {L"Select * from Win32_NetworkAdapterConfiguration  where IPEnabled=TRUE", {}},
        {L"select * from Win32_NetworkAdapterConfiguration ", {}},
        {L"", {}},
    };
    SimNetwork network = ThreeAdapters();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "\"" << std::string(c.text, c.text + wcslen(c.text)) << "\"");
        Variant query = Variant::FromWide(c.text);
        InvokeOutcome outcome = InvokeMember(network.Services(), L"ExecQuery", DISPATCH_METHOD, {ArgByValue(query)});
        if (c.indexes.empty()) {
            EXPECT_EQ(outcome.hr, DISP_E_EXCEPTION);
            EXPECT_EQ(outcome.scode, kWbemInvalidQuery);
            EXPECT_EQ(outcome.description, L"Invalid query");
        } else {
            ASSERT_EQ(outcome.hr, S_OK);
            EXPECT_EQ(ItemIndexes(outcome.result), c.indexes);
            EXPECT_EQ(VariantInt(GetMember(outcome.result, L"Count").get()), static_cast<int32_t>(c.indexes.size()));
        }
    }
    EXPECT_EQ(network.Calls().size(), std::size(cases));  // refused queries are logged too
}

TEST(SimServices, TakesTheQueryByReferenceAndLogsIt)
{
    SimNetwork network = ThreeAdapters();
    Variant query = Variant::FromWide(kIpEnabledQuery);
    EXPECT_EQ(ItemIndexes(CallMethod(network.Services(), L"execquery", {ArgByRef(query)})),
              (std::vector<int32_t>{3, 5}));
    ASSERT_EQ(network.Calls().size(), 1u);
    const SimCall& call = network.Calls()[0];
    EXPECT_EQ(call.adapterIndex, -1);
    EXPECT_EQ(call.member, L"ExecQuery");
    ASSERT_EQ(call.args.size(), 1u);
    EXPECT_EQ(call.args[0].kind, SimArg::Kind::ByRef);
    EXPECT_EQ(call.args[0].type, VT_BSTR);
    EXPECT_EQ(call.args[0].texts, std::vector<std::wstring>{kIpEnabledQuery});
}

TEST(SimResultSet, EnumeratesAgainAndAgainWithIndependentEnumerators)
{
    SimNetwork network = ThreeAdapters();
    Variant result = RunQuery(network);
    EXPECT_EQ(ItemIndexes(result), (std::vector<int32_t>{3, 7, 5}));
    EXPECT_EQ(ItemIndexes(result), (std::vector<int32_t>{3, 7, 5}));

    Variant holder = GetMember(result, L"_NewEnum");
    ASSERT_TRUE(holder.HoldsObject());
    ComPtr<IEnumVARIANT> items;
    ASSERT_EQ(holder.get().punkVal->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(items.GetAddressOf())),
              S_OK);
    ComPtr<IPersist> unrelated;
    EXPECT_EQ(items.As(&unrelated), E_NOINTERFACE);

    VARIANT batch[3];
    ULONG fetched = 0;
    EXPECT_EQ(items->Skip(1), S_OK);
    ComPtr<IEnumVARIANT> clone;
    ASSERT_EQ(items->Clone(&clone), S_OK);
    EXPECT_EQ(items->Next(3, batch, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 2u);
    EXPECT_EQ(TakeIndex(batch[0]), 7);
    EXPECT_EQ(TakeIndex(batch[1]), 5);
    // The clone goes on from where it was made, on its own.
    ASSERT_EQ(clone->Next(1, batch, nullptr), S_OK);
    EXPECT_EQ(TakeIndex(batch[0]), 7);
    EXPECT_EQ(items->Reset(), S_OK);
    ASSERT_EQ(items->Next(1, batch, nullptr), S_OK);
    EXPECT_EQ(TakeIndex(batch[0]), 3);
    EXPECT_EQ(items->Skip(5), S_FALSE);
}

TEST(SimResultSet, ObjectsOutliveEveryNetworkHandle)
{
    Variant collection;
    Variant item;
    {
        SimNetwork network = ThreeAdapters();
        SimNetwork copy = network;  // a handle: both see one network
        collection = RunQuery(copy);
        item = QueryAdapter(network, 5);
        EXPECT_EQ(network.Calls().size(), 2u);
    }
    EXPECT_EQ(ItemIndexes(collection), (std::vector<int32_t>{3, 7, 5}));
    EXPECT_EQ(CallCode(item, L"EnableDHCP"), 0);
}
