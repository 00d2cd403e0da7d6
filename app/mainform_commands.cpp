// Commands from the command line (app/commandline.h): carried out as the same actions from the
// tray, boxes and rights prompts included, and answered with what became of them.
#include <windows.h>

#include "app/console.h"
#include "app/mainformunit.h"
#include "app/remotecommand.h"
#include "profiles/changereport.h"
#include "profiles/changecontroller.h"
#include "core/errorbox.h"
#include "profiles/iprofile.h"
#include "core/privatemessages.h"

namespace {
// What a command's start is told of a change's request, from its answer.
CommandAnswer ChangeAnswerFor(const ChangeAnswer& answer)
{
    switch (answer.kind) {
    case ChangeAnswer::Kind::Ended: {
        const ChangeOutcome& outcome = answer.outcome;
        if (!outcome.ended) return {kExitNotMade, outcome.whyNot.empty() ? "Nothing was changed." : outcome.whyNot};
        if (outcome.Refused()) {
            // -1: the call could not be made at all, which Windows gives no code for.
            if (outcome.refusal.code < 0)
                return {outcome.NothingMade() ? kExitNotMade : kExitDiffers, OutcomeBoxText(answer.request, outcome)};
            return {kExitRefusedBase + outcome.refusal.code, OutcomeBoxText(answer.request, outcome)};
        }
        if (!outcome.difference.empty()) return {kExitDiffers, outcome.difference};
        const ChangeNotice notice = EndedNotice(answer);
        return {kExitDone, notice.title + ": " + notice.text};
    }
    case ChangeAnswer::Kind::NoSuchProfile: return {kExitNoSuchProfile, answer.text};
    case ChangeAnswer::Kind::NotMade: return {kExitNotMade, answer.text};
    case ChangeAnswer::Kind::NoAdapter: return {kExitNoAdapter, answer.text};
    case ChangeAnswer::Kind::AskFirst:
        // A command never waits on a question: the tray's Undo asks it.
        return {kExitNotMade, answer.text + " Velmora did not go back; Undo in the tray menu asks first."};
    case ChangeAnswer::Kind::Failed: break;
    case ChangeAnswer::Kind::Cancelled: return {kExitNotMade, "Velmora ended before the change was made."};
    }
    return {kExitNotMade, "The command failed; Velmora showed why."};
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
    // One command a message, in the order they came.
    if (m_commands.empty()) return;
    const ReceivedCommand next = m_commands.front();
    m_commands.erase(m_commands.begin());
    if (!m_commands.empty()) PostMessageA(Handle(), kRunCommandMessage, 0, 0);
    try {
        CarryOut(next);
    } catch (...) {
        // Answered first, then told as the same action from the tray tells it.
        Answer(next, {kExitNotMade, "The command failed; Velmora showed why."});
        throw;
    }
}

void TForm1::Answer(const ReceivedCommand& received, const CommandAnswer& answer)
{
    if (received.answerTo != nullptr) {
        SendAnswer(received.answerTo, answer);
    } else {
        WriteToConsole(answer.text);
        CommandExitCode = answer.exitCode;
    }
    // A start of its own with --once ends once its command is answered, saved or not.
    if (received.answerTo == nullptr && received.command.once && received.command.action != Command::Action::Exit) {
        m_endUnsaved = true;
        Changes->RequestEnd();
    }
}

bool TForm1::AdapterThere(int32_t index) const
{
    try {
        return FindAdapterConfiguration(AdapterCollection, index).HoldsObject();
    } catch (...) {
        return false;
    }
}

void TForm1::CarryOut(const ReceivedCommand& received)
{
    const Command& command = received.command;
    switch (command.action) {
    case Command::Action::Start: Answer(received, {kExitDone, ""}); return;
    case Command::Action::Help: Answer(received, {kExitDone, HelpText()}); return;
    case Command::Action::Open:
        Configuration1Click(*Configuration1);
        Answer(received, {kExitDone, "The configurator is open."});
        return;
    case Command::Action::Exit:
        // Answered once every change has ended and every other request has been answered.
        Changes->RequestEnd([this, received](const std::optional<std::string>& whyNot) {
            if (whyNot) {
                Answer(received, {kExitNotSaved, "Velmora did not end: " + *whyNot});
            } else {
                Answer(received, {kExitDone, "Velmora ends."});
            }
        });
        return;
    case Command::Action::List: {
        std::string text;
        for (int i = 0; i < ProfileList->Count(); ++i) {
            if (i > 0) text += "\n";
            text += ProfileLine(i + 1, ProfileAt(*ProfileList, i));
        }
        if (text.empty()) text = "There are no profiles.";
        // A script learns why there is no command to change them.
        if (Profiles->Locked()) text += "\n" + std::string(kProfilesManagedText);
        Answer(received, {kExitDone, text});
        return;
    }
    case Command::Action::Undo:
    case Command::Action::Apply:
    case Command::Action::Next: break;
    }
    // A change: answered in its turn with its own result, the start first and any box after.
    ChangeAsk ask;
    ask.answer = [this, received](const ChangeAnswer& answer) {
        CommandAnswer told = ChangeAnswerFor(answer);
        // A change that failed because the adapter it was set to is gone says so.
        if (answer.kind == ChangeAnswer::Kind::Failed && !AdapterThere(answer.request.adapterIndex))
            told = {kExitNoAdapter, "The adapter Velmora is set to is not there."};
        Answer(received, told);
        Profiles->TellLater(answer);
    };
    if (command.action == Command::Action::Undo) {
        ask.kind = ChangeAsk::Kind::Undo;
        ask.title = "Undo";
        ask.trigger = "command line: --undo";
    } else if (command.action == Command::Action::Next) {
        ask.kind = ChangeAsk::Kind::Next;
        ask.title = "the next profile";
        ask.trigger = "command line: --next";
    } else {
        const Tprofile* profile = ProfileNamedIn(*ProfileList, command.profile);
        if (profile == nullptr || !profile->confirmed) {
            Answer(received, {kExitNoSuchProfile, "There is no profile \"" + command.profile + "\"."});
            return;
        }
        ask.kind = ChangeAsk::Kind::Profile;
        ask.profileKey = profile->key;
        ask.title = profile->Caption();
        ask.trigger = "command line: --apply";
    }
    // A start that waits says why, so that a script's log shows it.
    if (Changes->GetState() == ChangeController::State::WaitingForWindows) {
        Note(received, "Velmora is waiting for Windows to answer: the command runs once it has.");
    } else if (Changes->Busy()) {
        Note(received, "Velmora is busy (" + Changes->Progress() + "): the command runs after it.");
    }
    Changes->Submit(std::move(ask));
}

void TForm1::Note(const ReceivedCommand& received, const std::string& text)
{
    if (received.answerTo != nullptr) {
        SendNote(received.answerTo, text);
    } else {
        WriteToConsole(text);
    }
}
