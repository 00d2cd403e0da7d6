// The boundary: whatever a callback raises is shown in the error box with the text it showed
// before the history existed, and lands in the history with its call and place when a check
// raised it.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

#include "core/check.h"
#include "core/errorbox.h"
#include "support/boxes.h"
#include "support/historyfile.h"

TEST(ErrorBoundary, AnErrorIsShownWithItsOwnTextAndRecordedWithItsCallAndPlace)
{
    const unsigned checkLine = __LINE__ + 6;
    struct Case {
        std::function<void()> raise;
        std::string box;
        std::string entry;  // its fields, after "T Error\r\n"
    } const cases[] = {
        {[] { CheckWin32((SetLastError(ERROR_ACCESS_DENIED), FALSE), "RegSetValueExA"); },
         SystemMessageText(ERROR_ACCESS_DENIED),
         "  Text:     " + SystemMessageText(ERROR_ACCESS_DENIED) +
             "\r\n  Call:     RegSetValueExA\r\n  Place:    tests/core/errorbox_test.cpp:" + std::to_string(checkLine) +
             "\r\n"},
        {[] { RaiseError("Failed to create key Run"); }, "Failed to create key Run",
         "  Text:     Failed to create key Run\r\n"},
        {[] { throw std::runtime_error("Invalid variant operation"); }, "Invalid variant operation",
         "  Text:     Invalid variant operation\r\n"},
        {[] { throw 7; }, "Unknown error", "  Text:     Unknown error\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        HistoryFile history;
        MessageBoxRecorder boxes;
        EXPECT_EQ(Guarded(
                      [&] {
                          c.raise();
                          return 1;
                      },
                      -1),
                  -1);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, c.box);
        EXPECT_EQ(boxes[0].caption, "Velmora");
        EXPECT_EQ(boxes[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
        EXPECT_EQ(history.Read(), "T Error\r\n" + c.entry + "\r\n");
    }
}
