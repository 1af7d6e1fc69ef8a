#include "DirectoryDescription.h"

#include "PathParts.h"

#include "text/AnsiText.h"
#include "text/TextUtil.h"

#include <algorithm>
#include <cstdlib>

namespace {

using Words = std::vector<std::string>;

constexpr std::size_t TreeNameLength = 32;

// Words separated by blanks; a quoted word may hold blanks.
bool splitWords(std::string_view line, Words& words, std::string& error) {
    std::size_t at = 0;
    for (;;) {
        while (at < line.size() && TextUtil::isSpace(line[at]))
            ++at;
        if (at == line.size())
            return true;
        if (line[at] != '"') {
            const std::size_t start = at;
            while (at < line.size() && !TextUtil::isSpace(line[at]))
                ++at;
            words.emplace_back(line.substr(start, at - start));
            continue;
        }
        const std::size_t close = line.find('"', at + 1);
        if (close == std::string_view::npos) {
            error = "a quote is not closed";
            return false;
        }
        words.emplace_back(line.substr(at + 1, close - at - 1));
        at = close + 1;
    }
}

bool readNumber(const std::string& word, unsigned long& number) {
    if (word.empty() || word.front() == '-')
        return false;
    char* end = nullptr;
    number = std::strtoul(word.c_str(), &end, 0);
    return *end == '\0';
}

bool readFlags(const std::string& word, std::uint32_t& flags) {
    unsigned long number = 0;
    if (word == "container")
        number = NetworkClient::ContainerFlag;
    else if (word != "leaf" && (!readNumber(word, number) || number > 0xFFFFFFFFul))
        return false;
    flags = static_cast<std::uint32_t>(number);
    return true;
}

// The item of that name, const or not as the list is.
template <typename Items>
auto named(Items& items, const std::string& name) -> decltype(&*items.begin()) {
    const auto found = std::find_if(items.begin(), items.end(), [&name](const auto& item) {
        return DirectoryDescription::sameName(item.name, name);
    });
    return found == items.end() ? nullptr : &*found;
}

std::string wordCount(std::size_t least, std::size_t most) {
    const std::string count =
        std::to_string(least - 1) + (most > least ? " or " + std::to_string(most - 1) : "");
    return count + (most == 2 ? " word" : " words");
}

} // namespace

Status DirectoryDescription::read(std::string_view text) {
    const std::string model = AnsiText::fromUtf8(text);
    std::string_view rest = model;
    for (int number = 1; !rest.empty(); ++number) {
        const std::size_t end = rest.find('\n');
        const std::string_view line = TextUtil::trim(rest.substr(0, end));
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        Words words;
        std::string problem;
        if (!line.empty() && line.front() != '#' && splitWords(line, words, problem))
            problem = statement(words);
        if (!problem.empty())
            return Status::failure("line " + std::to_string(number) + ": " + problem);
    }
    return {};
}

std::string DirectoryDescription::statement(const Words& words) {
    struct Form {
        std::string_view keyword;
        std::size_t least, most;
        std::string (DirectoryDescription::*take)(const Words&);
    };
    static const Form forms[] = {
        {"page-size", 2, 2, &DirectoryDescription::pageSizeLine},
        {"connection", 2, 2, &DirectoryDescription::connectionLine},
        {"tree", 2, 2, &DirectoryDescription::treeLine},
        {"object", 4, 4, &DirectoryDescription::objectLine},
        {"value", 4, 4, &DirectoryDescription::valueLine},
        {"path", 4, 4, &DirectoryDescription::valueLine},
        {"unreadable", 3, 3, &DirectoryDescription::valueLine},
        {"server", 2, 2, &DirectoryDescription::serverLine},
        {"volume", 3, 3, &DirectoryDescription::volumeLine},
        {"folder", 4, 4, &DirectoryDescription::entryLine},
        {"file", 4, 4, &DirectoryDescription::entryLine},
        {"drive", 4, 5, &DirectoryDescription::driveLine},
    };
    for (const Form& form : forms) {
        if (form.keyword != words.front())
            continue;
        if (words.size() < form.least || words.size() > form.most)
            return words.front() + " takes " + wordCount(form.least, form.most);
        return (this->*form.take)(words);
    }
    return "unknown statement " + words.front();
}

std::string DirectoryDescription::pageSizeLine(const Words& words) {
    unsigned long size = 0;
    if (!readNumber(words[1], size) || size == 0 || size > 4096)
        return "page-size must be a number from 1 to 4096";
    pageSize_ = size;
    return {};
}

std::string DirectoryDescription::connectionLine(const Words& words) {
    std::string reported = words[1].substr(0, TreeNameLength);
    reported.resize(TreeNameLength, '_');
    connections_.push_back(reported);
    return {};
}

std::string DirectoryDescription::treeLine(const Words& words) {
    Tree* existing = named(trees_, words[1]);
    if (existing == nullptr) {
        trees_.push_back(Tree{words[1], {}});
        existing = &trees_.back();
    }
    currentTree_ = static_cast<std::size_t>(existing - trees_.data());
    return {};
}

