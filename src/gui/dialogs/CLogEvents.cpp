#include "CLogEvents.h"

#include "config/ScheduleText.h"

#include <QCheckBox>
#include <QVBoxLayout>
#include <utility>

namespace {

constexpr std::array<int, 4> kIds = {CLogEvents::kCopiedId, CLogEvents::kIdenticalId,
                                     CLogEvents::kSkippedId, CLogEvents::kDeletedId};
constexpr std::array<const char*, 4> kLabels = {"Copied", "Identical", "Skipped", "Deleted"};

} // namespace

CLogEvents::CLogEvents(QWidget* parent)
    : FieldDialog(kTemplateId, "Log event types", 130, 68, parent) {
    auto* panel = new QWidget(this);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        boxes_[i] = new QCheckBox(QString::fromLatin1(kLabels[i]), panel);
        setResourceId(*boxes_[i], kIds[i]);
        column->addWidget(boxes_[i]);
    }
    setValueControl(panel);
}

std::array<int*, 4> CLogEvents::members() {
    return {&copied, &identical, &skipped, &deleted};
}

std::array<const int*, 4> CLogEvents::members() const {
    return {&copied, &identical, &skipped, &deleted};
}

void CLogEvents::loadFrom(std::string_view logEvent) {
    const auto flags = members();
    // The same membership test as a day list: a substring of the text with a
    // blank put in front.
    for (std::size_t i = 0; i < flags.size(); ++i)
        *flags[i] = ScheduleText::hasDay(logEvent, kKeywords[i]) ? 1 : 0;
    stored_.load(logEvent, values());
}

std::array<int, 4> CLogEvents::values() const {
    return {copied, identical, skipped, deleted};
}

std::string CLogEvents::eventList() const {
    const auto flags = members();
    std::string list;
    for (std::size_t i = 0; i < flags.size(); ++i) {
        if (*flags[i] != 0) {
            list += kKeywords[i];
            list += ' ';
        }
    }
    return stored_.orRebuilt(values(), std::move(list));
}

void CLogEvents::exchangeFieldsIn() {
    const auto flags = members();
    for (std::size_t i = 0; i < flags.size(); ++i)
        boxes_[i]->setChecked(*flags[i] != 0);
}

void CLogEvents::accept() {
    const auto flags = members();
    for (std::size_t i = 0; i < flags.size(); ++i)
        *flags[i] = boxes_[i]->isChecked() ? 1 : 0;
    QDialog::accept();
}
