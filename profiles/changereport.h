#pragma once
// What the user is told of a change, the same way whatever made it (a profile, Apply Changes,
// Undo): a box when a call was refused or the adapter holds other than what was asked, a
// notification from the tray icon at every end, and a line for the history.
#include <string>

#include "profiles/changepipeline.h"

// The box: which calls were made, which was refused and why, which were not sent; or how what
// Windows reports differs. Empty when the change was made as asked, or ended without a result.
std::string OutcomeBoxText(const ChangeRequest& request, const ChangeOutcome& outcome);

struct ChangeNotice {
    std::string title;
    std::string text;
    bool warning = false;
};
// The notification: the adapter and what it has now, or the calls as for the box.
ChangeNotice OutcomeNotice(const ChangeRequest& request, const ChangeOutcome& outcome);

// One line for the history: "made", the calls with their answers, or the difference.
std::string OutcomeSummary(const ChangeRequest& request, const ChangeOutcome& outcome);
