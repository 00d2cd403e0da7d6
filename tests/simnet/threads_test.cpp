// The network used from several threads at once, as the program's worker thread makes its
// configuration calls while the user-interface thread keeps refreshing.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>

#include "core/dispatch.h"
#include "simclient.h"
#include "support/mtathread.h"

TEST(SimThreads, AQueryIsNotHeldUpByAnotherThreadsSlowCall)
{
    SimNetwork network;
    network.AddAdapter(TestAdapter(2));
    const Variant adapter = QueryAdapter(network, 2);  // got here, called from the worker
    network.SetCallTime(L"EnableStatic", 1500);
    Variant addresses = WideTexts({L"192.168.2.20"}), masks = WideTexts({L"255.255.255.0"});
    InvokeOutcome outcome;
    MtaThread worker([&] {
        outcome = InvokeMember(adapter, L"EnableStatic", DISPATCH_METHOD, {ArgByRef(addresses), ArgByRef(masks)});
    });
    int whileCalling = 0;  // queries made wholly while the worker's call was waiting
    do {
        const std::vector<SimCall> calls = network.CallsSoFar();  // a call is logged as it arrives
        const bool arrived =
            std::any_of(calls.begin(), calls.end(), [](const SimCall& call) { return call.adapterIndex == 2; });
        const auto start = std::chrono::steady_clock::now();
        QueryAdapter(network, 2);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
        whileCalling += arrived && !worker.Done();
    } while (!worker.Done(20));
    EXPECT_GT(whileCalling, 0);
    EXPECT_EQ(outcome.hr, S_OK);
    EXPECT_EQ(ArrayTexts(GetMember(QueryAdapter(network, 2), L"IPAddress")),
              std::vector<std::wstring>{L"192.168.2.20"});
}

// Every call logged once and answered, and the objects' references counted right (a lost
// count frees an object still in use), with threads querying and changing all at once.
TEST(SimThreads, CallsFromManyThreadsAtOnceAreEachLoggedAndAnswered)
{
    SimNetwork network;
    for (int32_t index = 1; index <= 3; ++index)
        network.AddAdapter(TestAdapter(index));
    const Variant services = network.Services();
    constexpr int kRounds = 1000;
    const UniqueHandle start(CreateEventW(nullptr, TRUE, FALSE, nullptr));  // all at once
    int answered[3] = {};
    std::unique_ptr<MtaThread> workers[3];
    for (size_t w = 0; w < 3; ++w) {
        workers[w] = std::make_unique<MtaThread>([&, w] {
            Variant gateways = WideTexts({L"192.168." + std::to_wstring(w + 1) + L".254"}),
                    query = Variant::FromWide(kAllAdaptersQuery);
            WaitForSingleObject(start.get(), INFINITE);
            for (int round = 0; round < kRounds; ++round) {
                const Variant item = std::move(Items(CallMethod(services, L"ExecQuery", {ArgByValue(query)})).at(w));
                answered[w] +=
                    VariantInt(CallMethod(item, L"SetGateWays", {ArgByRef(gateways), ArgOmitted()}).get()) == 0;
            }
        });
    }
    SetEvent(start.get());
    for (size_t w = 0; w < 3; ++w) {
        ASSERT_TRUE(workers[w]->Done(60000));
        EXPECT_EQ(workers[w]->Failure(), "");
        EXPECT_EQ(answered[w], kRounds);
    }
    EXPECT_EQ(network.Calls().size(), 3u * kRounds * 2);
}
