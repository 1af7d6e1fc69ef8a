#include "CNumber.h"

#include "app/AnsiQt.h"
#include "config/TextUtil.h"

#include <QLineEdit>
#include <algorithm>
#include <array>
#include <charconv>
#include <limits>

namespace {

struct NumberRange {
    std::string_view caption;
    std::int32_t lower;
    std::int32_t upper;
    std::string_view message;
};

constexpr std::array<NumberRange, 8> kRanges{{
    {"Failed job retry interval", 60, 14400, "Invalid interval! (%d-%d) Default:533"},
    {"Max. threads", 1, 100, "Invalid interval! (%d-%d) Default:12"},
    {"Number of times a failed job can be retried", 0, 1440, "Invalid interval! (%d-%d) Default:3"},
    {"Log size limit", 32, 32768, "Invalid interval! (%d-%d) Default:256"},
    {"Debug log size limit", 32, 32768, "Invalid interval! (%d-%d) Default:256"},
    {"Polling interval", 60, 1440, "Invalid interval! (%d-%d) Default:300"},
    {"Logging severity", 0, 1, "Invalid interval! (%d-%d) Default:0"},
    {"Maximum log file size", 8192, 8388608, "Invalid interval! (%d-%d) Default:256000"},
}};

// The message with its two placeholders replaced by the limits, in order.
std::string rangeMessage(const NumberRange& range) {
    std::string text(range.message);
    for (const std::int32_t limit : {range.lower, range.upper}) {
        const std::size_t at = text.find("%d");
        if (at != std::string::npos)
            text.replace(at, 2, std::to_string(limit));
    }
    return text;
}

} // namespace

CNumber::CNumber(QWidget* parent)
    : ValueDialog(kTemplateId, 186, 46, parent), edit_(new QLineEdit(this)) {
    setResourceId(*edit_, kEditId);
    setValueControl(edit_);
}

std::optional<std::int32_t> CNumber::parseInteger(std::string_view text) {
    text = TextUtil::trim(text);
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
        text.remove_prefix(1);
    if (text.empty() ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    std::int64_t magnitude = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    const std::int64_t number = negative ? -magnitude : magnitude;
    if (number < std::numeric_limits<std::int32_t>::min() ||
        number > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(number);
}

std::string CNumber::rangeProblem(std::string_view caption, std::int32_t value) {
    const auto row = std::find_if(kRanges.begin(), kRanges.end(),
                                  [&](const NumberRange& r) { return r.caption == caption; });
    if (row == kRanges.end() || (value >= row->lower && value <= row->upper))
        return {};
    return rangeMessage(*row);
}

void CNumber::exchangeValueIn() {
    edit_->setText(QString::number(value));
}

void CNumber::accept() {
    const std::optional<std::int32_t> number = parseInteger(AnsiQt::fromQString(edit_->text()));
    if (!number) {
        refuse("Please enter an integer.", edit_);
        edit_->selectAll();
        return;
    }
    value = *number;
    const std::string problem = rangeProblem(captionText(), value);
    if (!problem.empty()) {
        refuse(problem, nullptr);
        return;
    }
    QDialog::accept();
}
