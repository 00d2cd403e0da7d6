// The network used from several threads at once, as the program's worker thread makes its
// configuration calls while the user-interface thread keeps refreshing.
#include <gtest/gtest.h>

#include <memory>

#include "core/dispatch.h"
#include "simclient.h"
#include "support/mtathread.h"

// Every call logged once and answered, and the objects' references counted right (a lost
// count frees an object still in use), with threads querying and changing all at once.
TEST(SimThreads, CallsFromManyThreadsAtOnceAreEachLoggedAndAnswered)
{
    SimNetwork network;
    for (int32_t index = 1; index <= 3; ++index)
        network.AddAdapter(TestAdapter(index));
    const Variant services = network.Services();
    constexpr int Rounds = 1000;
    const UniqueHandle start(CreateEventW(nullptr, TRUE, FALSE, nullptr));  // all at once
    int answered[3] = {};
    std::unique_ptr<MtaThread> workers[3];
    for (size_t w = 0; w < 3; ++w) {
        workers[w] = std::make_unique<MtaThread>([&, w] {
            Variant gateways = WideTexts({L"192.168." + std::to_wstring(w + 1) + L".254"}),
                    query = Variant::FromWide(kAllAdaptersQuery);
            WaitForSingleObject(start.get(), INFINITE);
            for (int round = 0; round < Rounds; ++round) {
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
        EXPECT_EQ(answered[w], Rounds);
    }
    EXPECT_EQ(network.Calls().size(), 3u * Rounds * 2);
}
