#include "profiles/changereport.h"

#include "adapters/wmiworks.h"

namespace {
// The box's first line: what happened to the change as a whole.
std::string Headline(const ChangeRequest& request, const ChangeOutcome& outcome)
{
    const bool none = outcome.NothingMade();
    switch (request.kind) {
    case ChangeRequest::Kind::Profile:
        return "The profile \"" + request.title + "\" was " + (none ? "not applied." : "applied only in part.");
    case ChangeRequest::Kind::Details:
        return none ? "The settings were not applied." : "The settings were applied only in part.";
    case ChangeRequest::Kind::Undo:
        return "Velmora " + std::string(none ? "could not go back to " : "went back only in part to ") +
               ShortDescription(request.target) + ".";
    }
    return {};
}

std::string StepLine(const ChangeStep& step)
{
    std::string line = step.name;
    line += ": ";
    switch (step.state) {
    case ChangeStep::State::Made: line += "made."; break;
    case ChangeStep::State::Refused:
        line += ConfigurationResultText(step.code) + " (" + std::to_string(step.code) + ").";
        break;
    case ChangeStep::State::NotSent: line += "not sent."; break;
    }
    return line;
}

std::string StepLines(const ChangeOutcome& outcome)
{
    std::string text;
    for (const ChangeStep& step : outcome.steps) {
        if (!text.empty()) text += '\n';
        text += StepLine(step);
    }
    return text;
}

bool AccessDenied(const ChangeOutcome& outcome)
{
    for (const ChangeStep& step : outcome.steps)
        if (step.state == ChangeStep::State::Refused && step.code == kAccessDenied) return true;
    return false;
}

std::string Subject(const ChangeRequest& request)
{
    switch (request.kind) {
    case ChangeRequest::Kind::Profile: return request.title;
    case ChangeRequest::Kind::Details: return "The settings";
    case ChangeRequest::Kind::Undo: return "Back to " + ShortDescription(request.target);
    }
    return {};
}
}  // namespace

std::string OutcomeBoxText(const ChangeRequest& request, const ChangeOutcome& outcome)
{
    if (!outcome.ended) return {};
    if (outcome.Refused()) {
        std::string text = Headline(request, outcome) + "\n\n" + StepLines(outcome);
        if (AccessDenied(outcome))
            text += "\n\nChanging the adapter needs administrator rights, which Windows did not give.";
        return text;
    }
    return outcome.difference;
}

ChangeNotice OutcomeNotice(const ChangeRequest& request, const ChangeOutcome& outcome)
{
    ChangeNotice notice;
    if (outcome.Refused()) {
        notice.title = Subject(request) + (outcome.NothingMade() ? ": not applied" : ": applied only in part");
        notice.text = StepLines(outcome);
        notice.warning = true;
    } else if (!outcome.difference.empty()) {
        notice.title = Subject(request) + ": not as asked";
        notice.text = outcome.difference;
        notice.warning = true;
    } else {
        notice.title = Subject(request) + (request.kind == ChangeRequest::Kind::Undo ? "" : " applied");
        notice.text = request.adapterName + ": " + DescribeConfiguration(outcome.after);
    }
    return notice;
}

std::string OutcomeSummary(const ChangeRequest&, const ChangeOutcome& outcome)
{
    if (!outcome.ended) return "no result";
    if (outcome.Refused()) {
        std::string text;
        for (const ChangeStep& step : outcome.steps) {
            if (!text.empty()) text += ' ';
            text += StepLine(step);
        }
        return "refused: " + text;
    }
    if (!outcome.difference.empty()) return "differs: " + outcome.difference;
    return "made";
}
