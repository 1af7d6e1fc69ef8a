#include "ValueRules.h"

#include "text/TextUtil.h"

Status ValueRules::check(std::string_view value, Rule rule) {
    if (value.find_first_of("\r\n") != std::string_view::npos)
        return Status::failure("The value must not contain a line break.");
    switch (rule) {
    case Rule::Line:
        break;
    case Rule::Quoted:
        if (value.find('"') != std::string_view::npos)
            return Status::failure("The value must not contain a double quote (\").");
        break;
    case Rule::Word:
        if (TextUtil::hasSeparator(value))
            return Status::failure("The value must be one word, without blanks, commas or tabs.");
        break;
    case Rule::Words:
        if (value.find_first_of(",\t") != std::string_view::npos)
            return Status::failure(
                "The names must be separated by blanks only, without commas or tabs.");
        break;
    case Rule::Name:
        if (TextUtil::trim(value).size() != value.size())
            return Status::failure("The name must not begin or end with a blank.");
        break;
    }
    return {};
}
