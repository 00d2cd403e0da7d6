// Commands from the command line (app/commandline.h): carried out as the same actions from the
// tray, boxes and rights prompts included, and answered with what became of them.
#include <windows.h>

#include "app/console.h"
#include "app/mainformunit.h"
#include "app/remotecommand.h"
#include "profiles/changereport.h"
#include "core/errorbox.h"
#include "profiles/iprofile.h"
#include "core/privatemessages.h"

namespace {
// The answer for a change, from what MakeChange kept of it.
CommandAnswer ChangeAnswer(const std::optional<ChangeOutcome>& outcome, const ChangeRequest& request)
{
    if (!outcome || !outcome->ended) return {kExitNotMade, "Nothing was changed."};
    if (outcome->Refused()) return {kExitRefusedBase + outcome->refusal.code, OutcomeBoxText(request, *outcome)};
    if (!outcome->difference.empty()) return {kExitDiffers, outcome->difference};
    const ChangeNotice notice = OutcomeNotice(request, *outcome);
    return {kExitDone, notice.title + ": " + notice.text};
}

std::string ProfileLine(int number, const Tprofile& profile)
{
    // Appended piece by piece: GCC 12 sees a false overlap in `"#" + std::to_string(...)`
    // once inlined (-Wrestrict), and the build takes no warning.
    std::string line = "#";
    line += std::to_string(number);
    line += " ";
    line += profile.Caption();
    line += ": ";
    if (profile.dhcp) return line + "DHCP";
    line += profile.ip + "/" + profile.mask;
    if (!profile.gw.empty()) line += ", gateway " + profile.gw;
    if (!profile.dns1.empty() || !profile.dns2.empty()) line += ", DNS " + profile.dns1 + " " + profile.dns2;
    return line;
}
}  // namespace

void TForm1::QueueCommand(const Command& command, HWND answerTo)
{
    m_commands.push_back({command, answerTo});
    PostMessageA(Handle(), kRunCommandMessage, 0, 0);
}

void TForm1::RunQueuedCommand()
{
    // A command that comes while the first connection is made waits for it.
    if (m_commands.empty() || WaitingForWindows) return;
    const ReceivedCommand next = m_commands.front();
    m_commands.erase(m_commands.begin());
    CommandAnswer answer{kExitNotMade, "Nothing was changed."};
    try {
        answer = CarryOut(next.command);
    } catch (...) {
        // Told as the same action from the tray tells it, and answered with its text.
        ReportError(std::current_exception());
        answer.text = "The command failed; Velmora showed why.";
    }
    if (next.answerTo != nullptr) {
        SendAnswer(next.answerTo, answer);
    } else {
        WriteToConsole(answer.text);
        CommandExitCode = answer.exitCode;
    }
    const bool ending = next.command.action == Command::Action::Exit || (next.answerTo == nullptr && next.command.once);
    if (ending) Exit1Click(*Exit1);
    if (!m_commands.empty()) PostMessageA(Handle(), kRunCommandMessage, 0, 0);
}

bool TForm1::AdapterThere(int32_t index) const
{
    try {
        return FindAdapterConfiguration(AdapterCollection, index).HoldsObject();
    } catch (...) {
        return false;
    }
}

Tprofile* TForm1::ProfileNamed(const std::string& name) const
{
    if (name.size() > 1 && name[0] == '#') {
        const int number = std::atoi(name.c_str() + 1);
        if (number >= 1 && number <= ProfileList->Count() &&
            name.find_first_not_of("0123456789", 1) == std::string::npos)
            return &ProfileAt(*ProfileList, number - 1);
        return nullptr;
    }
    for (int i = 0; i < ProfileList->Count(); ++i) {
        if (ProfileAt(*ProfileList, i).Caption() == name) return &ProfileAt(*ProfileList, i);
    }
    // Letter case aside, when only one title matches.
    Tprofile* found = nullptr;
    for (int i = 0; i < ProfileList->Count(); ++i) {
        Tprofile& profile = ProfileAt(*ProfileList, i);
        if (CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, profile.Caption().c_str(), -1, name.c_str(), -1) !=
            CSTR_EQUAL)
            continue;
        if (found != nullptr) return nullptr;
        found = &profile;
    }
    return found;
}

CommandAnswer TForm1::CarryOut(const Command& command)
{
    switch (command.action) {
    case Command::Action::Start: return {kExitDone, ""};
    case Command::Action::Help: return {kExitDone, HelpText()};
    case Command::Action::Open: Configuration1Click(*Configuration1); return {kExitDone, "The configurator is open."};
    case Command::Action::Exit: return {kExitDone, "Velmora ends."};
    case Command::Action::List: {
        std::string text;
        for (int i = 0; i < ProfileList->Count(); ++i) {
            if (i > 0) text += "\n";
            text += ProfileLine(i + 1, ProfileAt(*ProfileList, i));
        }
        return {kExitDone, text.empty() ? "There are no profiles." : text};
    }
    case Command::Action::Undo: {
        if (!Undo) return {kExitNotMade, "There is nothing to undo."};
        LastOutcome.reset();
        Undo1Click(*Undo1);
        return ChangeAnswer(LastOutcome, LastRequest);
    }
    case Command::Action::Apply:
    case Command::Action::Next: break;
    }
    Tprofile* profile =
        command.action == Command::Action::Apply ? ProfileNamed(command.profile) : NextProfile(ActiveProfileIndex);
    if (profile == nullptr) {
        return {kExitNoSuchProfile, command.action == Command::Action::Apply
                                        ? "There is no profile \"" + command.profile + "\"."
                                        : "There is no profile to apply."};
    }
    LastOutcome.reset();
    // The refresh after a failure may choose another adapter: the one asked for is kept.
    const int32_t adapter = SelectedAdapterIndex;
    try {
        ApplyProfile(profile->id,
                     command.action == Command::Action::Apply ? "command line: --apply" : "command line: --next");
    } catch (...) {
        if (AdapterThere(adapter)) throw;
        ReportError(std::current_exception());
        return {kExitNoAdapter, "The adapter Velmora is set to is not there."};
    }
    return ChangeAnswer(LastOutcome, LastRequest);
}
