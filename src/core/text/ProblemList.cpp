#include "ProblemList.h"

#include "TextUtil.h"

#include <algorithm>

void ProblemList::sortByLine(std::vector<Problem>& problems) {
    // Those without a line (the default settings) first, as they were found.
    std::stable_sort(problems.begin(), problems.end(),
                     [](const Problem& a, const Problem& b) { return a.line < b.line; });
}

void ProblemList::addSkipped(const ReadReport& report, std::vector<Problem>& problems) {
    for (const SkippedLine& skipped : report.skipped()) {
        Problem p;
        p.message = skipped.text + " (" + std::string(ReadReport::reasonText(skipped.reason)) + ")";
        p.line = static_cast<std::uint32_t>(skipped.line);
        problems.push_back(std::move(p));
    }
}

std::string ProblemList::rangeProblem(std::string_view label, std::string_view value,
                                      std::int32_t lower, std::int32_t upper) {
    if (!TextUtil::isWholeInt32(value))
        return std::string(label) + " " + quoted(value) + " is not a whole number";
    const std::int32_t number = TextUtil::leadingInt(value);
    if (number >= lower && number <= upper)
        return {};
    return std::string(label) + " " + quoted(value) + " is outside " + std::to_string(lower) + "-" +
           std::to_string(upper);
}

std::string ProblemList::choiceProblem(std::string_view label, std::string_view value,
                                       std::span<const std::string_view> choices) {
    if (std::find(choices.begin(), choices.end(), value) != choices.end())
        return {};
    std::string message = std::string(label) + " " + quoted(value) + " is not one of ";
    for (std::size_t i = 0; i < choices.size(); ++i)
        message.append(i == 0 ? "" : ", ").append(choices[i]);
    return message;
}

std::string ProblemList::quoted(std::string_view value) {
    return "\"" + std::string(value) + "\"";
}
