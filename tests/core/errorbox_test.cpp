// The boundary: whatever a callback raises is shown in the error box with the text it showed
// before the history existed, and lands in the history, with its call and place when a check
// raised it.
#include <gtest/gtest.h>

#include <string>

#include "core/check.h"
#include "core/errorbox.h"
#include "support/boxes.h"
#include "support/historyfile.h"

TEST(ErrorBoundary, AnErrorIsShownWithItsOwnTextAndRecordedWithItsCallAndPlace)
{
    HistoryFile history;
    MessageBoxRecorder boxes;
    const auto raiser = [](auto raise) {
        return [raise] {
            raise();
            return 1;
        };
    };
    const unsigned line = __LINE__ + 1;
    EXPECT_EQ(Guarded(raiser([] { CheckWin32((SetLastError(ERROR_ACCESS_DENIED), FALSE), "RegSetValueExA"); }), -1),
              -1);
    EXPECT_EQ(Guarded(raiser([] { throw 7; }), -1), -1);

    const std::string denied = SystemMessageText(ERROR_ACCESS_DENIED);
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{denied, "Unknown error"}));
    EXPECT_EQ(boxes[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_EQ(history.Read(), "T Error\r\n  Text:     " + denied +
                                  "\r\n  Call:     RegSetValueExA\r\n  Place:    tests/core/errorbox_test.cpp:" +
                                  std::to_string(line) + "\r\n\r\nT Error\r\n  Text:     Unknown error\r\n\r\n");
}

// Errors of callbacks that Windows repeats are kept and shown from the message loop; the same
// text again before its box has closed is neither shown nor recorded a second time.
TEST(ErrorBoundary, AnErrorShownLaterWaitsForTheLoopAndComesOnce)
{
    HistoryFile history;
    MessageBoxRecorder boxes;
    const auto failing = [](const char* text) { return [text]() -> int { RaiseError(text); }; };
    EXPECT_EQ(Guarded(failing("Paint failed"), -1, ErrorShown::Later), -1);
    EXPECT_EQ(Guarded(failing("Paint failed"), -1, ErrorShown::Later), -1);
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(ErrorBoxPending());

    MSG message;
    while (ErrorBoxPending() && GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Paint failed"});
    EXPECT_EQ(history.Read(), "T Error\r\n  Text:     Paint failed\r\n\r\n");
}
