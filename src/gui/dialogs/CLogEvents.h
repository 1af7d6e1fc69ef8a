#pragma once

#include "FieldDialog.h"
#include "KeptText.h"
#include "config/ValueTable.h"

#include <array>
#include <string>
#include <string_view>

class QCheckBox;

// Ticks the event types written to the log; any combination is accepted.
class CLogEvents : public FieldDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 153;
    static constexpr int kCopiedId = 1003;
    static constexpr int kIdenticalId = 1004;
    static constexpr int kSkippedId = 1005;
    static constexpr int kDeletedId = 1007;
    // The stored keywords, in the order the list is rebuilt in.
    static constexpr const auto& kKeywords = ValueTable::kLogEvents;

    explicit CLogEvents(QWidget* parent = nullptr);

    // 0 or 1 each.
    int copied = 0;
    int identical = 0;
    int skipped = 0;
    int deleted = 0;

    // The members from a logEvent text: a box is ticked when its keyword
    // occurs in it.
    void loadFrom(std::string_view logEvent);
    // The new logEvent: "COPIED ", "IDENTICAL ", "SKIPPED ", "DELETED " of the
    // ticked boxes in this order; empty when none is ticked; the loaded text
    // while the same boxes are ticked.
    std::string eventList() const;

    void accept() override;

protected:
    void exchangeFieldsIn() override;

private:
    std::array<int*, 4> members();
    std::array<const int*, 4> members() const;

    std::array<int, 4> values() const;

    std::array<QCheckBox*, 4> boxes_{};
    KeptText<std::array<int, 4>> stored_;
};
