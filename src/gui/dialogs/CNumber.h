#pragma once

#include "ValueDialog.h"
#include "config/ValueTable.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class QLineEdit;

// Edits one integer. OK refuses text that is not a whole number, and a value
// outside the range the caller gives from the row it edits.
class CNumber : public ValueDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 155;
    static constexpr int kEditId = 1006;

    explicit CNumber(QWidget* parent = nullptr);

    int value = 0;
    // The values OK takes and the refusal of any other; nullptr takes all.
    const NumberRange* range = nullptr;

    // The members from a stored text: the value its leading number gives,
    // and the text itself, which the box shows as it stands.
    void loadFrom(std::string_view text);
    // The text to store after OK: the stored one while the box still shows
    // it, so that " 300" or "0300" stay, else the value in decimal.
    std::string text() const;

    // A whole decimal number with an optional sign and surrounding blanks;
    // nothing when the text is anything else or does not fit 32 bits.
    static std::optional<std::int32_t> parseInteger(std::string_view text);

    void accept() override;

protected:
    void exchangeValueIn() override;

private:
    QLineEdit* edit_;
    std::optional<std::string> stored_;
    bool keptStored_ = false;
};
