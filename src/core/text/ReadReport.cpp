#include "ReadReport.h"

void ReadReport::skip(int line, std::string_view text, SkipReason reason, bool kept) {
    if (line == lastLine_)
        return;
    lastLine_ = line;
    if (!kept)
        (reason == SkipReason::Comment ? commentLines_ : droppedLines_) += 1;
    if (mode_ == Mode::CountOnly)
        return;
    std::string shown(text.substr(0, kMaxText));
    if (text.size() > kMaxText)
        shown += "...";
    skipped_.push_back({line, std::move(shown), reason, kept});
}

void ReadReport::keptWhole(int line) {
    --droppedLines_;
    for (auto it = skipped_.rbegin(); it != skipped_.rend(); ++it)
        if (it->line == line) {
            it->kept = true;
            return;
        }
}

std::string_view ReadReport::reasonText(SkipReason reason) {
    switch (reason) {
    case SkipReason::UnknownKeyword:
        return "unknown keyword";
    case SkipReason::BelongsInPackage:
        return "belongs inside a package";
    case SkipReason::BelongsInApplication:
        return "belongs inside an application";
    case SkipReason::NotInPackage:
        return "not valid inside a package";
    case SkipReason::NotInApplication:
        return "not valid inside an application";
    case SkipReason::SurplusArgument:
        return "surplus argument";
    case SkipReason::MissingArgument:
        return "missing argument";
    case SkipReason::MissingQuotes:
        return "missing quotes";
    case SkipReason::TooManyWords:
        return "more than 50 words on one line";
    case SkipReason::UnholdableValue:
        return "value the model cannot hold";
    case SkipReason::UnknownDestVersion:
        return "target under an unknown format version";
    case SkipReason::ClosingName:
        return "ends the open block; the name is not kept";
    case SkipReason::Comment:
        return "comment";
    }
    return "unknown keyword";
}
