#include "CNumber.h"

#include "framework/AnsiQt.h"
#include "text/TextUtil.h"

#include <QLineEdit>
#include <algorithm>
#include <charconv>
#include <limits>

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

void CNumber::loadFrom(std::string_view text) {
    value = TextUtil::leadingInt(TextUtil::trimLeft(text));
    stored_ = std::string(text);
}

std::string CNumber::text() const {
    return keptStored_ ? *stored_ : std::to_string(value);
}

void CNumber::exchangeValueIn() {
    // A stored text that is no number opens as it stands: OK then refuses
    // it rather than storing the 0 it would read as.
    edit_->setText(stored_ ? AnsiQt::toQString(*stored_) : QString::number(value));
}

void CNumber::accept() {
    const std::optional<std::int32_t> number = parseInteger(AnsiQt::fromQString(edit_->text()));
    if (!number) {
        refuse("Please enter an integer.", edit_);
        edit_->selectAll();
        return;
    }
    value = *number;
    if (range != nullptr && (value < range->lower || value > range->upper)) {
        refuse(range->refusal(), nullptr);
        return;
    }
    keptStored_ = stored_ && edit_->text() == AnsiQt::toQString(*stored_);
    QDialog::accept();
}
