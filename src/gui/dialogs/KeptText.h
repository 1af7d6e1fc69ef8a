#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

// The stored text a dialog read its members from. While the members are as
// that reading set them, OK gives the text back as it stands rather than the
// dialog's rebuilt form, so an OK that changed nothing changes no byte.
template <typename Members> class KeptText {
public:
    void load(std::string_view text, const Members& members) {
        text_ = std::string(text);
        members_ = members;
    }

    bool loaded() const { return text_.has_value(); }

    std::string orRebuilt(const Members& now, std::string rebuilt) const {
        return text_ && now == members_ ? *text_ : std::move(rebuilt);
    }

private:
    std::optional<std::string> text_;
    Members members_{};
};
