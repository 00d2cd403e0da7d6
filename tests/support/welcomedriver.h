#pragma once
// The welcome dialog's driver: made on demand as start-up makes it, its modal runs ("Form4")
// answered by the test's `answer`, which runs as the run is about to start and may post the
// user's action. The user's "Don't show this notice again." is cleared for the test and put
// back as it was afterwards.
#include <windows.h>

#include <functional>

#include "profiles/starttip.h"
#include "ui/application.h"
#include "ui/modal.h"

class WelcomeDriver {
public:
    explicit WelcomeDriver(TApplication& application);
    ~WelcomeDriver();
    WelcomeDriver(const WelcomeDriver&) = delete;
    WelcomeDriver& operator=(const WelcomeDriver&) = delete;

    std::function<void(TForm4& welcome)> answer;

    TForm4* welcome = nullptr;
    int made = 0;
    int runs = 0;
    int result = -1;               // the last run's
    bool mainWindowShown = false;  // when the last run began
    HWND owner = nullptr;

    // Other modal runs: passed to the handler that was there before, or answered "Cancel".
    int otherRuns = 0;

private:
    bool m_wasHidden;
    ModalHandler m_previous;
};