std::string DirectoryDescription::objectLine(const Words& words) {
    if (currentTree_ == NoTree)
        return "object before any tree";
    Object object{words[1], 0, words[2], {}};
    if (!readFlags(words[3], object.flags))
        return "flags must be container, leaf or a number";
    const std::string parent = parentOf(object.fullName);
    if (object.fullName.empty() || object.fullName.front() == '.')
        return "an object needs a name";
    if (findObject(object.fullName) != nullptr)
        return object.fullName + " is already there";
    if (!parent.empty() && findObject(parent) == nullptr)
        return "no object " + parent + " to hold " + object.fullName;
    trees_[currentTree_].objects.push_back(std::move(object));
    return {};
}

std::string DirectoryDescription::valueLine(const Words& words) {
    Value value;
    if (words[0] == "value")
        value.value.text = words[3];
    if (words[0] == "unreadable")
        value.readable = false;
    if (words[0] != "path")
        return addValue(words[1], words[2], value);
    value.value.volumeObject = words[2];
    value.value.path = words[3];
    return addValue(words[1], "Path", value);
}

std::string DirectoryDescription::serverLine(const Words& words) {
    if (named(servers_, words[1]) == nullptr)
        servers_.push_back(Server{words[1], {}});
    return {};
}

std::string DirectoryDescription::volumeLine(const Words& words) {
    Server* owner = named(servers_, words[1]);
    if (owner == nullptr)
        return "no server " + words[1];
    if (named(owner->volumes, words[2]) == nullptr)
        owner->volumes.push_back(Volume{words[2], {}});
    return {};
}

std::string DirectoryDescription::entryLine(const Words& words) {
    Volume* target = findVolume(words[1], words[2]);
    if (target == nullptr)
        return "no volume " + words[2] + " on " + words[1];
    const Words parts = PathParts::split(words[3], '\\');
    if (parts.empty())
        return words[0] + " needs a path";
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const bool folder = i + 1 < parts.size() || words[0] == "folder";
        const Entry entry{PathParts::join(parts, '\\', i), parts[i], folder};
        const auto same =
            std::find_if(target->entries.begin(), target->entries.end(), [&entry](const Entry& e) {
                return sameName(e.directory, entry.directory) && sameName(e.name, entry.name);
            });
        if (same == target->entries.end())
            target->entries.push_back(entry);
        else if (same->folder != folder)
            return PathParts::join(parts, '\\', i + 1) + " is already there as a " +
                   (same->folder ? "folder" : "file");
    }
    return {};
}

std::string DirectoryDescription::driveLine(const Words& words) {
    if (words[1].empty() || words[1].front() != '/')
        return "a drive needs an absolute local folder";
    drives_.push_back(Drive{words[1], {words[2], words[3], words.size() > 4 ? words[4] : "\\"}});
    return {};
}

std::string DirectoryDescription::addValue(const std::string& object, const std::string& attribute,
                                           Value value) {
    Object* owner = findObject(object);
    if (owner == nullptr)
        return "no object " + object + " in this tree";
    Attribute* target = named(owner->attributes, attribute);
    if (target == nullptr) {
        owner->attributes.push_back(Attribute{attribute, {}});
        target = &owner->attributes.back();
    }
    target->values.push_back(std::move(value));
    return {};
}

DirectoryDescription::Object* DirectoryDescription::findObject(const std::string& fullName) {
    if (currentTree_ == NoTree)
        return nullptr;
    return const_cast<Object*>(object(trees_[currentTree_], fullName));
}

DirectoryDescription::Volume* DirectoryDescription::findVolume(const std::string& server,
                                                               const std::string& name) {
    return const_cast<Volume*>(volume(server, name));
}

const DirectoryDescription::Tree* DirectoryDescription::tree(const std::string& name) const {
    return named(trees_, name);
}

const DirectoryDescription::Object*
DirectoryDescription::object(const Tree& tree, const std::string& fullName) const {
    for (const Object& candidate : tree.objects)
        if (sameName(candidate.fullName, fullName))
            return &candidate;
    return nullptr;
}

const DirectoryDescription::Server* DirectoryDescription::server(const std::string& name) const {
    return named(servers_, name);
}

const DirectoryDescription::Volume* DirectoryDescription::volume(const std::string& server,
                                                                 const std::string& name) const {
    const Server* owner = this->server(server);
    return owner == nullptr ? nullptr : named(owner->volumes, name);
}

bool DirectoryDescription::hasFolder(const Volume& volume, const std::string& directory) {
    const Words parts = PathParts::split(directory, '\\');
    if (parts.empty())
        return true;
    const std::string above = PathParts::join(parts, '\\', parts.size() - 1);
    return std::any_of(volume.entries.begin(), volume.entries.end(), [&](const Entry& e) {
        return e.folder && sameName(e.directory, above) && sameName(e.name, parts.back());
    });
}

std::string DirectoryDescription::folderPath(const std::string& directory) {
    return PathParts::join(PathParts::split(directory, '\\'), '\\');
}

bool DirectoryDescription::sameName(const std::string& a, const std::string& b) {
    return TextUtil::upper(a) == TextUtil::upper(b);
}

std::string DirectoryDescription::parentOf(const std::string& fullName) {
    const std::size_t dot = fullName.find('.');
    return dot == std::string::npos ? std::string() : fullName.substr(dot + 1);
}
