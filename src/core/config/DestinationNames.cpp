#include "DestinationNames.h"

#include "text/TextUtil.h"

namespace {

using Words = std::vector<std::string>;

Words upperWords(std::string_view text) {
    Words words;
    for (const std::string_view word : TextUtil::words(text))
        words.push_back(TextUtil::upper(word));
    return words;
}

bool fitsAt(const Words& stored, std::size_t at, const Words& name) {
    if (name.empty() || at + name.size() > stored.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i)
        if (stored[at + i] != name[i])
            return false;
    return true;
}

} // namespace

std::vector<DestinationNames::Name>
DestinationNames::read(std::string_view stored, const std::vector<std::string>& packages) {
    const std::vector<std::string_view> held = TextUtil::words(stored);
    const Words words = upperWords(stored);
    std::vector<Words> packageWords;
    packageWords.reserve(packages.size());
    for (const std::string& package : packages)
        packageWords.push_back(upperWords(package));

    std::vector<Name> names;
    for (std::size_t at = 0; at < words.size();) {
        int best = -1;
        for (std::size_t p = 0; p < packageWords.size(); ++p)
            if (fitsAt(words, at, packageWords[p]) &&
                (best < 0 || packageWords[p].size() > packageWords[std::size_t(best)].size()))
                best = static_cast<int>(p);
        if (best < 0) {
            names.push_back({std::string(held[at]), -1});
            ++at;
            continue;
        }
        names.push_back({packages[std::size_t(best)], best});
        at += packageWords[std::size_t(best)].size();
    }
    return names;
}

bool DestinationNames::canStand(std::string_view name) {
    for (const char c : name)
        if (TextUtil::isSpace(c))
            return false;
    return true;
}
