#include "app/commandline.h"

#include <utility>

namespace {
struct ActionName {
    const char* name;
    Command::Action action;
};
constexpr ActionName kActions[] = {
    {"--apply", Command::Action::Apply}, {"--next", Command::Action::Next}, {"--undo", Command::Action::Undo},
    {"--open", Command::Action::Open},   {"--exit", Command::Action::Exit}, {"--list", Command::Action::List},
    {"--help", Command::Action::Help},   {"/?", Command::Action::Help},
};

ParsedCommand Bad(std::string error)
{
    return {std::nullopt, std::move(error) + "\nvelmora --help lists the commands."};
}
}  // namespace

ParsedCommand ParseCommand(const std::vector<std::string>& arguments)
{
    Command command;
    bool named = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--once") {
            command.once = true;
            continue;
        }
        const ActionName* found = nullptr;
        for (const ActionName& action : kActions) {
            if (argument == action.name) found = &action;
        }
        if (found == nullptr) return Bad("Not understood: \"" + argument + "\".");
        if (named) return Bad("One command at a time: \"" + argument + "\" follows another.");
        named = true;
        command.action = found->action;
        if (command.action != Command::Action::Apply) continue;
        if (i + 1 >= arguments.size() || arguments[i + 1].empty())
            return Bad("--apply needs a profile's title, or # and its number.");
        command.profile = arguments[++i];
    }
    if (command.once && !named) return Bad("--once goes with a command.");
    return {command, {}};
}

std::string CommandText(const Command& command)
{
    return std::to_string(static_cast<int>(command.action)) + (command.once ? "o" : "-") + command.profile;
}

std::optional<Command> CommandFromText(const std::string& text)
{
    if (text.size() < 2 || text[0] < '0' || text[0] > '7' || (text[1] != 'o' && text[1] != '-')) return std::nullopt;
    Command command;
    command.action = static_cast<Command::Action>(text[0] - '0');
    command.once = text[1] == 'o';
    command.profile = text.substr(2);
    return command;
}

std::string HelpText()
{
    return "Velmora switches a network adapter between profiles.\n"
           "\n"
           "velmora [--apply TITLE | --apply #N | --next | --undo | --open | --exit | --list] [--once]\n"
           "\n"
           "  --apply TITLE  applies the profile of that title (in quotes when it holds spaces)\n"
           "  --apply #N     applies the profile numbered N in --list\n"
           "  --next         applies the next profile, as the tray's \"Apply next\"\n"
           "  --undo         goes back to what the adapter held before the last change\n"
           "  --open         opens the configurator\n"
           "  --exit         ends the running Velmora\n"
           "  --list         lists the profiles with their numbers and settings\n"
           "  --once         a Velmora started for the command ends when it is done\n"
           "\n"
           "The command goes to the Velmora that runs; with none running, this one carries it out\n"
           "and stays in the notification area unless --once is given.\n"
           "\n"
           "Exit codes: 0 done, 1 bad arguments, 2 no such profile, 3 no adapter, 4 not made,\n"
           "5 made but the adapter holds other settings, 6 the running Velmora did not answer,\n"
           "7 --exit: the profiles could not be saved, so Velmora goes on,\n"
           "1000 and above: refused by Windows with the code less 1000 (1091: access denied).\n";
}
