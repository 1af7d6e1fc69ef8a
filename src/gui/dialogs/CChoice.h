#pragma once

#include "ValueDialog.h"
#include "config/ChoiceKind.h"

#include <span>
#include <string>
#include <string_view>

class QComboBox;

// Picks one keyword from the fixed list of a ChoiceKind.
class CChoice : public ValueDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 150;
    static constexpr int kComboId = 1018;

    explicit CChoice(QWidget* parent = nullptr);

    ChoiceKind kind = ChoiceNone;
    // Preselected when it equals an item exactly; any other text is shown
    // as it stands, and OK refuses until an item is chosen.
    std::string current;
    std::string result; // the chosen keyword after OK; empty when none

    // The keywords of a kind in list order; empty for an unknown kind.
    static std::span<const std::string_view> items(ChoiceKind kind);

    void accept() override;

protected:
    void exchangeValueIn() override;

private:
    QComboBox* combo_;
};
