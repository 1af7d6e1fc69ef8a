#pragma once

#include "ValueDialog.h"
#include "config/ValueRules.h"

#include <string>

class QLineEdit;

// Edits one free text; OK takes it as typed, blanks and all.
class CText : public ValueDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 148;
    static constexpr int kEditId = 1006;

    explicit CText(QWidget* parent = nullptr);

    std::string text; // Windows-1252
    // What the text must hold to read back from the file as typed; a text
    // that breaks it is refused on OK.
    ValueRules::Rule rule = ValueRules::Rule::Line;

    void accept() override;

protected:
    void exchangeValueIn() override;

private:
    QLineEdit* edit_;
};
