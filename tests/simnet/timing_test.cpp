// Windows' timing: a call takes the time set for its member, the first connection the
// service's start, and an STA thread waits as for an out-of-process COM server meanwhile.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "core/dispatch.h"
#include "simclient.h"
#include "support/mtathread.h"

using std::chrono::milliseconds;

namespace {
milliseconds Took(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration_cast<milliseconds>(std::chrono::steady_clock::now() - start);
}

constexpr DWORD kTime = 300;
// A call that takes no time ends within kNoTime, a timed one within kLate of its time, even
// with every core busy.
constexpr milliseconds kNoTime{150}, kLate{1000};
}  // namespace

TEST(SimTiming, ACallTakesTheTimeSetForItsMemberAndNoOther)
{
    Variant addresses = WideTexts({L"192.168.2.20"}), masks = WideTexts({L"255.255.255.0"});
    Variant gateways = WideTexts({L"192.168.2.1"}), metrics = IntArray({1});
    const std::pair<const wchar_t*, std::vector<VARIANT>> calls[] = {
        {L"ExecQuery", {}},
        {L"EnableStatic", {ArgByRef(addresses), ArgByRef(masks)}},
        {L"SetGateWays", {ArgByRef(gateways), ArgByRef(metrics)}},
        {L"EnableDHCP", {}},
        {L"setDNSServerSearchOrder", {ArgByRef(gateways)}},
    };
    for (const auto& timedCall : calls) {
        const wchar_t* timed = timedCall.first;
        SimNetwork network;
        network.AddAdapter(TestAdapter(2));
        const Variant adapter = QueryAdapter(network, 2);
        network.SetCallTime(timed, kTime);
        for (const auto& [member, args] : calls) {
            SCOPED_TRACE(testing::Message() << "timed " << timed << ", calling " << member);
            const milliseconds took = Took([&] {
                if (member == calls[0].first)
                    RunQuery(network);
                else
                    CallCode(adapter, member, args);
            });
            EXPECT_GE(took, member == timed ? milliseconds(kTime) : milliseconds(0));
            EXPECT_LT(took, member == timed ? milliseconds(kTime) + kLate : kNoTime);
        }
    }
}

TEST(SimTiming, TheFirstConnectionWaitsForTheServiceToStart)
{
    SimNetwork network;
    network.SetConnectTime(kTime);
    EXPECT_GE(Took([&] { network.Services(); }), milliseconds(kTime));
    EXPECT_LT(Took([&] { network.Services(); }), kNoTime);
}

namespace {
int g_posted = 0, g_sent = 0, g_timers = 0;
LRESULT CALLBACK CountingWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_posted += message == WM_APP;
    g_sent += message == WM_APP + 1;
    g_timers += message == WM_TIMER;
    return DefWindowProcW(window, message, wParam, lParam);
}
}  // namespace

// CoWaitForMultipleHandles' modal loop: during the call a message sent from another thread is
// handled, a posted message and a due timer wait for the thread's own loop. A call that takes
// no time does not wait at all.
TEST(SimTiming, AnStaThreadHandlesOnlySentMessagesWhileItsCallWaits)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = CountingWindow;
    windowClass.lpszClassName = L"VelmoraTestCountingWindow";
    RegisterClassW(&windowClass);
    for (const DWORD time : {kTime, DWORD{0}}) {
        SCOPED_TRACE(testing::Message() << "call time " << time);
        SimNetwork network;
        network.AddAdapter(TestAdapter(2));
        const Variant adapter = QueryAdapter(network, 2);
        network.SetCallTime(L"EnableDHCP", time);
        const UniqueHwnd window(
            CreateWindowW(windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
        const HWND target = window.get();
        g_posted = g_sent = g_timers = 0;
        PostMessageW(target, WM_APP, 0, 0);
        SetTimer(target, 1, 1, nullptr);
        MtaThread sender([target] { SendMessageW(target, WM_APP + 1, 0, 0); });
        // The message is sent before the call starts, so only the call's wait can handle it.
        ASSERT_EQ(MsgWaitForMultipleObjectsEx(0, nullptr, 10000, QS_SENDMESSAGE, 0), WAIT_OBJECT_0);
        ASSERT_EQ(g_sent, 0);

        EXPECT_EQ(CallCode(adapter, L"EnableDHCP"), 0);
        EXPECT_EQ(g_sent, time != 0 ? 1 : 0);
        EXPECT_EQ(g_posted + g_timers, 0);
        KillTimer(target, 1);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
        EXPECT_TRUE(sender.Done(10000));
        EXPECT_EQ(g_sent + g_posted, 2);  // the posted message kept in the queue, not lost
    }
}
